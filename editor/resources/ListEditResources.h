#pragma once

// What the list boxes of the editor's dialogs are given to edit their rows
// with: the command ids of the seven editing commands by edit mode and command
// set, the accelerator tables that send them (Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+I
// and Delete) and the pop-up menus a right click on a list opens.
//
// Edit mode 0 (tables: append and clear) fills the add and the clear slot,
// edit mode 1 (free lists: insert and delete) the insert and the delete slot.
// Command sets 1, 2 and 3 are disjoint id ranges, so that up to three lists
// live in one dialog. Pop-up menus never offer add; set 3 of mode 0 has no
// pop-up menu at all.

#include "platform/window/NativeWindow.h"

#include <array>
#include <cstdint>

// The slots of the seven editing commands, in the order of every id table.
enum ListCommandSlot : int
{
    kListCut,
    kListCopy,
    kListPaste,
    kListAdd,
    kListInsert,
    kListClear,
    kListDelete,
    kListCommandCount
};

using ListCommandIds = std::array<uint16_t, kListCommandCount>;

// The ids of one (edit mode, command set) pair.
struct ListCommandSet
{
    int m_nMode = 0;
    int m_nSet = 0;
    int m_nAcceleratorTable = 0;
    ListCommandIds m_Shortcut{}; // what the accelerator table and the keys send
    int m_nPopupMenu = 0;        // 0: the pair has no pop-up menu
    ListCommandIds m_Popup{};    // what the pop-up menu's items send
};

// The pair's ids; null for a pair there are none of.
const ListCommandSet* FindListCommandSet(int mode, int set);

// The ids a list sends when nobody configured its commands: every slot filled.
inline constexpr ListCommandIds kDefaultListShortcutIds = {40030, 40031, 40032, 40082, 40069, 40083, 40034};
inline constexpr ListCommandIds kDefaultListPopupIds = {40027, 40024, 40025, 0, 40070, 40081, 40029};

// Registers the accelerator tables of the lists (117, 130 to 134) under their
// ids; later calls change nothing.
void RegisterListAcceleratorTables();

// The pop-up menu of a menu resource (the lists' 116, 169, 170, 171, 174 and
// the maps' 165 and 163): the items of its first submenu. Null for an id without one.
const platform::Menu* FindPopupMenu(int id);
