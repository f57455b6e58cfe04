#include "platform/window/KeyCodes.h"

#include "platform/window/WindowMessages.h"

namespace platform
{

uint32_t VirtualKeyOfCharacter(uint32_t c)
{
    if (c >= 'a' && c <= 'z')
    {
        return c - 'a' + 'A';
    }
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
    {
        return c;
    }
    switch (c)
    {
    case ' ': return kVkSpace;
    // Shifted digits of the Japanese layout.
    case '!': return '1';
    case '"': return '2';
    case '#': return '3';
    case '$': return '4';
    case '%': return '5';
    case '&': return '6';
    case '\'': return '7';
    case '(': return '8';
    case ')': return '9';
    case '-':
    case '=': return kVkOemMinus;
    case '^':
    case '~': return kVkOem7;
    case '\\':
    case '|': return kVkOem5;
    case '@':
    case '`': return kVkOem3;
    case '[':
    case '{': return kVkOem4;
    case ';':
    case '+': return kVkOemPlus;
    case ':':
    case '*': return kVkOem1;
    case ']':
    case '}': return kVkOem6;
    case ',':
    case '<': return kVkOemComma;
    case '.':
    case '>': return kVkOemPeriod;
    case '/':
    case '?': return kVkOem2;
    case '_': return kVkOem102;
    default: return 0;
    }
}

} // namespace platform
