#include "editor/database/SymbolEntryDialog.h"

#include "common/graphics/DibBitmap.h"
#include "editor/database/DatabasePage.h"
#include "platform/window/ControlMessages.h"

#include <algorithm>

std::vector<std::string> SymbolItems(int sheetWidth)
{
    std::vector<std::string> items;
    int count = std::min(std::max(sheetWidth, 0) / kSymbolCell, static_cast<int>(kMaxSymbols));
    for (int n = 0; n < count; ++n)
    {
        items.push_back(std::to_string(n));
    }
    return items;
}

SymbolEntryDialog::SymbolEntryDialog(NamedSymbolEntry& entry, const DibBitmap* symbols, int dialogId,
                                     platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app,
                                     WindowBase* centreOn, int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_pEntry(&entry), m_pSymbols(symbols),
      m_SymbolItems(SymbolItems(symbols && symbols->IsCreated() ? symbols->Width() : 0)), m_Texts(1), m_Combos(1),
      m_Pictures(1)
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    m_Texts.At(0).Binding().Set(kIdSymbolEntryName, &entry.m_strName, 1, 1);
    m_Combos.At(0).Binding().Set(kIdSymbolEntrySymbol, &entry.m_nSymbol, &m_SymbolItems, 0, nullptr);
    m_Pictures.At(0).Binding().Set(kIdSymbolEntryPreview, kSymbolCell, kSymbolCell);
}

int SymbolEntryDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachControls(m_Texts);
    AttachControls(m_Combos);
    AttachControls(m_Pictures);
    DataToControls();
    SetInitialised(1);
    return 0;
}

void SymbolEntryDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (platform::LowWord(wParam) == kIdSymbolEntrySymbol && platform::HighWord(wParam) == platform::kCbnSelChange)
    {
        OnPaint();
    }
    // A symbol the sheet does not offer shows no row; OK keeps it rather than storing "none".
    const int32_t symbol = m_pEntry->m_nSymbol;
    const bool unchosen = m_Combos.At(0).Handle() && m_Combos.At(0).CurSel() == -1;
    OnOkCancel(wParam, lParam);
    if (unchosen)
    {
        m_pEntry->m_nSymbol = symbol;
    }
}

intptr_t SymbolEntryDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam)
{
    return CloseAndRedraw(window, message, wParam, lParam);
}

void SymbolEntryDialog::OnPaint()
{
    if (IsInitialised())
    {
        // The symbols stand in one row.
        DrawComboCell(m_Pictures.At(0), m_Combos.At(0), 0, m_pSymbols, kSymbolCell, kSymbolCell, kMaxSymbols);
    }
}
