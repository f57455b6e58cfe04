#include "editor/framework/PropSheet.h"

#include "common/services/MessageBoxes.h"

#include <algorithm>

PropSheet::PropSheet(int modeless, platform::WindowHandle parent, EditorApp* owner)
    : m_bModeless(modeless), m_hParent(parent), m_pApp(owner ? owner : &App)
{
}

PropSheet::~PropSheet()
{
    // Pages may outlive their sheet object: no window of the sheet may call on them later.
    Destroy();
    if (!m_pKey)
    {
        return;
    }
    std::vector<SheetEntry>& sheets = m_pApp->m_Sheets;
    auto it = std::find_if(sheets.begin(), sheets.end(),
                           [this](const SheetEntry& entry) { return entry.m_pSheet == m_pKey; });
    if (it == sheets.end())
    {
        ShowError("ウインドウの破棄に失敗！");
        return;
    }
    sheets.erase(it);
}

void PropSheet::Register(std::unique_ptr<PropSheetOwner>* holder)
{
    m_pKey = this;
    m_pApp->m_Sheets.push_back({this, holder});
}

int PropSheet::Create()
{
    m_bModeless = 1;
    platform::WindowSystem* system = platform::SystemOfWindow(m_hParent);
    if (!system)
    {
        system = AppWindowSystem;
    }
    platform::PropertySheetParams params;
    params.m_hOwner = m_hParent;
    for (DialogBase* page : m_Pages)
    {
        const DialogTemplate* dialog = page ? page->Template() : nullptr;
        platform::PropertySheetPage entry;
        if (dialog)
        {
            entry.m_strTitle = dialog->m_pszCaption;
            entry.m_nWidth = DialogUnitsToPixelsX(dialog->m_nWidth);
            entry.m_nHeight = DialogUnitsToPixelsY(dialog->m_nHeight);
        }
        entry.m_Create = [page](platform::WindowHandle sheet) -> platform::WindowHandle {
            return page ? page->CreateSheetPage(sheet) : nullptr;
        };
        params.m_Pages.push_back(std::move(entry));
    }
    m_hSheet = system ? platform::CreatePropertySheet(*system, std::move(params)) : nullptr;
    if (!m_hSheet)
    {
        // The parent (the stage editor for the database) stays: the author keeps the window to work in.
        ShowError("ウインドウの生成に失敗！");
        return 0;
    }
    for (DialogBase* page : m_Pages)
    {
        if (page)
        {
            page->SetSheetWindow(m_hSheet);
        }
    }
    return 1;
}

void PropSheet::Destroy()
{
    if (platform::WindowSystem* system = platform::SystemOfWindow(m_hSheet))
    {
        system->DestroyWindow(m_hSheet);
    }
    m_hSheet = nullptr;
}

void PropSheet::RedrawPages()
{
    for (DialogBase* page : m_Pages)
    {
        if (page)
        {
            page->OnPaint();
        }
    }
}

int PropSheet::SetCaption(std::string_view caption)
{
    platform::NativeWindow* native = platform::ResolveWindow(m_hSheet);
    if (!native)
    {
        return 0;
    }
    native->SetTitle(caption);
    return 1;
}

platform::WindowHandle PropSheet::CurrentPage() const
{
    return platform::HandleFromParam(
        static_cast<uintptr_t>(platform::SendWindowMessage(m_hSheet, platform::kPsmGetCurrentPageHwnd, 0, 0)));
}

bool PropSheet::IsSheetMessage(const platform::WindowMessage& message)
{
    return platform::SendWindowMessage(m_hSheet, platform::kPsmIsDialogMessage, 0,
                                       reinterpret_cast<intptr_t>(&message)) != 0;
}

int PropSheet::SelectPage(int index)
{
    return platform::SendWindowMessage(m_hSheet, platform::kPsmSetCurSel, static_cast<uintptr_t>(index), 0) ? 1 : 0;
}

void PageChanged(const DialogBase& page)
{
    platform::SendWindowMessage(page.SheetWindow(), platform::kPsmChanged, platform::HandleParam(page.Handle()), 0);
}
