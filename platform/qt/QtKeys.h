#pragma once

// Qt's keys as our virtual keys, their modifier flags, and typed characters as
// the codes of kWmChar.

#include <QString>
#include <cstdint>
#include <vector>

class QKeyEvent;

namespace platform
{

// 0 for a key we have no code for.
uint32_t VirtualKeyOf(const QKeyEvent* event);
// kKeyShift, kKeyControl, kKeyAlt and kKeyRepeat as the event has them.
intptr_t KeyFlagsOf(const QKeyEvent* event);
// The kWmChar codes of typed text (CP932; a double-byte character as lead * 256 + trail).
std::vector<uint32_t> CharCodesOf(const QString& text);
// Whether the key event types text (not a control key, no Ctrl or Alt held).
bool TypesText(const QKeyEvent* event);

} // namespace platform
