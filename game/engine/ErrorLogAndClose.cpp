#include "game/engine/ErrorLogAndClose.h"

#include "common/services/MessageBoxes.h"
#include "platform/core/Format.h"
#include "platform/window/WindowSystem.h"

#include <atomic>
#include <cstdarg>

namespace
{
std::atomic<bool> g_bFailed{false};
std::atomic<bool> g_bShown{false};
} // namespace

void WriteErrorLogAndClose(platform::WindowHandle window, const char* format, ...)
{
    NoteGameFailure();
    va_list args;
    va_start(args, format);
    std::string line = platform::VFormat(format, args);
    va_end(args);
    WriteErrorLog(line);
    // Told before the close, while the main window still serves boxes.
    if (g_bShown.exchange(false))
    {
        WriteReport("Error : %s", line.c_str());
    }
    else
    {
        ReportGameFailure(line);
    }
    platform::PostWindowMessage(window, platform::kWmClose, 0, 0);
}

void ReportGameFailure(std::string_view reason)
{
    const std::string text(reason);
    WriteReport("Error : %s", text.c_str());
    ShowError(text);
}

void NoteFailureShown()
{
    g_bShown.store(true);
}

bool GameFailureReported()
{
    return g_bFailed.load();
}

void NoteGameFailure()
{
    g_bFailed.store(true);
}

void ClearGameFailure()
{
    g_bFailed.store(false);
    g_bShown.store(false);
}
