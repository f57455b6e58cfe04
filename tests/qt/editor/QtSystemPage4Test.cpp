// The last system page on real Qt widgets, offscreen: the three name lists
// with the hidden attribute 0, their minimum and maximum and their row
// numbers; the attribute and category dialogs with the symbols the sheet
// offers, the one-character name and Cancel; the menu check boxes with the
// hidden placement menu; the music slots and their preview, stopped when the
// sheet closes; the order in which Apply writes the files, and a System.dat
// that cannot be written.
#include "common/sound/BgmManager.h"
#include "common/sound/OggPlayer.h"
#include "editor/database/SystemPage4.h"
#include "editor/framework/ModalRuns.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

#include <sys/inotify.h>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

template <class Entry> void SetNames(CheckedVector<Entry>& list, std::initializer_list<const char*> names)
{
    list.clear();
    for (const char* name : names)
    {
        Entry entry;
        entry.m_strName = name;
        list.push_back(entry);
    }
}

QStringList NumberedRows(std::initializer_list<const char*> rows)
{
    QStringList out;
    for (const char* row : rows)
    {
        out << platform::FromCp932(row);
    }
    out << kTrailerRow;
    return out;
}

class QtSystemPage4Test : public QtDatabaseTest
{
protected:
    SystemPage4& Page4() const { return *static_cast<SystemPage4*>(Sheet().Page(kPageSystem4)); }
    SystemPage4& OpenPage4()
    {
        Open();
        ShowPage(kPageSystem4);
        return Page4();
    }

    // In a dialog the scripted runs answer.
    static platform::WindowHandle DialogItem(DialogBase& dialog, int id)
    {
        return AppWindowSystem->GetDlgItem(dialog.Handle(), id);
    }
    static void TypeChar(DialogBase& dialog, int id, const char* cp932)
    {
        auto* edit = platform::ModelOf<platform::EditModel>(DialogItem(dialog, id));
        const auto* bytes = reinterpret_cast<const unsigned char*>(cp932);
        edit->UserChar(bytes[1] ? bytes[0] * 256u + bytes[1] : bytes[0]);
    }
    static void Click(DialogBase& dialog, int id)
    {
        platform::ModelOf<platform::ButtonModel>(DialogItem(dialog, id))->UserClick();
    }
    static void Choose(DialogBase& dialog, int id, int row)
    {
        platform::ModelOf<platform::ComboBoxModel>(DialogItem(dialog, id))->UserSelect(row);
    }
};

TEST_F(QtSystemPage4Test, TheHiddenAttributeIsNeverListedAndTheOnlyCategoryCannotBeDeleted)
{
    SetNames(System.m_Attribute, {"無"});
    SetNames(System.m_SkillCategory, {"剣"});
    SetNames(System.m_ItemCategory, {"薬"});
    SystemPage4& page = OpenPage4();
    EXPECT_EQ(Rows(page, kIdAttributeList), QStringList{kTrailerRow});

    // "削除" on the trailing row only draws the rows again; "挿入" adds attribute 1.
    ClickButton(page, kIdAttributeDelete);
    EXPECT_EQ(m_Beeps.Count(), 0);
    ClickButton(page, kIdAttributeInsert);
    EXPECT_EQ(Rows(page, kIdAttributeList), NumberedRows({"1 "}));
    ASSERT_EQ(page.Attributes().Working().size(), 2u);
    EXPECT_EQ(page.Attributes().Working().At(0).m_strName, "無");

    // The only skill category and the only item category stay, with a beep each.
    const struct
    {
        int m_nList, m_nDelete;
        const char* m_pszRow;
    } onlyOnes[] = {{kIdSkillCategoryList, kIdSkillCategoryDelete, "1 剣"},
                    {kIdItemCategoryList, kIdItemCategoryDelete, "1 薬"}};
    for (const auto& only : onlyOnes)
    {
        m_Beeps.Clear();
        ClickRow(page, only.m_nList, 0);
        ClickButton(page, only.m_nDelete);
        EXPECT_EQ(m_Beeps.Count(), 1) << only.m_nList;
        EXPECT_EQ(Rows(page, only.m_nList), NumberedRows({only.m_pszRow})) << only.m_nList;
    }

    // Nothing reaches the System before Apply; Apply writes the new attribute into System.dat.
    EXPECT_EQ(System.m_Attribute.size(), 1u);
    ClickSheetButton(platform::kIdSheetApply);
    SystemRecord saved;
    ASSERT_EQ(LoadRecordFile(saved, "data\\database\\System.dat", 0), 1);
    ASSERT_EQ(saved.m_Attribute.size(), 2u);
    EXPECT_EQ(saved.m_Attribute.At(0).m_strName, "無");
    EXPECT_EQ(saved.m_SkillCategory.size(), 1u);
    EXPECT_EQ(System.m_Attribute.size(), 2u);
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(QtSystemPage4Test, RowsRenumberAsTheListGrowsAndAFullListBeeps)
{
    SetNames(System.m_SkillCategory, {"a", "b", "c", "d", "e", "f", "g", "h", "i"});
    System.m_ItemCategory.resize(99);
    SystemPage4& page = OpenPage4();
    EXPECT_EQ(Rows(page, kIdSkillCategoryList),
              NumberedRows({"1 a", "2 b", "3 c", "4 d", "5 e", "6 f", "7 g", "8 h", "9 i"}));

    // Inserted on row 2: the blank entry lands before "c", which moves down; the new row stays selected.
    ClickRow(page, kIdSkillCategoryList, 2);
    ClickButton(page, kIdSkillCategoryInsert);
    EXPECT_EQ(Rows(page, kIdSkillCategoryList),
              NumberedRows({"01 a", "02 b", "03 ", "04 c", "05 d", "06 e", "07 f", "08 g", "09 h", "10 i"}));
    EXPECT_EQ(List(page, kIdSkillCategoryList)->currentRow(), 2);
    // On the trailing row: appended.
    ClickRow(page, kIdSkillCategoryList, 10);
    ClickButton(page, kIdSkillCategoryInsert);
    EXPECT_EQ(Rows(page, kIdSkillCategoryList).at(10), "11 ");
    EXPECT_EQ(m_Beeps.Count(), 0);

    // 99 item categories: "挿入" and paste beep and change nothing.
    ClickRow(page, kIdItemCategoryList, 0);
    ClickButton(page, kIdItemCategoryInsert);
    EXPECT_EQ(m_Beeps.Count(), 1);
    m_System.SetFocus(Item(page, kIdItemCategoryList));
    CtrlKey(List(page, kIdItemCategoryList), Qt::Key_C);
    CtrlKey(List(page, kIdItemCategoryList), Qt::Key_V);
    EXPECT_EQ(m_Beeps.Count(), 2);
    EXPECT_EQ(page.ItemCategories().Working().size(), 99u);
}

TEST_F(QtSystemPage4Test, SymbolsComeFromTheSheetsWidthAtMostForty)
{
    const struct
    {
        int m_nWidth;
        size_t m_nCount;
    } cases[] = {{0, 0}, {15, 0}, {16, 1}, {320, 20}, {639, 39}, {1024, 40}};
    for (const auto& c : cases)
    {
        std::vector<std::string> items = SymbolItems(c.m_nWidth);
        ASSERT_EQ(items.size(), c.m_nCount) << c.m_nWidth;
        if (!items.empty())
        {
            EXPECT_EQ(items.front(), "0");
            EXPECT_EQ(items.back(), std::to_string(c.m_nCount - 1));
        }
    }
}

TEST_F(QtSystemPage4Test, TheDialogsEditOneCharacterAndASymbolAndCancelChangesNothing)
{
    m_Project.WriteCellBitmap("bmp/Symbol.bmp", 320, 16, 16);
    SetNames(System.m_Attribute, {"無", "火"});
    System.m_Attribute.At(1).m_nSymbol = 3;
    SetNames(System.m_SkillCategory, {"剣"});
    SetNames(System.m_ItemCategory, {"薬", "盾"});
    System.m_ItemCategory.At(1).m_nSymbol = 25; // beyond the sheet: no row chosen
    SystemPage4& page = OpenPage4();
    const DibBitmap& sheet = m_pView->m_Bitmaps[kBitmapSymbol];
    ASSERT_EQ(sheet.Width(), 320);

    ClickRow(page, kIdAttributeList, 0);
    {
        ScriptedModalRuns runs;
        // Changed, then cancelled.
        runs.Answer(
            [&](DialogBase& dialog)
            {
                auto& entry = static_cast<SymbolEntryDialog&>(dialog);
                std::vector<std::string> expected;
                for (int n = 0; n < 20; ++n)
                {
                    expected.push_back(std::to_string(n));
                }
                EXPECT_EQ(entry.Symbols(), expected);
                EXPECT_EQ(ModelOf<platform::ComboBoxModel>(dialog, kIdSymbolEntrySymbol)->Selection(), 3);
                EXPECT_TRUE(DatabaseProject::ShowsCell(entry.Preview().Canvas(), sheet, 3 * 16, 0));
                Choose(dialog, kIdSymbolEntrySymbol, 5);
                EXPECT_TRUE(DatabaseProject::ShowsCell(entry.Preview().Canvas(), sheet, 5 * 16, 0));
                Click(dialog, kIdDialogCancel);
            });
        // A name of one double-byte character: the second is refused.
        runs.Answer(
            [&](DialogBase& dialog)
            {
                auto* name = ModelOf<platform::EditModel>(dialog, kIdSymbolEntryName);
                name->UserReplace("", 0, static_cast<int>(name->Text().size()));
                TypeChar(dialog, kIdSymbolEntryName, "炎");
                TypeChar(dialog, kIdSymbolEntryName, "氷");
                EXPECT_EQ(name->Text(), "炎");
                Choose(dialog, kIdSymbolEntrySymbol, 7);
                Click(dialog, kIdDialogOk);
            });
        ClickButton(page, kIdAttributeEdit);
        EXPECT_EQ(page.Attributes().Working().At(1).m_strName, "火");
        EXPECT_EQ(page.Attributes().Working().At(1).m_nSymbol, 3);
        ClickButton(page, kIdAttributeEdit);
        ASSERT_EQ(runs.Runs().size(), 2u);
        EXPECT_EQ(runs.Runs()[0].m_strTitle, "属性の種類");
    }
    EXPECT_EQ(page.Attributes().Working().At(1).m_strName, "炎");
    EXPECT_EQ(page.Attributes().Working().At(1).m_nSymbol, 7);
    EXPECT_EQ(Rows(page, kIdAttributeList), NumberedRows({"1 炎"}));
    EXPECT_EQ(System.m_Attribute.At(1).m_strName, "火"); // until Apply

    // A double click on an item category opens the category dialog on it; a
    // symbol the sheet lacks shows no row and OK keeps it.
    ClickRow(page, kIdItemCategoryList, 1);
    {
        ScriptedModalRuns runs;
        runs.Answer(
            [&](DialogBase& dialog)
            {
                EXPECT_EQ(Page4().CategorySelector(), 1);
                EXPECT_EQ(ModelOf<platform::ComboBoxModel>(dialog, kIdSymbolEntrySymbol)->Selection(), -1);
                Click(dialog, kIdDialogOk);
            });
        ModelOf<platform::ListBoxModel>(page, kIdItemCategoryList)->UserDoubleClick(1);
        ASSERT_EQ(runs.Runs().size(), 1u);
        EXPECT_EQ(runs.Runs()[0].m_strTitle, "カテゴリーの種類");
    }
    EXPECT_EQ(page.ItemCategories().Working().At(1).m_nSymbol, 25);
    EXPECT_EQ(page.ItemCategories().Working().At(1).m_strName, "盾");
    // "編集" on the trailing row opens nothing.
    ClickRow(page, kIdSkillCategoryList, 1);
    ScriptedModalRuns none;
    ClickButton(page, kIdSkillCategoryEdit);
    EXPECT_TRUE(none.Runs().empty());
}

TEST_F(QtSystemPage4Test, TheHiddenPlacementMenuKeepsItsValuesThroughApply)
{
    const int32_t placement[kPlacementMenuLength] = {1, 0, 1, 0, 0, 1};
    for (int i = 0; i < kPlacementMenuLength; ++i)
    {
        System.m_PlacementMenu.At(i).m_bEnabled = placement[i];
    }
    System.m_BattleCharaMenu.At(2).m_bEnabled = 0; // "クイック"
    SystemPage4& page = OpenPage4();
    for (int id : {1044, 1046, 1047, 1048, 1049, 1050})
    {
        EXPECT_FALSE(m_System.Resolve(Item(page, id))->IsVisible()) << id;
    }
    EXPECT_TRUE(m_System.Resolve(Item(page, 1036))->IsVisible());
    EXPECT_EQ(ModelOf<platform::ButtonModel>(page, 1061)->Check(), 0);

    ModelOf<platform::ButtonModel>(page, 1036)->UserClick(); // "セーブ" off
    ModelOf<platform::ButtonModel>(page, 1061)->UserClick(); // "クイック" on
    ClickSheetButton(platform::kIdSheetApply);
    ClickSheetButton(platform::kIdSheetApply);
    SystemRecord saved;
    ASSERT_EQ(LoadRecordFile(saved, "data\\database\\System.dat", 0), 1);
    for (int i = 0; i < kPlacementMenuLength; ++i)
    {
        EXPECT_EQ(saved.m_PlacementMenu.At(i).m_bEnabled, placement[i]) << i;
    }
    EXPECT_EQ(saved.m_FormationMenu.At(8).m_bEnabled, 0);
    EXPECT_EQ(saved.m_FormationMenu.At(7).m_bEnabled, 1);
    EXPECT_EQ(saved.m_BattleCharaMenu.At(2).m_bEnabled, 1);
}

TEST_F(QtSystemPage4Test, ApplyWithoutEditsWritesSystemDatAsItWasRead)
{
    System.SetDefaults();
    SetNames(System.m_Attribute, {"無", "火", "水"});
    System.m_Attribute.At(2).m_nSymbol = 39;
    SetNames(System.m_ItemCategory, {"剣", "盾"});
    System.m_ItemCategory.At(1).m_nSymbol = 45; // beyond any sheet
    System.m_strBgm[0] = "bgm\\Stage.mid";
    System.m_strBgm[3] = ".\\bgm\\タイトル.ogg";
    System.m_PlacementMenu.At(3).m_bEnabled = 0;
    System.m_MapMenu.At(1).m_bEnabled = 0;
    ASSERT_EQ(SaveRecordFile(System, "data\\database\\System.dat"), 1);
    const auto before = SnapshotFolder("data/database");
    ResetProjectData();
    ASSERT_EQ(LoadRecordFile(System, "data\\database\\System.dat", 0), 1);

    OpenPage4();
    ClickSheetButton(platform::kIdSheetApply);
    EXPECT_EQ(SnapshotFolder("data/database").at("System.dat"), before.at("System.dat"));
}

// Ogg players that open any file but "bgm\bad.ogg", counting the stops.
class CountingOggFactory : public OggPlayerFactory
{
public:
    class Player : public OggPlayer
    {
    public:
        explicit Player(int& stops) : m_pStops(&stops) {}
        bool Open(std::string_view path) override { return path != "bgm\\bad.ogg"; }
        void Play() override {}
        int Stop() override { return ++*m_pStops, 0; }
        void Close() override {}
        void SetLoopCount(int) override {}
        void Seek(int64_t) override {}
        int64_t Position() const override { return 0; }

    private:
        int* m_pStops;
    };
    std::unique_ptr<OggPlayer> CreatePlayer() override { return std::make_unique<Player>(m_nStops); }
    int m_nStops = 0;
};

TEST_F(QtSystemPage4Test, MusicIsPickedAndPreviewedBeforeApplyAndClosingTheSheetStopsIt)
{
    CountingOggFactory players;
    Bgm.SetDevices(&players, nullptr);
    ASSERT_EQ(Bgm.Init(1, {"bgm\\Free.ogg"}, {"bgm\\Free.mid"}, 1), 1);
    m_Folder.WriteFile("bgm/Title.ogg", std::string("OggS"));
    System.m_strBgm[1] = "bgm\\old.ogg";
    System.m_strBgm[2] = "bgm\\bad.ogg";
    SystemPage4& page = OpenPage4();
    EXPECT_EQ(Edit(page, 1281)->text(), "bgm\\old.ogg");
    EXPECT_TRUE(Edit(page, 1281)->isReadOnly());

    ClickButton(page, 1286); // the empty stage slot: nothing plays
    EXPECT_EQ(Bgm.CurrentTrack(), -1);
    ClickButton(page, 1280);
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strText, "読み込み失敗！");

    m_Boxes.AnswerFileDialog({(m_Folder.Path() / "bgm/Title.ogg").string()});
    ClickButton(page, 1288);
    ASSERT_EQ(m_Boxes.FileRequests().size(), 1u);
    EXPECT_EQ(m_Boxes.FileRequests()[0].m_strTitle, "BGMの選択");
    EXPECT_EQ(m_Boxes.FileRequests()[0].m_strInitialFolder, "bgm\\");
    EXPECT_EQ(Edit(page, 1287)->text(), ".\\bgm\\Title.ogg");
    EXPECT_EQ(System.m_strBgm[3], "");
    ClickButton(page, 1289); // the new file plays before Apply
    EXPECT_EQ(Bgm.OggPath(0), ".\\bgm\\Title.ogg");
    EXPECT_EQ(Bgm.CurrentTrack(), 0);
    ClickSheetButton(platform::kIdSheetApply);
    EXPECT_EQ(System.m_strBgm[3], ".\\bgm\\Title.ogg");

    const int stops = players.m_nStops;
    ClickSheetButton(platform::kIdCancel);
    m_System.PumpMessages();
    EXPECT_GT(players.m_nStops, stops);
    EXPECT_EQ(m_pView->m_nClosed, 1);
    EXPECT_EQ(m_pView->m_Holder, nullptr);
    Bgm.Release();
    Bgm.SetDevices(nullptr, nullptr);
}

// The names of the files renamed into the folder since the watch began, in order.
class RenameWatch
{
public:
    explicit RenameWatch(const char* folder) : m_nFd(::inotify_init1(IN_NONBLOCK))
    {
        ::inotify_add_watch(m_nFd, folder, IN_MOVED_TO);
    }
    ~RenameWatch() { ::close(m_nFd); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        alignas(inotify_event) char buffer[8192];
        ssize_t got;
        while ((got = ::read(m_nFd, buffer, sizeof buffer)) > 0)
        {
            for (ssize_t at = 0; at < got;)
            {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                names.push_back(event->len ? event->name : "");
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int m_nFd;
};

TEST_F(QtSystemPage4Test, ApplyWritesTheSystemFirstThenTheTablesTwiceAndNamesASystemFileItCannotWrite)
{
    Open();
    RenameWatch watch("data/database");
    ClickSheetButton(platform::kIdSheetApply);
    const std::vector<std::string> once = {"System.dat", "Land.dat",   "Skill.dat", "Item.dat",
                                           "Class.dat",  "Friend.dat", "Enemy.dat"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(watch.Names(), twice);
    EXPECT_TRUE(m_Boxes.Boxes().empty());

    // A folder where System.dat should be: the other files are written, System.dat is named once.
    fs::remove("data/database/System.dat");
    fs::create_directory("data/database/System.dat");
    TypeAtEnd(Classes(), kIdClassName, "A"); // Apply is enabled by a change
    ClickSheetButton(platform::kIdSheetApply);
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
    const std::string& text = m_Boxes.Boxes()[0].m_strText;
    EXPECT_NE(text.find("data\\database\\System.datが書き込めません！"), std::string::npos) << text;
    EXPECT_EQ(text.find("Land.dat"), std::string::npos) << text;
    EXPECT_EQ(watch.Names(),
              (std::vector<std::string>{"Land.dat", "Skill.dat", "Item.dat", "Class.dat", "Friend.dat", "Enemy.dat",
                                        "Land.dat", "Skill.dat", "Item.dat", "Class.dat", "Friend.dat", "Enemy.dat"}));
}

} // namespace
