#include "platform/qt/QtWindow.h"

#include "common/window/EditorApp.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtOwnFrame.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/window/ControlMessages.h"
#include "tests/common/window/CoreBehaviours.h"
#include "tests/common/window/TestWindow.h"
#include "tests/qt/QtStackingWatch.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace
{

INSTANTIATE_TEST_SUITE_P(Qt, CoreBehaviour,
                         testing::Values(CoreBackend{"Qt", [] { return std::make_unique<platform::QtWindowSystem>(); }}),
                         CoreBackendName);

class QtWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_System.FixMetrics(TestMetrics());
        AppWindowSystem = &m_System;
        ResetMouseLatches();
    }
    void TearDown() override { AppWindowSystem = nullptr; }

    // A top-level window of the style, owned by the owner, at x.
    platform::WindowHandle MakeOwned(uint32_t style, platform::WindowHandle owner, int x)
    {
        platform::WindowCreateParams params;
        params.m_nStyle = style;
        params.m_WindowRect = {x, 40, 300, 200};
        params.m_strTitle = "窓";
        params.m_hParent = owner;
        return m_System.CreateWindow(params);
    }
    // An edit field in the window.
    platform::WindowHandle MakeEdit(platform::WindowHandle parent)
    {
        platform::WindowCreateParams params;
        params.m_strClass = platform::kClassEdit;
        params.m_nStyle = platform::kWsChild | platform::kWsVisible | platform::kWsTabStop;
        params.m_WindowRect = {10, 10, 100, 22};
        params.m_hParent = parent;
        return m_System.CreateWindow(params);
    }
    QWidget* TopOf(platform::WindowHandle window) const
    {
        return static_cast<platform::QtWindow*>(m_System.Resolve(window))->TopLevel();
    }

    platform::QtWindowSystem m_System;
};

// A narrow window with a caption is widened until its whole title fits beside
// the frame's buttons; a short title leaves the size alone.
TEST_F(QtWindowTest, TheCaptionBarHasRoomForTheWholeTitle)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    auto roomFor = [&](const char16_t* title)
    { return QFontMetrics(bold).horizontalAdvance(QString::fromUtf16(title)) + 3 * 16; };
    platform::WindowCreateParams params;
    params.m_nStyle = platform::kWsCaption | platform::kWsSysMenu;
    params.m_WindowRect = {10, 10, 200, 80};
    params.m_strTitle = "値の入力";
    platform::WindowHandle window = m_System.CreateWindow(params);
    auto* native = static_cast<platform::QtWindow*>(m_System.Resolve(window));
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->WindowRect().m_nWidth, 200);

    native->SetText("マップチップパレットの一覧表");
    EXPECT_GE(native->ClientWidget()->width(), roomFor(u"マップチップパレットの一覧表"));
    EXPECT_EQ(native->ClientRect().m_nWidth, native->ClientWidget()->width());
    m_System.DestroyWindow(window);

    params.m_strTitle = "スキル習得値のとても長い見出し";
    window = m_System.CreateWindow(params);
    native = static_cast<platform::QtWindow*>(m_System.Resolve(window));
    ASSERT_NE(native, nullptr);
    EXPECT_GE(native->TopLevel()->width(), roomFor(u"スキル習得値のとても長い見出し"));
    m_System.DestroyWindow(window);
    m_System.PumpMessages();
}

// A title wider than the screen widens its window only to the screen's
// available width; a window asked for wider than that keeps its width.
TEST_F(QtWindowTest, ATitleNeverWidensItsWindowPastTheScreen)
{
    m_System.FixDesktopRect({0, 0, 400, 300});
    const std::string longTitle(200, 'W');
    struct Case
    {
        uint32_t m_nStyle;
        int m_nWidth;
        int m_nExpected;
    };
    static const Case kCases[] = {
        {platform::kWsCaption | platform::kWsSysMenu, 200, 400},
        {platform::kWsPopup | platform::kWsCaption | platform::kWsThickFrame | platform::kWsSysMenu, 200, 400},
        {platform::kWsCaption | platform::kWsSysMenu, 500, 500},
    };
    for (const Case& c : kCases)
    {
        platform::WindowCreateParams params;
        params.m_nStyle = c.m_nStyle;
        params.m_WindowRect = {10, 10, c.m_nWidth, 80};
        params.m_strTitle = longTitle;
        platform::WindowHandle window = m_System.CreateWindow(params);
        auto* native = static_cast<platform::QtWindow*>(m_System.Resolve(window));
        ASSERT_NE(native, nullptr);
        EXPECT_EQ(native->WindowRect().m_nWidth, c.m_nExpected) << std::hex << c.m_nStyle << " " << c.m_nWidth;

        // The same for a title given later.
        native->SetText("短い");
        native->SetWindowRect({10, 10, c.m_nWidth, 80});
        native->SetText(longTitle);
        EXPECT_EQ(native->WindowRect().m_nWidth, c.m_nExpected) << std::hex << c.m_nStyle << " " << c.m_nWidth;
        m_System.DestroyWindow(window);
    }
    m_System.PumpMessages();
}

TEST_F(QtWindowTest, AResizeAClickAndAPaintReachTheHandlers)
{
    RecordingWindow window;
    window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
    window.SetLayout(200, 100, 50, 50, 800, 600, platform::kWsOverlappedWindow, 0, 1, 1, 0, 0);
    ASSERT_EQ(window.Create("ウインドウ", 30, 40), 1);
    window.Show(1);
    EXPECT_EQ(window.m_nCreates, 1);
    auto* native = static_cast<platform::QtWindow*>(window.Native());
    EXPECT_EQ(native->ClientWidget()->height(), 100 + 28 + 20);
    EXPECT_EQ(window.UsableHeight(), 100);

    // The toolkit resizes the window: the layout follows.
    native->TopLevel()->resize(300, 250);
    m_System.PumpMessages();
    EXPECT_EQ(window.UsableWidth(), 300);
    EXPECT_EQ(window.UsableHeight(), 250 - 28 - 20);

    QTest::mouseClick(native->ClientWidget(), Qt::LeftButton, {}, QPoint(12, 40));
    m_System.PumpMessages();
    EXPECT_EQ(window.m_nLeftDowns, 1);
    EXPECT_EQ(window.m_nLeftUps, 1);
    EXPECT_EQ(window.m_LastClick.m_nX, 12);
    EXPECT_EQ(window.m_LastClick.m_nY, 40);
    EXPECT_EQ(window.Mouse().m_nX, 12);
    EXPECT_EQ(window.Mouse().m_nY, 40 - 28);

    int paints = window.m_nPaints;
    native->ClientWidget()->repaint();
    EXPECT_GT(window.m_nPaints, paints);

    // A presented bitmap is what the client area shows.
    ASSERT_EQ(window.m_Front.Create(300, 250, 24, 0), 1);
    window.m_Front.Clear(0x00FF00);
    window.ShowFront();
    EXPECT_EQ(native->Picture().pixel(5, 5) & 0xFFFFFF, 0x00FF00u);

    window.Native()->Destroy();
    EXPECT_EQ(window.Handle(), nullptr);
}

// The tool bar, the status bar and the controls over a client area are
// windows of their own: a click on them, even one they do nothing with (a
// disabled control's), is theirs and never the window's. A static text lets
// the click through to the window below, as the desktop's statics do.
TEST_F(QtWindowTest, TheBarsAndTheControlsKeepTheirClicksFromTheWindowBelow)
{
    RecordingWindow window;
    window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
    window.SetLayout(300, 150, 0, 0, 0, 0, platform::kWsOverlappedWindow, 0, 1, 1, 0, 0);
    ASSERT_EQ(window.Create("", 30, 40), 1);
    ToolbarButtonEntry buttons[] = {{{platform::kStdImageOpen, 300}, "開く"},
                                    {{platform::kStdImageSave, 301, 0}, "保存"}};
    window.AddStdToolbarButtons(buttons, 2);
    ASSERT_NE(window.CreateStatusBar(), nullptr);
    window.Show(1);
    m_System.SendMessage(window.Handle(), platform::kWmSize, 0, 0); // the status bar takes its place
    auto control = [&](std::string_view kind, uint32_t style, platform::Rect rect)
    {
        platform::WindowCreateParams params;
        params.m_strClass = kind;
        params.m_nStyle = platform::kWsChild | platform::kWsVisible | style;
        params.m_WindowRect = rect;
        params.m_strTitle = "項目";
        params.m_hParent = window.Handle();
        return static_cast<platform::QtChildWindow*>(m_System.Resolve(m_System.CreateWindow(params)))->Widget();
    };
    QWidget* disabledEdit = control(platform::kClassEdit, platform::kWsDisabled, {10, 40, 80, 24});
    QWidget* text = control(platform::kClassStatic, platform::kSsLeft, {10, 80, 80, 16});
    auto* client = static_cast<platform::QtWindow*>(window.Native())->ClientWidget();
    auto* toolBar = client->findChild<QToolBar*>();
    auto* statusBar = client->findChild<QStatusBar*>();
    ASSERT_TRUE(toolBar && statusBar);
    ASSERT_EQ(statusBar->geometry().bottom(), client->height() - 1);
    QWidget* disabledTool = toolBar->widgetForAction(toolBar->actions().at(1));
    ASSERT_NE(disabledTool, nullptr);
    struct Case
    {
        const char* m_pszWhere;
        QWidget* m_pWidget;
        QPoint m_At;
        bool m_bReachesWindow;
    };
    const Case cases[] = {
        {"status bar", statusBar, {100, 10}, false},
        {"tool bar beside its buttons", toolBar, {toolBar->width() - 20, 14}, false},
        {"disabled tool button", disabledTool, disabledTool->rect().center(), false},
        {"disabled edit", disabledEdit, {10, 10}, false},
        {"static text", text, {10, 8}, true},
    };
    for (const Case& c : cases)
    {
        int before = window.m_nLeftDowns + window.m_nLeftUps + window.m_nRightUps;
        QTest::mouseClick(c.m_pWidget, Qt::LeftButton, {}, c.m_At);
        QTest::mouseClick(c.m_pWidget, Qt::RightButton, {}, c.m_At);
        m_System.PumpMessages();
        EXPECT_EQ(window.m_nLeftDowns + window.m_nLeftUps + window.m_nRightUps - before, c.m_bReachesWindow ? 3 : 0)
            << c.m_pszWhere;
    }
    EXPECT_EQ(window.m_Commands, std::vector<int>{});
}

// A click on the bare client area of a dialog, of a palette, or of a page
// inside a dialog leaves the keyboard focus in the field that has it.
TEST_F(QtWindowTest, AClickOnABareClientAreaLeavesTheFocusWhereItWas)
{
    auto make = [&](uint32_t style, platform::WindowHandle parent, platform::Rect rect, std::string_view kind = {})
    {
        platform::WindowCreateParams params;
        params.m_strClass = kind;
        params.m_nStyle = style | platform::kWsVisible;
        params.m_WindowRect = rect;
        params.m_hParent = parent;
        return m_System.CreateWindow(params);
    };
    auto widget = [&](platform::WindowHandle window)
    { return static_cast<platform::QtWindowBase*>(m_System.Resolve(window))->Container(); };
    platform::WindowHandle dialog =
        make(platform::kWsPopup | platform::kWsCaption | platform::kWsSysMenu | platform::kWsDialogFrame, nullptr,
             {40, 40, 300, 200});
    platform::WindowHandle page = make(platform::kWsChild, dialog, {10, 60, 200, 100});
    platform::WindowHandle palette =
        make(platform::kWsPopup | platform::kWsCaption | platform::kWsThickFrame, nullptr, {400, 40, 200, 150});
    platform::WindowHandle dialogField = make(platform::kWsChild, dialog, {10, 10, 100, 22}, platform::kClassEdit);
    platform::WindowHandle pageField = make(platform::kWsChild, page, {10, 10, 100, 22}, platform::kClassEdit);
    platform::WindowHandle paletteField = make(platform::kWsChild, palette, {10, 10, 100, 22}, platform::kClassEdit);
    auto settle = [&]
    {
        for (int i = 0; i < 5; ++i)
        {
            QCoreApplication::processEvents();
            m_System.PumpMessages();
        }
    };
    struct Case
    {
        const char* m_pszWhere;
        platform::WindowHandle m_hField;
        platform::WindowHandle m_hClicked;
        QPoint m_At;
    };
    const Case cases[] = {
        {"dialog", dialogField, dialog, {250, 30}},
        {"page", pageField, page, {150, 80}},
        {"page's dialog", pageField, dialog, {250, 30}},
        {"palette", paletteField, palette, {150, 80}},
    };
    for (const Case& c : cases)
    {
        m_System.SetFocus(c.m_hField);
        settle();
        ASSERT_EQ(QApplication::focusWidget(), widget(c.m_hField)) << c.m_pszWhere;
        QTest::mouseClick(widget(c.m_hClicked), Qt::LeftButton, {}, c.m_At);
        settle();
        EXPECT_EQ(m_System.Focus(), c.m_hField) << c.m_pszWhere;
        EXPECT_EQ(QApplication::focusWidget(), widget(c.m_hField)) << c.m_pszWhere;
    }
    m_System.DestroyWindow(dialog);
    m_System.DestroyWindow(palette);
    m_System.PumpMessages();
}

TEST_F(QtWindowTest, AWindowWithASizingFrameStaysWithinItsLayoutsLimits)
{
    RecordingWindow window;
    window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
    window.SetLayout(200, 100, 150, 80, 300, 200, platform::kWsOverlappedWindow, 1, 1, 1, 0, 0);
    platform::Menu menu;
    menu.m_Items.push_back({100, "ファイル", false, false, false, {}});
    ASSERT_EQ(window.Create("", 30, 40, &menu), 1);
    window.Show(1);
    auto* native = static_cast<platform::QtWindow*>(window.Native());
    struct Case
    {
        int m_nWidth;
        int m_nHeight;
        int m_nUsableWidth;
        int m_nUsableHeight;
    };
    // The top level holds the menu bar (20) above the client area.
    static const Case kCases[] = {{1000, 1000, 300, 200}, {10, 10, 150, 80}, {250, 20 + 48 + 120, 250, 120}};
    for (const Case& c : kCases)
    {
        native->TopLevel()->resize(c.m_nWidth, c.m_nHeight);
        m_System.PumpMessages();
        EXPECT_EQ(window.UsableWidth(), c.m_nUsableWidth) << c.m_nWidth << " x " << c.m_nHeight;
        EXPECT_EQ(window.UsableHeight(), c.m_nUsableHeight) << c.m_nWidth << " x " << c.m_nHeight;
    }
    // The program's own sizing keeps to them too.
    window.SetClientSize(2000, 2000);
    EXPECT_EQ(window.UsableWidth(), 300);
    EXPECT_EQ(window.UsableHeight(), 200);
}

TEST_F(QtWindowTest, OnlyTheProgramSizesAWindowWithoutASizingFrame)
{
    RecordingWindow window;
    window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
    window.SetLayout(200, 100, 0, 0, 0, 0, platform::kWsCaption | platform::kWsDialogFrame, 0, 0, 0, 0, 0);
    ASSERT_EQ(window.Create("", 30, 40), 1);
    window.Show(1);
    auto* native = static_cast<platform::QtWindow*>(window.Native());
    native->TopLevel()->resize(500, 400);
    m_System.PumpMessages();
    EXPECT_EQ(window.UsableWidth(), 200);
    EXPECT_EQ(window.UsableHeight(), 100);
    window.SetClientSize(300, 150);
    EXPECT_EQ(native->TopLevel()->size(), QSize(300, 150));
    EXPECT_EQ(window.UsableWidth(), 300);
    // With a sizing frame the window may be sized again.
    window.AddStyle(platform::kWsThickFrame);
    native->TopLevel()->resize(500, 400);
    m_System.PumpMessages();
    EXPECT_EQ(window.UsableWidth(), 500);
    EXPECT_EQ(window.UsableHeight(), 400);
}

// What reaches a window of the frame tests: moves, sizes and close requests,
// which it leaves open.
std::vector<uint32_t> s_FrameMessages;

intptr_t RecordFrameMessages(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == platform::kWmClose || message == platform::kWmMove || message == platform::kWmSize)
    {
        s_FrameMessages.push_back(message);
    }
    return message == platform::kWmClose ? 0 : platform::DefWindowProc(window, message, wParam, lParam);
}

// A palette (a caption and a sizing frame, no minimise or maximise box) draws
// its frame itself, since window managers may add boxes to theirs: its top
// level is the whole window, the caption moves it, the edges size it, and the
// close box is there only with the system menu.
TEST_F(QtWindowTest, APaletteDrawsItsOwnCaptionThatMovesSizesAndClosesIt)
{
    platform::WindowCreateParams params;
    params.m_nStyle = platform::kWsPopup | platform::kWsCaption | platform::kWsThickFrame | platform::kWsSysMenu;
    params.m_WindowRect = {100, 80, 200, 150};
    params.m_strTitle = "パレット";
    params.m_pProcedure = &RecordFrameMessages;
    s_FrameMessages.clear();
    std::vector<uint32_t>& seen = s_FrameMessages;
    platform::WindowHandle handle = m_System.CreateWindow(params);
    auto* native = static_cast<platform::QtWindow*>(m_System.Resolve(handle));
    ASSERT_NE(native, nullptr);
    native->Show(true);
    QWidget* top = native->TopLevel();
    EXPECT_TRUE(native->HasOwnFrame());
    EXPECT_TRUE(top->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(top->geometry(), QRect(100, 80, 200, 150));
    // Frame 4, caption 18.
    EXPECT_EQ(native->ClientWidget()->geometry(), QRect(4, 22, 192, 124));
    EXPECT_EQ(native->ClientToScreen({0, 0}).m_nX, 104);
    EXPECT_EQ(native->ClientToScreen({0, 0}).m_nY, 102);

    seen.clear();
    auto* caption = dynamic_cast<platform::QtCaptionBar*>(top->childAt(60, 12));
    ASSERT_NE(caption, nullptr);
    QImage look = top->grab().toImage();
    QRgb bar = look.pixel(caption->width() - 30, 12);
    EXPECT_TRUE(bar == qRgb(0, 0, 128) || bar == qRgb(128, 128, 128)) << std::hex << bar;
    int titlePixels = 0;
    for (int x = 4; x < 60; ++x)
    {
        titlePixels += look.pixel(x, 13) != bar ? 1 : 0;
    }
    EXPECT_GT(titlePixels, 0) << "the title is drawn";

    // A click, and a press whose pointer stays within the drag distance, move nothing.
    QTest::mouseClick(caption, Qt::LeftButton, {}, QPoint(30, 9));
    QTest::mousePress(caption, Qt::LeftButton, {}, QPoint(30, 9));
    QTest::mouseMove(caption, QPoint(33, 12));
    QTest::mouseRelease(caption, Qt::LeftButton, {}, QPoint(33, 12));
    EXPECT_EQ(top->geometry(), QRect(100, 80, 200, 150));

    // The caption drags the window; the client area moves with it.
    QTest::mousePress(caption, Qt::LeftButton, {}, QPoint(30, 9));
    QTest::mouseMove(caption, QPoint(80, 49));
    QTest::mouseRelease(caption, Qt::LeftButton, {}, QPoint(80, 49));
    m_System.PumpMessages();
    EXPECT_EQ(top->geometry(), QRect(150, 120, 200, 150));
    EXPECT_EQ(native->WindowRect().m_nLeft, 150);
    EXPECT_EQ(native->WindowRect().m_nTop, 120);
    EXPECT_EQ(seen, std::vector<uint32_t>{platform::kWmMove});

    // The top-left corner sizes it; the bottom-right corner stays.
    seen.clear();
    QWidget* corner = top->childAt(1, 1);
    ASSERT_NE(corner, nullptr);
    ASSERT_NE(corner, caption);
    QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseMove(corner, QPoint(-19, -9));
    QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(-19, -9));
    m_System.PumpMessages();
    EXPECT_EQ(top->geometry(), QRect(130, 110, 220, 160));
    EXPECT_EQ(native->ClientRect().m_nWidth, 212);
    EXPECT_EQ(native->ClientRect().m_nHeight, 134);
    EXPECT_EQ(native->ClientWidget()->geometry(), QRect(4, 22, 212, 134));
    EXPECT_EQ(seen, (std::vector<uint32_t>{platform::kWmMove, platform::kWmSize}));

    // The close box asks the window to close, unless the window is disabled.
    seen.clear();
    QRect box = caption->CloseBox();
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GT(box.left(), caption->width() / 2);
    QTest::mouseClick(caption, Qt::LeftButton, {}, box.center());
    m_System.PumpMessages();
    EXPECT_EQ(seen, std::vector<uint32_t>{platform::kWmClose});
    seen.clear();
    native->SetStyle(native->Style() | platform::kWsDisabled);
    QTest::mouseClick(caption, Qt::LeftButton, {}, box.center());
    m_System.PumpMessages();
    EXPECT_EQ(seen, std::vector<uint32_t>{});
    // Without the system menu there is no close box: a click there closes nothing.
    native->SetStyle(native->Style() & ~(platform::kWsDisabled | platform::kWsSysMenu));
    EXPECT_TRUE(caption->CloseBox().isEmpty());
    QTest::mouseClick(caption, Qt::LeftButton, {}, box.center());
    m_System.PumpMessages();
    EXPECT_EQ(seen, std::vector<uint32_t>{});
    EXPECT_EQ(top->geometry(), QRect(130, 110, 220, 160));
    m_System.DestroyWindow(handle);
    m_System.PumpMessages();
}

// A press on a palette's frame moves nothing: the drag starts once the
// pointer has moved past the drag distance with the button held, by the
// window manager where it takes drags over (until the release, which it
// takes), else by the frame itself from the press on. A tap never starts the
// window manager's drag, which would keep the window on the pointer after
// the button is up.
TEST(QtFrameDragTest, OnlyAMovePastTheDragDistanceStartsADrag)
{
    const int distance = QApplication::startDragDistance();
    const QPoint press(500, 300);
    const QPoint near(press.x() + distance / 2, press.y() + distance / 2 - 1);
    const QPoint far(press.x() + distance, press.y() + 4);
    struct Case
    {
        const char* m_pName;
        Qt::Edges m_Edges;
        bool m_bSystemDrags;
        std::vector<std::pair<QPoint, Qt::MouseButtons>> m_Moves;
        int m_nSystemDrags;
        QRect m_Expected;
    };
    const QRect start(100, 80, 200, 150);
    const QPoint to = far - press;
    const std::vector<Case> cases = {
        {"a click", {}, true, {}, 0, start},
        {"a move within the distance", {}, true, {{near, Qt::LeftButton}}, 0, start},
        {"a move after the release went elsewhere", {}, true, {{far, Qt::NoButton}, {far, Qt::LeftButton}}, 0, start},
        {"the window manager's move",
         {},
         true,
         {{near, Qt::LeftButton}, {far, Qt::LeftButton}, {far + QPoint(30, 20), Qt::LeftButton}},
         1,
         start},
        {"the window manager's size", Qt::RightEdge | Qt::BottomEdge, true, {{far, Qt::LeftButton}}, 1, start},
        {"a move of its own",
         {},
         false,
         {{near, Qt::LeftButton}, {far, Qt::LeftButton}, {far + QPoint(30, 20), Qt::LeftButton}},
         1,
         start.translated(to + QPoint(30, 20))},
        {"a size of its own",
         Qt::RightEdge | Qt::BottomEdge,
         false,
         {{far, Qt::LeftButton}},
         1,
         QRect(start.topLeft(), start.size() + QSize(to.x(), to.y()))},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        QWidget top(nullptr, Qt::Window | Qt::FramelessWindowHint); // as a palette is
        top.setGeometry(start);
        top.winId();
        std::vector<Qt::Edges> asked;
        platform::FrameDrag drag(
            [&](QWindow&, Qt::Edges edges)
            {
                asked.push_back(edges);
                return c.m_bSystemDrags;
            });
        drag.Press(c.m_Edges, press);
        for (const auto& [point, held] : c.m_Moves)
        {
            drag.Follow(top, point, held);
        }
        drag.End();
        drag.Follow(top, far + QPoint(50, 50), Qt::LeftButton); // after the release
        EXPECT_EQ(asked, std::vector<Qt::Edges>(c.m_nSystemDrags, c.m_Edges));
        EXPECT_EQ(top.geometry(), c.m_Expected);
    }
}

// Where the program can place its windows (X11), the palettes' frame follows
// the pointer itself: a flick, whose release came before the window manager
// had taken the pointer, left the palette on the pointer until the next
// click. Only Wayland's window manager takes a drag over.
TEST(QtFrameDragTest, OnlyWhereWindowsCannotBePlacedTheWindowManagerDrags)
{
    for (const char* name : {"xcb", "offscreen", "eglfs"})
    {
        EXPECT_FALSE(platform::FrameDrag::SystemDragOn(QString::fromLatin1(name))) << name;
    }
    for (const char* name : {"wayland", "wayland-egl"})
    {
        EXPECT_TRUE(platform::FrameDrag::SystemDragOn(QString::fromLatin1(name))) << name;
    }

    // A flick with the palettes' own drag: the palette stops at the release.
    const QRect start(100, 80, 200, 150);
    QWidget top(nullptr, Qt::Window | Qt::FramelessWindowHint);
    top.setGeometry(start);
    top.winId();
    platform::FrameDrag drag;
    const QPoint press(150, 90);
    drag.Press({}, press);
    drag.Follow(top, press + QPoint(30, 12), Qt::LeftButton);
    drag.End();
    drag.Follow(top, press + QPoint(300, 200), Qt::NoButton);
    EXPECT_EQ(top.geometry(), start.translated(30, 12));
}

// Windows with a minimise or maximise box, and those without a sizing frame,
// keep the window manager's frame.
TEST_F(QtWindowTest, OnlyPalettesDrawTheirOwnFrame)
{
    const uint32_t kPalette = platform::kWsPopup | platform::kWsCaption | platform::kWsThickFrame;
    struct Case
    {
        uint32_t m_nStyle;
        bool m_bOwnFrame;
    };
    static const Case kCases[] = {
        {kPalette, true},
        {kPalette | platform::kWsSysMenu, true},
        {kPalette | platform::kWsSysMenu | platform::kWsMinimizeBox, false},
        {kPalette | platform::kWsMaximizeBox, false},
        {platform::kWsPopup | platform::kWsCaption | platform::kWsSysMenu | platform::kWsDialogFrame, false},
        {platform::kWsOverlappedWindow, false},
    };
    for (const Case& c : kCases)
    {
        platform::WindowCreateParams params;
        params.m_nStyle = c.m_nStyle;
        params.m_WindowRect = {10, 10, 200, 120};
        params.m_strTitle = "窓";
        platform::WindowHandle handle = m_System.CreateWindow(params);
        auto* native = static_cast<platform::QtWindow*>(m_System.Resolve(handle));
        ASSERT_NE(native, nullptr);
        EXPECT_EQ(native->HasOwnFrame(), c.m_bOwnFrame) << std::hex << c.m_nStyle;
        EXPECT_EQ(bool(native->TopLevel()->windowFlags() & Qt::FramelessWindowHint), c.m_bOwnFrame);
        // Either way the window rectangle is what was asked for.
        EXPECT_EQ(native->WindowRect().m_nWidth, 200);
        EXPECT_EQ(native->WindowRect().m_nHeight, 120);
        m_System.DestroyWindow(handle);
    }
    m_System.PumpMessages();
}

// An owned window names its owner to the window manager, which then keeps it
// above the owner and hides and shows it with the owner. Qt's X11 platform
// writes that name (WM_TRANSIENT_FOR) only for windows of the dialog and tool
// kinds: palettes are tool windows, shown without taking the activation, the
// other owned windows dialogs. An editor window (it has a minimise box, its
// owner is hidden) and a window without an owner stay plain windows.
TEST_F(QtWindowTest, AnOwnedWindowIsOfAKindWhoseOwnerTheWindowManagerLearns)
{
    platform::WindowCreateParams ownerParams;
    ownerParams.m_nStyle = platform::kWsOverlappedWindow | platform::kWsVisible;
    ownerParams.m_WindowRect = {20, 20, 300, 200};
    ownerParams.m_strTitle = "持ち主";
    platform::WindowHandle owner = m_System.CreateWindow(ownerParams);
    auto* ownerNative = static_cast<platform::QtWindow*>(m_System.Resolve(owner));
    ASSERT_NE(ownerNative, nullptr);

    const uint32_t kPalette = platform::kWsPopup | platform::kWsCaption | platform::kWsThickFrame;
    const uint32_t kDialog =
        platform::kWsPopup | platform::kWsCaption | platform::kWsSysMenu | platform::kWsDialogFrame;
    struct Case
    {
        uint32_t m_nStyle;
        bool m_bOwned;
        Qt::WindowType m_Kind;
    };
    static const Case kCases[] = {
        {kPalette | platform::kWsSysMenu, true, Qt::Tool},
        {kPalette, true, Qt::Tool},
        {kDialog, true, Qt::Dialog},
        {platform::kWsPopup | platform::kWsCaption | platform::kWsSysMenu, true, Qt::Dialog},
        {kPalette | platform::kWsSysMenu | platform::kWsMinimizeBox, true, Qt::Window},
        {kPalette | platform::kWsSysMenu, false, Qt::Window},
        {kDialog, false, Qt::Window},
    };
    for (const Case& c : kCases)
    {
        platform::WindowCreateParams params;
        params.m_nStyle = c.m_nStyle;
        params.m_WindowRect = {60, 60, 200, 120};
        params.m_strTitle = "窓";
        params.m_hParent = c.m_bOwned ? owner : nullptr;
        platform::WindowHandle handle = m_System.CreateWindow(params);
        auto* native = static_cast<platform::QtWindow*>(m_System.Resolve(handle));
        ASSERT_NE(native, nullptr);
        native->Show(true);
        QWidget* top = native->TopLevel();
        ASSERT_NE(top->windowHandle(), nullptr);
        std::string label = std::to_string(c.m_nStyle) + (c.m_bOwned ? " owned" : "");
        EXPECT_EQ(top->windowHandle()->type(), c.m_Kind) << label;
        EXPECT_EQ(native->IsToolWindow(), c.m_Kind == Qt::Tool) << label;
        EXPECT_EQ(top->testAttribute(Qt::WA_ShowWithoutActivating), c.m_Kind == Qt::Tool) << label;
        if (c.m_bOwned)
        {
            EXPECT_EQ(top->windowHandle()->transientParent(), ownerNative->TopLevel()->windowHandle()) << label;
        }
        m_System.DestroyWindow(handle);
        m_System.PumpMessages();
    }
    m_System.DestroyWindow(owner);
    m_System.PumpMessages();
}

// Records whether a condition held when the widget was hidden: Qt sends
// the hide event once it has asked the window system to hide the window.
class HideWatch : public QObject
{
public:
    HideWatch(QWidget* widget, std::function<bool()> condition) : m_Condition(std::move(condition))
    {
        widget->installEventFilter(this);
    }
    std::vector<bool> m_Seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
        {
            m_Seen.push_back(m_Condition());
        }
        return false;
    }

private:
    std::function<bool()> m_Condition;
};

// A disabled window with its dialog in front, and the disabled palette
// beside it, take no focus from the desktop: the window manager reads that
// from the window's hints, and the toolkit asks no activation for a window
// clicked, so the activation and the keys stay with the dialog. Asked by
// the program, the disabled window hands the activation on to its dialog.
// Before the dialog is hidden or destroyed the owner takes the focus again,
// so that the desktop may give it the activation the dialog leaves behind;
// a disabled window with no dialog in front of it takes it all along.
TEST_F(QtWindowTest, ADisabledWindowLeavesTheFocusToTheDialogInFrontOfIt)
{
    auto refuses = [&](platform::WindowHandle window)
    { return TopOf(window)->windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus); };
    auto settle = [&]
    {
        for (int i = 0; i < 5; ++i)
        {
            QCoreApplication::processEvents();
            m_System.PumpMessages();
        }
    };
    platform::WindowHandle owner = MakeOwned(platform::kWsOverlappedWindow | platform::kWsVisible, nullptr, 20);
    platform::WindowHandle palette = MakeOwned(
        platform::kWsPopup | platform::kWsCaption | platform::kWsThickFrame | platform::kWsVisible, owner, 340);
    platform::WindowHandle dialog = MakeOwned(
        platform::kWsPopup | platform::kWsCaption | platform::kWsSysMenu | platform::kWsDialogFrame, owner, 60);
    platform::WindowHandle edit = MakeEdit(dialog);
    ASSERT_NE(edit, nullptr);
    auto* ownerNative = static_cast<platform::QtWindow*>(m_System.Resolve(owner));
    platform::NativeWindow* dialogNative = m_System.Resolve(dialog);

    ownerNative->Enable(false);
    m_System.Resolve(palette)->Enable(false);
    settle();
    EXPECT_FALSE(refuses(owner)) << "disabled, with no dialog in front";
    EXPECT_FALSE(refuses(palette));

    dialogNative->Show(true);
    m_System.SetFocus(edit);
    settle();
    EXPECT_TRUE(refuses(owner));
    EXPECT_TRUE(refuses(palette));
    EXPECT_FALSE(refuses(dialog));
    ASSERT_EQ(m_System.ActiveWindow(), dialog);

    // A click on the owner, and the program asking for the owner's activation.
    QTest::mouseClick(ownerNative->ClientWidget(), Qt::LeftButton, {}, QPoint(20, 20));
    settle();
    m_System.SetActiveWindow(owner);
    settle();
    EXPECT_EQ(m_System.ActiveWindow(), dialog);
    EXPECT_EQ(m_System.Focus(), edit);
    EXPECT_EQ(QApplication::activeWindow(), TopOf(dialog));

    // The owner takes the focus again before the dialog is hidden, and before it is destroyed.
    HideWatch hides(TopOf(dialog), [&] { return refuses(owner) || refuses(palette); });
    dialogNative->Show(false);
    EXPECT_FALSE(refuses(owner));
    dialogNative->Show(true);
    EXPECT_TRUE(refuses(owner));
    m_System.DestroyWindow(dialog);
    EXPECT_EQ(hides.m_Seen, (std::vector<bool>{false, false}));
    EXPECT_FALSE(refuses(owner));
    EXPECT_FALSE(refuses(palette));
    m_System.DestroyWindow(owner);
    m_System.PumpMessages();
}

// The windows a modal dialog disables, hidden while a dialog of its own ran
// and shown again (the window manager maps them on top), come back behind
// it: the dialogs from the one that disables them up to the one in front
// are raised again in their order, and the activation and the focus stay
// where they were.
TEST_F(QtWindowTest, AWindowShownAgainBehindItsDialogLeavesTheDialogsInFront)
{
    constexpr uint32_t kDialogStyle = platform::kWsPopup | platform::kWsCaption | platform::kWsSysMenu |
                                      platform::kWsDialogFrame | platform::kWsVisible;
    platform::WindowHandle owner = MakeOwned(platform::kWsOverlappedWindow | platform::kWsVisible, nullptr, 20);
    platform::WindowHandle palette = MakeOwned(
        platform::kWsPopup | platform::kWsCaption | platform::kWsThickFrame | platform::kWsVisible, owner, 340);
    platform::WindowHandle outer = MakeOwned(kDialogStyle, owner, 60);
    platform::WindowHandle inner = MakeOwned(kDialogStyle, outer, 100);
    platform::WindowHandle edit = MakeEdit(inner);
    ASSERT_NE(edit, nullptr);
    for (platform::WindowHandle disabled : {owner, palette, outer})
    {
        m_System.Resolve(disabled)->Enable(false);
    }
    m_System.SetFocus(edit);
    QCoreApplication::processEvents();

    StackingWatch stacking;
    for (platform::WindowHandle hidden : {owner, palette})
    {
        m_System.Resolve(hidden)->Show(false);
    }
    for (platform::WindowHandle shown : {owner, palette})
    {
        m_System.Resolve(shown)->Show(true);
    }
    // Read before the toolkit's own reports: offscreen it activates every
    // window it shows, which no window manager does for one that takes no focus.
    EXPECT_TRUE(stacking.IsAbove(TopOf(inner), TopOf(outer)));
    EXPECT_TRUE(stacking.IsAbove(TopOf(outer), TopOf(owner)));
    EXPECT_TRUE(stacking.IsAbove(TopOf(outer), TopOf(palette)));
    QCoreApplication::processEvents();
    m_System.PumpMessages();
    EXPECT_EQ(m_System.ActiveWindow(), inner);
    EXPECT_EQ(m_System.Focus(), edit);
    m_System.DestroyWindow(owner);
    m_System.PumpMessages();
}

// The toolkit may activate a window it shows (offscreen it always does) and
// report that later: the core asked again for the window that is active
// already has the toolkit activate it again, and the reports settle there.
TEST_F(QtWindowTest, AskedAgainTheActiveWindowWinsBackTheActivationOfAWindowShownSince)
{
    auto make = [&](int x)
    {
        platform::WindowCreateParams params;
        params.m_nStyle = platform::kWsOverlappedWindow;
        params.m_WindowRect = {x, 20, 200, 120};
        params.m_strTitle = "窓";
        return m_System.CreateWindow(params);
    };
    platform::WindowHandle first = make(20);
    platform::WindowHandle second = make(300);
    auto* firstNative = static_cast<platform::QtWindow*>(m_System.Resolve(first));
    ASSERT_NE(firstNative, nullptr);
    auto settle = [&]
    {
        for (int i = 0; i < 5; ++i)
        {
            QCoreApplication::processEvents();
            m_System.PumpMessages();
        }
    };
    firstNative->Show(true);
    m_System.SetActiveWindow(first);
    settle();
    ASSERT_EQ(QApplication::activeWindow(), firstNative->TopLevel());

    m_System.Resolve(second)->Show(true);
    m_System.SetActiveWindow(first);
    settle();
    EXPECT_EQ(m_System.ActiveWindow(), first);
    EXPECT_EQ(QApplication::activeWindow(), firstNative->TopLevel());
    m_System.DestroyWindow(second);
    m_System.DestroyWindow(first);
    m_System.PumpMessages();
}

TEST_F(QtWindowTest, PostedMessagesTimersAndTheLoop)
{
    RecordingWindow window;
    window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
    window.SetLayout(100, 100, 0, 0, 0, 0, platform::kWsOverlappedWindow, 0, 0, 0, 0, 0);
    ASSERT_EQ(window.Create("", 0, 0), 1);
    int timers = 0;
    m_System.SetMessageFilter([&](platform::WindowHandle, uint32_t message, uintptr_t wParam, intptr_t) {
        if (message == platform::kWmTimer && wParam == 3 && ++timers == 2)
        {
            m_System.PostQuit(5);
        }
        return message == platform::kWmTimer;
    });
    m_System.PostMessage(window.Handle(), platform::kWmCommand, 77, 0);
    window.Native()->SetTimer(3, 5);
    int idles = 0;
    EXPECT_EQ(m_System.RunMessageLoop([&] { return ++idles < 3; }), 5);
    window.Native()->KillTimer(3);
    EXPECT_EQ(window.m_Commands, std::vector<int>{77});
    EXPECT_EQ(timers, 2);
    EXPECT_GE(idles, 1);
    m_System.SetMessageFilter(nullptr);
}

TEST_F(QtWindowTest, ToolBarTipsAndItemTextsGoThroughTheWidgets)
{
    RecordingWindow window;
    window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
    window.SetLayout(200, 100, 0, 0, 0, 0, platform::kWsOverlappedWindow, 0, 1, 0, 0, 0);
    ASSERT_EQ(window.Create("", 0, 0), 1);
    ToolbarButtonEntry buttons[] = {{{platform::kStdImageOpen, 300}, "開く"}, {{platform::kStdImageSave, 301}, "保存"}};
    window.AddStdToolbarButtons(buttons, 2);
    ASSERT_NE(window.GetToolBar(), nullptr);
    EXPECT_EQ(window.GetToolBar()->ButtonCount(), 2);
    EXPECT_EQ(window.GetToolBar()->Tip(1), "保存");

    // An item with a control of its own keeps its text in the control's widget.
    platform::WindowCreateParams params;
    params.m_strClass = platform::kClassEdit;
    params.m_nStyle = platform::kWsChild | platform::kWsVisible;
    params.m_WindowRect = {4, 30, 120, 20};
    params.m_hParent = window.Handle();
    params.m_nId = 1001;
    platform::WindowHandle edit = m_System.CreateWindow(params);
    ASSERT_TRUE(edit);
    auto* editWidget = qobject_cast<QLineEdit*>(static_cast<platform::QtChildWindow*>(m_System.Resolve(edit))->Widget());
    ASSERT_NE(editWidget, nullptr);
    window.Native()->SetItemText(1001, "名前");
    EXPECT_EQ(editWidget->text(), QString::fromUtf8(u8"名前"));
    EXPECT_EQ(window.Native()->ItemText(1001), "名前");
    window.Native()->SetItemText(1002, "控え"); // no control: kept by the window
    EXPECT_EQ(window.Native()->ItemText(1002), "控え");
}

TEST_F(QtWindowTest, ABoxOfTheHiddenMainWindowIsCentredOverTheActiveWindow)
{
    platform::WindowCreateParams main;
    main.m_strTitle = "主";
    main.m_WindowRect = {0, 0, 120, 90};
    platform::WindowHandle hidden = m_System.CreateWindow(main);
    platform::WindowCreateParams editor;
    editor.m_strTitle = "編集";
    editor.m_nStyle = platform::kWsOverlappedWindow | platform::kWsVisible;
    editor.m_WindowRect = {300, 200, 400, 300};
    editor.m_hParent = hidden;
    platform::WindowHandle shown = m_System.CreateWindow(editor);
    ASSERT_TRUE(hidden && shown);
    m_System.SetActiveWindow(shown);
    QWidget* front = static_cast<platform::QtWindow*>(m_System.Resolve(shown))->TopLevel();
    QWidget* back = static_cast<platform::QtWindow*>(m_System.Resolve(hidden))->TopLevel();
    // The owned window names its hidden owner to the window manager.
    ASSERT_NE(front->windowHandle(), nullptr);
    EXPECT_EQ(front->windowHandle()->transientParent(), back->windowHandle());

    platform::QtDialogs dialogs(m_System);
    QWidget* parent = nullptr;
    QPoint centre;
    QTimer::singleShot(0,
                       [&]
                       {
                           auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                           ASSERT_NE(box, nullptr);
                           parent = box->parentWidget();
                           centre = box->frameGeometry().center();
                           box->close();
                       });
    dialogs.MessageBox(hidden, "終了しますか？\n", "終了確認", platform::kMbOk);
    EXPECT_EQ(parent, front);
    EXPECT_LE((centre - front->frameGeometry().center()).manhattanLength(), 4) << centre.x() << "," << centre.y();
    m_System.DestroyWindow(hidden);
}

// A program that ends closes every box and dialog it has open, the ones
// inside others included, and shows none after: each is answered as closed.
TEST_F(QtWindowTest, BoxesAndDialogsGoWhenTheProgramEnds)
{
    platform::QtDialogs dialogs(m_System);
    int inner = -1;
    QTimer::singleShot(0,
                       [&]
                       {
                           // Inside the folder dialog: a box, inside which the program ends.
                           QTimer::singleShot(0, [&] { dialogs.EndAll(); });
                           inner = dialogs.MessageBox(nullptr, "保存しますか？", "確認", platform::kMbYesNo);
                       });
    std::string folder;
    EXPECT_FALSE(dialogs.BrowseFolder(nullptr, "", "フォルダー", folder));
    EXPECT_EQ(inner, platform::kIdNo);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Shown after the end, a box or dialog would run a loop of its own, in which the watch would see it.
    bool shown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&]
                     {
                         if (QWidget* modal = QApplication::activeModalWidget())
                         {
                             shown = true;
                             modal->close();
                         }
                     });
    watch.start(0);
    EXPECT_EQ(dialogs.MessageBox(nullptr, "終了しますか？\n", "終了確認", platform::kMbOkCancel), platform::kIdCancel);
    platform::FileDialogRequest request;
    std::vector<std::string> paths;
    EXPECT_FALSE(dialogs.OpenFile(request, paths));
    std::string path;
    EXPECT_FALSE(dialogs.SaveFile(request, path));
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
}

TEST(QtFileFilterTest, FiltersBecomeQtNameFilters)
{
    EXPECT_EQ(platform::ToQtFileFilter("StageFile ( *.stg_* )"), QString("StageFile ( *.stg_* ) (*.stg_*)"));
    static const char kFilter[] = "BgmFile ( *.mid;*.ogg )\0*.mid;*.ogg\0";
    EXPECT_EQ(platform::ToQtFileFilter(std::string_view(kFilter, sizeof(kFilter) - 1)),
              QString("BgmFile ( *.mid;*.ogg ) (*.mid *.ogg)"));
}

} // namespace

namespace
{

// A window that destroys itself from inside one of its own handlers.
class SelfClosingWindow : public RecordingWindow
{
public:
    void OnLButtonDown(uintptr_t wParam, intptr_t lParam) override
    {
        RecordingWindow::OnLButtonDown(wParam, lParam);
        Native()->Destroy();
    }
    void OnPaint() override
    {
        RecordingWindow::OnPaint();
        if (m_bCloseOnPaint)
        {
            Native()->Destroy();
        }
    }
    bool m_bCloseOnPaint = false;
};

TEST_F(QtWindowTest, AWindowDestroyedFromItsOwnHandlersOutlivesThem)
{
    for (bool onPaint : {false, true})
    {
        SCOPED_TRACE(onPaint ? "paint" : "click");
        SelfClosingWindow window;
        window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
        window.SetLayout(100, 80, 0, 0, 0, 0, platform::kWsOverlappedWindow, 0, 0, 0, 0, 0);
        ASSERT_EQ(window.Create("", 0, 0), 1);
        window.Show(1);
        m_System.PumpMessages();
        auto* native = static_cast<platform::QtWindow*>(window.Native());
        QPointer<QWidget> client = native->ClientWidget();
        if (onPaint)
        {
            window.m_bCloseOnPaint = true;
            client->repaint();
        }
        else
        {
            QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(5, 5));
        }
        EXPECT_EQ(window.Handle(), nullptr);
        EXPECT_EQ(window.m_nLeftUps, 0); // the release reached no handler
        // The widgets go once the toolkit has left their handlers.
        m_System.PumpMessages();
        EXPECT_TRUE(client.isNull());
    }
}

TEST_F(QtWindowTest, ChildWindowsLeftOpenAreFreedOnceWithTheSystem)
{
    auto system = std::make_unique<platform::QtWindowSystem>();
    platform::WindowCreateParams params;
    params.m_WindowRect = {0, 0, 100, 100};
    platform::WindowHandle parent = system->CreateWindow(params);
    params.m_hParent = parent;
    platform::WindowHandle child = system->CreateWindow(params);
    ASSERT_NE(child, nullptr);
    QPointer<QWidget> childTop = static_cast<platform::QtWindow*>(system->Resolve(child))->TopLevel();
    system.reset();
    EXPECT_TRUE(childTop.isNull());
}

} // namespace

namespace
{

// The Qt edit of a numeric field: digits, '-' and '.' pass its filter; the
// full-width forms the input method commits are mapped by its hook.
TEST_F(QtWindowTest, PunctuationAndFullWidthFormsReachAnEditThroughTheKeyFilter)
{
    platform::WindowCreateParams params;
    params.m_WindowRect = {10, 10, 240, 120};
    platform::WindowHandle dialog = m_System.CreateWindow(params);
    params.m_strClass = platform::kClassEdit;
    params.m_nStyle = platform::kWsChild | platform::kWsVisible;
    params.m_WindowRect = {10, 10, 100, 22};
    params.m_hParent = dialog;
    params.m_nId = 1077;
    platform::WindowHandle edit = m_System.CreateWindow(params);
    auto* native = static_cast<platform::QtChildWindow*>(m_System.Resolve(edit));
    ASSERT_NE(native, nullptr);
    native->SetCharFilter([](platform::WindowHandle, uint32_t code) {
        return code == '-' || code == '.' || (code >= '0' && code <= '9') || (code >= 1 && code <= 39);
    });
    native->SetImeCommitHook([this](platform::WindowHandle window, std::string_view text) {
        static const std::pair<std::string_view, char> kForms[] = {
            {"１", '1'}, {"２", '2'}, {"５", '5'}, {"－", '-'}, {"．", '.'}};
        for (size_t pos = 0; pos + 1 < text.size(); pos += 2)
        {
            for (const auto& [form, ascii] : kForms)
            {
                if (text.substr(pos, 2) == form)
                {
                    m_System.SendMessage(window, platform::kWmChar, static_cast<uint8_t>(ascii), 0);
                }
            }
        }
        return true;
    });
    m_System.Resolve(dialog)->Show(true);
    m_System.SetFocus(edit);
    m_System.PumpMessages();

    // The key filter sees each key before the line edit: key-downs addressed to
    // the edit, and an accelerator that is consumed never reaches it.
    std::vector<uint32_t> keyDowns;
    m_System.SetMessageFilter([&](platform::WindowHandle target, uint32_t message, uintptr_t key, intptr_t flags) {
        if (message != platform::kWmKeyDown)
        {
            return false;
        }
        EXPECT_EQ(target, edit);
        keyDowns.push_back(static_cast<uint32_t>(key));
        return key == 'Z' && (flags & platform::kKeyControl);
    });
    QWidget* widget = native->Widget();
    QTest::keyClicks(widget, "-1.5a");
    QTest::keyClick(widget, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(native->Text(), "-1.5"); // the letter did not pass; Ctrl+Z undid nothing
    EXPECT_EQ(keyDowns, (std::vector<uint32_t>{platform::kVkOemMinus, '1', platform::kVkOemPeriod, '5', 'A',
                                                 platform::kVkControl, 'Z'}));

    // Full-width forms typed through the input method.
    QInputMethodEvent composing(QString::fromUtf8(u8"－２"), {});
    QCoreApplication::sendEvent(widget, &composing);
    EXPECT_TRUE(native->IsComposing());
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8(u8"－２．５ａ"));
    QCoreApplication::sendEvent(widget, &commit);
    EXPECT_FALSE(native->IsComposing());
    EXPECT_EQ(native->Text(), "-1.5-2.5");
    m_System.SetMessageFilter(nullptr);
}

} // namespace
