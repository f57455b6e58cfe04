#pragma once

// The edit options (193): whether opening a stage keeps the event palette,
// and the game program the test play starts (found by itself, or the path
// the author gives). The controls work on EditConfig itself; OK stores them,
// Cancel drops what they show.

#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/TextEdit.h"

#include <memory>

enum : int
{
    kIdEditOptionsDialog = 193,
    kIdOptionKeepEventPalette = 1370,
    kIdOptionAutoFindGame = 1373,
    kIdOptionGamePath = 1372,
    kIdOptionBrowseGame = 1371,
};

// Made, run modal with every other editor window disabled, deleted. 1 after OK.
int RunEditOptionsDialog(platform::WindowHandle parent, EditorApp* app);

class EditOptionsDialog : public DialogBase
{
public:
    EditOptionsDialog(platform::WindowHandle parent, EditorApp* app);

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

private:
    // The path is the author's to type only while the program is not found by itself.
    void UpdatePathEnabled();
    void BrowseGame();

    TextEdit m_GamePath;
    CheckedVector<CheckBox> m_CheckBoxes;
};
