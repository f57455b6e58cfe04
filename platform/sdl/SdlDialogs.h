#pragma once

// Message boxes of the game: SDL's message box, owned by the game's window.
// The game has no file or folder dialogs: those are always cancelled.

#include "platform/window/Dialogs.h"
#include "platform/window/WindowSystem.h"

#include <string>
#include <vector>

namespace platform
{

// One button of a box: the answer it gives, its CP932 label, whether Return or Escape presses it.
struct MessageBoxButton
{
    int m_nAnswer = kIdOk;
    std::string m_strLabel;
    bool m_bReturnKey = false;
    bool m_bEscapeKey = false;
};

// The buttons of a box of that type, left to right.
std::vector<MessageBoxButton> MessageBoxButtons(uint32_t type);

class SdlDialogs : public DialogService
{
public:
    explicit SdlDialogs(WindowSystem& system) : m_System(system) {}

    // When SDL cannot show the box, the text goes to the standard error stream
    // and the box answers as if it were closed.
    int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type) override;
    WindowHandle ActiveWindow() override { return m_System.ActiveWindow(); }
    bool OpenFile(const FileDialogRequest&, std::vector<std::string>&) override { return false; }
    bool SaveFile(const FileDialogRequest&, std::string&) override { return false; }
    bool BrowseFolder(WindowHandle, std::string_view, std::string_view, std::string&) override { return false; }

private:
    WindowSystem& m_System;
};

} // namespace platform
