#include "editor/database/DatabasePage.h"

#include "editor/database/DatabaseSheet.h"
#include "editor/framework/BitmapControl.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/PropSheet.h"

void DatabaseSaveErrors::Add(std::string_view path, std::string_view reason)
{
    for (const File& file : m_Files)
    {
        if (file.m_strPath == path)
        {
            return;
        }
    }
    m_Files.push_back({std::string(path), std::string(reason)});
}

std::string DatabaseSaveErrors::Text() const
{
    std::string text;
    for (const File& file : m_Files)
    {
        if (!text.empty())
        {
            text += "\n";
        }
        text += file.m_strPath + "が書き込めません！";
        if (!file.m_strReason.empty())
        {
            text += "\n" + file.m_strReason;
        }
    }
    return text;
}

DatabasePage::DatabasePage(int dialogId, DatabaseSheet& sheet) : m_pSheet(&sheet)
{
    Init(dialogId, sheet.ParentWindow(), 0, kWindowSheetPage, sheet.Application());
    SetKeepsUntouchedValues(1);
}

DatabaseHost& DatabasePage::Host() const
{
    return m_pSheet->Host();
}

intptr_t DatabasePage::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    if (message == platform::kWmNotify)
    {
        auto* header = reinterpret_cast<const platform::NotifyHeader*>(lParam);
        if (header && header->m_nCode == platform::kPsnSetActive)
        {
            OnSetActive();
        }
        else if (header && header->m_nCode == platform::kPsnApply)
        {
            return OnApply();
        }
        return 1;
    }
    if (message == platform::kWmDestroy)
    {
        OnPageDestroyed();
        return 1;
    }
    if (IsRightClick())
    {
        OnRightClick();
    }
    return handled ? 1 : 0;
}

void DatabasePage::OnSetActive()
{
    if (m_bReload)
    {
        RefreshAllControls();
        m_bReload = 0;
    }
}

void DatabasePage::OnRightClick()
{
    OpenListPopup();
}

bool DatabasePage::OnPageCommand(uintptr_t, intptr_t)
{
    return true;
}

void DatabasePage::OnListCommandDone(uintptr_t)
{
}

void DatabasePage::CommitFields(uintptr_t)
{
}

void DatabasePage::RefreshAllControls()
{
    DataToControlsFrom(-1);
}

void DrawComboCell(BitmapControl& picture, const ComboBox& combo, uint32_t background, const DibBitmap* source,
                   int cellWidth, int cellHeight, int cellsPerRow)
{
    DibBitmap& canvas = picture.Canvas();
    if (!canvas.IsCreated())
    {
        return;
    }
    canvas.Clear(background);
    int graphic = combo.CurSel() == -1 ? -1 : combo.PosToData(combo.CurSel());
    if (source && source->IsCreated() && graphic >= 0)
    {
        int64_t x = int64_t{graphic} % cellsPerRow * cellWidth;
        int64_t y = int64_t{graphic} / cellsPerRow * cellHeight;
        if (x + cellWidth <= source->Width() && y + cellHeight <= source->Height())
        {
            canvas.Blt(0, 0, cellWidth, cellHeight, *source, static_cast<int>(x), static_cast<int>(y), 0);
        }
    }
    picture.Present();
}

void DatabasePage::DrawCellPreview(BitmapControl& picture, const ComboBox& combo, uint32_t background, int slot,
                                   int cellWidth, int cellHeight, int cellsPerRow)
{
    DrawComboCell(picture, combo, background, Host().SharedBitmap(slot), cellWidth, cellHeight, cellsPerRow);
}

void DatabasePage::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    if (!OnPageCommand(wParam, lParam))
    {
        EndListUpdates();
        return;
    }
    if (OfferListCommand(platform::LowWord(wParam)))
    {
        OnListCommandDone(wParam);
    }
    if (IsInitialised() && FindCommandControl(wParam) != 0)
    {
        CommitFields(wParam);
    }
    EndListUpdates();
    // What the page's own filling of its controls raises while it starts is no change of the author's.
    if (IsInitialised())
    {
        PageChanged(*this);
    }
}
