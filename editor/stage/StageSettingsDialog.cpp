#include "editor/stage/StageSettingsDialog.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/services/DialogItems.h"
#include "common/services/MessageBoxes.h"
#include "common/services/Paths.h"
#include "common/sound/BgmManager.h"
#include "editor/framework/MusicFileField.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>

namespace
{

StageSettingsDialog* s_pSettingsLive = nullptr;
ExplanationDialog* s_pExplanationLive = nullptr;
std::unique_ptr<StageSettingsDialog> s_pSettingsRunning;

// The limits of the dialog's client area.
constexpr int kMinClientSide = 100;
constexpr int kMaxClientWidth = 640;
constexpr int kMaxClientHeight = 480;

// Limits of the fields.
constexpr int kMaxMapSide = 64;
constexpr int kMaxReward = 999999;
constexpr int kMaxRate = 999;
constexpr int kStageNameLength = 30;
constexpr int kBgmPathLength = 260;
constexpr int kPageTextLength = 30;
constexpr int kMaxPageCoordinate = 64;

// The explanation lists: free lists (insert and delete) with their own ids each.
constexpr int kFreeListMode = 1;
struct ExplanationListIds
{
    int m_nList;
    int m_nInsert;
    int m_nEdit;
    int m_nDelete;
    int m_nAccelerators;
    int m_nPopup;
    int m_nCommandSet;
};
constexpr ExplanationListIds kListIds[kExplanationListCount] = {
    {kIdVictoryList, kIdVictoryInsert, kIdVictoryEdit, kIdVictoryDelete, 117, 116, 1},
    {kIdDefeatList, kIdDefeatInsert, kIdDefeatEdit, kIdDefeatDelete, 130, 169, 2},
    {kIdOtherList, kIdOtherInsert, kIdOtherEdit, kIdOtherDelete, 131, 174, 3},
};

// The picture every dialog may draw into; hidden here.
constexpr int kIdPicture = 1075;
// The controls the template carries that the dialog does not use.
constexpr int kUnusedControls[] = {1011, 1026};

// The cursor targets of an explanation page.
enum : int32_t
{
    kTargetNone = 0,
    kTargetLeader = 1,
    kTargetEnemy = 2,
    kTargetGroup = 3,
    kTargetCoordinates = 4,
};

template <class Wrapper>
Wrapper* FindById(CheckedVector<Wrapper>& wrappers, int id)
{
    for (Wrapper& wrapper : wrappers)
    {
        if (wrapper.Id() == id)
        {
            return &wrapper;
        }
    }
    return nullptr;
}

} // namespace

int RunStageSettingsDialog(platform::WindowHandle parent, EditorApp* app, StageRecord& stage)
{
    return RunOwnedModal(s_pSettingsRunning, kShowFlagDisableOthers, parent, app, stage);
}

// ---- the settings ----

StageSettingsDialog::StageSettingsDialog(platform::WindowHandle parent, EditorApp* app, StageRecord& stage)
    : m_Stage(stage), m_NumberEdits(6), m_TextEdits(2), m_ComboBoxes(1)
{
    UseClassProcedure(this);
    Init(kIdStageSettingsDialog, parent, 0, kWindowDialog, app);
    s_pSettingsLive = this;
    // The template's size, kept between 100 x 100 and 640 x 480.
    const DialogTemplate* dialog = Template();
    SetLayout(0, 0, kMinClientSide, kMinClientSide, kMaxClientWidth, kMaxClientHeight,
              dialog ? dialog->m_nStyle : kModalDialog, 0, 0, 0, 0, 0);

    CheckedVector<ExplanationPage>* bound[kExplanationListCount] = {&m_Stage.m_WinPage, &m_Stage.m_LosePage,
                                                                    &m_Stage.m_OtherPage};
    for (int i = 0; i < kExplanationListCount; ++i)
    {
        m_Lists[i].Binding().Set(kListIds[i].m_nList, bound[i], &m_Pages[i], nullptr, 1, 0, kMaxExplanationPages, 0,
                                 1, 0, ExplanationRowText);
    }

    m_nWidth = m_Stage.m_nWidth;
    m_nHeight = m_Stage.m_nHeight;
    // A map loaded larger than the sides offered here keeps its size unless
    // the author types a smaller one.
    m_NumberEdits.At(0).Binding().Set(kIdSettingsWidth, &m_nWidth, 1, std::max(kMaxMapSide, m_nWidth), 0,
                                      kIdSettingsWidthSpin, 1);
    m_NumberEdits.At(1).Binding().Set(kIdSettingsHeight, &m_nHeight, 1, std::max(kMaxMapSide, m_nHeight), 0,
                                      kIdSettingsHeightSpin, 1);
    m_NumberEdits.At(2).Binding().Set(kIdSettingsReward, &m_Stage.m_nReward, 0, kMaxReward, 0, kIdSettingsRewardSpin,
                                      1);
    m_NumberEdits.At(3).Binding().Set(kIdSettingsClearedReward, &m_Stage.m_nClearedRewardRate, 0, kMaxRate, 0,
                                      kIdSettingsClearedRewardSpin, 1);
    m_NumberEdits.At(4).Binding().Set(kIdSettingsFirstExp, &m_Stage.m_nFirstExpRate, 0, kMaxRate, 0,
                                      kIdSettingsFirstExpSpin, 1);
    m_NumberEdits.At(5).Binding().Set(kIdSettingsClearedExp, &m_Stage.m_nClearedExpRate, 0, kMaxRate, 0,
                                      kIdSettingsClearedExpSpin, 1);

    m_TextEdits.At(0).Binding().Set(kIdSettingsName, &m_Stage.m_strName, kStageNameLength, 1);
    m_TextEdits.At(1).Binding().Set(kIdSettingsBgm, &m_Stage.m_strBgm, kBgmPathLength, 0);

    FillGroupNames();
    m_ComboBoxes.At(0).Binding().Set(kIdSettingsStartGroup, &m_Stage.m_nStartGroup, &m_GroupNames, 1, nullptr);
}

StageSettingsDialog::~StageSettingsDialog()
{
    m_pExplanation.reset();
    if (s_pSettingsLive == this)
    {
        s_pSettingsLive = nullptr;
    }
}

StageSettingsDialog* StageSettingsDialog::Running()
{
    return s_pSettingsLive;
}

void StageSettingsDialog::ExplanationRowText(std::string& out, int, const ExplanationPage& page)
{
    out = page.m_strText;
}

void StageSettingsDialog::FillGroupNames()
{
    m_GroupNames.clear();
    for (int i = 1; i < m_Stage.m_GroupPos.Count(); ++i)
    {
        m_GroupNames.push_back(m_Stage.m_GroupPos.At(i).m_strName);
    }
}

int StageSettingsDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    HideItem(kIdPicture);
    for (int id : kUnusedControls)
    {
        HideItem(id);
    }
    for (ListBox<ExplanationPage>& list : m_Lists)
    {
        list.Attach(this, list.Binding());
        BindControl(&list);
    }
    AttachControls(m_NumberEdits);
    AttachControls(m_TextEdits);
    AttachControls(m_ComboBoxes);
    for (int i = 0; i < kExplanationListCount; ++i)
    {
        m_Lists[i].SetAcceleratorsAndMenu(kListIds[i].m_nAccelerators, kListIds[i].m_nPopup, kFreeListMode,
                                          kListIds[i].m_nCommandSet);
    }
    for (ListBox<ExplanationPage>& list : m_Lists)
    {
        list.SetCurSel(0, 1);
    }
    DataToControls();
    SetInitialised(1);
    return 0;
}

void StageSettingsDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    const int id = platform::LowWord(wParam);
    const int code = platform::HighWord(wParam);
    switch (id)
    {
    case kIdDialogOk:
        ControlsToData();
        m_Stage.ResizeMap(m_nWidth, m_nHeight);
        Close(1);
        return;
    case kIdDialogCancel:
        Close(0);
        return;
    case kIdSettingsBgmBrowse:
        if (code == platform::kBnClicked)
        {
            BrowseBgm();
        }
        break;
    case kIdSettingsBgmPlay:
        if (code == platform::kBnClicked)
        {
            PlayBgm();
        }
        break;
    default:
        for (int list = 0; list < kExplanationListCount; ++list)
        {
            const ExplanationListIds& ids = kListIds[list];
            if (id == ids.m_nInsert)
            {
                InsertPage(list);
            }
            else if (id == ids.m_nEdit || (id == ids.m_nList && code == platform::kLbnDblClk))
            {
                EditPage(list);
            }
            else if (id == ids.m_nDelete)
            {
                DeletePage(list);
            }
            else if (id == ids.m_nList && code == platform::kLbnSelChange)
            {
                m_Lists[list].Refill();
            }
        }
        break;
    }
    for (ListBox<ExplanationPage>& list : m_Lists)
    {
        if (list.OnAccelCommand(id) || list.OnMenuCommand(id))
        {
            break;
        }
    }
    EndListUpdates();
}

void StageSettingsDialog::InsertPage(int list)
{
    m_nCurrentList = list;
    m_Lists[list].InsertAndEdit(m_pExplanation, kIdExplanationDialog, Owner(), 0, 0);
}

void StageSettingsDialog::EditPage(int list)
{
    m_nCurrentList = list;
    m_Lists[list].EditSelected(m_pExplanation, kIdExplanationDialog, Owner(), 0, 0);
}

void StageSettingsDialog::DeletePage(int list)
{
    m_Lists[list].Delete(-1);
}

void StageSettingsDialog::BrowseBgm()
{
    BrowseMusicFile(Handle(), kIdSettingsBgm, kBgmPathLength);
}

void StageSettingsDialog::PlayBgm()
{
    PlayMusicFile(Handle(), kIdSettingsBgm, kBgmPathLength);
}

intptr_t StageSettingsDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                         intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    if (message == platform::kWmRButtonUp && IsInitialised())
    {
        OpenListPopup();
    }
    switch (message)
    {
    case platform::kWmDestroy:
        // A preview plays until the dialog goes.
        Bgm.Stop();
        break;
    case platform::kWmClose:
        Close(0);
        return 1;
    default:
        break;
    }
    return handled;
}

// ---- the explanation page ----

ExplanationDialog::ExplanationDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind,
                                     EditorApp* app, WindowBase* centreOn, int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_NumberEdits(2), m_TextEdits(1), m_ComboBoxes(4)
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    s_pExplanationLive = this;
    static ExplanationPage s_Orphan;
    StageSettingsDialog* settings = StageSettingsDialog::Running();
    if (settings && settings->CurrentList() >= 0 && settings->CurrentList() < kExplanationListCount)
    {
        int list = settings->CurrentList();
        m_pStage = &settings->EditedStage();
        // The checked access reports a row outside the pages and uses page 0.
        m_pPage = &settings->Pages(list).At(settings->List(list).GetCurSel());
    }
    else
    {
        s_Orphan = ExplanationPage();
        m_pPage = &s_Orphan;
    }

    m_NumberEdits.At(0).Binding().Set(kIdExplanationX, &m_pPage->m_nX, 0, kMaxPageCoordinate, 0, kIdExplanationXSpin,
                                      1);
    m_NumberEdits.At(1).Binding().Set(kIdExplanationY, &m_pPage->m_nY, 0, kMaxPageCoordinate, 0, kIdExplanationYSpin,
                                      1);
    m_TextEdits.At(0).Binding().Set(kIdExplanationText, &m_pPage->m_strText, kPageTextLength, 1);
    FillComboItems();
    m_ComboBoxes.At(0).Binding().SetItemTable(kIdExplanationMode, &m_pPage->m_nCursorMode, PositionModeNames, 0);
    m_ComboBoxes.At(1).Binding().Set(kIdExplanationEnemy, &m_pPage->m_nEnemy, &m_EnemyItems, 0, nullptr);
    m_ComboBoxes.At(2).Binding().Set(kIdExplanationGroup, &m_pPage->m_nGroup, &m_CursorGroupItems, 1, nullptr);
    m_ComboBoxes.At(3).Binding().Set(kIdExplanationShownGroup, &m_pPage->m_nShownGroup, &m_ShownGroupItems, 0,
                                     nullptr);
}

ExplanationDialog::~ExplanationDialog()
{
    if (s_pExplanationLive == this)
    {
        s_pExplanationLive = nullptr;
    }
}

ExplanationDialog* ExplanationDialog::Running()
{
    return s_pExplanationLive;
}

void ExplanationDialog::FillComboItems()
{
    m_EnemyItems.clear();
    m_CursorGroupItems.clear();
    m_ShownGroupItems.assign(1, "表示しない");
    if (!m_pStage)
    {
        return;
    }
    std::string item;
    for (int i = 0; i < m_pStage->m_Enemy.Count(); ++i)
    {
        // The checked access reports an enemy outside the table and names enemy 0.
        FormatString(item, "%d %s", i + 1, EnemyTable.At(m_pStage->m_Enemy.At(i).m_nEnemy).m_strName.c_str());
        m_EnemyItems.push_back(item);
    }
    for (int i = 1; i < m_pStage->m_GroupPos.Count(); ++i)
    {
        m_CursorGroupItems.push_back(m_pStage->m_GroupPos.At(i).m_strName);
        m_ShownGroupItems.push_back(m_pStage->m_GroupPos.At(i).m_strName);
    }
}

int ExplanationDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    HideItem(kIdPicture);
    AttachControls(m_NumberEdits);
    AttachControls(m_TextEdits);
    AttachControls(m_ComboBoxes);
    DataToControls();
    UpdateTargetControls();
    SetInitialised(1);
    return 0;
}

void ExplanationDialog::UpdateTargetControls()
{
    ComboBox* modes = FindById(m_ComboBoxes, kIdExplanationMode);
    if (!modes)
    {
        return;
    }
    int32_t mode = modes->PosToData(modes->CurSel());
    int enemy = 0;
    int group = 0;
    int coordinates = 0;
    switch (mode)
    {
    case kTargetNone:
    case kTargetLeader:
        break;
    case kTargetEnemy:
        enemy = 1;
        break;
    case kTargetGroup:
        group = 1;
        break;
    case kTargetCoordinates:
        coordinates = 1;
        break;
    default:
        return;
    }
    if (ComboBox* box = FindById(m_ComboBoxes, kIdExplanationEnemy))
    {
        box->Enable(enemy);
    }
    if (ComboBox* box = FindById(m_ComboBoxes, kIdExplanationGroup))
    {
        box->Enable(group);
    }
    for (NumberEdit<int32_t>& edit : m_NumberEdits)
    {
        edit.Enable(coordinates);
    }
}

void ExplanationDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    switch (platform::LowWord(wParam))
    {
    case kIdDialogOk:
        ControlsToData();
        Close(1);
        return;
    case kIdDialogCancel:
        Close(0);
        return;
    default:
        break;
    }
    if (IsInitialised())
    {
        UpdateTargetControls();
    }
}

intptr_t ExplanationDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}
