#include "common/window/EditorApp.h"

#include "common/window/WindowBase.h"

#include <algorithm>

EditorApp App;

int EditorApp::RemoveWindow(WindowBase* window)
{
    auto it = std::find(m_Windows.begin(), m_Windows.end(), window);
    if (it == m_Windows.end())
    {
        return 0;
    }
    m_Windows.erase(it);
    return 1;
}

void EditorApp::ShowAllWindows(int show)
{
    for (WindowBase* window : m_Windows)
    {
        window->Show(show);
    }
}

void EditorApp::EnableAllWindows(int enable)
{
    for (WindowBase* window : m_Windows)
    {
        window->Enable(enable);
    }
}
