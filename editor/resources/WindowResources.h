#pragma once

// Menus, tool bars and accelerator tables of the editor's windows, as data,
// found by their resource ids. Each group of them is a file of its own;
// WindowResources.cpp lists the groups.

#include "common/window/Accelerators.h"
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

struct AcceleratorResource
{
    int m_nId = 0;
    AcceleratorTable m_Table;
};

struct WindowResourceGroup
{
    std::vector<MenuResource> m_Menus;
    std::vector<ToolBarResource> m_ToolBars;
    std::vector<AcceleratorResource> m_Accelerators;
};

// The menu, the tool bar of that id; null when there is none.
const platform::Menu* FindMenuResource(int id);
const ToolBarResource* FindToolBarResource(int id);
// Registers every accelerator table of the editor under its id (RegisterAcceleratorTable).
void RegisterEditorAccelerators();

// The groups, one file each.
// The stage editor window and its map chip palette.
const WindowResourceGroup& StageEditorWindowResources();
