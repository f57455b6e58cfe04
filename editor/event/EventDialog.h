#pragma once

// The event dialog (167): the modal editor of one event, its name, its holder
// flag and its pages; for the page chosen in the page list its appearance
// conditions (turn, event variable, global variable, first try), its
// occurrence condition (timing, special command name, area, who, position
// group), its graphic and its list of actions.
//
// The dialog works on a copy of the event and writes the copy back only on
// OK. Every edit of a control reaches the copy's page at once, so switching
// pages loses nothing. The copy always has a page (an event without one is
// given one); while the page list's trailing row is selected, the page's
// controls, its action list and the action buttons take no input. Its opener names what it edits (EventEditRequest):
// - a stage event, the stage editor's buffer for a new event (both with the
//   stage's history: OK records the undo point before it writes the event
//   back) or a palette template (no history, no undo point);
// - the start event (kEventEditStart): only the action list, its buttons, OK
//   and Cancel take input, and OK also writes data\database\StartEvent.dat.
//
// Adding or editing an action opens the action-kind dialog through the
// runner SetActionKindRunner installs, RunActionKindDialog unless another is
// installed; without one, editing an action does nothing and an inserted
// action is taken out again.

#include "common/data/ProjectData.h"
#include "common/graphics/DibBitmap.h"
#include "editor/event/EventGraphics.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <memory>
#include <string>
#include <vector>

class StageEditState;

enum : int
{
    kIdEventDialog = 167,
    // The event.
    kIdEventName = 1044,
    kIdEventHeld = 1037,
    // The page list and its buttons.
    kIdPageList = 1254,
    kIdPageInsert = 1066,
    kIdPageDelete = 1067,
    // The current page.
    kIdPageGraphic = 1032,
    kIdPageGraphicPreview = 1070,
    kIdPageTurn = 1260,
    kIdPageTurnSpin = 1261,
    kIdPageUseEventVar = 1036,
    kIdPageEventVarValue = 1255,
    kIdPageEventVarValueSpin = 1256,
    kIdPageEventVarCompare = 1257,
    kIdPageVariable = 1249,
    kIdPageRenameVariable = 1250,
    kIdPageVariableValue = 1251,
    kIdPageVariableValueSpin = 1252,
    kIdPageVariableCompare = 1253,
    kIdPageFirstTryOnly = 1035,
    kIdPageTiming = 1262,
    kIdPageCommandName = 1045,
    kIdPageArea = 1263,
    kIdPageTarget = 1264,
    kIdPageExists = 1268,
    kIdPageGroup = 1267,
    // The action list and its buttons.
    kIdActionList = 1266,
    kIdActionInsert = 1068,
    kIdActionEdit = 1265,
    kIdActionDelete = 1069,
    // Ctrl+I in the action list and its pop-up's "新規作成": the dialog inserts and edits.
    kIdActionInsertKey = 40071,
    kIdActionInsertMenu = 40078,
};

// What the dialog edits.
enum EventEditMode : int32_t
{
    kEventEditStage = 0, // a stage event, the stage editor's new event or a palette template
    kEventEditStart = 1, // the start event of the game
};

// The limits of the two lists.
constexpr int kMaxEventPages = 99;
constexpr int kMaxPageActions = 999;

// The timing whose special command name the author types.
constexpr int32_t kTimingSpecialCommand = 3;

struct EventEditRequest
{
    Event* m_pEvent = nullptr; // the event written back on OK
    int32_t m_nMode = kEventEditStage;
    // Where OK records the undo point of the stage before the event is
    // written back (mode kEventEditStage); null for a palette template.
    StageEditState* m_pHistory = nullptr;
    // The stage whose position groups the page offers and whose history is recorded.
    StageRecord* m_pStage = &Stage;
    // "bmp\Event.bmp", the editor's shared bitmap: the graphic list and the preview. Null: no graphics.
    const DibBitmap* m_pEventBitmap = nullptr;
};

class EventDialog;

// Opens the action-kind dialog on the selected action of the dialog's action
// list and returns its result (1 OK: the action was edited in place).
using ActionKindRunner = int (*)(EventDialog& dialog);
// Installs the runner; returns the one installed before. Null: none.
ActionKindRunner SetActionKindRunner(ActionKindRunner runner);

// The opening protocol: makes the event dialog over the parent window, runs
// it modal with every other window of the application disabled and deletes
// it. 1 after OK (the event has been written back), 0 after Cancel or closing
// the window; a caller that edits a new event places it only on 1. One event
// dialog runs at a time: while one runs, another is refused with a beep (0).
int RunEventDialog(platform::WindowHandle parent, EditorApp* app, const EventEditRequest& request);
// True, with the beep, while an event dialog runs: an opener asks before it
// changes anything for a dialog of its own.
bool RefuseSecondEventDialog();

class EventDialog : public DialogBase
{
public:
    EventDialog(platform::WindowHandle parent, EditorApp* app, const EventEditRequest& request);
    ~EventDialog() override;

    // The event dialog that exists now (one at a time), null when none.
    static EventDialog* Running();

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    // Draws the graphic preview.
    void OnPaint() override;

    // ---- what the action-kind dialog works with ----
    // The actions of the current page; the selected row is the action to edit, in place.
    ListBox<EventCommand>& ActionList() { return m_ActionList; }
    ListBox<EventPage>& PageList() { return m_PageList; }
    // 1 while the action-kind dialog runs for an action just inserted, 0 for an existing one.
    int IsInsertingAction() const { return m_bInsertingAction; }
    // The current page into the working page list at the selected row, and the page rows again.
    void CommitCurrentPage();
    // The variable list again from the project's names (after a rename in an action's dialog).
    void ShowVariableNames();

    // ---- state ----
    const Event& WorkingEvent() const { return m_Event; }
    const CheckedVector<EventPage>& WorkingPages() const { return m_Pages; }
    const EventPage& CurrentPage() const { return m_CurrentPage; }
    const EventEditRequest& Request() const { return m_Request; }
    bool IsStartEventMode() const { return m_Request.m_nMode == kEventEditStart; }
    const std::vector<std::string>& GraphicNames() const { return m_GraphicNames; }
    const std::vector<std::string>& VariableNames() const { return m_VariableNames; }
    const std::vector<std::string>& GroupNames() const { return m_GroupNames; }
    BitmapControl& Preview() { return m_Previews.At(0); }

private:
    void BindControls();
    // The texts of the graphic, variable and position-group combo boxes.
    void BuildNameLists();
    void BuildVariableNames();
    // Whether a page's row (not the trailing row) is selected in the page list.
    bool IsPageChosen() const;
    // Every control of the current page, its actions and their buttons.
    void EnablePageControls(int on);
    // With a page chosen, enables the controls that the shown check box and
    // combo choices call for; with the trailing row, disables the page's.
    void UpdateEnabling();
    // Every bound control but the lists stores its value; a combo box without
    // a chosen row keeps the value it was given.
    void StoreFields();
    // Every control but the page list shows the current page.
    void ShowCurrentPage();

    void Confirm();
    void InsertPage();
    void DeletePage();
    void PageChosen();
    void InsertAction();
    void EditAction();
    void DeleteAction();
    // Runs the action-kind dialog on the selected action; its result.
    int RunActionKind();
    void RenameVariable();
    void OnRightClick();
    void DrawGraphicPreview();

    EventEditRequest m_Request;
    Event m_Event;
    CheckedVector<EventPage> m_Pages;
    EventPage m_CurrentPage;
    ListBox<EventPage> m_PageList;
    ListBox<EventCommand> m_ActionList;

    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<TextEdit> m_TextEdits;
    CheckedVector<CheckBox> m_CheckBoxes;
    CheckedVector<ComboBox> m_ComboBoxes;
    CheckedVector<BitmapControl> m_Previews;
    CheckedVector<PlainControl> m_PlainControls;

    std::vector<std::string> m_GraphicNames;
    std::vector<std::string> m_VariableNames;
    std::vector<std::string> m_GroupNames;

    int m_bInsertingAction = 0;
};
