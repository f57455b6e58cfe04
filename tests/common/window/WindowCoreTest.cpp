#include "common/window/EditorApp.h"
#include "common/window/FrameRate.h"
#include "common/window/MenuCursorStack.h"
#include "platform/core/Clock.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/KeyCodes.h"
#include "tests/common/graphics/BmpBuilder.h"
#include "tests/common/window/CoreBehaviours.h"
#include "tests/common/window/TestWindow.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace
{

INSTANTIATE_TEST_SUITE_P(Dummy, CoreBehaviour,
                         testing::Values(CoreBackend{"Dummy", [] { return std::make_unique<platform::DummyWindowSystem>(); }}),
                         CoreBackendName);

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

    platform::DummyWindow& Native(WindowBase& window) { return static_cast<platform::DummyWindow&>(*window.Native()); }

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

    platform::MinMaxInfo info = m_System.TrackSizes(window.Handle());
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
    auto click = [&] {
        m_System.SetMouseButton(1, true);
        m_System.SendMessage(window.Handle(), platform::kWmRButtonDown, 0, 0);
        m_System.SetMouseButton(1, false);
        m_System.SendMessage(window.Handle(), platform::kWmRButtonUp, 0, 0);
    };
    click();
    EXPECT_FALSE(window.IsRightClick()); // not the active window
    // Activation reaches the window as messages, which poll the buttons again: the click comes after it.
    Native(window).Activate();
    EXPECT_EQ(m_System.ActiveWindow(), window.Handle());
    EXPECT_FALSE(window.IsRightClick());
    click();
    EXPECT_TRUE(window.IsRightClick());
    EXPECT_EQ(window.m_nRightUps, 2);

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

    // Closing destroys the window through the default procedure; the handle is
    // cleared, and the one kept from before names no window any more.
    platform::WindowHandle handle = window.Handle();
    m_System.SendMessage(handle, platform::kWmClose, 0, 0);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(window.Native(), nullptr);
    EXPECT_FALSE(m_System.IsWindow(handle));
    EXPECT_FALSE(m_System.PostMessage(handle, platform::kWmPaint, 0, 0));
    EXPECT_EQ(m_System.SendMessage(handle, platform::kWmCommand, 5, 0), 0);
    m_System.PumpMessages();
    EXPECT_EQ(window.m_nPaints, 1);
    EXPECT_TRUE(window.m_Commands.empty());
}

TEST_F(WindowCoreTest, AWindowKeepsNoHandleAfterItsEndWhateverItsChildrenSendIt)
{
    RecordingWindow window;
    Make(window, 200, 100, 0, 0);
    platform::WindowCreateParams params;
    params.m_nStyle = platform::kWsChild | platform::kWsVisible;
    params.m_WindowRect = {0, 0, 20, 20};
    params.m_hParent = window.Handle();
    params.m_nId = 5;
    // A control that tells its dialog of its own end, after the dialog heard of its end.
    params.m_pProcedure = [](platform::WindowHandle child, uint32_t message, uintptr_t, intptr_t) -> intptr_t {
        if (message == platform::kWmDestroy)
        {
            platform::SendWindowMessage(platform::ResolveWindow(child)->Parent(), platform::kWmCommand, 5, 0);
        }
        return 0;
    };
    ASSERT_TRUE(m_System.CreateWindow(params));
    m_System.DestroyWindow(window.Handle());
    EXPECT_EQ(window.m_Commands, std::vector<int>{5});
    EXPECT_EQ(window.Handle(), nullptr);
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

TEST_F(WindowCoreTest, ToolBarButtonsFromABitmapStripKeepTheirCommandsWithoutTheFile)
{
    TempFolder folder;
    BmpLayout layout;
    layout.m_nWidth = 32;
    layout.m_nHeight = 15;
    layout.m_nBitCount = 24;
    folder.WriteFile("bmp/Tool.bmp", MakeBmp(layout));
    RecordingWindow window;
    Make(window, 300, 200, 1, 0);
    ToolbarButtonEntry buttons[] = {{{0, 200}, "描く"}, {{1, 201}, "消す"}};
    window.AddStdToolbarButtons(buttons, 1);
    EXPECT_EQ(window.AddToolbarButtons(buttons, 2, "bmp\\Tool.bmp"), 1);
    EXPECT_EQ(window.AddToolbarButtons(buttons, 2, "bmp\\Missing.bmp"), 0);
    auto* toolBar = static_cast<platform::ModelToolBar*>(window.GetToolBar());
    ASSERT_NE(toolBar, nullptr);
    ASSERT_EQ(toolBar->ButtonCount(), 5);
    // Each strip's images follow the ones before; a missing strip still takes its place.
    const int first = platform::kStdImageCount;
    std::vector<int> images, commands;
    for (const platform::ToolButton& button : toolBar->Buttons())
    {
        images.push_back(button.m_nImage);
        commands.push_back(button.m_nCommand);
    }
    EXPECT_EQ(images, (std::vector<int>{0, first, first + 1, first + 2, first + 3}));
    EXPECT_EQ(commands, (std::vector<int>{200, 200, 201, 200, 201}));
    EXPECT_EQ(toolBar->Tip(4), "消す");
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

namespace
{

// A dialog with an edit that takes digits, '-' and '.' only, and maps the
// full-width forms the input method commits: what a numeric edit asks of the core.
class KeyRoutingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::WindowCreateParams params;
        params.m_WindowRect = {0, 0, 200, 100};
        params.m_pProcedure = &Probe::Procedure;
        m_hDialog = m_System.CreateWindow(params);
        params.m_strClass = platform::kClassEdit;
        params.m_nStyle = platform::kWsChild | platform::kWsVisible;
        params.m_WindowRect = {10, 10, 80, 20};
        params.m_hParent = m_hDialog;
        params.m_nId = 1077;
        m_hEdit = m_System.CreateWindow(params);
        m_System.Resolve(m_hDialog)->SetUserData(&m_DialogProbe);
        platform::NativeWindow* edit = m_System.Resolve(m_hEdit);
        edit->SetUserData(&m_EditProbe);
        edit->SetCharFilter([](platform::WindowHandle, uint32_t code) {
            return code == '-' || code == '.' || (code >= '0' && code <= '9') || (code >= 1 && code <= 39);
        });
        edit->SetImeCommitHook([this](platform::WindowHandle window, std::string_view text) {
            static const std::pair<std::string_view, char> kForms[] = {
                {"１", '1'}, {"２", '2'}, {"５", '5'}, {"０", '0'}, {"－", '-'}, {"．", '.'}};
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
    }
    void TearDown() override
    {
        m_EditProbe.m_Act = m_DialogProbe.m_Act = nullptr;
        m_EditProbe.m_pLog = m_DialogProbe.m_pLog = nullptr;
    }

    std::string EditText() { return m_System.Resolve(m_hEdit)->Text(); }

    Probe m_DialogProbe; // outlive the system, whose windows point at them
    Probe m_EditProbe;
    platform::DummyWindowSystem m_System;
    platform::WindowHandle m_hDialog;
    platform::WindowHandle m_hEdit;
};

TEST_F(KeyRoutingTest, KeysGoThroughThePreTranslateStepAndTheObserverToTheFocusedControl)
{
    m_System.SetFocus(m_hEdit);
    std::vector<std::string> trace;
    auto name = [](uint32_t message, uintptr_t key) {
        const char* kind = message == platform::kWmKeyDown ? "down" : message == platform::kWmKeyUp ? "up" : "char";
        return std::string(kind) + " " + std::to_string(key);
    };
    std::atomic<bool> lastKeyTyped{false};
    m_EditProbe.m_Act = [&](platform::WindowHandle, uint32_t message, uintptr_t wParam) {
        if (message == platform::kWmKeyDown || message == platform::kWmChar)
        {
            trace.push_back("edit " + name(message, wParam));
        }
        if (message == platform::kWmChar && wParam == '.')
        {
            lastKeyTyped = true;
        }
    };
    m_System.SetKeyObserver([&](const platform::WindowMessage& key) {
        if (key.m_nMessage == platform::kWmKeyDown)
        {
            EXPECT_EQ(key.m_hWindow, m_hEdit);
            trace.push_back("observer " + name(key.m_nMessage, key.m_wParam));
        }
    });
    auto preTranslate = [&](const platform::WindowMessage& message) {
        if (message.m_nMessage != platform::kWmKeyDown)
        {
            return false;
        }
        trace.push_back("pre " + name(message.m_nMessage, message.m_wParam));
        // The accelerator Ctrl+Z: consumed, so the edit never sees it.
        return message.m_wParam == 'Z' && (message.m_lParam & platform::kKeyControl);
    };
    // Fed from another thread, as keys arrive while the loop sleeps.
    std::thread keyboard([&] {
        m_System.FeedKey('1', 0, '1');
        m_System.FeedKey(platform::kVkOemMinus, 0, '-');
        m_System.FeedKey('Z', platform::kKeyControl, 0x1A);
        m_System.FeedKey('A', 0, 'a');
        m_System.FeedKey(platform::kVkOemPeriod, 0, '.');
        // Input and posted messages are separate queues: the command that ends
        // the loop goes only once the last key has been typed (or a while has
        // passed, so that a lost key fails the comparison below, not the run).
        for (int i = 0; i < 500 && !lastKeyTyped; ++i)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_System.PostMessage(m_hDialog, platform::kWmCommand, 1, 0);
    });
    m_DialogProbe.m_Act = [&](platform::WindowHandle, uint32_t message, uintptr_t wParam) {
        // Command 1 only: the edit's own change notifications come as commands too.
        if (message == platform::kWmCommand && wParam == 1)
        {
            m_System.PostQuit(0);
        }
    };
    m_System.RunMessageLoop(nullptr, preTranslate);
    keyboard.join();
    m_System.SetKeyObserver(nullptr);

    std::string minus = std::to_string(platform::kVkOemMinus);
    std::string period = std::to_string(platform::kVkOemPeriod);
    EXPECT_EQ(trace, (std::vector<std::string>{
                         "pre down 49", "observer down 49", "edit down 49", "edit char 49",                  //
                         "pre down " + minus, "observer down " + minus, "edit down " + minus, "edit char 45", //
                         "pre down 90", "observer down 90",                                                   //
                         "pre down 65", "observer down 65", "edit down 65", // the filter drops the a
                         "pre down " + period, "observer down " + period, "edit down " + period, "edit char 46"}));
    EXPECT_EQ(EditText(), "1-."); // 'a' did not pass the edit's filter
}

TEST_F(KeyRoutingTest, InputMethodTextGoesThroughTheHookAndEveryCharacterThroughTheFilter)
{
    m_System.CommitText(m_hEdit, "－１２．５ａ");
    EXPECT_EQ(EditText(), "-12.5");
    // Without the hook each character arrives as it is: double-byte ones do not pass the filter.
    m_System.Resolve(m_hEdit)->SetImeCommitHook(nullptr);
    m_System.CommitText(m_hEdit, "３-");
    EXPECT_EQ(EditText(), "-12.5-");
    // A character sent by anyone passes the filter too.
    m_System.SendMessage(m_hEdit, platform::kWmChar, 'x', 0);
    m_System.SendMessage(m_hEdit, platform::kWmChar, platform::kVkBack, 0);
    EXPECT_EQ(EditText(), "-12.5");
}

TEST_F(KeyRoutingTest, AKeyFedWhileTheLoopSleepsWakesIt)
{
    // The key arrives from another thread while the loop waits with nothing queued.
    m_System.SetFocus(m_hEdit);
    m_System.SetKeyObserver([&](const platform::WindowMessage& key) {
        if (key.m_nMessage == platform::kWmKeyDown)
        {
            m_System.PostQuit(0);
        }
    });
    int stuck = 0;
    for (int round = 0; round < 300; ++round)
    {
        std::promise<void> served;
        std::thread keyboard([&, done = served.get_future()] {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            m_System.FeedKey('1', 0, '1');
            // A loop that slept through the key is ended here, so the case fails instead of hanging.
            if (done.wait_for(std::chrono::seconds(2)) == std::future_status::timeout)
            {
                ++stuck;
                m_System.PostQuit(0);
            }
        });
        m_System.RunMessageLoop(nullptr);
        served.set_value();
        keyboard.join();
    }
    m_System.SetKeyObserver(nullptr);
    EXPECT_EQ(stuck, 0);
    EXPECT_EQ(EditText(), std::string(300, '1'));
}

TEST_F(KeyRoutingTest, AKeyWithoutAFocusedWindowGoesToTheActiveOne)
{
    std::vector<Probe::Seen> log;
    m_DialogProbe.m_pLog = &log;
    m_System.SetActiveWindow(m_hDialog);
    EXPECT_EQ(m_System.Focus(), m_hDialog); // no control had it: the window itself
    m_System.SetFocus(nullptr);
    log.clear();
    m_System.FeedKey(platform::kVkF1 + 4, platform::kKeyShift);
    m_System.PumpMessages();
    std::erase_if(log, [](const Probe::Seen& seen) { return seen.m_nMessage != platform::kWmKeyDown; });
    EXPECT_EQ(log, (std::vector<Probe::Seen>{{m_hDialog, platform::kWmKeyDown, platform::kVkF1 + 4}}));
}

} // namespace

namespace
{

TEST_F(WindowCoreTest, OtherThreadsReadTheHandleWhileTheWindowDispatches)
{
    // The game's threads post to the main window through its handle while the
    // window's thread stores it again with every message.
    RecordingWindow window;
    Make(window, 200, 100, 0, 0);
    std::thread game([&] {
        for (int i = 0; i < 2000; ++i)
        {
            platform::PostWindowMessage(window.Handle(), platform::kWmCommand, 1, 0);
        }
        platform::PostWindowMessage(window.Handle(), platform::kWmCommand, 2, 0);
    });
    m_System.RunMessageLoop([&] {
        if (!window.m_Commands.empty() && window.m_Commands.back() == 2)
        {
            m_System.PostQuit(0);
        }
        return false;
    });
    game.join();
    EXPECT_EQ(window.m_Commands.size(), 2001u);
}

} // namespace

namespace
{

TEST(KeyCodesTest, EveryCharacterOfTheKeyboardHasItsKey)
{
    struct Case
    {
        char m_cCharacter;
        uint32_t m_nKey;
    };
    static const Case kCases[] = {
        {'a', 'A'}, {'Z', 'Z'}, {'0', '0'}, {'9', '9'}, {' ', platform::kVkSpace},
        {'-', platform::kVkOemMinus}, {'=', platform::kVkOemMinus}, {'.', platform::kVkOemPeriod},
        {'>', platform::kVkOemPeriod}, {',', platform::kVkOemComma}, {'/', platform::kVkOem2},
        {'?', platform::kVkOem2}, {';', platform::kVkOemPlus}, {'+', platform::kVkOemPlus},
        {':', platform::kVkOem1}, {'*', platform::kVkOem1}, {'@', platform::kVkOem3}, {'[', platform::kVkOem4},
        {']', platform::kVkOem6}, {'^', platform::kVkOem7}, {'\\', platform::kVkOem5}, {'_', platform::kVkOem102},
        {'!', '1'}, {'"', '2'}, {'(', '8'}, {')', '9'},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(platform::VirtualKeyOfCharacter(static_cast<unsigned char>(c.m_cCharacter)), c.m_nKey)
            << "character '" << c.m_cCharacter << "'";
    }
    EXPECT_EQ(platform::VirtualKeyOfCharacter(0x7F), 0u);
    EXPECT_EQ(platform::VirtualKeyOfCharacter(0x3042), 0u);
}

} // namespace
