#include "platform/sdl/SdlKeys.h"

namespace platform
{

namespace
{

int FromKeycode(SDL_Keycode keycode)
{
    if (keycode >= SDLK_a && keycode <= SDLK_z)
    {
        return 'A' + (keycode - SDLK_a);
    }
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
    {
        return kVkF1 + (keycode - SDLK_F1);
    }
    if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9)
    {
        return kVkNumpad0 + 1 + (keycode - SDLK_KP_1);
    }
    switch (keycode)
    {
    case SDLK_LEFT:
        return kVkLeft;
    case SDLK_RIGHT:
        return kVkRight;
    case SDLK_UP:
        return kVkUp;
    case SDLK_DOWN:
        return kVkDown;
    case SDLK_ESCAPE:
        return kVkEscape;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return kVkReturn;
    case SDLK_SPACE:
        return kVkSpace;
    case SDLK_LSHIFT:
        return kVkLShift;
    case SDLK_RSHIFT:
        return kVkRShift;
    case SDLK_LCTRL:
        return kVkLControl;
    case SDLK_RCTRL:
        return kVkRControl;
    case SDLK_LALT:
        return kVkLMenu;
    case SDLK_RALT:
        return kVkRMenu;
    case SDLK_KP_0:
        return kVkNumpad0;
    default:
        return 0;
    }
}

// The digits of the top row by position, as every layout numbers them.
int DigitFromScancode(SDL_Scancode scancode)
{
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    {
        return '1' + (scancode - SDL_SCANCODE_1);
    }
    return scancode == SDL_SCANCODE_0 ? '0' : 0;
}

int LetterFromScancode(SDL_Scancode scancode)
{
    return scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z ? 'A' + (scancode - SDL_SCANCODE_A) : 0;
}

// A keycode that stands for a character outside ASCII (a layout of another
// script), or for nothing at all.
bool IsNonLatinCharacter(SDL_Keycode keycode)
{
    return keycode == SDLK_UNKNOWN || ((keycode & SDLK_SCANCODE_MASK) == 0 && keycode > 127);
}

} // namespace

int VirtualKeyFromSdl(SDL_Keycode keycode, SDL_Scancode scancode)
{
    if (int digit = DigitFromScancode(scancode))
    {
        return digit;
    }
    if (int key = FromKeycode(keycode))
    {
        return key;
    }
    return IsNonLatinCharacter(keycode) ? LetterFromScancode(scancode) : 0;
}

void OnSdlKey(HeldKeyTable& table, const SDL_KeyboardEvent& event)
{
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP)
    {
        return;
    }
    int key = VirtualKeyFromSdl(event.keysym.sym, event.keysym.scancode);
    if (key != 0)
    {
        table.SetKey(key, event.type == SDL_KEYDOWN);
    }
}

} // namespace platform
