#pragma once

// Message boxes of the game: a small modal window of the game's own, drawn
// with the text rasteriser (SdlMessageBox.h), centred over its owner (the
// screen when it has none) and kept above it by the window manager. A box is
// never higher than the space it is shown in (the desktop's work area, or the
// owner's screen while the owner takes the whole screen), its frame included:
// lines that do not fit are left out. While it is up its owner is disabled:
// the owner's clicks are dropped, the keys it gets are the box's, and its
// activation goes to the box. The window system's loop runs while the box is
// up, so what is posted to the game's windows meanwhile is served; a quit ends
// the box, and so does the destruction of its owner: it then answers as if it
// were closed. When the font cannot be read, SDL's own message box stands in
// where there is a display. The game has no file or folder dialogs: those are
// always cancelled.

#include "platform/sdl/SdlMessageBox.h"
#include "platform/text/FreeTypeRasterizer.h"
#include "platform/window/Dialogs.h"
#include "platform/window/WindowSystem.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

// A box shown some other way than the game's own; it answers as MessageBox does.
using OtherMessageBox =
    std::function<int(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type)>;

// SDL's own message box, owned by the owner's window when that is a live top-level window of ours. When SDL
// shows none, the text goes to the standard error stream and the box answers as if it were closed.
int ShowSdlMessageBox(const WindowSystem& system, WindowHandle owner, std::string_view text, std::string_view caption,
                      uint32_t type);

class SdlDialogs : public DialogService
{
public:
    // The boxes draw with the font file given (a UTF-8 path on disk). When it
    // cannot be read, they are shown by `fontless` instead; by default that is
    // SDL's own message box on a display, and the standard error stream
    // without one.
    explicit SdlDialogs(WindowSystem& system, std::string fontFile = kDefaultFontFile, OtherMessageBox fontless = {});

    // Called on the loop's thread. When no box can be made (no window, a quit
    // already pending), the text goes to the standard error stream and the box
    // answers as if it were closed.
    int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type) override;
    WindowHandle ActiveWindow() override { return m_System.ActiveWindow(); }
    // Boxes end as if they were closed once this says so (any thread may make
    // it true; it is looked at whenever the box's loop wakes, at least every
    // tenth of a second), and later ones are not put up. SDL's own box, once
    // up, ends only with its answer.
    void SetCancelCheck(std::function<bool()> cancelled) { m_Cancelled = std::move(cancelled); }
    bool OpenFile(const FileDialogRequest&, std::vector<std::string>&) override { return false; }
    bool SaveFile(const FileDialogRequest&, std::string&) override { return false; }
    bool BrowseFolder(WindowHandle, std::string_view, std::string_view, std::string&) override { return false; }

private:
    // The rasteriser, opened on first use; null when the font cannot be read.
    TextRasterizer* Fonts();

    WindowSystem& m_System;
    std::string m_strFontFile;
    std::unique_ptr<FreeTypeRasterizer> m_pFonts;
    OtherMessageBox m_Fontless;
    std::function<bool()> m_Cancelled;
};

} // namespace platform
