#include "CheckedVector.h"

#include "FormatString.h"
#include "common/services/Log.h"
#include "platform/core/FatalHooks.h"

#include <atomic>

namespace
{

std::atomic<IndexErrorPolicy> g_Policy{IndexErrorPolicy::Editor};

} // namespace

void SetIndexErrorPolicy(IndexErrorPolicy policy)
{
    g_Policy = policy;
}

IndexErrorPolicy GetIndexErrorPolicy()
{
    return g_Policy;
}

namespace detail
{

bool ReportIndexError(int index, std::size_t size, IndexErrorAction action)
{
    std::string message;
    FormatString(message, "err Vector外参照 [%d] ( %d , %d )", index, static_cast<int>(size), 16);
    WriteErrorLog(message);
    WriteReport("%s", message.c_str());
    bool game = g_Policy == IndexErrorPolicy::Game;
    if (action == IndexErrorAction::Fatal && !game)
    {
        platform::FatalError();
    }
    else
    {
        platform::RequestClose();
    }
    return !game;
}

} // namespace detail
