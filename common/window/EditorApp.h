#pragma once

// The editor's application object: the lists of open modeless windows and of
// open property sheets. The editor framework fills and empties them.

#include <vector>

class WindowBase;

struct SheetEntry
{
    void* m_pSheet = nullptr;
    void** m_ppOwner = nullptr; // where the sheet's creator holds the object that owns it
};

class EditorApp
{
public:
    EditorApp() = default;

    void AddWindow(WindowBase* window) { m_Windows.push_back(window); }
    // Removes the first entry equal to the window; 1 when there was one.
    int RemoveWindow(WindowBase* window);
    void ShowAllWindows(int show);
    void EnableAllWindows(int enable);

    std::vector<WindowBase*> m_Windows;
    std::vector<SheetEntry> m_Sheets;
};

extern EditorApp App;
