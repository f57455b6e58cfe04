#pragma once

// The stage settings dialog (144): the stage's name, map size, the group
// where the party starts, its music (chosen and heard), the reward and its
// three percentage modifiers, and the three lists of explanation pages
// (victory, defeat, other rules), each page edited in the explanation dialog
// (145). Everything is edited on the controls and on working copies; the
// stage changes only on OK, which also lays the map out again for the size
// (ResizeMap, also when the size is unchanged).

#include "common/data/StageRecord.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <memory>
#include <string>
#include <vector>

enum : int
{
    kIdStageSettingsDialog = 144,
    kIdExplanationDialog = 145,
    // The settings.
    kIdSettingsName = 1044,
    kIdSettingsWidth = 1210,
    kIdSettingsWidthSpin = 1212,
    kIdSettingsHeight = 1211,
    kIdSettingsHeightSpin = 1166,
    kIdSettingsStartGroup = 1234,
    kIdSettingsBgm = 1215,
    kIdSettingsBgmBrowse = 1216,
    kIdSettingsBgmPlay = 1217,
    kIdSettingsReward = 1218,
    kIdSettingsRewardSpin = 1169,
    kIdSettingsClearedReward = 1314,
    kIdSettingsClearedRewardSpin = 1174,
    kIdSettingsFirstExp = 1232,
    kIdSettingsFirstExpSpin = 1171,
    kIdSettingsClearedExp = 1233,
    kIdSettingsClearedExpSpin = 1172,
    kIdVictoryInsert = 1219,
    kIdVictoryEdit = 1220,
    kIdVictoryDelete = 1221,
    kIdVictoryList = 1222,
    kIdDefeatInsert = 1223,
    kIdDefeatEdit = 1224,
    kIdDefeatDelete = 1225,
    kIdDefeatList = 1226,
    kIdOtherInsert = 1227,
    kIdOtherEdit = 1228,
    kIdOtherDelete = 1229,
    kIdOtherList = 1230,
    // The explanation page.
    kIdExplanationText = 1223,
    kIdExplanationMode = 1226,
    kIdExplanationEnemy = 1224,
    kIdExplanationGroup = 1227,
    kIdExplanationX = 1297,
    kIdExplanationXSpin = 1298,
    kIdExplanationY = 1201,
    kIdExplanationYSpin = 1202,
    kIdExplanationShownGroup = 1225,
};

constexpr int kMaxExplanationPages = 4;
constexpr int kExplanationListCount = 3;

// The opening protocol: the dialog over the parent, modal with every other
// editor window disabled, deleted afterwards. 1 after OK.
int RunStageSettingsDialog(platform::WindowHandle parent, EditorApp* app, StageRecord& stage);

class ExplanationDialog;

class StageSettingsDialog : public DialogBase
{
public:
    StageSettingsDialog(platform::WindowHandle parent, EditorApp* app, StageRecord& stage);
    ~StageSettingsDialog() override;

    static StageSettingsDialog* Running();

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // "" for an empty text, else the page's text.
    static void ExplanationRowText(std::string& out, int index, const ExplanationPage& page);

    // ---- what the explanation dialog reads ----
    StageRecord& EditedStage() { return m_Stage; }
    // Which list the explanation dialog edits: 0 victory, 1 defeat, 2 other.
    int CurrentList() const { return m_nCurrentList; }
    ListBox<ExplanationPage>& List(int list) { return m_Lists[list]; }
    CheckedVector<ExplanationPage>& Pages(int list) { return m_Pages[list]; }

    // ---- state ----
    int WorkingWidth() const { return m_nWidth; }
    int WorkingHeight() const { return m_nHeight; }
    const std::vector<std::string>& GroupNames() const { return m_GroupNames; }

private:
    void FillGroupNames();
    void InsertPage(int list);
    void EditPage(int list);
    void DeletePage(int list);
    void BrowseBgm();
    void PlayBgm();

    StageRecord& m_Stage;
    CheckedVector<ExplanationPage> m_Pages[kExplanationListCount];
    int m_nCurrentList = 0;
    ListBox<ExplanationPage> m_Lists[kExplanationListCount];
    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<TextEdit> m_TextEdits;
    CheckedVector<ComboBox> m_ComboBoxes;
    std::unique_ptr<ExplanationDialog> m_pExplanation;
    std::vector<std::string> m_GroupNames;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
};

class ExplanationDialog : public DialogBase
{
public:
    // Made by the settings dialog's lists: edits, in place, the page selected
    // in the settings dialog's current list.
    ExplanationDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app,
                      WindowBase* centreOn, int centreOnClient);
    ~ExplanationDialog() override;

    static ExplanationDialog* Running();

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    const std::vector<std::string>& EnemyItems() const { return m_EnemyItems; }
    const std::vector<std::string>& CursorGroupItems() const { return m_CursorGroupItems; }
    const std::vector<std::string>& ShownGroupItems() const { return m_ShownGroupItems; }

private:
    void FillComboItems();
    // Enables the enemy, group and coordinate choices of the chosen cursor target.
    void UpdateTargetControls();

    ExplanationPage* m_pPage = nullptr;
    const StageRecord* m_pStage = nullptr;
    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<TextEdit> m_TextEdits;
    CheckedVector<ComboBox> m_ComboBoxes;
    std::vector<std::string> m_EnemyItems;
    std::vector<std::string> m_CursorGroupItems;
    std::vector<std::string> m_ShownGroupItems;
};
