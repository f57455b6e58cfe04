#include "common/window/EditorApp.h"

#include "common/window/FrameRate.h"
#include "common/window/WindowBase.h"
#include "platform/window/DialogNavigation.h"

#include <algorithm>

EditorApp App;
AppView* CurrentView = nullptr;
int IdleFrameRate = 0;

int EditorApp::RemoveWindow(WindowBase* window)
{
    auto it = std::find(m_Windows.begin(), m_Windows.end(), window);
    if (it == m_Windows.end())
    {
        return 0;
    }
    m_Windows.erase(it);
    return 1;
}

void EditorApp::ShowAllWindows(int show)
{
    for (WindowBase* window : m_Windows)
    {
        window->Show(show);
    }
}

void EditorApp::EnableAllWindows(int enable)
{
    for (WindowBase* window : m_Windows)
    {
        window->Enable(enable);
    }
}

ModelessSheet* EditorApp::FindSheet(platform::WindowHandle sheetWindow) const
{
    if (!sheetWindow)
    {
        return nullptr;
    }
    for (const SheetEntry& entry : m_Sheets)
    {
        if (entry.m_pSheet && entry.m_pSheet->SheetWindow() == sheetWindow)
        {
            return entry.m_pSheet;
        }
    }
    return nullptr;
}

int EditorApp::PreTranslateMessage(const platform::WindowMessage& message)
{
    if (TranslateAccelerators(message))
    {
        return 1;
    }
    // The sheets the author has closed go now. Their clean-up takes no message
    // of its own: this one (a game's report, a termination, a new view) is
    // still handled as any other.
    while (CloseFinishedSheet())
    {
    }
    // A handler may open or close windows: the lists are read afresh at every step.
    for (std::size_t i = 0; i < m_Windows.size(); ++i)
    {
        platform::WindowHandle window = m_Windows[i]->Handle();
        if (window && platform::IsDialogMessage(window, message))
        {
            return 1;
        }
    }
    for (std::size_t i = 0; i < m_Sheets.size(); ++i)
    {
        ModelessSheet* sheet = m_Sheets[i].m_pSheet;
        if (sheet && sheet->SheetWindow() && sheet->IsSheetMessage(message))
        {
            return 1;
        }
    }
    return 0;
}

bool EditorApp::AcceleratorsApply(const WindowBase& window, platform::WindowHandle active) const
{
    if (!active || !window.Handle())
    {
        return false;
    }
    if (window.Kind() != kWindowSheetPage)
    {
        return window.Handle() == active;
    }
    // A page: only the page its sheet shows, while the sheet is the active window.
    if (window.SheetWindow() != active)
    {
        return false;
    }
    ModelessSheet* sheet = FindSheet(active);
    return sheet && sheet->CurrentPage() == window.Handle();
}

bool EditorApp::TranslateAccelerators(const platform::WindowMessage& message)
{
    for (std::size_t i = 0; i < m_Windows.size(); ++i)
    {
        WindowBase* window = m_Windows[i];
        platform::WindowSystem* system = window->System();
        if (!system || !AcceleratorsApply(*window, system->ActiveWindow()))
        {
            continue;
        }
        platform::WindowHandle target = window->Handle();
        for (const AcceleratorBinding& binding : window->Accelerators())
        {
            if (!binding.m_pTable)
            {
                continue;
            }
            // A table bound to a control serves only while that control has the keyboard focus.
            bool bound = binding.m_hWindow == target || (binding.m_hWindow && system->Focus() == binding.m_hWindow);
            if (bound && TranslateAccelerator(target, *binding.m_pTable, message.m_nMessage, message.m_wParam,
                                              message.m_lParam))
            {
                return true;
            }
        }
    }
    return false;
}

bool EditorApp::CloseFinishedSheet()
{
    for (std::size_t i = 0; i < m_Sheets.size(); ++i)
    {
        // Deleting the owner removes the entry from the list: work on a copy.
        SheetEntry entry = m_Sheets[i];
        if (!entry.m_pSheet || !entry.m_pSheet->SheetWindow() || entry.m_pSheet->CurrentPage())
        {
            continue;
        }
        entry.m_pSheet->Destroy();
        if (entry.m_pOwnerHolder && *entry.m_pOwnerHolder)
        {
            entry.m_pOwnerHolder->reset();
        }
        return true;
    }
    return false;
}

bool EditorApp::WantsIdle() const
{
    for (const WindowBase* window : m_Windows)
    {
        if (window->WantsIdle())
        {
            return true;
        }
    }
    return false;
}

int EditorApp::OnIdle()
{
    if (!CurrentView)
    {
        return 1;
    }
    IdleFrameRate = MeasureFrameRate();
    for (std::size_t i = 0; i < m_Windows.size(); ++i)
    {
        m_Windows[i]->OnIdle();
    }
    // A window's idle work may have closed the view.
    if (CurrentView)
    {
        ModelessSheet* sheet = CurrentView->OpenSheet();
        if (sheet && sheet->SheetWindow())
        {
            sheet->RedrawPages();
        }
    }
    return 1;
}
