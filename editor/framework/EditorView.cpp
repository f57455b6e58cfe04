#include "editor/framework/EditorView.h"

#include "common/services/DialogItems.h"
#include "platform/core/Files.h"

void EditorWindow::MinimiseWithPalettes()
{
    if (platform::NativeWindow* native = Native())
    {
        native->SetMinimized(true);
    }
}

void EditorWindow::HideWhenMinimised()
{
    HideWithPalettes();
    m_bHidden = 1;
}

void EditorWindow::ShowIfHidden()
{
    if (Handle() && IsInitialised() && m_bHidden)
    {
        ShowWithPalettes();
        m_bHidden = 0;
        MakeActive();
    }
}

void EditorWindow::MakeActive()
{
    platform::WindowSystem* system = System();
    if (!system || !Handle())
    {
        return;
    }
    system->SetActiveWindow(Handle());
    system->SetFocus(Handle());
}

// ---- PlaceholderView ----

namespace
{

const DialogTemplate& PlaceholderTemplate()
{
    static const DialogTemplate dialog{134, "Tarnwick", 260, 44, kModalDialog, {
        {kDlgText, PlaceholderView::kTextId, 8, 8, 244, 28},
    }};
    return dialog;
}

} // namespace

PlaceholderView::PlaceholderView(platform::WindowHandle parent)
{
    UseClassProcedure(this);
    Init(134, parent, 0, kWindowDialog, &App);
    SetTemplate(&PlaceholderTemplate());
}

intptr_t PlaceholderView::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    switch (message)
    {
    case platform::kWmClose:
        // The main window asks whether to end the editor.
        platform::PostWindowMessage(m_hParent, platform::kWmClose, 0, 0);
        return 1;
    case platform::kWmDestroy:
        if (CurrentView == static_cast<AppView*>(this))
        {
            CurrentView = nullptr;
        }
        return handled;
    case platform::kWmSysCommand:
        if ((wParam & 0xFFF0) == platform::kScMinimize)
        {
            HideWhenMinimised();
            return 1;
        }
        return 0;
    default:
        return handled;
    }
}

int PlaceholderView::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    SetDlgItemString(Handle(), kTextId, "プロジェクト: " + platform::CurrentFolder());
    CenterOnDesktop();
    SetInitialised(1);
    return 0;
}
