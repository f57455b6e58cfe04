#pragma once

// Our menus on Qt: a menu bar across the top of a window and pop-up menus.
// A chosen item reports its command through the callback.

#include "platform/window/NativeWindow.h"

#include <functional>

class QMenu;
class QMenuBar;
class QWidget;

namespace platform
{

using MenuCommand = std::function<void(int command)>;

void FillMenu(QMenu* target, const std::vector<MenuItem>& items, const MenuCommand& chosen);
// A menu bar in the window widget with one drop-down menu per top item.
QMenuBar* MakeMenuBar(QWidget* window, const Menu& menu, const MenuCommand& chosen);
// Shows the menu at the screen position until the author chooses or dismisses it; the command, or 0.
int RunPopupMenu(QWidget* owner, const Menu& menu, Point screen);

} // namespace platform
