#pragma once

// A dialog with a bound list of ints for the tests of the list box, on any
// backend: it binds its list as the test configured it, offers every command
// to its lists and ends their updates, as the editor's dialogs do; OK stores
// the controls (all of them, or all but the lists), Cancel stores nothing.

#include "editor/framework/ListBox.h"
#include "tests/editor/framework/DialogTestSupport.h"

#include <string>
#include <vector>

enum : int
{
    kIdTestList = 1201,
    kIdTestField = 1202,
};

inline const DialogTemplate& ListTemplate()
{
    static const DialogTemplate dialog{9030, "リスト", 200, 130, kModalDialog, {
        {kDlgListBox,   kIdTestList,  8,   8, 100, 100},
        {kDlgEdit,      kIdTestField, 116,  8,  60, 14},
        {kDlgDefButton, 1006,         116, 90, 46, 14, "OK"},
        {kDlgButton,    1007,         116, 108, 46, 14, "ｷｬﾝｾﾙ"},
    }};
    return dialog;
}

// A row shows its value after "値".
inline void ValueRowText(std::string& out, int, const int32_t& value)
{
    out = "値" + std::to_string(value);
}

class ListDialog : public DialogBase
{
public:
    explicit ListDialog(EditorApp* app, const DialogTemplate& dialog = ListTemplate())
    {
        UseClassProcedure(this);
        Init(dialog.m_nId, nullptr, 0, kWindowDialog, app);
        SetTemplate(&dialog);
    }
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        return CloseOnWmClose(window, message, wParam, lParam);
    }
    void OnCommand(uintptr_t wParam, intptr_t lParam) override
    {
        if (!CanHandleNotify(wParam))
        {
            return;
        }
        DialogBase::OnCommand(wParam, lParam);
        int id = platform::LowWord(wParam);
        if (platform::HighWord(wParam) == platform::kBnClicked)
        {
            m_Commands.push_back(id);
        }
        if (id == kIdTestList && platform::HighWord(wParam) == platform::kLbnSelChange)
        {
            m_List.StoreSelected(); // the author's row: the record shows it
        }
        if (OfferListCommand(id))
        {
            ++m_nListCommands;
        }
        EndListUpdates();
        if (id == kIdDialogOk)
        {
            if (m_bCommitWithoutLists)
            {
                ControlsToDataExceptLists();
            }
            else
            {
                ControlsToData();
            }
            Close(1);
        }
        else if (id == kIdDialogCancel)
        {
            Close(0);
        }
    }
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override
    {
        DialogBase::OnInitDialog(wParam, lParam);
        m_List.Attach(this, m_List.Binding());
        BindControl(&m_List);
        if (m_nMode >= 0)
        {
            const ListCommandSet* set = FindListCommandSet(m_nMode, m_nSet);
            m_List.SetAcceleratorsAndMenu(set ? set->m_nAcceleratorTable : 0, set ? set->m_nPopupMenu : 0, m_nMode,
                                          m_nSet);
        }
        for (ProbeControl* probe : m_Probes)
        {
            probe->Attach(this);
            BindControl(probe);
        }
        AttachPlainControls(m_Buttons);
        m_List.SetCurSel(0, 1);
        DataToControls();
        SetInitialised(1);
        return 0;
    }

    // Set before the run.
    ListBox<int32_t> m_List;
    int m_nMode = -1; // -1: the list keeps its default ids
    int m_nSet = 1;
    std::vector<ProbeControl*> m_Probes;
    bool m_bCommitWithoutLists = false;
    CheckedVector<PlainControl> m_Buttons = PlainControls({1006, 1007});

    std::vector<int> m_Commands; // the ids of clicks, keys and menus, in order
    int m_nListCommands = 0;     // those a list carried out
};
