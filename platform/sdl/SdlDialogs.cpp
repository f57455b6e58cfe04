#include "platform/sdl/SdlDialogs.h"

#include "platform/core/Cp932.h"
#include "platform/sdl/SdlWindowSystem.h"

#include <SDL.h>
#include <cstdio>

namespace platform
{

std::vector<MessageBoxButton> MessageBoxButtons(uint32_t type)
{
    const MessageBoxButton ok{kIdOk, "OK", true, false};
    const MessageBoxButton cancel{kIdCancel, "キャンセル", false, true};
    const MessageBoxButton yes{kIdYes, "はい", true, false};
    const MessageBoxButton no{kIdNo, "いいえ", false, false};
    switch (type & kMbButtonMask)
    {
    case kMbOkCancel:
        return {ok, cancel};
    case kMbYesNoCancel:
        return {yes, no, cancel};
    case kMbYesNo:
    {
        MessageBoxButton noEscapes = no;
        noEscapes.m_bEscapeKey = true;
        return {yes, noEscapes};
    }
    default:
    {
        MessageBoxButton okEscapes = ok;
        okEscapes.m_bEscapeKey = true;
        return {okEscapes};
    }
    }
}

int SdlDialogs::MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type)
{
    std::vector<MessageBoxButton> buttons = MessageBoxButtons(type);
    std::vector<std::string> labels;
    std::vector<SDL_MessageBoxButtonData> data;
    for (const MessageBoxButton& button : buttons)
    {
        labels.push_back(ToUtf8(button.m_strLabel));
    }
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        Uint32 flags = (buttons[i].m_bReturnKey ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT : 0) |
                       (buttons[i].m_bEscapeKey ? SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT : 0);
        data.push_back({flags, buttons[i].m_nAnswer, labels[i].c_str()});
    }
    std::string utf8Text = ToUtf8(text);
    std::string utf8Caption = ToUtf8(caption);
    Uint32 kind = SDL_MESSAGEBOX_INFORMATION;
    switch (type & kMbIconMask)
    {
    case kMbIconError: kind = SDL_MESSAGEBOX_ERROR; break;
    case kMbIconWarning: kind = SDL_MESSAGEBOX_WARNING; break;
    default: break;
    }
    // A stale or foreign handle gives no owner; only a live window of ours is looked at.
    auto* window = dynamic_cast<SdlWindow*>(m_System.Resolve(owner));
    SDL_MessageBoxData box{kind,
                           window ? window->Native() : nullptr,
                           utf8Caption.c_str(),
                           utf8Text.c_str(),
                           static_cast<int>(data.size()),
                           data.data(),
                           nullptr};
    int answer = 0;
    if (SDL_ShowMessageBox(&box, &answer) != 0)
    {
        std::fprintf(stderr, "[%s] %s\n", utf8Caption.c_str(), utf8Text.c_str());
        return DismissedAnswer(type);
    }
    // -1: the box was closed without a button.
    return answer < 0 ? DismissedAnswer(type) : answer;
}

} // namespace platform
