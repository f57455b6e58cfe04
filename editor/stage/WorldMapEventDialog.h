#pragma once

// The world-map event dialog (161, "イベント"): the name of one world-map
// event and its pages (a stage, a road or a wall each, with its graphic, stage
// number and file, and the conditions under which it shows). The dialog edits
// a copy of WorldMapEdit's current event; OK records the world map's undo
// point and writes the copy back, Cancel leaves the event as it was. A global
// variable renamed with "_" keeps its new name either way.

#include "common/data/WorldMapRecord.h"
#include "editor/framework/BitmapControl.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/PlainControl.h"
#include "editor/framework/TextEdit.h"

#include <string>
#include <vector>

class WorldMapEditorWindow;

// The page list's row text: "ステージ番号 %d" with the page's stage number.
void FormatWorldMapEventPageRow(std::string& text, int index, const WorldMapEventPage& page);

class WorldMapEventDialog : public DialogBase
{
public:
    WorldMapEventDialog(WorldMapEditorWindow& window, int showFlags, EditorApp* app);
    ~WorldMapEventDialog() override;

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnPaint() override;

    ListBox<WorldMapEventPage>& PageList() { return m_PageList; }
    const WorldMapEvent& WorkingEvent() const { return m_Event; }
    BitmapControl& Preview() { return m_Preview; }

private:
    void BindControls();
    void UpdateEnabling();
    void DrawPreview();
    void ShowCurrentPage();
    void StoreFields();
    void CommitCurrentPage();
    void BrowseStageFile();
    void OnRightClick();
    void Confirm();

    WorldMapEditorWindow& m_Window;
    WorldMapEvent m_Event;
    CheckedVector<WorldMapEventPage> m_Pages;
    WorldMapEventPage m_CurrentPage;
    ListBox<WorldMapEventPage> m_PageList;
    std::vector<std::string> m_GraphicNames;
    std::vector<std::string> m_VariableNames;
    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<TextEdit> m_TextEdits;
    CheckedVector<CheckBox> m_CheckBoxes;
    CheckedVector<ComboBox> m_ComboBoxes;
    BitmapControl m_Preview;
    CheckedVector<PlainControl> m_PlainControls;
};

// Runs the dialog modal on WorldMapEdit's current event; 1 after OK.
int RunWorldMapEventDialogModal(WorldMapEditorWindow& window, int showFlags, EditorApp* app);
