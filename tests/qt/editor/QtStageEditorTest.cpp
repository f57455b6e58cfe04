// The whole editor on real Qt widgets, offscreen, driven with the mouse and
// the keys as the author would: a stage opened through the open dialog, a
// block picked from the map with the right button, the fill tool chosen on
// the map chip palette's tool bar, a click, undo, redo and a save; an enemy
// inserted on the enemy palette through the placement and movement-AI
// dialogs, put on the map with the pen and taken off again by undo; Ctrl+Z,
// typed where the toolkit sends keys, after start-up and after the windows
// the stage editor opened have closed.
#include "RuntimeFolderScope.h"
#include "TempFolder.h"
#include "common/data/PaletteFiles.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "common/window/MouseButtons.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/EditorStartup.h"
#include "editor/framework/ModalRuns.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/stage/EnemyPalette.h"
#include "editor/stage/EventPalette.h"
#include "editor/event/EventDialog.h"
#include "editor/stage/MapChipPalette.h"
#include "editor/stage/StageEditorWindow.h"
#include "platform/qt/QtText.h"
#include "tests/qt/editor/QtWholeEditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace
{

class QtStageEditorTest : public QtWholeEditorTest
{
protected:
    void SetUp() override
    {
        QtWholeEditorTest::SetUp();
        StageEdit.ClearHistory();
        StageEdit.m_strStageFile.clear();
    }
    void TearDown() override
    {
        QtWholeEditorTest::TearDown();
        StageEdit.ClearHistory();
        StageEdit.m_strStageFile.clear();
    }

    StageEditorWindow* Window() const { return CurrentStageEditor(); }

    // A mouse event on the stage editor's map at a cell, with the buttons held afterwards.
    void MapMouse(QEvent::Type type, int column, int row, Qt::MouseButton button, Qt::MouseButtons held)
    {
        StageEditorWindow* window = Window();
        MouseAt(*window, QPoint(column * kMapCellSize + 9 + window->OriginX(), row * kMapCellSize + 11 + window->OriginY()),
                type, button, held);
    }
    // Ctrl and the key, typed into the stage editor (the window in front).
    void Key(int key)
    {
        m_System.SetActiveWindow(Window()->Handle());
        QTest::keyClick(Client(*Window()), static_cast<Qt::Key>(key), Qt::ControlModifier);
        Pump();
    }

    // The widget of a dialog's control.
    template <class Widget>
    Widget* ControlWidget(const DialogBase& dialog, int id) const
    {
        auto* child = dynamic_cast<platform::QtChildWindow*>(m_System.Resolve(m_System.GetDlgItem(dialog.Handle(), id)));
        return child ? qobject_cast<Widget*>(child->Widget()) : nullptr;
    }
    void ClickButton(const DialogBase& dialog, int id)
    {
        auto* button = ControlWidget<QPushButton>(dialog, id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
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
    // The stage editor is the active window with the focus on its map: Ctrl+Z,
    // typed where the toolkit sends keys (no window named by the test), takes
    // back the last edit.
    void ExpectTheMapTakesTheKeys(const char* when)
    {
        Settle();
        ASSERT_NE(Window(), nullptr) << when;
        EXPECT_EQ(m_System.ActiveWindow(), Window()->Handle()) << when;
        EXPECT_EQ(m_System.Focus(), Window()->Handle()) << when;
        EXPECT_EQ(QApplication::activeWindow(), static_cast<platform::QtWindow*>(Window()->Native())->TopLevel())
            << when;
        Window()->RecordUndo();
        int before = Stage.CellAt(2, 1);
        Stage.CellAt(2, 1) = before == 3 ? 4 : 3;
        QWidget* keys = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        ASSERT_NE(keys, nullptr) << when;
        QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
        Pump();
        EXPECT_EQ(Stage.CellAt(2, 1), before) << when;
    }
};

// After start-up, and after the database sheet or a dialog the stage editor
// opened has closed (whether it hid the other windows or disabled them), the
// palette shown again last does not keep the activation.
TEST_F(QtStageEditorTest, TheMapTakesTheKeysAfterStartUpAndAfterTheWindowsTheEditorOpenedClose)
{
    ASSERT_TRUE(Start());
    ExpectTheMapTakesTheKeys("after start-up");

    platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdDatabase, 0), 0);
    Settle();
    platform::WindowHandle sheet = m_System.ActiveWindow();
    ASSERT_NE(sheet, Window()->Handle());
    auto* cancel =
        dynamic_cast<platform::QtChildWindow*>(m_System.Resolve(m_System.GetDlgItem(sheet, platform::kIdCancel)));
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel->Widget(), Qt::LeftButton);
    Pump();
    ASSERT_FALSE(m_System.IsWindow(sheet));
    ExpectTheMapTakesTheKeys("after the database sheet");

    // The stage settings disable the other windows, the bitmap tool hides
    // them; each is closed as it was opened.
    for (int command : {kCmdStageSettings, kCmdBitmapTool})
    {
        ScriptedModalRuns runs;
        runs.Answer([](DialogBase&) {});
        platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(command, 0), 0);
        Pump();
        ASSERT_EQ(runs.Runs().size(), 1u) << command;
        ExpectTheMapTakesTheKeys(command == kCmdStageSettings ? "after the stage settings" : "after the bitmap tool");
    }
}

TEST_F(QtStageEditorTest, PickFillUndoRedoAndSaveWriteTheExpectedFile)
{
    ASSERT_TRUE(Start());

    // The fixture: a field of land 0 walled by land 1, and the two lands to paint with below.
    CurrentVersion = kDataFormatVersion;
    StageRecord fixture;
    fixture.SetDefaults();
    fixture.ResizeMap(6, 4);
    const char* rows[] = {"111111", "100001", "100001", "341111"};
    for (int y = 0; y < 4; ++y)
    {
        for (int x = 0; x < 6; ++x)
        {
            fixture.CellAt(x, y) = rows[y][x] - '0';
        }
    }
    std::filesystem::create_directories("data/stg");
    ASSERT_EQ(SaveRecordFile(fixture, "data\\stg\\Field.stg_276"), 1);

    // Ctrl+O and the open dialog.
    m_Boxes.AnswerFileDialog({"data\\stg\\Field.stg_276"});
    Key(Qt::Key_O);
    ASSERT_NE(Window(), nullptr);
    ASSERT_EQ(Stage.m_nWidth, 6);
    EXPECT_EQ(Window()->Native()->Text(), "Tarnwick data\\stg\\Field.stg_276");
    m_System.SetActiveWindow(Window()->Handle());

    // A right-button drag picks the block 3 4 off the bottom row.
    MapMouse(QEvent::MouseMove, 0, 3, Qt::NoButton, Qt::NoButton);
    MapMouse(QEvent::MouseButtonPress, 0, 3, Qt::RightButton, Qt::RightButton);
    MapMouse(QEvent::MouseMove, 1, 3, Qt::NoButton, Qt::RightButton);
    MapMouse(QEvent::MouseButtonRelease, 1, 3, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(StageEdit.m_nBlockWidth, 2);
    EXPECT_EQ(StageEdit.m_nBlockHeight, 1);

    // The fill tool on the palette's tool bar.
    MapChipPalette* palette = Window()->ChipPalette();
    ASSERT_NE(palette, nullptr);
    auto* bar = Client(*palette)->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 4);
    QWidget* fill = bar->widgetForAction(bar->actions()[3]);
    ASSERT_NE(fill, nullptr);
    QTest::mouseClick(fill, Qt::LeftButton);
    Pump();
    ASSERT_EQ(StageEdit.m_nTool, kToolFill);
    EXPECT_TRUE(bar->actions()[3]->isChecked());
    EXPECT_FALSE(bar->actions()[0]->isChecked());

    // A click in the field fills it with the block, aligned to the clicked cell.
    m_System.SetActiveWindow(Window()->Handle());
    MapMouse(QEvent::MouseMove, 2, 1, Qt::NoButton, Qt::NoButton);
    MapMouse(QEvent::MouseButtonPress, 2, 1, Qt::LeftButton, Qt::LeftButton);
    MapMouse(QEvent::MouseButtonRelease, 2, 1, Qt::LeftButton, Qt::NoButton);
    auto cells = [] {
        std::string all;
        for (int y = 0; y < Stage.m_nHeight; ++y)
        {
            for (int x = 0; x < Stage.m_nWidth; ++x)
            {
                all += static_cast<char>('0' + Stage.CellAt(x, y));
            }
            all += '/';
        }
        return all;
    };
    const std::string filled = "111111/143431/143431/341111/";
    EXPECT_EQ(cells(), filled);

    Key(Qt::Key_Z);
    EXPECT_EQ(cells(), "111111/100001/100001/341111/");
    Key(Qt::Key_Y);
    EXPECT_EQ(cells(), filled);
    Key(Qt::Key_S);
    EXPECT_EQ(m_Boxes.FileRequests().size(), 1u) << "saved over its file without a dialog";

    // The file is the stage as the data model writes it.
    StageRecord expected;
    ASSERT_EQ(LoadRecordFile(expected, "data\\stg\\Field.stg_276", 0), 1);
    StageRecord built;
    ASSERT_EQ(LoadRecordFile(built, "data\\stg\\Field.stg_276", 0), 1);
    built = fixture;
    const char* after[] = {"111111", "143431", "143431", "341111"};
    for (int y = 0; y < 4; ++y)
    {
        for (int x = 0; x < 6; ++x)
        {
            built.CellAt(x, y) = after[y][x] - '0';
        }
    }
    ASSERT_EQ(SaveRecordFile(built, "expected.stg_276"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("data/stg/Field.stg_276")), HexBytes(m_Folder.ReadFile("expected.stg_276")));
}

TEST_F(QtStageEditorTest, AnEnemyInsertedThroughItsDialogsIsPutOnTheMapByThePenAndUndoTakesItOff)
{
    ASSERT_TRUE(Start());
    EnemyTable.resize(3);
    EnemyTable.At(1).m_strName = "オーク";
    EnemyTable.At(1).m_nLevel = 4;
    EnemyTable.At(1).m_Param[0].m_nValue = 30;
    EnemyTable.At(1).m_Param[1].m_nValue = 6;
    EnemyTable.At(2).m_strName = "ゴブリン";
    ASSERT_GE(Stage.m_nWidth, 3);
    ASSERT_GE(Stage.m_nHeight, 2);

    // The enemies' button of the tool bar.
    m_System.SetActiveWindow(Window()->Handle());
    platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdBarEnemies, 0), 0);
    Pump();
    auto* palette = static_cast<EnemyPalette*>(Window()->EnemyPalette());
    ASSERT_NE(palette, nullptr);
    auto* list = ControlWidget<QListWidget>(*palette, kIdEnemyList);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 1) << "the trailing row alone";

    ScriptedModalRuns runs;
    QStringList moveAiRows;
    // The placement dialog: enemy 1, group 2, and one movement-AI entry through its own dialog.
    runs.Answer([&](DialogBase& dialog) {
        auto* enemy = ControlWidget<QComboBox>(dialog, kIdPlacementEnemy);
        auto* group = ControlWidget<QLineEdit>(dialog, kIdPlacementGroup);
        ASSERT_TRUE(enemy && group);
        EXPECT_EQ(enemy->count(), 3);
        EXPECT_EQ(enemy->currentText(), platform::FromCp932("未設定"));
        enemy->setCurrentIndex(1);
        group->setFocus();
        group->selectAll();
        QTest::keyClick(group, Qt::Key_2);
        ClickButton(dialog, kIdMoveAiInsert);
        auto* entries = ControlWidget<QListWidget>(dialog, kIdMoveAiList);
        for (int i = 0; entries && i < entries->count(); ++i)
        {
            moveAiRows << entries->item(i)->text();
        }
        ClickButton(dialog, kIdDialogOk);
    });
    // The movement-AI dialog: the nearest enemy, in battle.
    runs.Answer([&](DialogBase& dialog) {
        auto* target = ControlWidget<QComboBox>(dialog, kIdMoveAiTarget);
        auto* mode = ControlWidget<QComboBox>(dialog, kIdMoveAiMode);
        auto* goal = ControlWidget<QComboBox>(dialog, kIdMoveAiGoal);
        ASSERT_TRUE(target && mode && goal);
        target->setCurrentIndex(8);
        EXPECT_TRUE(goal->isEnabled());
        target->setCurrentIndex(5);
        EXPECT_FALSE(goal->isEnabled());
        mode->setCurrentIndex(1);
        ClickButton(dialog, kIdDialogOk);
    });
    ClickButton(*palette, kIdEnemyInsert);
    Pump();
    ASSERT_EQ(runs.Runs().size(), 2u);
    EXPECT_EQ(runs.Runs()[0].m_nDialogId, kIdEnemyPlacementDialog);
    EXPECT_EQ(runs.Runs()[1].m_nDialogId, kIdMoveAiDialog);
    EXPECT_EQ(moveAiRows, (QStringList{platform::FromCp932("マップ全範囲内 で 最も近い敵 に 戦闘"), QString(64, '-')}));

    ASSERT_EQ(Stage.m_Enemy.Count(), 1);
    const EnemyPlacement& placed = Stage.m_Enemy.At(0);
    EXPECT_EQ(placed.m_nEnemy, 1);
    EXPECT_EQ(placed.m_nEnemyGroup, 2);
    EXPECT_EQ(placed.m_nX, -1);
    ASSERT_EQ(placed.m_MoveAI.Count(), 1);
    EXPECT_EQ(placed.m_MoveAI.At(0).m_nTarget, 5);
    EXPECT_EQ(placed.m_MoveAI.At(0).m_nMode, 1);
    EXPECT_EQ(StageEdit.UndoLists().Count(), 1);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), platform::FromCp932("1 グ2 (--,--) 1-オーク   LV4 HP30 SP6 "));
    EXPECT_EQ(StageEdit.m_PickedEnemy[0][0], 0) << "the new placement is the pen's";

    // The pen puts it on the clicked cell; undo takes it off again.
    m_System.SetActiveWindow(Window()->Handle());
    MapMouse(QEvent::MouseMove, 2, 1, Qt::NoButton, Qt::NoButton);
    MapMouse(QEvent::MouseButtonPress, 2, 1, Qt::LeftButton, Qt::LeftButton);
    MapMouse(QEvent::MouseButtonRelease, 2, 1, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Stage.m_Enemy.At(0).m_nX, 2);
    EXPECT_EQ(Stage.m_Enemy.At(0).m_nY, 1);
    EXPECT_EQ(list->item(0)->text(), platform::FromCp932("1 グ2 (2,1) 1-オーク   LV4 HP30 SP6 "));
    Key(Qt::Key_Z);
    EXPECT_EQ(Stage.m_Enemy.At(0).m_nX, -1);
    EXPECT_EQ(list->item(0)->text(), platform::FromCp932("1 グ2 (--,--) 1-オーク   LV4 HP30 SP6 "));
}

TEST_F(QtStageEditorTest, AnEventTemplateMadeInThePaletteIsPlacedByThePenAndItsMenuSavesThePalette)
{
    EditorPlatform platform;
    platform.m_pWindows = &m_System;
    ASSERT_TRUE(EditorStartup(platform));
    Pump();
    Stage.m_PaletteEvent.assign(1, Event());
    m_System.SetActiveWindow(Window()->Handle());
    platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdBarEvents, 0), 0);
    Pump();
    auto* palette = static_cast<EventPalette*>(Window()->EventPalette());
    ASSERT_NE(palette, nullptr);
    auto* list = ControlWidget<QListWidget>(*palette, kIdTemplateList);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);

    // The new template, named in the event dialog, goes before the selected one.
    ScriptedModalRuns runs;
    runs.Answer([&](DialogBase& dialog) {
        auto* name = ControlWidget<QLineEdit>(dialog, kIdEventName);
        ASSERT_NE(name, nullptr);
        name->setFocus();
        QTest::keyClicks(name, "Box");
        ClickButton(dialog, kIdDialogOk);
    });
    list->setCurrentRow(0);
    ClickButton(*palette, kIdTemplateInsert);
    Pump();
    ASSERT_EQ(runs.Runs().size(), 1u);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "1 Box");
    EXPECT_EQ(StageEdit.m_nPltNum, 0);

    // Placed at once (no dialog before placing), on the clicked cell.
    EditConfig.m_bEditBeforePlacing = 0;
    EditConfig.m_bEditPlacedEvent = 0;
    MapMouse(QEvent::MouseMove, 2, 1, Qt::NoButton, Qt::NoButton);
    MapMouse(QEvent::MouseButtonPress, 2, 1, Qt::LeftButton, Qt::LeftButton);
    MapMouse(QEvent::MouseButtonRelease, 2, 1, Qt::LeftButton, Qt::NoButton);
    const Event* placed = Stage.GetEventAt(2, 1);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->m_strName, "Box");
    EXPECT_EQ(runs.Runs().size(), 1u);

    // The palette's menu bar: its save command writes the templates.
    QMenuBar* bar = Client(*palette)->window()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    QMenu* file = bar->actions().at(0)->menu();
    ASSERT_NE(file, nullptr);
    QStringList texts;
    QAction* save = nullptr;
    for (QAction* action : file->actions())
    {
        texts << action->text();
        save = action->text().startsWith(platform::FromCp932("パレットの保存")) ? action : save;
    }
    EXPECT_EQ(texts.size(), 4) << texts.join("|").toStdString();
    ASSERT_NE(save, nullptr);
    std::filesystem::create_directories(m_Folder.Path() / "data/plt");
    m_Boxes.AnswerFileDialog({"data\\plt\\Saved.plt"});
    save->trigger();
    Pump();
    CheckedVector<Event> saved;
    ASSERT_EQ(LoadEventPalette(saved, "data\\plt\\Saved.plt"), 1);
    ASSERT_EQ(saved.Count(), 2);
    EXPECT_EQ(saved.At(0).m_strName, "Box");
}

// In the event mode a click on the stage editor's status bar or on its tool
// bar beside the buttons is theirs: no event is placed on the cell the
// pointer crossed last.
TEST_F(QtStageEditorTest, AClickOnTheBarsOfTheStageEditorPlacesNoEvent)
{
    ASSERT_TRUE(Start());
    Stage.m_PaletteEvent.assign(1, Event());
    m_System.SetActiveWindow(Window()->Handle());
    platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdBarEvents, 0), 0);
    Pump();
    ASSERT_NE(Window()->EventPalette(), nullptr);
    ASSERT_EQ(StageEdit.m_nPltNum, 0);
    EditConfig.m_bEditBeforePlacing = 0;
    EditConfig.m_bEditPlacedEvent = 0;
    QWidget* client = Client(*Window());
    QWidget* statusBar = client->findChild<QStatusBar*>();
    QWidget* toolBar = client->findChild<QToolBar*>();
    ASSERT_TRUE(statusBar && toolBar);
    ScriptedModalRuns runs;
    for (QPoint at : {statusBar->geometry().center(), QPoint(toolBar->width() - 20, toolBar->height() / 2)})
    {
        MapMouse(QEvent::MouseMove, 2, 1, Qt::NoButton, Qt::NoButton);
        MouseAt(*Window(), at, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        MouseAt(*Window(), at, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(Stage.GetEventAt(2, 1), nullptr) << at.y();
    }
    EXPECT_EQ(runs.Runs().size(), 0u);

    // The map itself still takes the click.
    MapMouse(QEvent::MouseButtonPress, 2, 1, Qt::LeftButton, Qt::LeftButton);
    MapMouse(QEvent::MouseButtonRelease, 2, 1, Qt::LeftButton, Qt::NoButton);
    EXPECT_NE(Stage.GetEventAt(2, 1), nullptr);
}

// The map chip palette is never taller than its rows of chips, however its
// sizing frame is dragged, also once the project has more lands.
TEST_F(QtStageEditorTest, TheChipPaletteCannotBeSizedTallerThanItsRowsOfChips)
{
    ASSERT_TRUE(Start());
    MapChipPalette* palette = Window()->ChipPalette();
    ASSERT_NE(palette, nullptr);
    QWidget* top = static_cast<platform::QtWindow*>(palette->Native())->TopLevel();
    // The chips are shown over the whole view, with the status bar below them.
    QWidget* view = ControlWidget<QWidget>(*palette, kIdMapView);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->height(), palette->UsableHeight());
    auto tallest = [&]
    {
        top->resize(top->width(), 2000);
        Pump();
        return palette->UsableHeight();
    };
    EXPECT_EQ(tallest(), kMapCellSize) << "five lands: one row";
    LandTable.resize(20);
    palette->UpdateScrollRange();
    EXPECT_EQ(tallest(), 3 * kMapCellSize);
}

} // namespace
