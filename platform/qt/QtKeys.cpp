#include "platform/qt/QtKeys.h"

#include "platform/core/Cp932.h"
#include "platform/qt/QtText.h"
#include "platform/window/KeyCodes.h"
#include "platform/window/WindowMessages.h"

#include <QKeyEvent>

namespace platform
{

uint32_t VirtualKeyOf(const QKeyEvent* event)
{
    int key = event->key();
    if (event->modifiers() & Qt::KeypadModifier)
    {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
        {
            return kVkNumpad0 + static_cast<uint32_t>(key - Qt::Key_0);
        }
        switch (key)
        {
        case Qt::Key_Asterisk: return kVkMultiply;
        case Qt::Key_Plus: return kVkAdd;
        case Qt::Key_Minus: return kVkSubtract;
        case Qt::Key_Period: return kVkDecimal;
        case Qt::Key_Slash: return kVkDivide;
        default: break;
        }
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
    {
        return kVkF1 + static_cast<uint32_t>(key - Qt::Key_F1);
    }
    switch (key)
    {
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Backspace: return kVkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kVkTab;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_PageUp: return kVkPrior;
    case Qt::Key_PageDown: return kVkNext;
    case Qt::Key_Home: return kVkHome;
    case Qt::Key_End: return kVkEnd;
    case Qt::Key_Insert: return kVkInsert;
    case Qt::Key_Delete: return kVkDelete;
    case Qt::Key_Shift: return kVkShift;
    case Qt::Key_Control: return kVkControl;
    case Qt::Key_Alt: return kVkMenu;
    case Qt::Key_Pause: return kVkPause;
    case Qt::Key_CapsLock: return kVkCapital;
    case Qt::Key_Print: return kVkSnapshot;
    case Qt::Key_Menu: return kVkApps;
    case Qt::Key_NumLock: return kVkNumLock;
    case Qt::Key_ScrollLock: return kVkScroll;
    case Qt::Key_yen: return kVkOem5;
    default:
        // Letters, digits and punctuation: Qt names them by their character.
        return key > 0 && key < 0x80 ? VirtualKeyOfCharacter(static_cast<uint32_t>(key)) : 0;
    }
}

intptr_t KeyFlagsOf(const QKeyEvent* event)
{
    intptr_t bits = 0;
    if (event->modifiers() & Qt::ShiftModifier)
    {
        bits |= kKeyShift;
    }
    if (event->modifiers() & Qt::ControlModifier)
    {
        bits |= kKeyControl;
    }
    if (event->modifiers() & Qt::AltModifier)
    {
        bits |= kKeyAlt;
    }
    if (event->isAutoRepeat())
    {
        bits |= kKeyRepeat;
    }
    return bits;
}

std::vector<uint32_t> CharCodesOf(const QString& text)
{
    std::string cp932 = ToCp932(text);
    std::vector<uint32_t> codes;
    for (size_t pos = 0; pos < cp932.size();)
    {
        size_t length = Cp932CharLength(cp932, pos);
        uint32_t code = static_cast<unsigned char>(cp932[pos]);
        if (length == 2)
        {
            code = code << 8 | static_cast<unsigned char>(cp932[pos + 1]);
        }
        codes.push_back(code);
        pos += length;
    }
    return codes;
}

bool TypesText(const QKeyEvent* event)
{
    QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
    {
        return false;
    }
    char16_t first = text.at(0).unicode();
    return first >= 0x20 && first != 0x7F;
}

} // namespace platform
