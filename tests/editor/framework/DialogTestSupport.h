#pragma once

// Dialogs and controls for the tests of the dialog framework, on any backend:
// a dialog that writes down what reaches it, a wrapper of any kind that
// writes down what its dialog asks of it, and a few templates.

#include "common/services/DialogItems.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/ModalRuns.h"

#include <functional>
#include <string>
#include <vector>

// A wrapper of any kind that writes each call into a shared log; an edit kind
// also moves its control's text to and from a string.
class ProbeControl : public Control
{
public:
    ProbeControl(int32_t kind, int id, std::vector<std::string>* log = nullptr) : Control(kind), m_pLog(log)
    {
        m_nId = static_cast<uint16_t>(id);
    }

    void Attach(DialogBase* owner) { Control::Attach(owner, m_nId); }

    void DataToControl() override
    {
        Write("data");
        if (m_nKind == kControlTextEdit)
        {
            SetText(m_strValue);
        }
    }
    void ControlToData() override
    {
        Write("store");
        if (m_nKind == kControlTextEdit)
        {
            GetDlgItemString(m_hOwner, m_nId, m_strValue, 512);
        }
    }
    void OnChange() override { Write("change"); }
    void OnKillFocus() override { Write("killfocus"); }
    void BeginUpdate() override { Write("begin"); }
    void EndUpdate() override { Write("end"); }
    int OnNotify(uintptr_t, const platform::NotifyHeader* header) override
    {
        Write("notify " + std::to_string(header ? header->m_nCode : 0));
        return m_nNotifyAnswer;
    }
    void OnKey(uintptr_t key, intptr_t, int ctrlDown) override
    {
        Write("key " + std::to_string(key) + (ctrlDown ? " ctrl" : ""));
    }

    std::string m_strValue;
    int m_nNotifyAnswer = 0;

private:
    void Write(const std::string& what)
    {
        if (m_pLog)
        {
            m_pLog->push_back(what + " " + std::to_string(m_nId));
        }
    }

    std::vector<std::string>* m_pLog;
};

// A dialog that writes down its button commands and redraws. Its procedure is
// one of the standard ones (kWmClose closes with 0, CloseOnWmClose or
// CloseAndRedraw), or leaves kWmClose alone;
// its commands go through the standard OK and Cancel handling. Each Class
// number is a dialog class of its own, with its own current instance.
template <int Class>
class ProbeDialogClass : public DialogBase
{
public:
    explicit ProbeDialogClass(const DialogTemplate& dialog, platform::WindowHandle parent = nullptr,
                              EditorApp* app = &App, WindowBase* centreOn = nullptr)
        : DialogBase(centreOn, 0)
    {
        UseClassProcedure(this);
        Init(dialog.m_nId, parent, 0, kWindowDialog, app);
        SetTemplate(&dialog);
        ++s_nAlive;
    }
    ~ProbeDialogClass() override { --s_nAlive; }

    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        if (m_bRedrawing)
        {
            return CloseAndRedraw(window, message, wParam, lParam);
        }
        if (m_bLeaveClose && message == platform::kWmClose)
        {
            return OnMessage(window, message, wParam, lParam) ? 1 : 0;
        }
        return CloseOnWmClose(window, message, wParam, lParam);
    }
    void OnCommand(uintptr_t wParam, intptr_t lParam) override
    {
        if (platform::HighWord(wParam) == platform::kBnClicked)
        {
            m_Commands.push_back(platform::LowWord(wParam));
        }
        this->OnOkCancel(wParam, lParam);
    }
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override
    {
        DialogBase::OnInitDialog(wParam, lParam);
        this->AttachPlainControls(m_Plain);
        for (ProbeControl* control : m_Probes)
        {
            control->Attach(this);
            BindControl(control);
        }
        if (m_OnInit)
        {
            m_OnInit(*this);
        }
        DataToControls();
        SetInitialised(1);
        return 0;
    }
    void OnPaint() override { ++m_nPaints; }

    // Set before a run.
    CheckedVector<PlainControl> m_Plain;
    std::vector<ProbeControl*> m_Probes;
    std::function<void(ProbeDialogClass&)> m_OnInit;
    bool m_bLeaveClose = false;
    bool m_bRedrawing = false; // CloseAndRedraw as the procedure

    std::vector<int> m_Commands;
    int m_nPaints = 0;
    // Objects of the class now.
    static inline int s_nAlive = 0;
};

using ProbeDialog = ProbeDialogClass<0>;
using OtherProbeDialog = ProbeDialogClass<1>;

// Plain controls of the ids, for a dialog's buttons.
inline CheckedVector<PlainControl> PlainControls(std::initializer_list<int> ids)
{
    CheckedVector<PlainControl> controls;
    for (int id : ids)
    {
        controls.push_back(PlainControl(id));
    }
    return controls;
}

// Test templates beside the editor's own.
inline const DialogTemplate& PaletteTemplate()
{
    static const DialogTemplate dialog{9001, "パレット", 120, 150, kPaletteDialog, {
        {kDlgListBox, 1241, 4, 4, 112, 100},
        {kDlgButton,  1030, 4, 110, 50, 14, "設定"},
    }};
    return dialog;
}

inline const DialogTemplate& ViewTemplate()
{
    static const DialogTemplate dialog{9002, "ビュー", 160, 120, kModalDialog, {
        {kDlgPicture, 1075, 10, 10, 64, 32},
        {kDlgPicture, 1070, 90, 10, 40, 40},
        {kDlgButton,  1006, 10, 96, 46, 14, "OK"},
    }};
    return dialog;
}

inline const DialogTemplate& FieldsTemplate()
{
    static const DialogTemplate dialog{9003, "項目", 160, 100, kModalDialog, {
        {kDlgEdit,      1001, 10, 10, 60, 14},
        {kDlgEdit,      1002, 10, 30, 60, 14},
        {kDlgEdit,      1003, 10, 50, 60, 14},
        {kDlgUpDown,    1004, 70, 50, 11, 14},
        {kDlgDefButton, 1006, 90, 10, 46, 14, "OK"},
        {kDlgButton,    1007, 90, 30, 46, 14, "ｷｬﾝｾﾙ"},
    }};
    return dialog;
}
