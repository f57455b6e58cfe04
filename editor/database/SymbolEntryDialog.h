#pragma once

// The dialogs of one attribute ("属性の種類", 119) and of one skill or item
// category ("カテゴリーの種類", 118), opened from the last system page on an
// entry of its working copy, which they edit in place: a name of at most one
// character (a double-byte character counts as one) and a symbol, a 16 x 16
// cell of the symbol sheet (bmp\Symbol.bmp), chosen by its number and shown
// beside it. The sheet offers width / 16 symbols, at most 40. OK stores both;
// Cancel and the close box leave the entry as it was.

#include "common/data/SystemRecord.h"
#include "editor/framework/BitmapControl.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/TextEdit.h"

#include <string>
#include <vector>

class DibBitmap;

enum : int
{
    kIdCategoryTypeDialog = 118,
    kIdAttributeTypeDialog = 119,
    kIdSymbolEntryName = 1044,
    kIdSymbolEntrySymbol = 1068,
    kIdSymbolEntryPreview = 1069,
    kSymbolCell = 16,
    kMaxSymbols = 40,
};

// The symbol numbers a sheet that wide offers: "0" .. "n-1", n = width / 16, at most 40.
std::vector<std::string> SymbolItems(int sheetWidth);

class SymbolEntryDialog : public DialogBase
{
public:
    // The entry it edits and the symbol sheet (null or never loaded: no
    // symbols), then what ListBox::EditSelected makes dialogs of.
    SymbolEntryDialog(NamedSymbolEntry& entry, const DibBitmap* symbols, int dialogId, platform::WindowHandle parent,
                      int startMaximised, int kind, EditorApp* app, WindowBase* centreOn, int centreOnClient);

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // The chosen symbol's cell on a cleared canvas.
    void OnPaint() override;

    NamedSymbolEntry& Entry() const { return *m_pEntry; }
    const std::vector<std::string>& Symbols() const { return m_SymbolItems; }
    BitmapControl& Preview() { return m_Pictures.At(0); }

private:
    NamedSymbolEntry* m_pEntry;
    const DibBitmap* m_pSymbols;
    std::vector<std::string> m_SymbolItems;
    CheckedVector<TextEdit> m_Texts;
    CheckedVector<ComboBox> m_Combos;
    CheckedVector<BitmapControl> m_Pictures;
};

// One attribute of the System's list.
class AttributeTypeDialog : public SymbolEntryDialog
{
public:
    using SymbolEntryDialog::SymbolEntryDialog;
};

// One skill category or item category of the System's lists.
class CategoryTypeDialog : public SymbolEntryDialog
{
public:
    using SymbolEntryDialog::SymbolEntryDialog;
};
