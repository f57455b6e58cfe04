#include "CheckedVector.h"

#include "FormatString.h"
#include "common/services/Log.h"
#include "platform/core/FatalHooks.h"

namespace detail
{

void ReportIndexError(int index, std::size_t size, IndexErrorAction action)
{
    std::string message;
    FormatString(message, "err Vector外参照 [%d] ( %d , %d )", index, static_cast<int>(size), 16);
    WriteErrorLog(message);
    WriteReport("%s", message.c_str());
    if (action == IndexErrorAction::Fatal)
    {
        platform::FatalError();
    }
    else
    {
        platform::RequestClose();
    }
}

} // namespace detail
