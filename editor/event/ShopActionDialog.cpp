#include "editor/event/ShopActionDialog.h"

#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "editor/event/AmountActionDialogs.h"
#include "platform/window/ControlMessages.h"

namespace
{

// The goods list's keys (table 117: Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+I, Delete) and its pop-up (menu 116).
constexpr int kGoodsAccelerators = 117;
constexpr int kGoodsPopup = 116;
constexpr int kFreeListMode = 1;
constexpr int kGoodsCommandSet = 1;
// Ctrl+I and the pop-up's "新規挿入": a new entry without the goods dialog.
constexpr int kIdGoodsInsertKey = 40069;
constexpr int kIdGoodsInsertMenu = 40070;

ShopDialog* s_pRunningShop = nullptr;

// The row of an entry: its item's name; an item the table does not have shows nothing.
void GoodsRowText(std::string& out, int, const ShopItemEntry& entry)
{
    out = IsTableIndex(entry.m_nItem, ItemTable.Count()) ? ItemTable.At(entry.m_nItem).m_strName : std::string();
}

} // namespace

// ---- the shop ----

ShopDialog::ShopDialog(const ActionEditContext& context) : EventActionDialog(kIdShopDialog, context)
{
    UseClassProcedure(this);
    s_pRunningShop = this;
    if (IsNewAction())
    {
        *IntArg(0) = 1;
    }
    m_Goods = Command().m_ShopItem;
    m_List.Binding().Set(kIdShopGoods, &Command().m_ShopItem, &m_Goods, nullptr, 0, 0, kMaxShopGoods, 0, 1, 0,
                         GoodsRowText);
    AddCheckBox(kIdShopToCamp, 0);
    for (int id : {kIdShopInsert, kIdShopEdit, kIdShopDelete})
    {
        m_PlainControls.push_back(PlainControl(id));
    }
}

ShopDialog::~ShopDialog()
{
    m_pGoodsDialog.reset();
    if (s_pRunningShop == this)
    {
        s_pRunningShop = nullptr;
    }
}

ShopDialog* ShopDialog::Running()
{
    return s_pRunningShop;
}

int ShopDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    EventActionDialog::OnInitDialog(wParam, lParam);
    m_List.Attach(this, m_List.Binding());
    BindControl(&m_List);
    m_List.SetAcceleratorsAndMenu(kGoodsAccelerators, kGoodsPopup, kFreeListMode, kGoodsCommandSet);
    m_List.SetCurSel(0, 0);
    m_List.DataToControl();
    return 0;
}

ShopItemEntry* ShopDialog::SelectedEntry()
{
    const int index = m_List.GetDataPos();
    return index >= 0 && index < m_Goods.Count() ? &m_Goods.At(index) : nullptr;
}

int ShopDialog::EditEntry()
{
    return m_List.EditSelected(m_pGoodsDialog, kIdShopGoodsDialog, Owner(), 0, 1);
}

void ShopDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    EventActionDialog::OnCommand(wParam, lParam);
    if (HasEnded() || !CanHandleNotify(wParam))
    {
        return;
    }
    const int id = platform::LowWord(wParam);
    const int code = platform::HighWord(wParam);
    switch (id)
    {
    case kIdShopInsert:
        // A full list beeps and opens nothing; a cancelled entry goes again.
        m_List.InsertAndEdit(m_pGoodsDialog, kIdShopGoodsDialog, Owner(), 0, 1);
        break;
    case kIdShopEdit:
        EditEntry();
        break;
    case kIdShopDelete:
        if (m_List.GetDataPos() != -1)
        {
            m_List.Delete(-1);
        }
        break;
    case kIdShopGoods:
        if (code == platform::kLbnDblClk)
        {
            EditEntry();
        }
        else if (code == platform::kLbnSelChange && m_List.GetDataPos() != -1)
        {
            m_List.Refill();
        }
        break;
    default:
        break;
    }
    OfferListCommand(id);
    EndListUpdates();
}

intptr_t ShopDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == platform::kWmRButtonUp)
    {
        OnMessage(window, message, wParam, lParam);
        if (IsInitialised())
        {
            OpenListPopup();
        }
        return 1;
    }
    return EventActionDialog::WindowProc(window, message, wParam, lParam);
}

// ---- the goods entry ----

ShopGoodsDialog::ShopGoodsDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind,
                                 EditorApp* app, WindowBase* centreOn, int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_ItemNames(NamesFromRowOne(ItemTable))
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    ShopItemEntry* entry = s_pRunningShop ? s_pRunningShop->SelectedEntry() : nullptr;
    m_ComboBoxes.emplace_back().Binding().Set(kIdShopGoodsItem, entry ? &entry->m_nItem : &m_Spare.m_nItem,
                                              &m_ItemNames, 1, nullptr);
}

int ShopGoodsDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachControls(m_ComboBoxes);
    DataToControls();
    SetInitialised(1);
    return 0;
}

void ShopGoodsDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    OnOkCancel(wParam, lParam);
}

intptr_t ShopGoodsDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}
