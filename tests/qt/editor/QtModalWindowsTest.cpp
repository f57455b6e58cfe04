// The editor's windows on real Qt widgets, offscreen, as the window manager
// sees them: owned windows name their owner as transient parent in a kind of
// window for which the toolkit tells the window manager (palettes shown
// only once their owner is), a modal
// dialog is the active window again, in front, once the dialog it opened has
// closed and the editor windows hidden for that dialog are back, and the windows a
// modal dialog disables take no focus from the desktop: a click on them
// leaves the activation and the focus with the dialog. The stage editor carries the editor's icon, and the frames carry
// only the boxes their styles give.
#include "common/data/ProjectData.h"
#include "editor/framework/ModalRuns.h"
#include "editor/resources/EditorIcon.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/EnemyPalette.h"
#include "editor/stage/MapChipPalette.h"
#include "editor/stage/PositionGroupDialogs.h"
#include "editor/stage/StageEditorWindow.h"
#include "editor/stage/WorldMapEditorWindow.h"
#include "platform/qt/QtBars.h"
#include "platform/qt/QtOwnFrame.h"
#include "tests/qt/QtStackingWatch.h"
#include "tests/qt/editor/QtWholeEditorFixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace
{

class QtModalWindowsTest : public QtWholeEditorTest
{
protected:
    StageEditorWindow* Window() const { return CurrentStageEditor(); }
    static QWidget* Top(const WindowBase& window)
    {
        return static_cast<platform::QtWindow*>(window.Native())->TopLevel();
    }
    void Click(const DialogBase& dialog, int id)
    {
        auto* child =
            dynamic_cast<platform::QtChildWindow*>(m_System.Resolve(m_System.GetDlgItem(dialog.Handle(), id)));
        auto* button = child ? qobject_cast<QPushButton*>(child->Widget()) : nullptr;
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Whether the window manager is told that the window takes no focus.
    static bool RefusesFocus(const WindowBase& window)
    {
        QWindow* native = Top(window)->windowHandle();
        return native && native->flags().testFlag(Qt::WindowDoesNotAcceptFocus);
    }
    // The toolkit's own events (activations) handled, then the editor's messages.
    void Settle()
    {
        for (int i = 0; i < 5; ++i)
        {
            QCoreApplication::processEvents();
            m_System.PumpMessages();
        }
    }
    // The owned top-level windows of the editor that do not tell the window
    // manager their owner: their native window does not name the owner's as
    // transient parent, or is of a kind for which Qt's X11 platform writes no
    // WM_TRANSIENT_FOR (it does for dialogs and tool windows). Editor windows
    // (with a minimise box; their owners are hidden) go into the task bar on
    // their own.
    static QStringList WithoutTransientOwner()
    {
        QStringList wrong;
        for (QWidget* top : QApplication::topLevelWidgets())
        {
            auto* window = dynamic_cast<platform::QtWindow*>(platform::QtWindowBase::FromWidget(top));
            if (!window || window->IsDestroyed() || (window->Style() & platform::kWsMinimizeBox))
            {
                continue;
            }
            auto* owner = dynamic_cast<platform::QtWindow*>(window->System().Resolve(window->Parent()));
            if (!owner)
            {
                continue;
            }
            QWindow* native = top->windowHandle();
            if (!native || native->transientParent() != owner->TopLevel()->windowHandle() ||
                (native->type() != Qt::Dialog && native->type() != Qt::Tool))
            {
                wrong << top->windowTitle();
            }
        }
        return wrong;
    }
};

TEST_F(QtModalWindowsTest, TheGroupListIsInFrontAndActiveAgainOnceItsEditDialogHasClosed)
{
    ASSERT_TRUE(Start());
    m_System.SetActiveWindow(Window()->Handle());
    ScriptedModalRuns runs;
    int ownedWindows = 0;
    runs.Answer(
        [&](DialogBase& list)
        {
            Settle();
            // The editor's windows below the list take no focus from the
            // desktop; a click on the editor's status bar leaves the
            // activation and the focus with the list.
            EXPECT_TRUE(RefusesFocus(*Window()));
            ASSERT_NE(Window()->ChipPalette(), nullptr);
            EXPECT_TRUE(RefusesFocus(*Window()->ChipPalette()));
            EXPECT_FALSE(RefusesFocus(list));
            platform::WindowHandle focus = m_System.Focus();
            ASSERT_TRUE(m_System.IsWithin(focus, list.Handle()));
            QPoint statusBar(40, Client(*Window())->height() - 5);
            MouseAt(*Window(), statusBar, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
            MouseAt(*Window(), statusBar, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
            Settle();
            EXPECT_EQ(m_System.ActiveWindow(), list.Handle());
            EXPECT_EQ(m_System.Focus(), focus);

            StackingWatch stacking;
            Click(list, kIdGroupEdit);
            // Back from the edit dialog, with the stage editor and its palette
            // shown again behind the list, which keeps the activation and the
            // focus. The stacking is read before the toolkit's own reports:
            // offscreen it activates every window it shows, which no window
            // manager does for a window that takes no focus.
            EXPECT_TRUE(Top(*Window())->isVisible());
            EXPECT_TRUE(stacking.IsAbove(Top(list), Top(*Window())));
            EXPECT_TRUE(stacking.IsAbove(Top(list), Top(*Window()->ChipPalette())));
            Settle();
            EXPECT_EQ(m_System.ActiveWindow(), list.Handle());
            EXPECT_EQ(m_System.Focus(), m_System.GetDlgItem(list.Handle(), kIdGroupEdit));
            EXPECT_EQ(QApplication::activeWindow(), Top(list));
            Click(list, kIdDialogCancel);
        });
    runs.Answer(
        [&](DialogBase& edit)
        {
            Settle();
            EXPECT_TRUE(RefusesFocus(*Window()));
            ASSERT_NE(PositionGroupListDialog::Running(), nullptr);
            EXPECT_TRUE(RefusesFocus(*PositionGroupListDialog::Running()));
            EXPECT_FALSE(RefusesFocus(edit));
            EXPECT_EQ(WithoutTransientOwner(), QStringList{});
            for (QWidget* top : QApplication::topLevelWidgets())
            {
                ownedWindows += top->windowHandle() && top->windowHandle()->transientParent() ? 1 : 0;
            }
            Click(edit, kIdDialogOk);
        });
    platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdPositionGroups, 0),
                                0);
    Pump();
    ASSERT_EQ(runs.Runs().size(), 2u);
    // The stage editor, its palette, the list and the edit dialog.
    EXPECT_GE(ownedWindows, 4);
}

// Records the palettes shown while their owner was not: the window manager
// keeps a window above its owner only when it learned of the owner first.
class PaletteShowWatch : public QObject
{
public:
    PaletteShowWatch() { qApp->installEventFilter(this); }
    ~PaletteShowWatch() override { qApp->removeEventFilter(this); }
    QStringList m_Early;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* top = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && top && top->isWindow() && top->windowType() == Qt::Tool &&
            (!top->parentWidget() || !top->parentWidget()->isVisible()))
        {
            m_Early << top->windowTitle();
        }
        return false;
    }
};

// Each palette of the stage and the world-map editor, the database sheet and
// the world-map editor's dialog tell the window manager their owner.
TEST_F(QtModalWindowsTest, EveryOwnedWindowTellsTheWindowManagerItsOwner)
{
    PaletteShowWatch shows;
    ASSERT_TRUE(Start());
    auto command = [&](platform::WindowHandle window, int id)
    {
        platform::SendWindowMessage(window, platform::kWmCommand, platform::MakeWParam(id, 0), 0);
        Settle();
    };
    ASSERT_NE(Window()->ChipPalette(), nullptr);
    EXPECT_EQ(WithoutTransientOwner(), QStringList{}) << "the map chip palette";
    command(Window()->Handle(), kCmdBarEnemies);
    ASSERT_NE(Window()->EnemyPalette(), nullptr);
    EXPECT_EQ(WithoutTransientOwner(), QStringList{}) << "the enemy palette";
    command(Window()->Handle(), kCmdBarEvents);
    EXPECT_EQ(WithoutTransientOwner(), QStringList{}) << "the event palette";

    command(Window()->Handle(), kCmdDatabase);
    platform::WindowHandle sheet = m_System.ActiveWindow();
    ASSERT_NE(sheet, Window()->Handle());
    EXPECT_TRUE(Top(*Window())->isHidden());
    EXPECT_EQ(WithoutTransientOwner(), QStringList{}) << "the database sheet";
    auto* cancel =
        dynamic_cast<platform::QtChildWindow*>(m_System.Resolve(m_System.GetDlgItem(sheet, platform::kIdCancel)));
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel->Widget(), Qt::LeftButton);
    Settle();

    command(Window()->Handle(), kCmdWorldMap);
    auto* world = dynamic_cast<WorldMapEditorWindow*>(Window()->WorldMapWindow());
    ASSERT_NE(world, nullptr);
    ASSERT_NE(world->ChipPalette(), nullptr);
    EXPECT_EQ(WithoutTransientOwner(), QStringList{}) << "the world map's chip palette";
    ScriptedModalRuns runs;
    runs.Answer([&](DialogBase&) { EXPECT_EQ(WithoutTransientOwner(), QStringList{}) << "the world map's settings"; });
    command(world->Handle(), kCmdWorldSettings);
    ASSERT_EQ(runs.Runs().size(), 1u);
    command(world->Handle(), kCmdBarEvents);
    ASSERT_NE(world->EventPalette(), nullptr);
    EXPECT_EQ(WithoutTransientOwner(), QStringList{}) << "the world map's event palette";
    command(world->Handle(), kCmdWorldQuit);
    EXPECT_EQ(shows.m_Early, QStringList{});
}

TEST_F(QtModalWindowsTest, TheStageEditorShowsTheIconAndPalettesOnlyTheirStylesBoxes)
{
    ASSERT_TRUE(Start());
    QWidget* editor = Top(*Window());
    ASSERT_FALSE(editor->windowIcon().isNull());
    EXPECT_EQ(editor->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32),
              platform::ToImage(FindIconResource(kIconEditor)).convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(editor->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(editor->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(editor->windowFlags() & Qt::WindowMaximizeButtonHint);

    // The palettes draw their frames themselves, with no box the window
    // manager could add: the map chip palette's caption has the close box of
    // its system menu, the enemy palette's has none.
    auto captionOf = [](QWidget* top) -> platform::QtCaptionBar*
    {
        for (QObject* child : top->children())
        {
            if (auto* bar = dynamic_cast<platform::QtCaptionBar*>(child))
            {
                return bar;
            }
        }
        return nullptr;
    };
    ASSERT_NE(Window()->ChipPalette(), nullptr);
    QWidget* chips = Top(*Window()->ChipPalette());
    EXPECT_TRUE(chips->windowFlags() & Qt::FramelessWindowHint);
    ASSERT_NE(captionOf(chips), nullptr);
    EXPECT_FALSE(captionOf(chips)->CloseBox().isEmpty());

    m_System.SetActiveWindow(Window()->Handle());
    platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdBarEnemies, 0), 0);
    Pump();
    ASSERT_NE(Window()->EnemyPalette(), nullptr);
    QWidget* palette = Top(*Window()->EnemyPalette());
    EXPECT_FALSE(palette->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(palette->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(palette->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(palette->windowFlags() & Qt::FramelessWindowHint);
    ASSERT_NE(captionOf(palette), nullptr);
    EXPECT_TRUE(captionOf(palette)->CloseBox().isEmpty());
}

} // namespace
