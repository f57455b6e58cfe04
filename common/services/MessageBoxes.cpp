#include "common/services/MessageBoxes.h"

#include "common/services/Log.h"
#include "common/services/TextAndNumbers.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/Format.h"

#include <cstdarg>
#include <mutex>

namespace
{

std::mutex g_FullScreenMutex;
std::function<int(std::string_view, std::string_view, uint32_t)> g_FullScreenBox;

constexpr size_t kMaxErrorText = 1023;

std::string FormatError(const char* format, va_list args)
{
    return CutMbText(platform::VFormat(format, args), kMaxErrorText);
}

} // namespace

void SetFullScreenMessageBox(std::function<int(std::string_view, std::string_view, uint32_t)> show)
{
    std::lock_guard lock(g_FullScreenMutex);
    g_FullScreenBox = std::move(show);
}

int ShowMessageBox(platform::WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type)
{
    std::function<int(std::string_view, std::string_view, uint32_t)> fullScreen;
    {
        std::lock_guard lock(g_FullScreenMutex);
        fullScreen = g_FullScreenBox;
    }
    if (fullScreen)
    {
        return fullScreen(text, caption, type);
    }
    return platform::Dialogs().MessageBox(owner, text, caption, type);
}

int ShowMessageBoxActive(std::string_view text, std::string_view caption, uint32_t type)
{
    return ShowMessageBox(platform::Dialogs().ActiveWindow(), text, caption, type);
}

void ShowError(std::string_view text)
{
    ShowMessageBoxActive(text, "エラー", platform::kMbOk);
}

void ShowErrorF(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatError(format, args);
    va_end(args);
    ShowError(text);
}

void ShowDebugErrorF(const char* format, ...)
{
    if (!IsErrorLogEnabled())
    {
        return;
    }
    va_list args;
    va_start(args, format);
    std::string text = FormatError(format, args);
    va_end(args);
    ShowError(text);
}

void ShowOutOfMemory()
{
    ShowError("メモリが不足しています！");
    platform::RequestClose();
}

bool ConfirmQuit(platform::WindowHandle owner)
{
    return platform::Dialogs().MessageBox(owner, "終了しますか？\n", "終了確認", platform::kMbYesNo) ==
           platform::kIdYes;
}
