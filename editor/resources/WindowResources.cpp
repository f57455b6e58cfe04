#include "editor/resources/WindowResources.h"

namespace
{

const WindowResourceGroup* const* Groups()
{
    static const WindowResourceGroup* const groups[] = {&StageEditorWindowResources(), &WorldMapEditorWindowResources(),
                                                        nullptr};
    return groups;
}

} // namespace

const platform::Menu* FindMenuResource(int id)
{
    for (const WindowResourceGroup* const* group = Groups(); *group; ++group)
    {
        for (const MenuResource& menu : (*group)->m_Menus)
        {
            if (menu.m_nId == id)
            {
                return &menu.m_Menu;
            }
        }
    }
    return nullptr;
}

const ToolBarResource* FindToolBarResource(int id)
{
    for (const WindowResourceGroup* const* group = Groups(); *group; ++group)
    {
        for (const ToolBarResource& bar : (*group)->m_ToolBars)
        {
            if (bar.m_nId == id)
            {
                return &bar;
            }
        }
    }
    return nullptr;
}
