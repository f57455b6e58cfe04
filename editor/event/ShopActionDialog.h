#pragma once

// The dialog of the shop (13, "お店") and its goods dialog (187, "商品").
//
// Arguments (what the game's event interpreter reads): int 0 is 1 when this
// shop's goods are added to the camp menu's shop (a new action: 1); the
// command's goods are the items offered, in list order, each an item index
// from 1 on (item 0 is never offered).
//
// The goods list edits a copy of the goods: insert ("挿入", which opens the
// goods dialog on the new entry and takes it out again when that is
// cancelled; Ctrl+I and the pop-up's "新規挿入" insert item 1 without it),
// edit ("編集" or a double-click), delete ("削除", Delete), cut, copy and paste,
// up to 999 entries (a full list beeps and opens nothing). Only OK writes the
// copy into the command; Cancel leaves the goods as they were.

#include "editor/event/EventActionDialog.h"
#include "editor/framework/ListBox.h"

#include <memory>

enum : int
{
    kIdShopDialog = 182,
    kIdShopInsert = 1066,
    kIdShopEdit = 1226,
    kIdShopDelete = 1067,
    kIdShopGoods = 1142,
    kIdShopToCamp = 1035,

    kIdShopGoodsDialog = 187,
    kIdShopGoodsItem = 1306,
};

constexpr int kMaxShopGoods = 999;

class ShopGoodsDialog;

class ShopDialog : public EventActionDialog
{
public:
    explicit ShopDialog(const ActionEditContext& context);
    ~ShopDialog() override;

    // The shop dialog that runs now, null when none.
    static ShopDialog* Running();

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    ListBox<ShopItemEntry>& GoodsList() { return m_List; }
    // The entry of the selected row of the working goods; null on the trailing row or without a selection.
    ShopItemEntry* SelectedEntry();
    ShopGoodsDialog* RunningGoodsDialog() const { return m_pGoodsDialog.get(); }

private:
    int EditEntry();

    CheckedVector<ShopItemEntry> m_Goods;
    ListBox<ShopItemEntry> m_List;
    std::unique_ptr<ShopGoodsDialog> m_pGoodsDialog;
};

// The item of one goods entry: the items of the item table from item 1 on. OK stores it.
class ShopGoodsDialog : public DialogBase
{
public:
    ShopGoodsDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app,
                    WindowBase* centreOn, int centreOnClient);

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    const std::vector<std::string>& ItemNames() const { return m_ItemNames; }

private:
    ShopItemEntry m_Spare; // edited when no shop dialog names an entry
    std::vector<std::string> m_ItemNames;
    CheckedVector<ComboBox> m_ComboBoxes;
};
