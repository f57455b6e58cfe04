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

// Input that other windows would get while a box is up: the owner is as good
// as disabled. Key releases still pass, so that no window keeps a key held.
bool IsInputForOthers(const WindowMessage& message, WindowHandle box)
{
    switch (message.m_nMessage)
    {
    case kWmKeyDown:
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

// The box's window rectangle: centred over its owner, or over the desktop
// without one, and moved onto the desktop where it would leave it.
Rect PlaceBox(WindowSystem& system, WindowHandle owner, int width, int height)
{
    const Rect desktop = system.DesktopRect();
    NativeWindow* over = system.Resolve(owner);
    const Rect area = over && over->IsVisible() ? over->WindowRect() : desktop;
    Rect box{area.m_nLeft + (area.m_nWidth - width) / 2, area.m_nTop + (area.m_nHeight - height) / 2, width, height};
    box.m_nLeft = std::max(desktop.m_nLeft, std::min(box.m_nLeft, desktop.Right() - width));
    box.m_nTop = std::max(desktop.m_nTop, std::min(box.m_nTop, desktop.Bottom() - height));
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
    MessageBoxModel model(LayOutMessageBox(text, type, *fonts), type);
    constexpr uint32_t kStyle = kWsPopup | kWsCaption;
    const FrameInsets insets = ComputeFrameInsets(kStyle, false, m_System.Metrics());
    WindowCreateParams params;
    params.m_strTitle = std::string(caption);
    params.m_nStyle = kStyle;
    params.m_WindowRect = PlaceBox(m_System, owner, model.Layout().m_nWidth + insets.m_nLeft + insets.m_nRight,
                                   model.Layout().m_nHeight + insets.m_nTop + insets.m_nBottom);
    // Owned by its owner: it goes when the owner goes.
    params.m_hParent = m_System.IsWindow(owner) ? owner : WindowHandle{};
    params.m_pProcedure = BoxProcedure;
    const WindowHandle box = m_System.CreateWindow(params);
    NativeWindow* window = m_System.Resolve(box);
    if (!window)
    {
        return Unshown(text, caption, type);
    }
    g_OpenBoxes.push_back({box, &model});
    const WindowHandle focusBefore = m_System.Focus();
    // Drawn before it is shown: a renderer made later may make the native window anew.
    window->Present(model.Draw(), 0, 0);
    SDL_Window* native = NativeSdlWindow(m_System, box);
    SDL_Window* ownerNative = NativeSdlWindow(m_System, params.m_hParent);
    if (native && ownerNative)
    {
        // Kept above its owner by the window manager, even over the whole screen.
        SDL_SetWindowModalFor(native, ownerNative);
    }
    window->Show(true);
    if (native)
    {
        SDL_RaiseWindow(native);
    }
    m_System.SetFocus(box);

    m_System.RunModalLoop([&] { return model.Answer().has_value() || !m_System.IsWindow(box) || cancelled(); },
                          [box](const WindowMessage& message) { return IsInputForOthers(message, box); });

    g_OpenBoxes.erase(std::remove_if(g_OpenBoxes.begin(), g_OpenBoxes.end(),
                                     [box](const OpenBox& open) { return open.m_hWindow == box; }),
                      g_OpenBoxes.end());
    if (m_System.IsWindow(box))
    {
        m_System.DestroyWindow(box);
    }
    if (focusBefore && m_System.IsWindow(focusBefore))
    {
        m_System.SetFocus(focusBefore);
        if (SDL_Window* before = NativeSdlWindow(m_System, m_System.TopLevelOf(focusBefore)))
        {
            SDL_RaiseWindow(before);
        }
    }
    return model.Answer().value_or(DismissedAnswer(type));
}

} // namespace platform
