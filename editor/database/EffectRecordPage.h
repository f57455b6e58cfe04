#pragma once

// What the item page and the skill page share: a table whose record 0 is
// never shown, at most 999 records listed; a category from the System's list
// of the page's own categories and an attribute from the System's attributes
// ("なし" in row 0, whatever attribute 0 is called); an effect graphic, a
// 128 x 48 strip of bmp\Effect.bmp, previewed; a sound file picked under
// "wave\SkillAndItem\" and kept relative to the project folder, played on the
// editor's fifth interface sound; and a kind that decides which fields are
// enabled (UpdateEnabledByKind, after every command once initialised).
//
// The category and attribute names are taken when the page is made and again
// when the page is shown after a save-all (the System may have changed). A
// combo box without a chosen row would store -1: the current record is
// fitted to the System's lists after every commit, and the working copy when
// the names are taken again, so that no record holds an index the lists lack.

#include "common/data/ProjectData.h"
#include "common/services/DialogItems.h"
#include "common/services/MessageBoxes.h"
#include "common/services/Paths.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/database/DatabaseTablePage.h"
#include "editor/database/ParameterIds.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/EditorStartup.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The ids both pages give their shared controls.
enum : int
{
    kIdEffectName = 1044,
    kIdEffectCategory = 1081,
    kIdEffectKind = 1083,
    kIdEffectAttribute = 1088,
    kIdEffectHitRate = 1140,
    kIdEffectCritical = 1137,
    kIdEffectGraphic = 1032,
    kIdEffectColour = 1090,
    kIdEffectPreview = 1070,
    kIdEffectSound = 1134,
    kIdEffectBrowse = 1133,
    kIdEffectPlay = 1139,
    kIdEffectText = 12057,
    kMaxEffectRecords = 999,
    kEffectStripWidth = 128,
    kEffectStripHeight = 48,
    // The interface sound the previews replace.
    kSoundPreviewEntry = 4,
};

// The rows of the attribute combo box: "なし", then attributes 1 .. last.
std::vector<std::string> AttributeItems();
// The rows of the graphic combo box: "0" .. "n-1", one per 48-pixel strip of a bitmap that high.
std::vector<std::string> EffectGraphicItems(int bitmapHeight);
// The names of a System list, entry i in row i.
template <class Entry>
std::vector<std::string> EntryNames(const CheckedVector<Entry>& entries)
{
    std::vector<std::string> names;
    for (const Entry& entry : entries)
    {
        names.push_back(entry.m_strName);
    }
    return names;
}
// "参照" of a sound: the file dialog under "wave\SkillAndItem\"; the chosen
// file, relative to the project folder, into the edit. False when the path
// cannot be made relative; a cancelled dialog changes nothing.
bool BrowseEffectSound(platform::WindowHandle page, int editId);
// "再生": the file on the editor's preview sound, from its start; a file that
// does not open is named in an error box. Nothing for an empty path.
void PlayEffectSound(const std::string& path);

template <class T>
class EffectRecordPage : public DatabaseTablePage<T>
{
    using Base = DatabaseTablePage<T>;

public:
    void OnPaint() override { DrawPreview(); }

    const std::vector<std::string>& CategoryItems() const { return m_CategoryItems; }
    const std::vector<std::string>& AttributeNames() const { return m_AttributeItems; }
    const std::vector<std::string>& GraphicItems() const { return m_GraphicItems; }
    BitmapControl& Preview() { return m_Pictures.At(0); }

protected:
    EffectRecordPage(int dialogId, DatabaseSheet& sheet, CheckedVector<T>& table, DataFilePathIndex file,
                     int listId, int32_t T::*index, typename Base::RowText rowText)
        : Base(dialogId, sheet, FillTable(table, 2), typename Base::Shape{listId, 1, 1, kMaxEffectRecords, file, index},
               rowText)
    {
    }

    // The System's names of the page's categories.
    virtual std::vector<std::string> CategoryNames() const = 0;
    // Enables the fields the kind shown in "種類" has.
    virtual void UpdateEnabledByKind() = 0;

    // The three name lists, from the System and the effect bitmap.
    void BuildNameLists()
    {
        m_CategoryItems = CategoryNames();
        m_AttributeItems = AttributeItems();
        const DibBitmap* effects = this->Host().SharedBitmap(kBitmapEffect);
        m_GraphicItems = EffectGraphicItems(effects && effects->IsCreated() ? effects->Height() : 0);
    }

    // The picture and the two sound buttons, attached.
    void AttachEffectControls()
    {
        this->AttachBound(m_Pictures);
        this->AttachPlainControls(m_SoundButtons);
    }

    void OnSetActive() override
    {
        if (this->m_bReload)
        {
            // The System may have changed: its names again, and every record fitted to them.
            BuildNameLists();
            for (T& record : this->m_Working)
            {
                record.Validate();
            }
            if (this->IsInitialised())
            {
                ComboOf(kIdEffectCategory).SetItemVector(&m_CategoryItems);
                ComboOf(kIdEffectAttribute).SetItemVector(&m_AttributeItems);
            }
        }
        Base::OnSetActive();
        if (!this->IsInitialised())
        {
            return;
        }
        this->m_List.Refill();
        this->m_List.EndUpdate();
        DrawPreview();
        UpdateEnabledByKind();
    }

    bool OnTableCommand(uintptr_t wParam, intptr_t) override
    {
        int id = platform::LowWord(wParam);
        int code = platform::HighWord(wParam);
        bool ok = true;
        if (id == kIdEffectGraphic && code == platform::kCbnSelChange)
        {
            DrawPreview();
        }
        else if (id == kIdEffectBrowse && code == platform::kBnClicked)
        {
            ok = BrowseEffectSound(this->Handle(), kIdEffectSound);
        }
        else if (id == kIdEffectPlay && code == platform::kBnClicked)
        {
            PlayEffectSound(this->m_Current.m_strSound);
        }
        if (ok && this->IsInitialised())
        {
            UpdateEnabledByKind();
        }
        return ok;
    }

    void OnRecordShown() override
    {
        DrawPreview();
        if (this->IsInitialised())
        {
            UpdateEnabledByKind();
        }
    }

    // Every control but the lists, a combo box without a chosen row keeping
    // the value it could not show; then the indices fitted to the System's lists.
    void StoreFields() override
    {
        std::vector<std::pair<int32_t*, int32_t>> kept;
        for (ComboBox& combo : m_Combos)
        {
            if (combo.CurSel() == -1 && combo.Binding().m_pValue)
            {
                kept.emplace_back(combo.Binding().m_pValue, *combo.Binding().m_pValue);
            }
        }
        this->ControlsToDataExceptLists();
        for (const auto& [value, before] : kept)
        {
            *value = before;
        }
        this->m_Current.Validate();
    }

    // The kind the "種類" combo box shows; -1 without a chosen row.
    int ShownKind()
    {
        ComboBox& kind = ComboOf(kIdEffectKind);
        return kind.CurSel() == -1 ? -1 : kind.PosToData(kind.CurSel());
    }

    // Enables or disables the bound controls and buttons with the ids.
    void EnableIds(std::initializer_list<int> ids, int on)
    {
        for (int id : ids)
        {
            EnableControlById(m_Numbers, id, on);
            EnableControlById(m_Texts, id, on);
            EnableControlById(m_Checks, id, on);
            EnableComboBoxById(m_Combos, id, on);
            EnableControlById(m_SoundButtons, id, on);
        }
    }

    void DrawPreview()
    {
        if (!m_Pictures.empty())
        {
            this->DrawCellPreview(m_Pictures.At(0), ComboOf(kIdEffectGraphic), 0, kBitmapEffect, kEffectStripWidth,
                                  kEffectStripHeight, 1);
        }
    }

    ComboBox& ComboOf(int id)
    {
        for (ComboBox& combo : m_Combos)
        {
            if (static_cast<uint16_t>(combo.Binding().m_nId) == id)
            {
                return combo;
            }
        }
        return m_Combos.At(0);
    }

    CheckedVector<NumberEdit<int>> m_Numbers;
    CheckedVector<TextEdit> m_Texts;
    CheckedVector<CheckBox> m_Checks;
    CheckedVector<ComboBox> m_Combos;
    CheckedVector<BitmapControl> m_Pictures;
    CheckedVector<PlainControl> m_SoundButtons;
    std::vector<std::string> m_CategoryItems;
    std::vector<std::string> m_AttributeItems;
    std::vector<std::string> m_GraphicItems;

    // The picture and the sound buttons, bound; the page binds the rest.
    void BindEffectControls()
    {
        m_Pictures.resize(1);
        m_Pictures.At(0).Binding().Set(kIdEffectPreview, kEffectStripWidth, kEffectStripHeight);
        m_SoundButtons.push_back(PlainControl(kIdEffectBrowse));
        m_SoundButtons.push_back(PlainControl(kIdEffectPlay));
    }
};
