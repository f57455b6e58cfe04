#pragma once

// The menu bars and tool bars of the editor's windows, as data, found by
// their resource ids. Each group of them is a file of its own;
// WindowResources.cpp lists the groups. (The accelerator tables and the pop-up
// menus are with the lists' in ListEditResources.h.)

#include "common/window/WindowBase.h"
#include "platform/window/NativeWindow.h"

#include <vector>

struct MenuResource
{
    int m_nId = 0;
    platform::Menu m_Menu;
};

// A tool bar: the buttons with the common images, then those whose images are
// cut from a strip file (16 x 15 pixels each, in order).
struct ToolBarResource
{
    int m_nId = 0;
    std::vector<ToolbarButtonEntry> m_StandardButtons;
    std::vector<ToolbarButtonEntry> m_StripButtons;
    const char* m_pszStrip = nullptr;
};

struct WindowResourceGroup
{
    std::vector<MenuResource> m_Menus;
    std::vector<ToolBarResource> m_ToolBars;
};

// The menu bar, the tool bar of that id; null when there is none.
const platform::Menu* FindMenuResource(int id);
const ToolBarResource* FindToolBarResource(int id);

// The groups, one file each.
// The stage editor window and its map chip palette.
const WindowResourceGroup& StageEditorWindowResources();
// The world-map editor window and its event palette.
const WindowResourceGroup& WorldMapEditorWindowResources();
