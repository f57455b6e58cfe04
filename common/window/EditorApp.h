#pragma once

// The editor's application object: the lists of open modeless windows and of
// open property sheets. The editor framework fills and empties them.

#include <memory>
#include <vector>

class WindowBase;
// The property-sheet wrapper of the editor framework.
class PropSheet;
// An object that owns a modeless property sheet (the database); the editor
// framework defines it with a virtual destructor.
class PropSheetOwner;

struct SheetEntry
{
    PropSheet* m_pSheet = nullptr;
    // Where the sheet's creator holds the object that owns the sheet: the loop
    // deletes that object and empties the holder once the author closed the sheet.
    std::unique_ptr<PropSheetOwner>* m_pOwnerHolder = nullptr;
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
