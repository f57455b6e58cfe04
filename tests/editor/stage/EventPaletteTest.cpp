// The event palette of a started editor on the dummy backend, with the event
// dialog (167) it opens answered through scripted modal runs: the pen's
// template, insert and edit, the clipboards, the palette files and the
// default palette.
#include "common/data/EventVocabulary.h"
#include "common/data/PaletteFiles.h"
#include "editor/event/EventDialog.h"
#include "editor/framework/ModalRuns.h"
#include "editor/stage/EventPalette.h"
#include "platform/window/Beep.h"
#include "tests/editor/framework/DialogAuthor.h"
#include "tests/editor/stage/StageWindowFixture.h"

namespace
{

using Rows = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;
const std::string kTrailer(64, '-');

Event Template(const char* name, int32_t graphic = 0)
{
    Event event;
    event.m_strName = name;
    event.m_Page.At(0).m_nGraphic = graphic;
    return event;
}

Bytes Image(const Event& event)
{
    Event copy = event;
    DataWriter out;
    copy.Save(out);
    return out.Bytes();
}

std::vector<std::string> Names(const CheckedVector<Event>& events)
{
    std::vector<std::string> names;
    for (const Event& event : events)
    {
        names.push_back(event.m_strName);
    }
    return names;
}

void PutInt(Bytes& bytes, int32_t value)
{
    for (int i = 0; i < 4; ++i)
    {
        bytes.push_back(static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i)));
    }
}

class EventPaletteTest : public StageWindowTest, public DialogAuthor
{
protected:
    EventPaletteTest() : DialogAuthor(m_System) {}
    // The editor with the templates, showing the event palette.
    void StartWithTemplates(std::vector<Event> templates)
    {
        StartWithLands(5);
        Stage.m_PaletteEvent.assign(templates.begin(), templates.end());
        std::filesystem::create_directories(m_Folder.Path() / "data/plt");
        Command(kCmdBarEvents);
        ASSERT_NE(Palette(), nullptr);
        m_nBoxesAtStart = m_Boxes.Boxes().size(); // the start-up's own (no sound here)
    }
    // The texts of the boxes shown since the palette opened.
    std::vector<std::string> NewBoxes() const
    {
        std::vector<std::string> texts;
        for (size_t i = m_nBoxesAtStart; i < m_Boxes.Boxes().size(); ++i)
        {
            texts.push_back(m_Boxes.Boxes()[i].m_strText);
        }
        return texts;
    }
    EventPalette* Palette() const { return static_cast<EventPalette*>(Window()->EventPalette()); }
    std::vector<std::string> TemplateNames() const { return Names(Stage.m_PaletteEvent); }

public:
    void PaletteClick(int id)
    {
        Click(*Palette(), id);
        m_System.PumpMessages();
    }
    void PaletteCommand(int id)
    {
        m_System.SendMessage(Palette()->Handle(), platform::kWmCommand, platform::MakeWParam(id, 0), 0);
        m_System.PumpMessages();
    }
    void PalettePick(int row) { Pick(*Palette(), kIdTemplateList, row); }

protected:
    ScriptedModalRuns m_Runs;
    platform::BeepRecorder m_Beeps;
    size_t m_nBoxesAtStart = 0;
};

TEST_F(EventPaletteTest, TheSelectedTemplateIsThePensEventAndTheTrailingRowGivesNone)
{
    StartWithTemplates({Template("宝箱", 3), Template("扉", 7)});
    EventPalette& palette = *Palette();
    EXPECT_EQ(RowsOf(palette, kIdTemplateList), (Rows{"1 宝箱", "2 扉", kTrailer}));

    PalettePick(1);
    EXPECT_EQ(StageEdit.m_nPltNum, 1);
    EXPECT_EQ(StageEdit.m_nBlockWidth, 1);
    EXPECT_EQ(StageEdit.m_nBlockHeight, 1);
    EXPECT_EQ(StageEdit.m_nPaletteRow, 1);
    EXPECT_EQ(Image(StageEdit.m_PutEvent), Image(Stage.m_PaletteEvent.At(1)));

    PalettePick(2);
    EXPECT_EQ(StageEdit.m_nPltNum, -1);
    EXPECT_EQ(StageEdit.m_nBlockWidth, 0);
    EXPECT_EQ(StageEdit.m_nBlockHeight, 0);
    // The trailing row: edit and delete do nothing, copy beeps.
    PaletteClick(kIdTemplateEdit);
    PaletteClick(kIdTemplateDelete);
    ListCommand(palette, kIdTemplateList, kIdTemplateCopyKey);
    EXPECT_EQ(m_Runs.Runs().size(), 0u);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱", "扉"}));
    EXPECT_EQ(m_Beeps.Count(), 1);
    EXPECT_EQ(StageEdit.m_bClipboard, 0);

    // Copy puts the template into the stage editor's clipboard too; paste inserts it before the row.
    PalettePick(0);
    ListCommand(palette, kIdTemplateList, kIdTemplateCopyMenu);
    EXPECT_EQ(StageEdit.m_bClipboard, 1);
    EXPECT_EQ(StageEdit.m_ClipboardEvent.m_strName, "宝箱");
    PalettePick(1);
    ListCommand(palette, kIdTemplateList, kIdTemplatePasteKey);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱", "宝箱", "扉"}));
    // Cut the second: the clipboards hold it.
    PalettePick(2);
    ListCommand(palette, kIdTemplateList, kIdTemplateCutKey);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱", "宝箱"}));
    EXPECT_EQ(StageEdit.m_ClipboardEvent.m_strName, "扉");
    EXPECT_EQ(StageEdit.m_nPltNum, 1) << "the last row went: the row before it is picked";

    // The two placement options are stored at once.
    const int32_t placed = EditConfig.m_bEditPlacedEvent;
    const int32_t beforePlacing = EditConfig.m_bEditBeforePlacing;
    Click(palette, kIdEditPlacedEvent);
    EXPECT_EQ(EditConfig.m_bEditPlacedEvent, !placed);
    Click(palette, kIdEditBeforePlacing);
    EXPECT_EQ(EditConfig.m_bEditBeforePlacing, !beforePlacing);

    // The palette cannot be closed by itself; another palette and back opens it on its row.
    m_System.SendMessage(palette.Handle(), platform::kWmClose, 0, 0);
    EXPECT_TRUE(m_System.Resolve(palette.Handle()) != nullptr);
    Command(kCmdBarMapChips);
    EXPECT_EQ(Window()->EventPalette(), nullptr);
    Command(kCmdBarEvents);
    ASSERT_NE(Palette(), nullptr);
    EXPECT_EQ(SelectionOf(*Palette(), kIdTemplateList), 1);
    EXPECT_EQ(StageEdit.m_nPltNum, 1);
}

TEST_F(EventPaletteTest, NoSecondEventDialogStartsWhileOneRuns)
{
    StartWithTemplates({Template("宝箱"), Template("扉")});
    std::filesystem::create_directories("data/database");
    PalettePick(0);
    const Rows before = TemplateNames();
    const int attempts[] = {kIdTemplateEdit, kIdTemplateInsert, kIdTemplateInsertKey, kIdTemplateInsertMenu};

    // The stage editor's event dialog (the start event) runs: the palette is
    // disabled, and what reaches it all the same opens nothing.
    m_Runs.Answer(
        [&](DialogBase& dialog)
        {
            EXPECT_FALSE(m_System.Resolve(Palette()->Handle())->IsEnabled());
            for (int id : attempts)
            {
                PaletteCommand(id);
            }
            m_System.SendMessage(Palette()->Handle(), platform::kWmCommand,
                                 platform::MakeWParam(kIdTemplateList, platform::kLbnDblClk), 0);
            EXPECT_EQ(EventDialog::Running(), &dialog);
            EXPECT_EQ(TemplateNames(), before);
            Click(dialog, kIdDialogOk);
        });
    Command(kCmdStartEvent);
    ASSERT_EQ(m_Runs.Runs().size(), 1u);
    EXPECT_EQ(m_Runs.Runs()[0].m_nResult, 1);
    EXPECT_EQ(m_Beeps.Count(), static_cast<int>(std::size(attempts)) + 1);
    EXPECT_TRUE(m_System.Resolve(Palette()->Handle())->IsEnabled());
    EXPECT_EQ(EventDialog::Running(), nullptr);

    // The palette's own event dialog runs: the stage editor's command opens none either.
    m_Beeps.Clear();
    m_Runs.Answer(
        [&](DialogBase& dialog)
        {
            EXPECT_FALSE(m_System.Resolve(Window()->Handle())->IsEnabled());
            Command(kCmdStartEvent);
            EXPECT_EQ(EventDialog::Running(), &dialog);
            Type(dialog, kIdEventName, "罠");
            Click(dialog, kIdDialogOk);
        });
    PaletteClick(kIdTemplateEdit);
    ASSERT_EQ(m_Runs.Runs().size(), 2u);
    EXPECT_EQ(m_Runs.Runs()[1].m_nResult, 1);
    EXPECT_EQ(m_Beeps.Count(), 1);
    EXPECT_EQ(TemplateNames(), (Rows{"罠", "扉"}));
}

TEST_F(EventPaletteTest, CuttingTheOnlyTemplateKeepsItAndStillPutsItOnTheMapsClipboard)
{
    StartWithTemplates({Template("宝箱")});
    PalettePick(0);
    ListCommand(*Palette(), kIdTemplateList, kIdTemplateCutMenu);
    EXPECT_EQ(m_Beeps.Count(), 1) << "the only template cannot go";
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱"}));
    EXPECT_EQ(StageEdit.m_bClipboard, 1);
    EXPECT_EQ(StageEdit.m_ClipboardEvent.m_strName, "宝箱");
}

TEST_F(EventPaletteTest, InsertEditsTheNewTemplateAndCancelTakesItOutAgain)
{
    StartWithTemplates({Template("宝箱")});
    PalettePick(0);
    m_Runs.Answer([&](DialogBase& dialog) {
        EXPECT_EQ(TemplateNames(), (Rows{"", "宝箱"}));
        Type(dialog, kIdEventName, "罠");
        Click(dialog, kIdDialogCancel);
    });
    PaletteClick(kIdTemplateInsert);
    ASSERT_EQ(m_Runs.Runs().size(), 1u);
    EXPECT_EQ(m_Runs.Runs()[0].m_nDialogId, kIdEventDialog);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱"}));
    EXPECT_EQ(StageEdit.UndoLists().Count(), 0);

    PalettePick(1); // the trailing row: the new template goes at the end
    m_Runs.Answer([&](DialogBase& dialog) {
        Type(dialog, kIdEventName, "罠");
        Click(dialog, kIdDialogOk);
    });
    PaletteClick(kIdTemplateInsert);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱", "罠"}));
    EXPECT_EQ(RowsOf(*Palette(), kIdTemplateList), (Rows{"1 宝箱", "2 罠", kTrailer}));
    EXPECT_EQ(StageEdit.m_nPltNum, 1);
    EXPECT_EQ(StageEdit.m_PutEvent.m_strName, "罠");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 0) << "a template is not part of the stage's history";
    EXPECT_EQ(EditedEvent, nullptr);

    // Editing the selected template.
    m_Runs.Answer([&](DialogBase& dialog) {
        Type(dialog, kIdEventName, "落とし穴");
        Click(dialog, kIdDialogOk);
    });
    PaletteClick(kIdTemplateEdit);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱", "落とし穴"}));
    EXPECT_EQ(StageEdit.m_PutEvent.m_strName, "落とし穴");

    // Delete; the last template cannot be deleted.
    PaletteClick(kIdTemplateDelete);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱"}));
    EXPECT_EQ(StageEdit.m_nPltNum, 0) << "the row before the deleted last one";
    EXPECT_EQ(m_Beeps.Count(), 0);
    PaletteClick(kIdTemplateDelete);
    EXPECT_EQ(m_Beeps.Count(), 1);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱"}));
}

TEST_F(EventPaletteTest, AFullPaletteBeepsWithoutTheEventDialog)
{
    StartWithTemplates(std::vector<Event>(kMaxPaletteEvents, Template("x")));
    PalettePick(0);
    PaletteClick(kIdTemplateInsert);
    EXPECT_EQ(m_Beeps.Count(), 1);
    EXPECT_EQ(m_Runs.Runs().size(), 0u);
    EXPECT_EQ(Stage.m_PaletteEvent.Count(), kMaxPaletteEvents);
}

TEST_F(EventPaletteTest, APaletteFileSavedLoadsBackAsEqualTemplates)
{
    StartWithTemplates({Template("宝箱", 3), Template("扉", 7)});
    Stage.m_PaletteEvent.At(1).m_Page.At(0).m_Action.emplace_back().m_nCode = kCommandStageClear;
    const std::vector<Bytes> images = {Image(Stage.m_PaletteEvent.At(0)), Image(Stage.m_PaletteEvent.At(1))};
    m_Boxes.AnswerFileDialog({"data\\plt\\Two.plt"});
    PaletteCommand(kCmdSavePalette);
    ASSERT_EQ(m_Boxes.FileRequests().size(), 1u);
    EXPECT_EQ(m_Boxes.FileRequests()[0].m_strTitle, "保存先のファイルの選択");
    Bytes expected;
    PutInt(expected, 276);
    PutInt(expected, 2);
    expected.insert(expected.end(), images[0].begin(), images[0].end());
    expected.insert(expected.end(), images[1].begin(), images[1].end());
    EXPECT_EQ(m_Folder.ReadFile("data/plt/Two.plt"), expected);

    Stage.m_PaletteEvent.assign(1, Template("他"));
    PalettePick(0);
    m_Boxes.AnswerFileDialog({"data\\plt\\Two.plt"});
    PaletteCommand(kCmdLoadPalette);
    EXPECT_EQ(m_Boxes.FileRequests().back().m_strTitle, "読み込むファイルの選択");
    ASSERT_EQ(Stage.m_PaletteEvent.Count(), 2);
    EXPECT_EQ(Image(Stage.m_PaletteEvent.At(0)), images[0]);
    EXPECT_EQ(Image(Stage.m_PaletteEvent.At(1)), images[1]);
    // The list shows the loaded templates at once, the first one picked.
    EXPECT_EQ(RowsOf(*Palette(), kIdTemplateList), (Rows{"1 宝箱", "2 扉", kTrailer}));
    EXPECT_EQ(StageEdit.m_nPltNum, 0);
    EXPECT_EQ(Image(StageEdit.m_PutEvent), images[0]);
    EXPECT_EQ(NewBoxes(), Rows{});

    // A file that cannot be written: a box, and nothing written.
    m_Boxes.AnswerFileDialog({"data\\nofolder\\x.plt"});
    PaletteCommand(kCmdSavePalette);
    ASSERT_EQ(NewBoxes().size(), 1u);
    EXPECT_NE(NewBoxes()[0].find("を保存できませんでした"), std::string::npos);
}

TEST_F(EventPaletteTest, APaletteFileOfNoTemplatesLeavesOnlyTheTrailingRow)
{
    StartWithTemplates({Template("宝箱")});
    Bytes empty;
    PutInt(empty, 276);
    PutInt(empty, 0);
    m_Folder.WriteFile("data/plt/Empty.plt", empty);
    PalettePick(0);
    m_Boxes.AnswerFileDialog({"data\\plt\\Empty.plt"});
    PaletteCommand(kCmdLoadPalette);
    EXPECT_EQ(Stage.m_PaletteEvent.Count(), 0);
    EXPECT_EQ(RowsOf(*Palette(), kIdTemplateList), (Rows{kTrailer}));
    EXPECT_EQ(StageEdit.m_nPltNum, -1);
    EXPECT_EQ(StageEdit.m_nBlockWidth, 0);

    // Insert, then cancel: the new template stays, since a palette keeps one at least.
    m_Runs.Answer([&](DialogBase& dialog) { Click(dialog, kIdDialogCancel); });
    PaletteClick(kIdTemplateInsert);
    EXPECT_EQ(Stage.m_PaletteEvent.Count(), 1);
    EXPECT_EQ(m_Beeps.Count(), 1);
}

TEST_F(EventPaletteTest, ADamagedOrOverfullPaletteFileIsRefusedWithABoxAndChangesNothing)
{
    StartWithTemplates({Template("宝箱"), Template("扉")});
    PalettePick(1);
    Bytes huge;
    PutInt(huge, 276);
    PutInt(huge, 0x7FFFFFFF);
    Bytes truncated = Image(Template("途中"));
    truncated.resize(truncated.size() - 3);
    Bytes cut;
    PutInt(cut, 276);
    PutInt(cut, 1);
    cut.insert(cut.end(), truncated.begin(), truncated.end());
    m_Folder.WriteFile("data/plt/Huge.plt", huge);
    m_Folder.WriteFile("data/plt/Cut.plt", cut);
    CheckedVector<Event> hundred(kMaxPaletteEvents + 1, Template("多"));
    ASSERT_EQ(SaveEventPalette(hundred, "data\\plt\\Hundred.plt"), 1);
    const Bytes before = Image(Stage.m_PaletteEvent.At(0));
    size_t boxes = 0;
    for (const char* file : {"data\\plt\\Huge.plt", "data\\plt\\Cut.plt", "data\\plt\\Hundred.plt"})
    {
        SCOPED_TRACE(file);
        m_Boxes.AnswerFileDialog({file});
        PaletteCommand(kCmdLoadPalette);
        ASSERT_EQ(NewBoxes().size(), ++boxes);
        EXPECT_NE(NewBoxes().back().find("読み込めません"), std::string::npos);
        EXPECT_EQ(TemplateNames(), (Rows{"宝箱", "扉"}));
        EXPECT_EQ(Image(Stage.m_PaletteEvent.At(0)), before);
        EXPECT_EQ(StageEdit.m_nPltNum, 1);
    }
    // A file that does not open, and a cancelled dialog: nothing at all.
    m_Boxes.AnswerFileDialog({"data\\plt\\None.plt"});
    PaletteCommand(kCmdLoadPalette);
    m_Boxes.AnswerFileDialog({});
    PaletteCommand(kCmdLoadPalette);
    EXPECT_EQ(NewBoxes().size(), boxes);
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱", "扉"}));
}

TEST_F(EventPaletteTest, TheDefaultPaletteIsWrittenIntoEditConfigAsARelativePath)
{
    StartWithTemplates({Template("宝箱")});
    m_Folder.WriteFile("data/plt/Town.plt", Bytes{});
    m_Boxes.AnswerFileDialog({(m_Folder.Path() / "data/plt/Town.plt").string()});
    PaletteCommand(kCmdDefaultPalette);
    EXPECT_EQ(m_Boxes.FileRequests().back().m_strTitle, "デフォルトパレットの選択");
    EXPECT_EQ(EditConfig.m_strDefaultPalette, ".\\data\\plt\\Town.plt");
    EditConfigRecord written;
    ASSERT_EQ(LoadRecordFile(written, "data\\EditConfig.dat", 0), 1);
    EXPECT_EQ(written.m_strDefaultPalette, ".\\data\\plt\\Town.plt");
    EXPECT_EQ(TemplateNames(), (Rows{"宝箱"})) << "the templates on screen stay";

    // Cancelled: nothing changes.
    m_Boxes.AnswerFileDialog({});
    PaletteCommand(kCmdDefaultPalette);
    EXPECT_EQ(EditConfig.m_strDefaultPalette, ".\\data\\plt\\Town.plt");
}

} // namespace
