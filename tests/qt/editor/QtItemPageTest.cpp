// The item page on real Qt widgets, offscreen: the fields each kind leaves
// enabled, the table of at least one item, the category names after a
// save-all (and no index the System lacks), the record count and the effect
// graphic's preview.
#include "editor/database/ItemPage.h"
#include "editor/framework/InputDialogs.h"
#include "editor/framework/ModalRuns.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

namespace
{

class QtItemPageTest : public QtDatabaseTest
{
protected:
    ItemPage& Items() const { return *static_cast<ItemPage*>(Sheet().Page(kPageItem)); }
    bool Enabled(int id) const { return m_System.Resolve(Item(Items(), id))->IsEnabled(); }
    QStringList ComboRows(int id) const
    {
        auto* combo = qobject_cast<QComboBox*>(Widget(Items(), id));
        QStringList rows;
        for (int i = 0; i < combo->count(); ++i)
        {
            rows << combo->itemText(i);
        }
        return rows;
    }
};

// Items named "I1", "I2", ... after record 0.
void NamedItems(int count)
{
    ItemTable.resize(static_cast<size_t>(count + 1));
    for (int i = 0; i <= count; ++i)
    {
        ItemTable.At(i).SetDefaults();
        ItemTable.At(i).m_strName = "I" + std::to_string(i);
    }
}

TEST_F(QtItemPageTest, EachKindEnablesItsFieldsAndDisabledFieldsKeepTheirValues)
{
    NamedItems(1);
    ItemTable.At(1).m_nHitRate = 80;
    Open();
    ShowPage(kPageItem);
    // Per kind: the attribute and rates; the percent box and the nine values; graphic, colour and sound.
    struct Case
    {
        int m_nKind;
        bool m_bBattle;
        bool m_bEffects;
    };
    for (Case c : {Case{3, false, false}, Case{2, false, true}, Case{1, true, true}, Case{0, true, true}})
    {
        ChooseRow(Items(), kIdEffectKind, c.m_nKind);
        EXPECT_EQ(Items().Working().At(1).m_nKind, c.m_nKind);
        for (int id : std::initializer_list<int>{kIdEffectAttribute, kIdEffectHitRate, 1141, kIdEffectCritical, kIdEffectGraphic,
                       kIdEffectColour, kIdEffectSound, kIdEffectBrowse, kIdEffectPlay})
        {
            EXPECT_EQ(Enabled(id), c.m_bBattle) << "kind " << c.m_nKind << " control " << id;
        }
        for (int id : std::initializer_list<int>{kIdItemPercent, 11037, 11045, 11068})
        {
            EXPECT_EQ(Enabled(id), c.m_bEffects) << "kind " << c.m_nKind << " control " << id;
        }
        for (int id : std::initializer_list<int>{kIdEffectName, kIdItemPrice, kIdItemMaxCount, kIdEffectCategory, kIdEffectKind, kIdEffectText})
        {
            EXPECT_TRUE(Enabled(id)) << "kind " << c.m_nKind << " control " << id;
        }
        EXPECT_EQ(Items().Working().At(1).m_nHitRate, 80);
    }
}

TEST_F(QtItemPageTest, ATableOfRecordZeroAloneGetsOneDefaultItemAndACountOfFiveAppendsDefaults)
{
    ItemTable.resize(1);
    Open();
    ShowPage(kPageItem);
    ASSERT_EQ(ItemTable.size(), 2u);
    EXPECT_EQ(Rows(Items(), kIdItemList), (QStringList{"1 ", kTrailerRow}));
    EXPECT_EQ(Edit(Items(), 1145)->text(), "99");
    EXPECT_EQ(Edit(Items(), kIdEffectHitRate)->text(), "100");

    ScriptedModalRuns runs;
    runs.Answer([](DialogBase& dialog) {
        auto* edit = platform::ModelOf<platform::EditModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), kIdInputEdit));
        EXPECT_EQ(edit->Text(), "1");
        edit->UserReplace("5", 0, static_cast<int>(edit->Text().size()));
        platform::ModelOf<platform::ButtonModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), 1006))->UserClick();
    });
    ClickButton(Items(), kIdDatabaseCount);
    ASSERT_EQ(Items().Working().size(), 6u);
    EXPECT_EQ(Items().Working().At(5).m_nMaxCount, 99);
    EXPECT_EQ(Items().Working().At(5).m_nHitRate, 100);
    ClickSheetButton(platform::kIdSheetApply);
    auto items = DatabaseProject::LoadTable<ItemRecord>("data\\database\\Item.dat");
    ASSERT_EQ(items.size(), 6u);
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(items.At(i).m_nItemB, i);
    }
}

TEST_F(QtItemPageTest, AfterACategoryIsDeletedAndAppliedThePageShowsTheNewNamesAndWritesNoNegativeCategory)
{
    System.m_ItemCategory.resize(3);
    System.m_ItemCategory.At(0).m_strName = "武器";
    System.m_ItemCategory.At(1).m_strName = "防具";
    System.m_ItemCategory.At(2).m_strName = "道具";
    NamedItems(2);
    ItemTable.At(2).m_nCategory = 2;
    Open();
    ShowPage(kPageItem);
    EXPECT_EQ(ComboRows(kIdEffectCategory), (QStringList{platform::FromCp932("武器"), platform::FromCp932("防具"),
                                                          platform::FromCp932("道具")}));
    // The System loses its third category and renames the first; the save-all marks the page.
    System.m_ItemCategory.resize(2);
    System.m_ItemCategory.At(0).m_strName = "刀";
    ClickSheetButton(platform::kIdSheetApply);
    ShowPage(kPageClass);
    ShowPage(kPageItem);
    EXPECT_EQ(ComboRows(kIdEffectCategory), (QStringList{platform::FromCp932("刀"), platform::FromCp932("防具")}));
    ClickRow(Items(), kIdItemList, 1);
    EXPECT_EQ(qobject_cast<QComboBox*>(Widget(Items(), kIdEffectCategory))->currentIndex(), 0);
    TypeAtEnd(Items(), kIdItemPrice, "5");
    EXPECT_EQ(Items().Working().At(2).m_nPrice, 5);
    EXPECT_EQ(Items().Working().At(2).m_nCategory, 0);
    ClickSheetButton(platform::kIdSheetApply);
    auto items = DatabaseProject::LoadTable<ItemRecord>("data\\database\\Item.dat");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items.At(2).m_nCategory, 0);
    EXPECT_EQ(items.At(2).m_nPrice, 5);
}

TEST_F(QtItemPageTest, TheGraphicPreviewsItsStripOfTheEffectBitmap)
{
    m_Project.WriteCellBitmap("bmp/Effect.bmp", 128, 48 * 3, 48);
    NamedItems(1);
    Open();
    ShowPage(kPageItem);
    EXPECT_EQ(Items().GraphicItems(), (std::vector<std::string>{"0", "1", "2"}));
    const DibBitmap& effects = *m_pView->SharedBitmap(kBitmapEffect);
    EXPECT_TRUE(DatabaseProject::ShowsCell(Items().Preview().Canvas(), effects, 0, 0));
    ChooseRow(Items(), kIdEffectGraphic, 2);
    EXPECT_EQ(Items().Working().At(1).m_nGraphic, 2);
    EXPECT_TRUE(DatabaseProject::ShowsCell(Items().Preview().Canvas(), effects, 0, 96));
}

} // namespace
