// The world-map editor on real Qt widgets, offscreen, driven as the author
// would: opened from the stage editor's command, chips painted with the mouse,
// the event palette chosen on the tool bar, a new event made from the pop-up
// menu at a cell (the event dialog answering OK), and Ctrl+S, typed where the
// toolkit sends keys once the settings dialog has closed.
#include "common/graphics/DibBitmap.h"
#include "editor/framework/ModalRuns.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/StageEditorDialogs.h"
#include "editor/stage/StageEditorWindow.h"
#include "editor/stage/WorldMapEditState.h"
#include "editor/stage/WorldMapEditorWindow.h"
#include "editor/stage/WorldMapPalettes.h"
#include "tests/qt/editor/QtWholeEditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <QToolBar>
#include <gtest/gtest.h>

namespace
{

class QtWorldMapEditorTest : public QtWholeEditorTest
{
protected:
    void SetUp() override
    {
        QtWholeEditorTest::SetUp();
        WorldMapEdit.ClearHistory();
    }
    void TearDown() override
    {
        SetWorldMapEventDialogStandIn(nullptr);
        QtWholeEditorTest::TearDown();
        WorldMapEdit.ClearHistory();
    }

    WorldMapEditorWindow* World() const
    {
        StageEditorWindow* stage = CurrentStageEditor();
        return stage ? static_cast<WorldMapEditorWindow*>(stage->WorldMapWindow()) : nullptr;
    }
    // The toolkit's own events (the activations of the windows it showed), then the editor's messages.
    void Settle()
    {
        for (int i = 0; i < 5; ++i)
        {
            QCoreApplication::processEvents();
            Pump();
        }
    }
    // The window is the active one with the focus on its map, as the editor and the toolkit see it.
    void ExpectInFront(const EditorWindow& window, const char* when)
    {
        Settle();
        EXPECT_EQ(m_System.ActiveWindow(), window.Handle()) << when;
        EXPECT_EQ(m_System.Focus(), window.Handle()) << when;
        EXPECT_EQ(QApplication::activeWindow(), static_cast<platform::QtWindow*>(window.Native())->TopLevel()) << when;
    }
    // Ctrl and the key, typed where the toolkit sends keys (no window named by the test).
    void KeyWhereTheFocusIs(Qt::Key key)
    {
        QWidget* keys = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        ASSERT_NE(keys, nullptr);
        QTest::keyClick(keys, key, Qt::ControlModifier);
        Pump();
    }
    // A click on the world map at a cell.
    void Click(int column, int row, Qt::MouseButton button)
    {
        WorldMapEditorWindow* window = World();
        QPoint at(column * kMapCellSize + 9 + window->OriginX(), row * kMapCellSize + 11 + window->OriginY());
        MouseAt(*window, at, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        MouseAt(*window, at, QEvent::MouseButtonPress, button, button);
        MouseAt(*window, at, QEvent::MouseButtonRelease, button, Qt::NoButton);
    }
};

TEST_F(QtWorldMapEditorTest, PaintPlaceFromThePopupAndSaveWriteTheExpectedFile)
{
    ASSERT_TRUE(Start());
    StageEditorWindow* stage = CurrentStageEditor();
    ASSERT_NE(stage, nullptr);
    // A small world map without events, numbered automatically.
    CurrentVersion = kDataFormatVersion;
    WorldMap = WorldMapRecord();
    WorldMap.Resize(6, 4);
    WorldMap.m_Event.clear();
    EditConfig.m_bAutoStageNumber = 1;

    platform::SendWindowMessage(stage->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdWorldMap, 0), 0);
    Pump();
    ASSERT_NE(World(), nullptr);
    EXPECT_EQ(MainWindow.m_nViewMode, kViewModeWorldMap);
    m_System.SetActiveWindow(World()->Handle());

    // Chip 6 from the palette, painted on two cells.
    WorldMapChipPalette* chips = World()->ChipPalette();
    ASSERT_NE(chips, nullptr);
    QWidget* chipClient = Client(*chips);
    QPoint chip6(chips->OriginX() + 1 * 32 + 5, chips->OriginY() + 32 + 5);
    QWidget* chipTarget = chipClient->childAt(chip6) ? chipClient->childAt(chip6) : chipClient;
    QTest::mouseClick(chipTarget, Qt::LeftButton, Qt::NoModifier, chipTarget->mapFrom(chipClient, chip6));
    Pump();
    ASSERT_EQ(WorldMapEdit.m_nPltNum, 6);
    m_System.SetActiveWindow(World()->Handle());
    Click(1, 1, Qt::LeftButton);
    Click(4, 2, Qt::LeftButton);
    EXPECT_EQ(WorldMap.CellAt(1, 1), 6);
    EXPECT_EQ(WorldMap.CellAt(4, 2), 6);

    // The event palette from the tool bar.
    auto* bar = Client(*World())->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    QAction* events = nullptr;
    for (QAction* action : bar->actions())
    {
        if (action->toolTip() == QString::fromUtf16(u"イベントパレット"))
        {
            events = action;
        }
    }
    ASSERT_NE(events, nullptr);
    QTest::mouseClick(bar->widgetForAction(events), Qt::LeftButton);
    Pump();
    ASSERT_EQ(WorldMapEdit.m_nPalette, kPaletteEvent);
    ASSERT_NE(World()->EventPalette(), nullptr);

    // "新規作成" from the pop-up at (3, 2); the event dialog answers OK.
    int dialogRuns = 0;
    SetWorldMapEventDialogStandIn([&](WorldMapEditorWindow& window, int) {
        ++dialogRuns;
        window.RecordUndo();
        WorldMapEdit.m_pCurrentEvent->m_strName = "王都";
        return 1;
    });
    // The pop-up runs its own loop: a timer watches for it and chooses the item.
    bool chosen = false;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&chosen, &watch] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
        {
            return;
        }
        watch.stop();
        for (QAction* action : menu->actions())
        {
            if (action->text() == QString::fromUtf16(u"新規作成"))
            {
                action->trigger();
                chosen = true;
            }
        }
        menu->close();
    });
    watch.start();
    m_System.SetActiveWindow(World()->Handle());
    Click(3, 2, Qt::RightButton);
    Pump();
    ASSERT_TRUE(chosen) << "the pop-up opened";
    EXPECT_EQ(dialogRuns, 1);
    WorldMapEvent* placed = WorldMap.FindEventAt(3, 2);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->m_Page.At(0).m_nStageNumber, 1);

    // Ctrl+S writes the world map as the data model does.
    m_System.SetActiveWindow(World()->Handle());
    QTest::keyClick(Client(*World()), Qt::Key_S, Qt::ControlModifier);
    Pump();
    WorldMapRecord expected;
    expected.Resize(6, 4);
    expected.m_Event.clear();
    expected.CellAt(1, 1) = 6;
    expected.CellAt(4, 2) = 6;
    WorldMapEvent town;
    town.Init();
    town.m_strName = "王都";
    town.m_Page.At(0).m_nStageNumber = 1;
    expected.PutEvent(town, 3, 2);
    ASSERT_EQ(SaveRecordFile(expected, "expected.dat"), 1);
    EXPECT_EQ(m_Folder.ReadFile("data/database/WorldMap.dat"), m_Folder.ReadFile("expected.dat"));
}

// After its settings dialog, whether OK or Cancel ended it, the world-map
// editor is in front of its palette and Ctrl+S writes the world map; once it
// has closed, the stage editor is in front of its own.
TEST_F(QtWorldMapEditorTest, CtrlSAfterTheSettingsWritesTheMapAndTheStageEditorIsInFrontOnceItCloses)
{
    ASSERT_TRUE(Start());
    StageEditorWindow* stage = CurrentStageEditor();
    ASSERT_NE(stage, nullptr);
    platform::SendWindowMessage(stage->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdWorldMap, 0), 0);
    Pump();
    ASSERT_NE(World(), nullptr);
    ASSERT_NE(World()->ChipPalette(), nullptr);
    ExpectInFront(*World(), "opened");

    for (int button : {kIdDialogOk, kIdDialogCancel})
    {
        ScriptedModalRuns runs;
        runs.Answer(
            [&](DialogBase& dialog)
            {
                auto* child = dynamic_cast<platform::QtChildWindow*>(
                    m_System.Resolve(m_System.GetDlgItem(dialog.Handle(), button)));
                ASSERT_NE(child, nullptr);
                QTest::mouseClick(child->Widget(), Qt::LeftButton);
            });
        platform::SendWindowMessage(World()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdWorldSettings, 0),
                                    0);
        Pump();
        ASSERT_EQ(runs.Runs().size(), 1u);
        EXPECT_EQ(runs.Runs()[0].m_nResult, button == kIdDialogOk ? 1 : 0);
        const char* when = button == kIdDialogOk ? "after OK" : "after Cancel";
        ExpectInFront(*World(), when);
        std::filesystem::remove("data/database/WorldMap.dat");
        KeyWhereTheFocusIs(Qt::Key_S);
        EXPECT_TRUE(std::filesystem::exists("data/database/WorldMap.dat")) << when;
    }

    platform::SendWindowMessage(World()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdWorldQuit, 0), 0);
    Pump();
    ASSERT_EQ(CurrentStageEditor(), stage);
    ExpectInFront(*stage, "after the world-map editor");
}

// The stage number of an event stands in white over its icon, drawn by the
// editor's own text renderer.
TEST_F(QtWorldMapEditorTest, TheStageNumberOfAnEventIsDrawn)
{
    ASSERT_TRUE(Start());
    StageEditorWindow* stage = CurrentStageEditor();
    ASSERT_NE(stage, nullptr);
    WorldMap = WorldMapRecord();
    WorldMap.Resize(6, 4);
    WorldMap.m_Event.clear();
    WorldMapEvent town;
    town.Init();
    town.m_Page.At(0).m_nKind = kWorldPageStage;
    town.m_Page.At(0).m_nStageNumber = 8;
    WorldMap.PutEvent(town, 1, 1);
    platform::SendWindowMessage(stage->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdWorldMap, 0), 0);
    Pump();
    WorldMapEditorWindow* world = World();
    ASSERT_NE(world, nullptr);

    // The white pixels of the digit's box (right of the icon's left edge, in the cell's top).
    auto whiteInBox = [&]
    {
        world->OnPaint();
        Pump();
        QImage picture = Client(*world)->grab().toImage();
        int count = 0;
        for (int y = 0; y < 13; ++y)
        {
            for (int x = 0; x < 10; ++x)
            {
                QPoint at(world->OriginX() + kMapCellSize + 19 + x, world->OriginY() + kMapCellSize + 1 + y);
                count += (picture.pixel(at) & 0xFFFFFFu) == 0xFFFFFFu ? 1 : 0;
            }
        }
        return count;
    };
    int withText = whiteInBox();
    platform::TextRasterizer* installed = GetTextRasterizer();
    ASSERT_NE(installed, nullptr) << "the editor draws text";
    SetTextRasterizer(nullptr);
    int withoutText = whiteInBox();
    SetTextRasterizer(installed);
    EXPECT_GE(withText - withoutText, 10) << "the digit 8 in white";
}

} // namespace
