#include "editor/stage/EditOptionsDialog.h"

#include "common/data/ProjectData.h"
#include "common/services/DialogItems.h"
#include "common/services/Paths.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/WindowSystem.h"

#include <string>

namespace
{

std::unique_ptr<EditOptionsDialog> s_pRunning;

constexpr int kGamePathLength = 260;
// The game programs built here have no extension: the filter shows every file,
// and a typed name gets none added.
const std::string kProgramFilter = std::string("ExeFile ( *.exe )") + '\0' + "*" + '\0';

} // namespace

int RunEditOptionsDialog(platform::WindowHandle parent, EditorApp* app)
{
    return RunOwnedModal(s_pRunning, kShowFlagDisableOthers, parent, app);
}

EditOptionsDialog::EditOptionsDialog(platform::WindowHandle parent, EditorApp* app) : m_CheckBoxes(2)
{
    UseClassProcedure(this);
    Init(kIdEditOptionsDialog, parent, 0, kWindowDialog, app);
    m_GamePath.Binding().Set(kIdOptionGamePath, &EditConfig.m_strGameProgram, kGamePathLength, 0);
    m_CheckBoxes.At(0).Binding().Set(kIdOptionKeepEventPalette, &EditConfig.m_bKeepEventPalette);
    m_CheckBoxes.At(1).Binding().Set(kIdOptionAutoFindGame, &EditConfig.m_bSearchGameProgram);
}

int EditOptionsDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    m_GamePath.Attach(this, m_GamePath.Binding());
    BindControl(&m_GamePath);
    for (CheckBox& box : m_CheckBoxes)
    {
        box.Attach(this, box.Binding());
        BindControl(&box);
    }
    DataToControls();
    UpdatePathEnabled();
    SetInitialised(1);
    return 0;
}

void EditOptionsDialog::UpdatePathEnabled()
{
    platform::WindowSystem* system = System();
    platform::WindowHandle autoFind = system ? system->GetDlgItem(Handle(), kIdOptionAutoFindGame) : nullptr;
    bool ticked =
        autoFind && platform::SendWindowMessage(autoFind, platform::kBmGetCheck, 0, 0) == platform::kBstChecked;
    m_GamePath.Enable(ticked ? 0 : 1);
}

void EditOptionsDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
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
    case kIdOptionBrowseGame:
        if (platform::HighWord(wParam) == platform::kBnClicked)
        {
            BrowseGame();
        }
        break;
    default:
        break;
    }
    if (IsInitialised())
    {
        UpdatePathEnabled();
    }
}

void EditOptionsDialog::BrowseGame()
{
    std::string path;
    if (!OpenFileDialog(Handle(), path, kGamePathLength, ".\\", "ゲームプログラムの選択",
                        kProgramFilter, "", 0, nullptr))
    {
        return;
    }
    if (MakeRelativePath(path))
    {
        SetDlgItemString(Handle(), kIdOptionGamePath, path);
    }
}

intptr_t EditOptionsDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}
