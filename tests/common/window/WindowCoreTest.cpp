#include "common/window/EditorApp.h"
#include "common/window/FrameRate.h"
#include "common/window/MenuCursorStack.h"
#include "platform/core/Clock.h"
#include "platform/window/DummyWindowSystem.h"
#include "tests/common/window/TestWindow.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <thread>

namespace
{

using platform::kWsCaption;
using platform::kWsOverlappedWindow;
using platform::kWsThickFrame;

class WindowCoreTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_System.FixMetrics(TestMetrics());
        m_System.FixDesktopRect({0, 0, 800, 600});
        AppWindowSystem = &m_System;
        ResetMouseLatches();
    }
    void TearDown() override { AppWindowSystem = nullptr; }

    // Lays out and creates a recording window at (x, y).
    void Make(RecordingWindow& window, int width, int height, int rows, int status, int x = 10, int y = 20)
    {
        window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
        window.SetLayout(width, height, 100, 100, 1000, 1000, kWsOverlappedWindow, 0, rows, status, 0, 0);
        ASSERT_EQ(window.Create("test", x, y), 1);
    }

    platform::DummyWindow& Native(WindowBase& window) { return static_cast<platform::DummyWindow&>(*window.Handle()); }

    platform::DummyWindowSystem m_System;
};

TEST_F(WindowCoreTest, ToolBarsAndStatusBarShapeTheUsableArea)
{
    RecordingWindow window;
    Make(window, 400, 300, 2, 1);
    // Caption 18 + sizing frame 4 above, 4 on the other sides.
    EXPECT_EQ(window.WindowRectangle().m_nWidth, 400 + 8);
    EXPECT_EQ(window.WindowRectangle().m_nHeight, 300 + 56 + 20 + 26);
    platform::Rect client;
    window.GetClientRect(client);
    EXPECT_EQ(client.m_nHeight, 376);
    EXPECT_EQ(window.OriginY(), 56);
    EXPECT_EQ(window.UsableHeight(), client.m_nHeight - 76);
    EXPECT_EQ(window.UsableWidth(), 400);
    EXPECT_EQ(window.m_nCreates, 1);

    // A resize of the native window re-reads the layout.
    Native(window).SetWindowRect({10, 20, 508, 502});
    EXPECT_EQ(window.UsableHeight(), 502 - 26 - 76);
    EXPECT_EQ(window.UsableWidth(), 500);

    platform::MinMaxInfo info;
    m_System.SendMessage(window.Handle(), platform::kWmGetMinMaxInfo, 0, reinterpret_cast<intptr_t>(&info));
    EXPECT_EQ(info.m_nMinTrackWidth, 108);
    EXPECT_EQ(info.m_nMinTrackHeight, 100 + 76 + 26);
    EXPECT_EQ(info.m_nMaxTrackHeight, 1000 + 76 + 26);
}

TEST_F(WindowCoreTest, FrameFollowsTheStyleMenuAndScrollBars)
{
    RecordingWindow window;
    window.Init(0, nullptr, &App, &RecordingWindow::Procedure);
    window.SetLayout(200, 100, 0, 0, 0, 0, kWsCaption | platform::kWsDialogFrame | platform::kWsVScroll, 1, 0, 2,
                     0, 3);
    // Layout scroll bars add to the client size; style scroll bars to the frame.
    EXPECT_EQ(window.ClientRectangle().m_nWidth, 217);
    EXPECT_EQ(window.ClientRectangle().m_nHeight, 100 + 17 + 20);
    EXPECT_EQ(window.Frame().m_nTop, 18 + 3 + 20);
    EXPECT_EQ(window.Frame().m_nRight, 3 + 17);
    EXPECT_EQ(window.UsableWidth(), 200);
    EXPECT_EQ(window.UsableHeight(), 120); // status kind 2 is not taken off
}

TEST_F(WindowCoreTest, PlaceWindowCentresKeepsOnTheDesktopAndHonoursTheInitialPosition)
{
    RecordingWindow anchor;
    Make(anchor, 300, 200, 0, 0, 600, 100);
    {
        // Centred on the anchor's client area, the window would pass the desktop's right edge.
        RecordingWindow window(&anchor, 1);
        Make(window, 200, 100, 0, 0);
        window.PlaceWindow();
        int x = 0, y = 0;
        window.GetWindowPos(x, y);
        EXPECT_EQ(x, 800 - 208);
        EXPECT_EQ(y, 100 + 100 - 50);
        EXPECT_EQ(Native(window).WindowRect().m_nLeft, 592);
    }
    {
        RecordingWindow window(&anchor, 0);
        Make(window, 50, 50, 0, 0);
        window.PlaceWindow();
        EXPECT_EQ(Native(window).WindowRect().m_nLeft, 600);
        EXPECT_EQ(Native(window).WindowRect().m_nTop, 100);
    }
    {
        RecordingWindow window;
        Make(window, 50, 50, 0, 0, 33, 44);
        window.PlaceWindow(); // unset initial position: stays
        EXPECT_EQ(Native(window).WindowRect().m_nLeft, 33);
        EXPECT_EQ(Native(window).WindowRect().m_nTop, 44);
        window.SetInitialPosition(70, -1000);
        window.PlaceWindow();
        EXPECT_EQ(Native(window).WindowRect().m_nLeft, 33);
        window.SetInitialPosition(70, 80);
        window.PlaceWindow();
        EXPECT_EQ(Native(window).WindowRect().m_nLeft, 70);
        EXPECT_EQ(Native(window).WindowRect().m_nTop, 80);
        EXPECT_EQ(Native(window).ClientRect().m_nWidth, 50);
    }
}

TEST_F(WindowCoreTest, NotificationsDuringAnUpdateComeOnlyFromItsSource)
{
    RecordingWindow window;
    EXPECT_TRUE(window.CanHandleNotify(7));
    window.BeginUpdate(5);
    EXPECT_TRUE(window.CanHandleNotify(5));
    EXPECT_FALSE(window.CanHandleNotify(4));
    EXPECT_FALSE(window.CanHandleNotify(platform::MakeWParam(5, 0x300)));
    window.EndUpdate();
    EXPECT_TRUE(window.CanHandleNotify(4));
}

TEST_F(WindowCoreTest, TheMouseIsTrackedOnlyInsideTheUsableArea)
{
    RecordingWindow window;
    Make(window, 200, 100, 1, 1, 10, 20);
    platform::DummyWindow& native = Native(window);
    // Client (30, 40) = usable (30, 12).
    m_System.SetCursorPos(native.ClientToScreen({30, 40}));
    m_System.SetMouseButton(0, true);
    m_System.PostMessage(window.Handle(), platform::kWmMouseMove, platform::kMkLButton, 0);
    m_System.PumpMessages();
    EXPECT_EQ(window.Mouse().m_nX, 30);
    EXPECT_EQ(window.Mouse().m_nY, 12);
    EXPECT_EQ(window.Mouse().m_bLeftHeld, 1);
    EXPECT_EQ(window.Mouse().m_bLeftPressed, 1);
    EXPECT_EQ(window.PopupPosition().m_nX, 10 + 30);
    EXPECT_EQ(window.PopupPosition().m_nY, 20 + 22 + 28 + 12);

    // On the tool bar, below the usable area, or unreadable: nothing changes.
    MouseButtons before = window.Mouse();
    m_System.SetMouseButton(0, false);
    for (platform::Point p : {platform::Point{30, 5}, platform::Point{30, 28 + 100}, platform::Point{-1, 40},
                              platform::Point{200, 40}})
    {
        m_System.SetCursorPos(native.ClientToScreen(p));
        m_System.SendMessage(window.Handle(), platform::kWmMouseMove, 0, 0);
        EXPECT_EQ(window.Mouse().m_nX, before.m_nX);
        EXPECT_EQ(window.Mouse().m_nY, before.m_nY);
        EXPECT_EQ(window.Mouse().m_bLeftHeld, 1);
    }
    m_System.SetCursorPos(native.ClientToScreen({31, 41}));
    m_System.SetCursorReadFails(true);
    EXPECT_EQ(window.UpdateMouse(kMouseUpdateAll), 0);
    EXPECT_EQ(window.Mouse().m_nX, 30);
    EXPECT_EQ(window.m_nMoves, 5); // the handler is called either way
}

TEST_F(WindowCoreTest, ARightPressIsPressedForTheFirstWindowThatPollsIt)
{
    MouseButtons first, second;
    first.Update(kMouseUpdateAll, false, true);
    second.Update(kMouseUpdateAll, false, true);
    EXPECT_EQ(first.m_bRightPressed, 1);
    EXPECT_EQ(second.m_bRightPressed, 0);
    EXPECT_EQ(second.m_bRightHeld, 1);
    first.Update(kMouseUpdateAll, false, false);
    EXPECT_EQ(first.m_bRightReleased, 1);
    EXPECT_EQ(first.m_bRightPressed, 0);
    first.Update(kMouseUpdateAll, false, false);
    EXPECT_EQ(first.m_bRightReleased, 0);
}

TEST_F(WindowCoreTest, ARightClickCountsInTheActiveWindowWithTheLeftButtonUp)
{
    RecordingWindow window;
    Make(window, 200, 100, 0, 0);
    m_System.SetCursorPos(Native(window).ClientToScreen({5, 5}));
    m_System.SetMouseButton(1, true);
    m_System.SendMessage(window.Handle(), platform::kWmRButtonDown, 0, 0);
    m_System.SetMouseButton(1, false);
    m_System.SendMessage(window.Handle(), platform::kWmRButtonUp, 0, 0);
    EXPECT_FALSE(window.IsRightClick()); // not the active window
    Native(window).Activate();
    EXPECT_TRUE(window.IsRightClick());
    EXPECT_EQ(window.m_nRightUps, 1);

    m_System.SetPopupChoice(4711);
    platform::Menu menu;
    menu.m_Items.push_back({4711, "消去", false, false, false, {}});
    window.TrackPopup(menu);
    m_System.PumpMessages();
    EXPECT_EQ(window.m_Commands, std::vector<int>{4711});
    EXPECT_EQ(Native(window).LastPopupPosition().m_nX, window.PopupPosition().m_nX);
}

TEST_F(WindowCoreTest, DispatchReachesTheHandlers)
{
    RecordingWindow window;
    Make(window, 200, 100, 0, 0);
    m_System.SetCursorPos(Native(window).ClientToScreen({12, 34}));
    m_System.SetMouseButton(0, true);
    m_System.PostMessage(window.Handle(), platform::kWmLButtonDown, platform::kMkLButton, platform::MakeLParam(12, 34));
    m_System.PostMessage(window.Handle(), platform::kWmLButtonUp, 0, platform::MakeLParam(12, 34));
    Native(window).Invalidate();
    m_System.PostMessage(window.Handle(), platform::kWmActivateApp, 1, 0);
    m_System.PumpMessages();
    EXPECT_EQ(window.m_nLeftDowns, 1);
    EXPECT_EQ(window.m_nLeftUps, 1);
    EXPECT_EQ(window.m_LastClick.m_nX, 12);
    EXPECT_EQ(window.m_LastClick.m_nY, 34);
    EXPECT_EQ(window.m_nPaints, 1);
    EXPECT_EQ(AppActive, 1);

    // Closing destroys the window through the default procedure; the handle is cleared,
    // and the old handle no longer takes messages.
    platform::WindowHandle closed = window.Handle();
    m_System.SendMessage(closed, platform::kWmClose, 0, 0);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_FALSE(m_System.IsWindow(closed));
    EXPECT_FALSE(m_System.PostMessage(closed, platform::kWmPaint, 0, 0));
}

TEST_F(WindowCoreTest, TheLoopRunsIdleStepsUntilTheQuitAndServesSendsFromOtherThreads)
{
    RecordingWindow window;
    Make(window, 200, 100, 0, 0);
    int idles = 0;
    std::thread sender;
    int loopResult = m_System.RunMessageLoop([&] {
        ++idles;
        if (idles == 1)
        {
            sender = std::thread([&] {
                m_System.SendMessage(window.Handle(), platform::kWmCommand, 99, 0);
                m_System.PostQuit(3);
            });
            return false; // wait for the message
        }
        return true;
    });
    sender.join();
    EXPECT_EQ(loopResult, 3);
    EXPECT_EQ(window.m_Commands, std::vector<int>{99});
    EXPECT_GE(idles, 1);
}

TEST_F(WindowCoreTest, AThreadStartedBeforeTheLoopSendsToItAndReadsTheActiveFlag)
{
    // The game's pattern: its thread runs before the main thread enters the loop,
    // sends its requests to the main window and runs frames while the program is active.
    RecordingWindow window;
    Make(window, 200, 100, 0, 0);
    platform::WindowHandle handle = window.Handle();
    AppActive = 0;
    int activeSeen = 0;
    std::thread game([&] {
        while (AppActive == 0)
        {
            std::this_thread::yield();
        }
        activeSeen = AppActive;
        m_System.SendMessage(handle, platform::kWmCommand, 42, 0);
        m_System.PostQuit(0);
    });
    m_System.PostMessage(handle, platform::kWmActivateApp, 1, 0);
    EXPECT_EQ(m_System.RunMessageLoop(nullptr), 0);
    game.join();
    EXPECT_EQ(activeSeen, 1);
    EXPECT_EQ(window.m_Commands, std::vector<int>{42});
}

TEST_F(WindowCoreTest, AcceleratorsTurnKeysIntoCommands)
{
    RegisterAcceleratorTable(101, {{'Z', platform::kKeyControl, 40001}, {platform::kVkDelete, 0, 40002}});
    RecordingWindow window;
    Make(window, 200, 100, 0, 0);
    window.AddAccelerators(window.Handle(), 101);
    window.AddAccelerators(window.Handle(), 999); // no such table: a binding without one
    ASSERT_EQ(window.Accelerators().size(), 2u);
    EXPECT_EQ(window.Accelerators()[1].m_pTable, nullptr);
    m_System.SetMessageFilter([&](platform::WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
        for (const AcceleratorBinding& binding : window.Accelerators())
        {
            if (binding.m_pTable &&
                TranslateAccelerator(binding.m_hWindow, *binding.m_pTable, message, wParam, lParam))
            {
                return true;
            }
        }
        return false;
    });
    m_System.PostMessage(window.Handle(), platform::kWmKeyDown, 'Z', platform::kKeyControl);
    m_System.PostMessage(window.Handle(), platform::kWmKeyDown, 'Z', 0);
    m_System.PostMessage(window.Handle(), platform::kWmKeyDown, platform::kVkDelete, 0);
    m_System.PumpMessages();
    EXPECT_EQ(window.m_Commands, (std::vector<int>{static_cast<int>(platform::MakeWParam(40001, 1)),
                                                  static_cast<int>(platform::MakeWParam(40002, 1))}));
}

TEST_F(WindowCoreTest, ToolBarButtonsTakeTheirImagesAndTipsAndTheStatusBarFollowsTheSize)
{
    RecordingWindow window;
    Make(window, 300, 200, 1, 1);
    ToolbarButtonEntry buttons[] = {
        {{platform::kStdImageNew, 100}, "新規"},
        {{0, 0, platform::ToolButton::kStateEnabled, platform::ToolButton::kStyleSeparator}, nullptr},
        {{platform::kStdImageSave, 101}, "保存"},
    };
    window.AddStdToolbarButtons(buttons, 3);
    window.AddStdToolbarButtons(buttons, 1);
    auto* toolBar = static_cast<platform::ModelToolBar*>(window.GetToolBar());
    ASSERT_NE(toolBar, nullptr);
    ASSERT_EQ(toolBar->ButtonCount(), 4);
    EXPECT_EQ(toolBar->Buttons()[0].m_nImage, platform::kStdImageNew);
    EXPECT_EQ(toolBar->Buttons()[1].m_nImage, 0);
    EXPECT_EQ(toolBar->Buttons()[2].m_nImage, platform::kStdImageSave);
    EXPECT_EQ(toolBar->Buttons()[3].m_nImage, platform::kStdImageCount + platform::kStdImageNew);
    EXPECT_EQ(toolBar->Tip(0), "新規");
    EXPECT_EQ(toolBar->Tip(2), "保存");
    EXPECT_EQ(buttons[2].m_Button.m_nImage, platform::kStdImageSave); // the caller's table is left alone

    platform::StatusBar* status = window.CreateStatusBar();
    ASSERT_NE(status, nullptr);
    Native(window).SetWindowRect({10, 20, 408, 326});
    EXPECT_EQ(status->Placement(), (platform::Rect{0, 300 - 20, 400, 20}));
    EXPECT_EQ(toolBar->Width(), 400);
}

TEST_F(WindowCoreTest, BackBufferIsPresentedAtTheClientOrigin)
{
    GlobalPalette.fill(0);
    RecordingWindow window;
    Make(window, 40, 30, 1, 0);
    ASSERT_EQ(window.m_Front.Create(40, 58, 24, 0), 1);
    ASSERT_EQ(window.m_Back.Create(40, 30, 24, 0), 1);
    window.m_Front.Clear(0);
    window.m_Back.Clear(0x0000FF);
    window.PresentBackBuffer();
    EXPECT_EQ(window.m_Front.Pixel(0, 27), 0u);
    EXPECT_EQ(window.m_Front.Pixel(0, 28), 0xFF0000u);
    window.ShowFront();
    EXPECT_EQ(Native(window).PresentedPixel(39, 57), 0xFF0000u);
    EXPECT_EQ(Native(window).PresentedPixel(39, 27), 0u);
}

TEST(EditorAppTest, RemoveWindowTakesTheFirstEqualEntry)
{
    EditorApp app;
    WindowBase a, b;
    app.AddWindow(&a);
    app.AddWindow(&b);
    app.AddWindow(&a);
    EXPECT_EQ(app.RemoveWindow(&a), 1);
    EXPECT_EQ(app.m_Windows, (std::vector<WindowBase*>{&b, &a}));
    EXPECT_EQ(app.RemoveWindow(&a), 1);
    EXPECT_EQ(app.RemoveWindow(&a), 0);
}

TEST(MenuCursorStackTest, PushCopiesTheEntryBelowOnlyWhenAsked)
{
    MenuCursorStack stack;
    ASSERT_EQ(stack.Count(), 1);
    EXPECT_EQ(stack.Previous(), nullptr);
    stack.Current() = {1, 2, 30, 40};
    stack.Push(1);
    ASSERT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Current(), (CursorEntry{1, 2, 30, 40}));
    ASSERT_NE(stack.Previous(), nullptr);
    EXPECT_EQ(*stack.Previous(), (CursorEntry{1, 2, 30, 40}));
    stack.Current().m_nRow = 5;
    stack.Push(0);
    EXPECT_EQ(stack.Current(), CursorEntry{});
    // Many pushes grow the vector; current and previous still name the top two.
    for (int i = 0; i < 40; ++i)
    {
        stack.Push(1);
        stack.Current().m_nColumn = i;
    }
    EXPECT_EQ(stack.Previous()->m_nColumn, 38);
    EXPECT_EQ(stack.Current().m_nColumn, 39);

    stack.Reset();
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_EQ(stack.Current(), CursorEntry{});
}

TEST(MenuCursorStackTest, PopModesAndTheLastEntry)
{
    MenuCursorStack stack;
    stack.Current() = {1, 1, 1, 1};
    stack.Push(0);
    stack.Current() = {2, 2, 2, 2};
    stack.Pop(2);
    EXPECT_EQ(stack.Current(), (CursorEntry{2, 2, 2, 2}));
    stack.Push(0);
    stack.Pop(1);
    EXPECT_EQ(stack.Current(), (CursorEntry{2, 2, 2, 2}));
    stack.Push(0);
    stack.Pop(0);
    EXPECT_EQ(stack.Current(), CursorEntry{});
    stack.Current() = {3, 3, 3, 3};
    stack.Pop(0); // one entry: nothing happens
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_EQ(stack.Current(), (CursorEntry{3, 3, 3, 3}));
    stack.Push(0);
    stack.Push(0);
    stack.Current() = {9, 8, 7, 6};
    stack.Collapse();
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_EQ(stack.Current(), (CursorEntry{9, 8, 7, 6}));
    EXPECT_EQ(stack.Previous(), nullptr);
}

TEST(FrameRateTest, ReturnsThePreviousSecondsCount)
{
    uint32_t now = 5000;
    platform::SetTickCountOverride([&] { return now; });
    ResetFrameRateMeasure();
    for (int i = 0; i < 30; ++i)
    {
        EXPECT_EQ(MeasureFrameRate(), 0);
        now += 33;
    }
    now = 6000; // closes the first second: 30 calls counted
    EXPECT_EQ(MeasureFrameRate(), 30);
    now = 6500;
    EXPECT_EQ(MeasureFrameRate(), 30);
    EXPECT_EQ(MeasureFrameRate(), 30);
    now = 7000;
    EXPECT_EQ(MeasureFrameRate(), 2);
    platform::SetTickCountOverride(nullptr);
}

} // namespace
