#include "editor/database/SystemPage4.h"

#include "common/data/DataFile.h"
#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "common/services/DialogItems.h"
#include "common/sound/BgmManager.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/framework/MusicFileField.h"

namespace
{

constexpr int kMaxShownEntries = 99;

// The list's shape: numbered rows of the entries' names, the trailing row, a row always selected.
template <class Entry>
void BindNameList(ListBox<Entry>& list, int id, CheckedVector<Entry>& bound, CheckedVector<Entry>& working, int base,
                  int minimum)
{
    list.Binding().Set(id, &bound, &working, nullptr, 1, minimum, kMaxShownEntries, base, 1, 0,
                       [](std::string& out, int, const Entry& entry) { out = entry.m_strName; });
}

} // namespace

SystemPage4::SystemPage4(DatabaseSheet& sheet)
    : DatabasePage(kIdSystemPage4, sheet), m_Attributes(::System.m_Attribute),
      m_SkillCategories(::System.m_SkillCategory), m_ItemCategories(::System.m_ItemCategory), m_Music(kMusicSlotCount),
      m_Commands(kMenuCommandCount)
{
    UseClassProcedure(this);
    BindNameList(m_AttributeList, kIdAttributeList, ::System.m_Attribute, m_Attributes, 1, 0);
    BindNameList(m_SkillCategoryList, kIdSkillCategoryList, ::System.m_SkillCategory, m_SkillCategories, 0, 1);
    BindNameList(m_ItemCategoryList, kIdItemCategoryList, ::System.m_ItemCategory, m_ItemCategories, 0, 1);
    for (int slot = 0; slot < kMusicSlotCount; ++slot)
    {
        m_Music.At(slot).Binding().Set(kMusicSlots[slot].m_nEdit, &::System.m_strBgm[slot], kMaxPathBytes, 0);
    }
    CheckedVector<MenuCommandEntry>* menus[] = {&::System.m_FormationMenu, &::System.m_PlacementMenu,
                                                &::System.m_MapCharaMenu, &::System.m_MapMenu,
                                                &::System.m_BattleCharaMenu};
    const int lengths[] = {kFormationMenuLength, kPlacementMenuLength, kMapCharaMenuLength, kMapMenuLength,
                           kBattleCharaMenuLength};
    int box = 0;
    for (int menu = 0; menu < 5; ++menu)
    {
        for (int entry = 0; entry < lengths[menu]; ++entry, ++box)
        {
            int32_t* value = entry < menus[menu]->Count() ? &menus[menu]->At(entry).m_bEnabled : &m_Spare[box];
            m_Commands.At(box).Binding().Set(kMenuCommandIds[box], value);
        }
    }
}

SystemPage4::~SystemPage4() = default;

int SystemPage4::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    m_AttributeList.Attach(this, m_AttributeList.Binding());
    BindControl(&m_AttributeList);
    m_SkillCategoryList.Attach(this, m_SkillCategoryList.Binding());
    BindControl(&m_SkillCategoryList);
    m_ItemCategoryList.Attach(this, m_ItemCategoryList.Binding());
    BindControl(&m_ItemCategoryList);
    AttachBound(m_Music, m_Commands);
    m_AttributeList.SetAcceleratorsAndMenu(117, 116, 1, 1);
    m_SkillCategoryList.SetAcceleratorsAndMenu(130, 169, 1, 2);
    m_ItemCategoryList.SetAcceleratorsAndMenu(131, 174, 1, 3);
    OnSetActive();
    m_AttributeList.SetCurSel(0, 1);
    m_SkillCategoryList.SetCurSel(0, 1);
    m_ItemCategoryList.SetCurSel(0, 1);
    DataToControls();
    SetInitialised(1);
    return 0;
}

bool SystemPage4::OnPageCommand(uintptr_t wParam, intptr_t)
{
    const int id = platform::LowWord(wParam);
    const int code = platform::HighWord(wParam);
    const bool clicked = code == platform::kBnClicked;
    // The name lists: the buttons, then the lists' own notifications.
    struct NameList
    {
        ListBoxBase* m_pList;
        int m_nList, m_nInsert, m_nEdit, m_nDelete;
    };
    const NameList lists[] = {
        {&m_AttributeList, kIdAttributeList, kIdAttributeInsert, kIdAttributeEdit, kIdAttributeDelete},
        {&m_SkillCategoryList, kIdSkillCategoryList, kIdSkillCategoryInsert, kIdSkillCategoryEdit,
         kIdSkillCategoryDelete},
        {&m_ItemCategoryList, kIdItemCategoryList, kIdItemCategoryInsert, kIdItemCategoryEdit, kIdItemCategoryDelete},
    };
    for (int n = 0; n < 3; ++n)
    {
        const NameList& list = lists[n];
        if (id == list.m_nInsert && clicked)
        {
            list.m_pList->InsertNew();
        }
        else if (id == list.m_nDelete && clicked)
        {
            list.m_pList->Delete(-1);
        }
        else if ((id == list.m_nEdit && clicked) || (id == list.m_nList && code == platform::kLbnDblClk))
        {
            if (n == 0)
            {
                EditEntry(m_AttributeList, m_pAttributeDialog, kIdAttributeTypeDialog);
            }
            else
            {
                m_nCategorySelector = n - 1;
                EditEntry(n == 1 ? m_SkillCategoryList : m_ItemCategoryList, m_pCategoryDialog, kIdCategoryTypeDialog);
            }
        }
        else if (id == list.m_nList && code == platform::kLbnSelChange)
        {
            list.m_pList->StoreSelected();
            if (list.m_pList->GetDataPos() != -1)
            {
                list.m_pList->Refill();
            }
        }
    }
    for (int slot = 0; slot < kMusicSlotCount; ++slot)
    {
        if (id == kMusicSlots[slot].m_nBrowse && clicked)
        {
            BrowseBgm(slot);
        }
        else if (id == kMusicSlots[slot].m_nPlay && clicked)
        {
            PlayBgm(slot);
        }
    }
    return true;
}

template <class Dialog, class Entry>
void SystemPage4::EditEntry(ListBox<Entry>& list, std::unique_ptr<Dialog>& holder, int dialogId)
{
    const DibBitmap* symbols = Host().SharedBitmap(kBitmapSymbol);
    EditorApp* app = Sheet().Application();
    list.RunEntryDialog(holder, app, 0, 1,
                        [&](Entry& entry, ControlAnchor* anchor) {
                            return std::make_unique<Dialog>(entry, symbols, dialogId, list.OwnerWindow(), 0,
                                                            kWindowDialog, app, anchor, 1);
                        });
}

void SystemPage4::BrowseBgm(int slot)
{
    BrowseMusicFile(Handle(), kMusicSlots[slot].m_nEdit, kMaxPathBytes);
}

void SystemPage4::PlayBgm(int slot)
{
    PlayMusicFile(Handle(), kMusicSlots[slot].m_nEdit, kMaxPathBytes);
}

void SystemPage4::OnPageDestroyed()
{
    Bgm.Stop();
}

int SystemPage4::Save(DatabaseSaveErrors& errors)
{
    if (Handle())
    {
        ControlsToData();
        ::System.m_Attribute = m_Attributes;
        ::System.m_SkillCategory = m_SkillCategories;
        ::System.m_ItemCategory = m_ItemCategories;
    }
    const char* path = DataFilePaths[kPathSystem];
    std::string reason;
    if (!SaveRecordFile(::System, path, &reason))
    {
        errors.Add(path, reason);
        return 0;
    }
    return 1;
}
