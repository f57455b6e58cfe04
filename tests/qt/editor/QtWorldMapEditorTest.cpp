// The world-map editor on real Qt widgets, offscreen, driven as the author
// would: opened from the stage editor's command, chips painted with the mouse,
// the event palette chosen on the tool bar, a new event made from the pop-up
// menu at a cell (the event dialog answering OK), and Ctrl+S.
#include "RuntimeFolderScope.h"
#include "TempFolder.h"
#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "common/window/MouseButtons.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/EditorStartup.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/StageEditorDialogs.h"
#include "editor/stage/StageEditorWindow.h"
#include "editor/stage/WorldMapEditState.h"
#include "editor/stage/WorldMapEditorWindow.h"
#include "editor/stage/WorldMapPalettes.h"
#include "platform/core/FatalHooks.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/framework/EditorProject.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace
{

class QtWorldMapEditorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        PrepareEditorProject(m_Folder.Path());
        ResetMouseLatches();
        WriteLands(5);
        AppWindowSystem = &m_System;
        m_System.SetMessageFilter([](platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) { return App.PreTranslateMessage({window, message, wParam, lParam}) != 0; });
        WorldMapEdit.ClearHistory();
    }
    void TearDown() override
    {
        SetWorldMapEventDialogStandIn(nullptr);
        EditorShutdown();
        m_System.SetMessageFilter(nullptr);
        WorldMapEdit.ClearHistory();
        ResetProjectData();
        AppWindowSystem = nullptr;
        platform::ClearFatalError();
    }

    void Pump()
    {
        for (int i = 0; i < 5; ++i)
        {
            m_System.PumpMessages();
        }
    }
    WorldMapEditorWindow* World() const
    {
        StageEditorWindow* stage = CurrentStageEditor();
        return stage ? static_cast<WorldMapEditorWindow*>(stage->WorldMapWindow()) : nullptr;
    }
    QWidget* Client(const WindowBase& window) const
    {
        return static_cast<platform::QtWindow*>(window.Native())->ClientWidget();
    }
    // A mouse event on the world map at a cell, for the widget under the pointer.
    void MapMouse(QEvent::Type type, int column, int row, Qt::MouseButton button, Qt::MouseButtons held)
    {
        WorldMapEditorWindow* window = World();
        QPoint at(column * kMapCellSize + 9 + window->OriginX(), row * kMapCellSize + 11 + window->OriginY());
        QWidget* client = Client(*window);
        QWidget* target = client->childAt(at);
        target = target ? target : client;
        QPoint local = target->mapFrom(client, at);
        QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
        Pump();
    }
    void Click(int column, int row, Qt::MouseButton button)
    {
        MapMouse(QEvent::MouseMove, column, row, Qt::NoButton, Qt::NoButton);
        MapMouse(QEvent::MouseButtonPress, column, row, button, button);
        MapMouse(QEvent::MouseButtonRelease, column, row, button, Qt::NoButton);
    }

    RuntimeFolderScope m_Runtime;
    TempFolder m_Folder;
    platform::QtWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
};

TEST_F(QtWorldMapEditorTest, PaintPlaceFromThePopupAndSaveWriteTheExpectedFile)
{
    EditorPlatform platform;
    platform.m_pWindows = &m_System;
    ASSERT_TRUE(EditorStartup(platform));
    Pump();
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

} // namespace
