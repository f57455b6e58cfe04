#include "editor/event/EventDialog.h"

#include "common/data/DataFilePaths.h"
#include "common/data/EventVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/sound/BgmManager.h"
#include "editor/event/ActionKindDialog.h"
#include "editor/event/ActionRowTexts.h"
#include "editor/event/VariableNames.h"
#include "editor/stage/StageEditState.h"
#include "platform/window/Beep.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/WindowSystem.h"

namespace
{

EventDialog* s_pLive = nullptr;
ActionKindRunner s_ActionKindRunner = RunActionKindDialog;
std::unique_ptr<EventDialog> s_pRunning;

// The ids of the page list's and the action list's commands (edit mode 1: insert and delete).
constexpr int kPageListAccelerators = 117;
constexpr int kPageListPopup = 116;
constexpr int kPageListCommandSet = 1;
constexpr int kActionListAccelerators = 130;
constexpr int kActionListPopup = 169;
constexpr int kActionListCommandSet = 2;
constexpr int kFreeListMode = 1;

// Limits of the page fields.
constexpr int kMaxTurn = 999;
constexpr int kMaxConditionValue = 999999;
constexpr int kEventNameLength = 40;
constexpr int kCommandNameLength = 4;

// Area conditions that call for a character and for a position group.
constexpr int kAreaNone = 0;
constexpr int kAreaGroup = 3;

} // namespace

ActionKindRunner SetActionKindRunner(ActionKindRunner runner)
{
    ActionKindRunner previous = s_ActionKindRunner;
    s_ActionKindRunner = runner;
    return previous;
}

bool RefuseSecondEventDialog()
{
    if (!s_pRunning && !s_pLive)
    {
        return false;
    }
    platform::MessageBeep(platform::kBeepDefault);
    return true;
}

int RunEventDialog(platform::WindowHandle parent, EditorApp* app, const EventEditRequest& request)
{
    // A second dialog would delete the running one under its own modal loop.
    if (RefuseSecondEventDialog())
    {
        return 0;
    }
    return RunOwnedModal(s_pRunning, kShowFlagDisableOthers, parent, app, request);
}

// ---- construction ----

EventDialog::EventDialog(platform::WindowHandle parent, EditorApp* app, const EventEditRequest& request)
    : m_Request(request), m_NumberEdits(3), m_TextEdits(2), m_CheckBoxes(3), m_ComboBoxes(9), m_Previews(1)
{
    UseClassProcedure(this);
    Init(kIdEventDialog, parent, 0, kWindowDialog, app);
    s_pLive = this;
    if (m_Request.m_pEvent)
    {
        m_Event = *m_Request.m_pEvent;
    }
    // An event without a page (a start event never edited) is given its one
    // page: the trailing row is never the page the controls edit.
    if (m_Event.m_Page.empty())
    {
        m_Event.m_Page.push_back(NewListElement<EventPage>());
    }
    BuildNameLists();
    BindControls();
}

EventDialog::~EventDialog()
{
    if (s_pLive == this)
    {
        s_pLive = nullptr;
    }
}

EventDialog* EventDialog::Running()
{
    return s_pLive;
}

void EventDialog::BindControls()
{
    m_PageList.Binding().Set(kIdPageList, &m_Event.m_Page, &m_Pages, &m_CurrentPage, 1, 1, kMaxEventPages, 0, 1, 0,
                             PageRowText);
    m_ActionList.Binding().Set(kIdActionList, nullptr, &m_CurrentPage.m_Action, nullptr, 0, 0, kMaxPageActions, 0, 1,
                               0, ActionRowText);

    EventPage& page = m_CurrentPage;
    m_NumberEdits.At(0).Binding().Set(kIdPageTurn, &page.m_nTurn, 0, kMaxTurn, 0, kIdPageTurnSpin, 1);
    m_NumberEdits.At(1).Binding().Set(kIdPageEventVarValue, &page.m_nEventVarValue, -kMaxConditionValue,
                                      kMaxConditionValue, 0, kIdPageEventVarValueSpin, 1);
    m_NumberEdits.At(2).Binding().Set(kIdPageVariableValue, &page.m_nVariableValue, -kMaxConditionValue,
                                      kMaxConditionValue, 0, kIdPageVariableValueSpin, 1);

    m_TextEdits.At(0).Binding().Set(kIdEventName, &m_Event.m_strName, kEventNameLength, 1);
    m_TextEdits.At(1).Binding().Set(kIdPageCommandName, &page.m_strCommandName, kCommandNameLength, 1);

    m_CheckBoxes.At(0).Binding().Set(kIdEventHeld, &m_Event.m_bHeld);
    m_CheckBoxes.At(1).Binding().Set(kIdPageUseEventVar, &page.m_bUseEventVar);
    m_CheckBoxes.At(2).Binding().Set(kIdPageFirstTryOnly, &page.m_bFirstTryOnly);

    m_ComboBoxes.At(0).Binding().Set(kIdPageGraphic, &page.m_nGraphic, &m_GraphicNames, 0, nullptr);
    m_ComboBoxes.At(1).Binding().SetItemTable(kIdPageEventVarCompare, &page.m_nEventVarCompare, ComparisonNames, 0);
    m_ComboBoxes.At(2).Binding().Set(kIdPageVariable, &page.m_nVariable, &m_VariableNames, 0, nullptr);
    m_ComboBoxes.At(3).Binding().SetItemTable(kIdPageVariableCompare, &page.m_nVariableCompare, ComparisonNames, 0);
    m_ComboBoxes.At(4).Binding().SetItemTable(kIdPageTiming, &page.m_nTiming, TriggerTimingNames, 0);
    m_ComboBoxes.At(5).Binding().SetItemTable(kIdPageArea, &page.m_nArea, AreaConditionNames, 0);
    m_ComboBoxes.At(6).Binding().SetItemTable(kIdPageTarget, &page.m_nTarget, CharacterSelectorNames, 0);
    m_ComboBoxes.At(7).Binding().SetItemTable(kIdPageExists, &page.m_nExists, PresenceNames, 0);
    m_ComboBoxes.At(8).Binding().Set(kIdPageGroup, &page.m_nGroup, &m_GroupNames, 1, nullptr);

    m_Previews.At(0).Binding().Set(kIdPageGraphicPreview, kEventGraphicSide, kEventGraphicSide);

    for (int id : {kIdPageRenameVariable, kIdPageInsert, kIdPageDelete})
    {
        m_PlainControls.push_back(PlainControl(id));
    }
}

void EventDialog::BuildNameLists()
{
    m_GraphicNames = EventGraphicNames(m_Request.m_pEventBitmap);

    BuildVariableNames();

    m_GroupNames.clear();
    if (const StageRecord* stage = m_Request.m_pStage)
    {
        for (int k = 1; k < stage->m_GroupPos.Count(); ++k)
        {
            m_GroupNames.push_back(stage->m_GroupPos.At(k).m_strName);
        }
    }
}

void EventDialog::BuildVariableNames()
{
    BuildVariableNameRows(m_VariableNames);
}

void EventDialog::ShowVariableNames()
{
    BuildVariableNames();
    if (IsInitialised())
    {
        ControlById(m_ComboBoxes, kIdPageVariable).SetItemVector(&m_VariableNames);
    }
}

// ---- the window ----

int EventDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    m_PageList.Attach(this, m_PageList.Binding());
    BindControl(&m_PageList);
    m_ActionList.Attach(this, m_ActionList.Binding());
    BindControl(&m_ActionList);
    AttachControls(m_NumberEdits);
    AttachControls(m_TextEdits);
    AttachControls(m_CheckBoxes);
    AttachControls(m_ComboBoxes);
    AttachControls(m_Previews);
    AttachPlainControls(m_PlainControls);

    if (IsStartEventMode())
    {
        // Only the actions of the start event are the author's to edit.
        for (Control* control : m_Controls)
        {
            if (control != &m_ActionList)
            {
                control->Enable(0);
            }
        }
    }

    m_PageList.SetAcceleratorsAndMenu(kPageListAccelerators, kPageListPopup, kFreeListMode, kPageListCommandSet);
    m_ActionList.SetAcceleratorsAndMenu(kActionListAccelerators, kActionListPopup, kFreeListMode,
                                        kActionListCommandSet);
    m_PageList.SetCurSel(0, 1);
    m_ActionList.SetCurSel(0, 0);
    DataToControls();
    if (!IsStartEventMode())
    {
        UpdateEnabling();
    }
    SetInitialised(1);
    return 0;
}

intptr_t EventDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == platform::kWmRButtonUp)
    {
        OnMessage(window, message, wParam, lParam);
        if (IsInitialised())
        {
            OnRightClick();
        }
        OnPaint();
        return 1;
    }
    return CloseAndRedraw(window, message, wParam, lParam);
}

void EventDialog::OnPaint()
{
    if (IsInitialised())
    {
        DrawGraphicPreview();
    }
}

void EventDialog::DrawGraphicPreview()
{
    ShowEventGraphic(m_Previews.At(0), m_Request.m_pEventBitmap,
                     ControlById(m_ComboBoxes, kIdPageGraphic).GetSelectedData());
}

// ---- commands ----

void EventDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    const int id = platform::LowWord(wParam);
    const int code = platform::HighWord(wParam);
    bool actionInsert = false;
    switch (id)
    {
    case kIdDialogOk:
        Confirm();
        return;
    case kIdDialogCancel:
        Close(0);
        return;
    case kIdPageGraphic:
        DrawGraphicPreview();
        break;
    case kIdPageInsert:
        InsertPage();
        break;
    case kIdPageDelete:
        DeletePage();
        break;
    case kIdPageList:
        if (code == platform::kLbnSelChange)
        {
            PageChosen();
        }
        break;
    case kIdActionInsert:
    case kIdActionInsertKey:
    case kIdActionInsertMenu:
        actionInsert = true;
        InsertAction();
        break;
    case kIdActionEdit:
        EditAction();
        break;
    case kIdActionList:
        if (code == platform::kLbnDblClk)
        {
            EditAction();
        }
        else if (code == platform::kLbnSelChange)
        {
            m_ActionList.Refill();
        }
        break;
    case kIdActionDelete:
        DeleteAction();
        break;
    case kIdPageRenameVariable:
        RenameVariable();
        break;
    default:
        break;
    }

    // The lists' own shortcut and pop-up commands; the action list's insert ids are the dialog's.
    if (!actionInsert)
    {
        if (m_PageList.OnAccelCommand(id) || m_PageList.OnMenuCommand(id))
        {
            ShowCurrentPage();
        }
        else if (m_ActionList.OnAccelCommand(id) || m_ActionList.OnMenuCommand(id))
        {
            m_ActionList.Refill();
            CommitCurrentPage();
        }
    }

    // An edit of a field reaches the working page list at once.
    if (IsInitialised() && FindCommandControl(wParam) != 0)
    {
        StoreFields();
        CommitCurrentPage();
    }
    if (IsInitialised() && !IsStartEventMode())
    {
        UpdateEnabling();
    }
    EndListUpdates();
}

void EventDialog::Confirm()
{
    m_PageList.ControlToData();
    if (Event* edited = m_Request.m_pEvent)
    {
        if (m_Request.m_nMode == kEventEditStage && m_Request.m_pHistory && m_Request.m_pStage)
        {
            // The undo point holds the stage as it was before the event is written back.
            m_Request.m_pHistory->RecordUndo(*m_Request.m_pStage);
        }
        *edited = m_Event;
        if (IsStartEventMode())
        {
            const char* path = DataFilePaths[kPathStartEvent];
            std::string error;
            if (!SaveRecordFile(*edited, path, &error))
            {
                ShowErrorF(error.empty() ? "%s が書き込めません！%s" : "%s が書き込めません！\n%s", path, error.c_str());
            }
        }
    }
    Close(1);
}

void EventDialog::StoreFields()
{
    for (Control* control : m_Controls)
    {
        if (control->Kind() == kControlListBox)
        {
            continue;
        }
        if (control->Kind() == kControlComboBox && static_cast<ComboBox*>(control)->CurSel() == -1)
        {
            continue;
        }
        control->ControlToData();
    }
}

void EventDialog::ShowCurrentPage()
{
    // A page shows its actions from the first row.
    m_ActionList.SetCurSel(0, 0);
    DataToOtherControls(kIdPageList, &m_PageList);
    DrawGraphicPreview();
}

void EventDialog::CommitCurrentPage()
{
    int row = m_PageList.GetCurSel();
    if (IsTableIndex(row, m_Pages.Count()))
    {
        m_Pages.At(row) = m_CurrentPage;
    }
    m_PageList.Refill();
    m_PageList.EndUpdate();
}

bool EventDialog::IsPageChosen() const
{
    return m_PageList.GetDataPos() != -1;
}

void EventDialog::EnablePageControls(int on)
{
    for (Control* control : m_Controls)
    {
        const int id = control->Id();
        if (control == &m_PageList || id == kIdEventName || id == kIdEventHeld || id == kIdPageInsert ||
            id == kIdPageDelete)
        {
            continue;
        }
        control->Enable(on);
    }
    platform::WindowSystem* system = System();
    for (int id : {kIdActionInsert, kIdActionEdit, kIdActionDelete})
    {
        if (platform::NativeWindow* button = system ? system->Resolve(system->GetDlgItem(Handle(), id)) : nullptr)
        {
            button->Enable(on != 0);
        }
    }
}

void EventDialog::UpdateEnabling()
{
    // The trailing row is no page: while it is selected, nothing of a page takes input.
    const int onPage = IsPageChosen() ? 1 : 0;
    EnablePageControls(onPage);
    if (!onPage)
    {
        return;
    }

    const int useEventVar = ControlById(m_CheckBoxes, kIdPageUseEventVar).GetCheck() != 0;
    EnableControlById(m_NumberEdits, kIdPageEventVarValue, useEventVar);
    EnableComboBoxById(m_ComboBoxes, kIdPageEventVarCompare, useEventVar);

    const int useVariable = ControlById(m_ComboBoxes, kIdPageVariable).CurSel() != 0;
    EnableControlById(m_NumberEdits, kIdPageVariableValue, useVariable);
    EnableComboBoxById(m_ComboBoxes, kIdPageVariableCompare, useVariable);

    EnableControlById(m_TextEdits, kIdPageCommandName,
                      ControlById(m_ComboBoxes, kIdPageTiming).CurSel() == kTimingSpecialCommand);

    const int area = ControlById(m_ComboBoxes, kIdPageArea).CurSel();
    EnableComboBoxById(m_ComboBoxes, kIdPageTarget, area != kAreaNone);
    EnableComboBoxById(m_ComboBoxes, kIdPageExists, area != kAreaNone);
    EnableComboBoxById(m_ComboBoxes, kIdPageGroup, area == kAreaGroup);
}

// ---- pages ----

void EventDialog::InsertPage()
{
    if (m_PageList.InsertNew())
    {
        ShowCurrentPage();
    }
}

void EventDialog::DeletePage()
{
    m_PageList.Delete(-1);
    ShowCurrentPage();
}

void EventDialog::PageChosen()
{
    m_PageList.StoreSelected();
    m_PageList.Refill();
    ShowCurrentPage();
}

// ---- actions ----

int EventDialog::RunActionKind()
{
    if (m_ActionList.GetDataPos() == -1 || !s_ActionKindRunner)
    {
        return 0;
    }
    int result = s_ActionKindRunner(*this);
    if (result)
    {
        m_ActionList.Refill();
        m_ActionList.EndUpdate();
    }
    return result;
}

void EventDialog::InsertAction()
{
    if (!IsPageChosen())
    {
        return;
    }
    m_bInsertingAction = 1;
    if (m_ActionList.InsertNew() && !RunActionKind())
    {
        m_ActionList.Delete(-1);
        Bgm.Stop();
        return;
    }
    CommitCurrentPage();
    Bgm.Stop();
}

void EventDialog::EditAction()
{
    if (!IsPageChosen())
    {
        return;
    }
    m_bInsertingAction = 0;
    if (RunActionKind())
    {
        CommitCurrentPage();
    }
    Bgm.Stop();
}

void EventDialog::DeleteAction()
{
    if (!IsPageChosen())
    {
        return;
    }
    m_ActionList.Delete(-1);
    CommitCurrentPage();
}

// ---- variables ----

void EventDialog::RenameVariable()
{
    RenameChosenVariable(*this, ControlById(m_ComboBoxes, kIdPageVariable), ControlById(m_PlainControls, kIdPageRenameVariable),
                         m_VariableNames);
}

// ---- the right click ----

void EventDialog::OnRightClick()
{
    platform::WindowSystem* system = System();
    platform::Point cursor;
    if (!system || !system->GetCursorPos(cursor))
    {
        return;
    }
    for (ListBoxBase* list : {static_cast<ListBoxBase*>(&m_PageList), static_cast<ListBoxBase*>(&m_ActionList)})
    {
        platform::NativeWindow* native = list->Native();
        if (!native || !native->IsEnabled() || !list->ContainsPoint(&cursor))
        {
            continue;
        }
        if (list->SelectAtPoint(cursor) && list == &m_PageList)
        {
            m_PageList.Refill();
            ShowCurrentPage();
            if (!IsStartEventMode())
            {
                UpdateEnabling();
            }
        }
        if (const platform::Menu* menu = list->PopupMenu())
        {
            TrackPopup(*menu);
        }
        return;
    }
}
