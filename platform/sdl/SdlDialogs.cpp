#include "platform/sdl/SdlDialogs.h"

#include "platform/core/Cp932.h"
#include "platform/sdl/SdlNativeWindow.h"
#include "platform/sdl/SdlWindowSystem.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

namespace platform
{

namespace
{

// The boxes up, innermost last; their window procedure finds its model here. The loop's thread only.
struct OpenBox
{
    WindowHandle m_hWindow;
    MessageBoxModel* m_pModel = nullptr;
};
std::vector<OpenBox> g_OpenBoxes;

MessageBoxModel* ModelOf(WindowHandle window)
{
    for (const OpenBox& box : g_OpenBoxes)
    {
        if (box.m_hWindow == window)
        {
            return box.m_pModel;
        }
    }
    return nullptr;
}

void Repaint(WindowHandle window, MessageBoxModel& model)
{
    if (NativeWindow* native = ResolveWindow(window))
    {
        native->Present(model.Draw(), 0, 0);
    }
}

intptr_t BoxProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    MessageBoxModel* model = ModelOf(window);
    if (!model)
    {
        return DefWindowProc(window, message, wParam, lParam);
    }
    const Point at{LowSigned(static_cast<uintptr_t>(lParam)), HighSigned(static_cast<uintptr_t>(lParam))};
    bool changed = false;
    switch (message)
    {
    case kWmKeyDown:
        changed = model->OnKeyDown(static_cast<uint32_t>(wParam));
        break;
    case kWmLButtonDown:
        changed = model->OnMouseDown(at);
        break;
    case kWmLButtonUp:
        changed = model->OnMouseUp(at);
        break;
    case kWmClose:
        // Closed by the window manager: no choice. The run destroys the window.
        model->Dismiss();
        return 0;
    case kWmPaint:
        changed = true;
        break;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
    if (changed)
    {
        Repaint(window, *model);
    }
    return 0;
}

// Input that other windows would get while a box is up: the owner is
// disabled. Their keys are the box's (the desktop may still have the owner
// active for a moment after a click on it); key releases still pass, so that
// no window keeps a key held.
bool IsInputForOthers(WindowSystem& system, const WindowMessage& message, WindowHandle box)
{
    switch (message.m_nMessage)
    {
    case kWmKeyDown:
        if (message.m_hWindow != box)
        {
            system.SendMessage(box, message.m_nMessage, message.m_wParam, message.m_lParam);
            return true;
        }
        return false;
    case kWmChar:
    case kWmLButtonDown:
    case kWmLButtonUp:
    case kWmRButtonDown:
    case kWmRButtonUp:
        return message.m_hWindow != box;
    default:
        return false;
    }
}

// What the window manager's frame adds to a box, where the owner does not
// show it: enough for a title bar and the borders.
constexpr int kAssumedFrameWidth = 8;
constexpr int kAssumedFrameHeight = 40;

// Where a box is shown: the owner's screen while the owner takes the whole
// screen, else the desktop's work area; and what the window manager's frame
// adds to a box (the window's own frame is inside its rectangle).
struct BoxSpace
{
    Rect m_Rect;
    int m_nFrameWidth = 0;
    int m_nFrameHeight = 0;
};

BoxSpace SpaceFor(WindowSystem& system, WindowHandle owner)
{
    BoxSpace space{system.DesktopRect(), kAssumedFrameWidth, kAssumedFrameHeight};
    NativeWindow* over = system.Resolve(owner);
    SDL_Window* native = NativeSdlWindow(system, owner);
    if (!over || !native || !over->IsVisible())
    {
        return space;
    }
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (SDL_GetWindowFlags(native) & SDL_WINDOW_FULLSCREEN)
    {
        space.m_Rect = over->WindowRect();
    }
    else if (SDL_GetWindowBordersSize(native, &top, &left, &bottom, &right) == 0 && top > 0)
    {
        // A box is framed as its owner is.
        space.m_nFrameWidth = left + right;
        space.m_nFrameHeight = top + bottom;
    }
    return space;
}

// The box's window rectangle: centred over its owner, or over the space
// without one, and moved into the space, frame and all, where it would leave
// it. The window manager puts the frame's top left corner where the window is
// asked to be.
Rect PlaceBox(WindowSystem& system, WindowHandle owner, const BoxSpace& space, int width, int height)
{
    NativeWindow* over = system.Resolve(owner);
    const Rect area = over && over->IsVisible() ? over->WindowRect() : space.m_Rect;
    Rect box{area.m_nLeft + (area.m_nWidth - width) / 2, area.m_nTop + (area.m_nHeight - height) / 2, width, height};
    const Rect& in = space.m_Rect;
    box.m_nLeft = std::max(in.m_nLeft, std::min(box.m_nLeft, in.Right() - width - space.m_nFrameWidth));
    box.m_nTop = std::max(in.m_nTop, std::min(box.m_nTop, in.Bottom() - height - space.m_nFrameHeight));
    return box;
}

int Unshown(std::string_view text, std::string_view caption, uint32_t type)
{
    std::fprintf(stderr, "[%s] %s\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
    return DismissedAnswer(type);
}

bool HasDisplay(const WindowSystem& system)
{
    const auto* sdl = dynamic_cast<const SdlWindowSystem*>(&system);
    return sdl && sdl->IsReady() && !sdl->IsHeadless();
}

} // namespace

int ShowSdlMessageBox(const WindowSystem& system, WindowHandle owner, std::string_view text, std::string_view caption,
                      uint32_t type)
{
    const std::vector<MessageBoxButton> buttons = MessageBoxButtons(type);
    std::vector<std::string> labels;
    std::vector<SDL_MessageBoxButtonData> data;
    for (const MessageBoxButton& button : buttons)
    {
        labels.push_back(ToUtf8(button.m_strLabel));
    }
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const Uint32 flags = (buttons[i].m_bReturnKey ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT : 0) |
                             (buttons[i].m_bEscapeKey ? SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT : 0);
        data.push_back({flags, buttons[i].m_nAnswer, labels[i].c_str()});
    }
    const std::string utf8Text = ToUtf8(text);
    const std::string utf8Caption = ToUtf8(caption);
    Uint32 kind = SDL_MESSAGEBOX_INFORMATION;
    switch (type & kMbIconMask)
    {
    case kMbIconError: kind = SDL_MESSAGEBOX_ERROR; break;
    case kMbIconWarning: kind = SDL_MESSAGEBOX_WARNING; break;
    default: break;
    }
    const SDL_MessageBoxData box{kind,
                                 NativeSdlWindow(system, owner),
                                 utf8Caption.c_str(),
                                 utf8Text.c_str(),
                                 static_cast<int>(data.size()),
                                 data.data(),
                                 nullptr};
    int answer = 0;
    if (SDL_ShowMessageBox(&box, &answer) != 0)
    {
        return Unshown(text, caption, type);
    }
    // -1: the box was closed without a button.
    return answer < 0 ? DismissedAnswer(type) : answer;
}

SdlDialogs::SdlDialogs(WindowSystem& system, std::string fontFile, OtherMessageBox fontless)
    : m_System(system), m_strFontFile(std::move(fontFile)), m_Fontless(std::move(fontless))
{
    if (!m_Fontless && HasDisplay(system))
    {
        m_Fontless = [&system](WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type)
        { return ShowSdlMessageBox(system, owner, text, caption, type); };
    }
}

TextRasterizer* SdlDialogs::Fonts()
{
    if (!m_pFonts)
    {
        m_pFonts = std::make_unique<FreeTypeRasterizer>();
        if (!m_pFonts->Open(m_strFontFile))
        {
            // Said once: the rasteriser is not made again.
            std::fprintf(stderr, "cannot open the font %s for the message boxes; %s\n", m_strFontFile.c_str(),
                         m_Fontless ? "plain boxes stand in for them" : "their text goes to the standard error stream");
        }
    }
    return m_pFonts->IsOpen() ? m_pFonts.get() : nullptr;
}

int SdlDialogs::MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type)
{
    auto cancelled = [this] { return m_Cancelled && m_Cancelled(); };
    // A quit ends every loop at once, and with it the box: it is not put up at all.
    if (m_System.QuitPending() || cancelled())
    {
        return Unshown(text, caption, type);
    }
    TextRasterizer* fonts = Fonts();
    if (!fonts)
    {
        return m_Fontless ? m_Fontless(owner, text, caption, type) : Unshown(text, caption, type);
    }
    // Owned by its owner's window: it goes when the owner goes.
    const WindowHandle ownerTop = m_System.IsWindow(owner) ? m_System.TopLevelOf(owner) : WindowHandle{};
    constexpr uint32_t kStyle = kWsPopup | kWsCaption;
    const FrameInsets insets = ComputeFrameInsets(kStyle, false, m_System.Metrics());
    const BoxSpace space = SpaceFor(m_System, ownerTop);
    const int frameHeight = insets.m_nTop + insets.m_nBottom + space.m_nFrameHeight;
    MessageBoxModel model(LayOutMessageBox(text, type, *fonts, space.m_Rect.m_nHeight - frameHeight), type);
    WindowCreateParams params;
    params.m_strTitle = std::string(caption);
    params.m_nStyle = kStyle;
    params.m_WindowRect =
        PlaceBox(m_System, ownerTop, space, model.Layout().m_nWidth + insets.m_nLeft + insets.m_nRight,
                 model.Layout().m_nHeight + insets.m_nTop + insets.m_nBottom);
    params.m_hParent = ownerTop;
    params.m_pProcedure = BoxProcedure;
    const WindowHandle box = m_System.CreateWindow(params);
    NativeWindow* window = m_System.Resolve(box);
    if (!window)
    {
        return Unshown(text, caption, type);
    }
    g_OpenBoxes.push_back({box, &model});
    const WindowHandle focusBefore = m_System.Focus();
    window->Present(model.Draw(), 0, 0);
    SDL_Window* native = NativeSdlWindow(m_System, box);
    SDL_Window* ownerNative = NativeSdlWindow(m_System, ownerTop);
    if (native && ownerNative)
    {
        // Kept above its owner by the window manager, even over the whole screen.
        SDL_SetWindowModalFor(native, ownerNative);
    }
    // The owner takes no input while the box is up, and hands its activation to the box.
    NativeWindow* ownerWindow = m_System.Resolve(ownerTop);
    const bool disabledOwner = ownerWindow && ownerWindow->IsEnabled();
    if (disabledOwner)
    {
        ownerWindow->Enable(false);
    }
    window->Show(true);
    // Activated, and so brought to the front with the keyboard's focus.
    m_System.SetFocus(box);

    m_System.RunModalLoop([&] { return model.Answer().has_value() || !m_System.IsWindow(box) || cancelled(); },
                          [this, box](const WindowMessage& message)
                          { return IsInputForOthers(m_System, message, box); });

    g_OpenBoxes.erase(std::remove_if(g_OpenBoxes.begin(), g_OpenBoxes.end(),
                                     [box](const OpenBox& open) { return open.m_hWindow == box; }),
                      g_OpenBoxes.end());
    if (disabledOwner && m_System.IsWindow(ownerTop))
    {
        ownerWindow->Enable(true);
    }
    if (m_System.IsWindow(box))
    {
        m_System.DestroyWindow(box);
    }
    if (focusBefore && m_System.IsWindow(focusBefore))
    {
        m_System.SetFocus(focusBefore);
    }
    return model.Answer().value_or(DismissedAnswer(type));
}

} // namespace platform
