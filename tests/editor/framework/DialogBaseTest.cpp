// The dialog base on the dummy backend: dialogs built from their templates,
// modal and modeless runs, the routing to bound controls and the layout's
// scroll bars.
#include "editor/framework/SpinControl.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/DialogNavigation.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"
#include "platform/window/ScrollBarModel.h"
#include "platform/window/UpDownModel.h"
#include "tests/editor/framework/DialogTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using platform::WindowHandle;
using Log = std::vector<std::string>;

class DialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_System.FixDesktopRect({0, 0, 800, 600});
        AppWindowSystem = &m_System;
    }
    void TearDown() override
    {
        KeyboardHook::UninstallAll();
        AppWindowSystem = nullptr;
    }

    WindowHandle Item(const DialogBase& dialog, int id) { return m_System.GetDlgItem(dialog.Handle(), id); }
    platform::NativeWindow* Native(WindowHandle window) { return m_System.Resolve(window); }
    void Click(const DialogBase& dialog, int id)
    {
        platform::ModelOf<platform::ButtonModel>(Item(dialog, id))->UserClick();
    }
    // Lets a loop dispatch what waits, with the dialog keyboard of the registered windows as 6.101's loop has it.
    void RunLoopUntilIdle(EditorApp& app)
    {
        m_System.RunMessageLoop(
            [&] {
                m_System.PostQuit(0);
                return false;
            },
            [&](const platform::WindowMessage& message) {
                for (WindowBase* window : app.m_Windows)
                {
                    if (window->Handle() && platform::IsDialogMessage(window->Handle(), message))
                    {
                        return true;
                    }
                }
                return false;
            });
    }

    platform::DummyWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
    EditorApp m_App;
};

TEST_F(DialogTest, TheValueDialogIsBuiltFromItsTemplateAndTypingTwelveThenEnterEndsWithOne)
{
    const DialogTemplate* value = FindDialogTemplate(122);
    ASSERT_NE(value, nullptr);
    ProbeDialog dialog(*value, nullptr, &m_App);
    ProbeControl edit(kControlTextEdit, 1077);
    dialog.m_Probes = {&edit};
    dialog.m_Plain = PlainControls({1006, 1007});
    dialog.m_OnInit = [&](ProbeDialog& shown) {
        platform::NativeWindow* window = shown.Native();
        EXPECT_EQ(window->Text(), "値の入力");
        EXPECT_EQ(window->ClientRect(), (platform::Rect{0, 0, 168, 72}));
        struct Expected
        {
            int m_nId;
            std::string_view m_strClass;
            platform::Rect m_Rect;
            std::string m_strText;
        };
        // In pixels; the spin stands at the edit's right edge, the edit narrowed by the spin's width.
        const Expected controls[] = {
            {1077, platform::kClassEdit, {12, 12, 127, 21}, ""},
            {1078, platform::kClassUpDown, {139, 12, 17, 21}, ""},
            {1006, platform::kClassButton, {12, 42, 69, 21}, "OK"},
            {1007, platform::kClassButton, {87, 42, 69, 21}, "ｷｬﾝｾﾙ"},
        };
        std::vector<WindowHandle> children = m_System.Children(shown.Handle());
        ASSERT_EQ(children.size(), 4u);
        for (size_t i = 0; i < children.size(); ++i)
        {
            SCOPED_TRACE(controls[i].m_nId);
            platform::NativeWindow* control = Native(children[i]);
            EXPECT_EQ(control->Id(), controls[i].m_nId);
            EXPECT_EQ(control->ClassName(), controls[i].m_strClass);
            EXPECT_EQ(control->WindowRect(), controls[i].m_Rect);
            EXPECT_EQ(control->Text(), controls[i].m_strText);
        }
        EXPECT_TRUE(Native(Item(shown, 1077))->Style() & platform::kEsNumber);
        EXPECT_EQ(platform::ModelOf<platform::UpDownModel>(Item(shown, 1078))->Buddy(), Item(shown, 1077));
        EXPECT_EQ(platform::DefaultButtonId(shown.Handle()), 1006);
    };
    // Typed at the keyboard before the run: the modal loop takes them. Esc
    // sends command 2, which this dialog leaves alone; Enter is OK.
    m_System.FeedKey('1', 0, '1');
    m_System.FeedKey(platform::kVkEscape, 0, 0x1B);
    m_System.FeedKey('2', 0, '2');
    m_System.FeedKey(platform::kVkReturn, 0, '\r');
    EXPECT_EQ(dialog.RunModal(0), 1);
    EXPECT_EQ(edit.m_strValue, "12");
    EXPECT_EQ(dialog.m_Commands, (std::vector<int>{2, 1006}));
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(DialogTest, EscAndTheCloseBoxLeaveAModelessPaletteOpen)
{
    ProbeDialog palette(PaletteTemplate(), nullptr, &m_App);
    palette.m_bLeaveClose = true;
    palette.RunModeless(0);
    ASSERT_TRUE(palette.Handle());
    EXPECT_EQ(m_App.m_Windows, (std::vector<WindowBase*>{&palette}));
    EXPECT_EQ(m_System.Focus(), Item(palette, 1241));

    m_System.FeedKey(platform::kVkEscape, 0, 0x1B);
    RunLoopUntilIdle(m_App);
    m_System.SendMessage(palette.Handle(), platform::kWmClose, 0, 0);
    EXPECT_EQ(palette.m_Commands, (std::vector<int>{2, 2}));
    ASSERT_TRUE(palette.Handle());
    EXPECT_TRUE(palette.Native()->IsVisible());
    // Its keys are not copied: a modeless dialog has no keyboard hook.
    EXPECT_EQ(palette.Native()->GetProp("cHook"), nullptr);
}

TEST_F(DialogTest, TheLayoutsScrollBarsMoveOnlyWhereTheRangeLetsThem)
{
    ProbeDialog view(ViewTemplate(), nullptr, &m_App);
    view.SetLayout(200, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3);
    view.RunModeless(0);
    ASSERT_TRUE(view.Handle());
    platform::FrameMetrics metrics = m_System.Metrics();
    // The client area has room for both bars: 200 x 100 and the bars' sizes;
    // the horizontal bar ends where the vertical one begins.
    WindowHandle horizontal = Item(view, kIdHorizontalBar);
    WindowHandle vertical = Item(view, kIdVerticalBar);
    ASSERT_TRUE(horizontal && vertical);
    EXPECT_EQ(Native(horizontal)->WindowRect(), (platform::Rect{0, 100, 200, metrics.m_nHScrollHeight}));
    EXPECT_EQ(Native(vertical)->WindowRect(),
              (platform::Rect{200, 0, metrics.m_nVScrollWidth, 100 + metrics.m_nHScrollHeight}));
    EXPECT_EQ(view.HorizontalBar().Handle(), horizontal);

    struct Step
    {
        int m_nMax;   // a new range from 0 when not 0
        int m_nPage;  //
        int m_nCode;  // the author's request
        int m_nThumb; //
        int m_nPos;   // the bar's position afterwards
        int m_nPaints; // redraws it caused
    };
    const Step steps[] = {
        {20, 20, platform::kSbLineDown, 0, 1, 1},     // range 0..20, page 20: only 0 and 1
        {0, 0, platform::kSbLineDown, 0, 1, 0},       // clamped: no move, no redraw
        {0, 0, platform::kSbLineUp, 0, 0, 1},         //
        {0, 0, platform::kSbPageDown, 0, 1, 1},       //
        {0, 0, platform::kSbTop, 0, 0, 1},            //
        {0, 0, platform::kSbBottom, 0, 1, 1},         //
        {0, 0, platform::kSbBottom, 0, 1, 0},         //
        {100, 10, platform::kSbPageUp, 0, 0, 1},      // range 0..100, page 10
        {0, 0, platform::kSbThumbTrack, 40, 40, 1},   // the view follows the thumb
        {0, 0, platform::kSbThumbTrack, 95, 91, 1},   //
        {0, 0, platform::kSbThumbPosition, 95, 91, 0}, // letting go moves nothing
        {0, 0, platform::kSbEndScroll, 0, 91, 0},     //
        {0, 0, platform::kSbPageUp, 0, 81, 1},        //
    };
    for (WindowHandle bar : {horizontal, vertical})
    {
        for (const Step& step : steps)
        {
            SCOPED_TRACE(testing::Message() << (bar == horizontal ? "horizontal" : "vertical") << " request "
                                            << step.m_nCode << " thumb " << step.m_nThumb);
            if (step.m_nMax != 0)
            {
                platform::ScrollInfo range;
                range.m_nMask = platform::kSifRange | platform::kSifPage;
                range.m_nMax = step.m_nMax;
                range.m_nPage = static_cast<uint32_t>(step.m_nPage);
                platform::SetScrollInfo(bar, platform::kSbCtl, range, true);
            }
            int paints = view.m_nPaints;
            platform::ModelOf<platform::ScrollBarModel>(bar)->UserRequest(step.m_nCode, step.m_nThumb);
            platform::ScrollInfo info;
            info.m_nMask = platform::kSifPos;
            platform::GetScrollInfo(bar, platform::kSbCtl, info);
            EXPECT_EQ(info.m_nPos, step.m_nPos);
            EXPECT_EQ(view.m_nPaints - paints, step.m_nPaints);
        }
    }

    // Scrolling of another bar is not the dialog's.
    platform::WindowCreateParams params;
    params.m_strClass = platform::kClassScrollBar;
    params.m_nStyle = platform::kWsChild | platform::kWsVisible;
    params.m_hParent = view.Handle();
    params.m_nId = 2000;
    WindowHandle other = m_System.CreateWindow(params);
    int paints = view.m_nPaints;
    platform::ModelOf<platform::ScrollBarModel>(other)->UserRequest(platform::kSbBottom);
    EXPECT_EQ(view.m_nPaints, paints);

    // The bars follow the client area's size.
    platform::Rect window = view.Native()->WindowRect();
    view.Native()->SetWindowRect({window.m_nLeft, window.m_nTop, window.m_nWidth + 50, window.m_nHeight + 30});
    // The horizontal bar ends where the vertical one begins.
    EXPECT_EQ(Native(horizontal)->WindowRect(), (platform::Rect{0, 130, 250, metrics.m_nHScrollHeight}));
    EXPECT_EQ(Native(vertical)->WindowRect().m_nLeft, 250);
}

TEST_F(DialogTest, RunModalOnADialogThatHasAWindowReturnsZeroAtOnce)
{
    ScriptedModalRuns runs;
    ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
    dialog.RunModeless(0);
    WindowHandle window = dialog.Handle();
    ASSERT_TRUE(window);
    EXPECT_EQ(dialog.RunModal(0), 0);
    EXPECT_TRUE(runs.Runs().empty());
    EXPECT_EQ(dialog.Handle(), window);
    // A modeless run again closes the window it has and opens a new one.
    dialog.RunModeless(0);
    EXPECT_FALSE(m_System.IsWindow(window));
    EXPECT_TRUE(dialog.Handle());
}

TEST_F(DialogTest, ShowFlagsHideOrDisableEveryRegisteredWindowForTheRun)
{
    ProbeDialog first(PaletteTemplate(), nullptr, &m_App);
    OtherProbeDialog second(PaletteTemplate(), nullptr, &m_App);
    first.RunModeless(0);
    second.RunModeless(0);
    ASSERT_EQ(m_App.m_Windows.size(), 2u);
    auto states = [&] {
        std::vector<std::pair<bool, bool>> shown;
        for (WindowBase* window : std::initializer_list<WindowBase*>{&first, &second})
        {
            shown.emplace_back(window->Native()->IsVisible(), window->Native()->IsEnabled());
        }
        return shown;
    };
    using States = std::vector<std::pair<bool, bool>>;
    struct Case
    {
        int m_nFlags;
        bool m_bVisible;
        bool m_bEnabled;
    };
    for (Case c : {Case{0, true, true}, Case{2, false, true}, Case{4, true, false}, Case{6, false, false}})
    {
        SCOPED_TRACE(c.m_nFlags);
        ScriptedModalRuns runs;
        States during;
        runs.Answer([&](DialogBase&) { during = states(); });
        ProbeDialogClass<2> dialog(FieldsTemplate(), nullptr, &m_App);
        dialog.RunModal(c.m_nFlags);
        EXPECT_EQ(during, (States(2, {c.m_bVisible, c.m_bEnabled})));
        EXPECT_EQ(states(), (States(2, {true, true})));

        // A modeless run keeps them so until its window is destroyed.
        dialog.RunModeless(c.m_nFlags);
        EXPECT_EQ(states(), (States(2, {c.m_bVisible, c.m_bEnabled})));
        dialog.Close(0);
        EXPECT_EQ(states(), (States(2, {true, true})));
    }
}

// One bound control of each kind, with the id 100 + kind, and their log.
class RoutingTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        for (int32_t kind : {1, 2, 3, 4, 5, 7, 8, 9, 10})
        {
            m_Controls.push_back(std::make_unique<ProbeControl>(kind, 100 + kind, &m_Log));
            m_Dialog.BindControl(m_Controls.back().get());
        }
    }

    ProbeDialog m_Dialog{FieldsTemplate(), nullptr, &m_App};
    std::vector<std::unique_ptr<ProbeControl>> m_Controls;
    Log m_Log;
};

TEST_F(RoutingTest, CommandsFindTheirControlByKindAndNotification)
{
    struct Case
    {
        int32_t m_nKind;
        int m_nCode;
        bool m_bFound;        // FindCommandControl
        const char* m_pszCall; // what OnCommand calls on the control
    };
    const Case cases[] = {
        {1, platform::kBnClicked, true, nullptr},
        {1, 5, false, nullptr},
        {2, platform::kEnUpdate, true, "change"},
        {2, platform::kEnChange, false, nullptr},
        {2, platform::kEnKillFocus, false, "killfocus"},
        {3, platform::kEnUpdate, true, "change"},
        {3, platform::kEnKillFocus, false, "killfocus"},
        {3, platform::kEnSetFocus, false, nullptr},
        {4, 0, false, nullptr},
        {5, platform::kBnClicked, true, nullptr},
        {5, 7, true, nullptr}, // a check box, whatever the notification
        {7, platform::kCbnSelChange, true, "change"},
        {7, platform::kCbnKillFocus, false, nullptr},
        {8, platform::kLbnSelChange, false, "change"},
        {8, platform::kLbnKillFocus, false, "killfocus"},
        {8, platform::kLbnDblClk, false, nullptr},
        {9, 0, false, nullptr},
        {10, 0, false, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "kind " << c.m_nKind << " code " << c.m_nCode);
        int id = 100 + c.m_nKind;
        uintptr_t wParam = platform::MakeWParam(id, c.m_nCode);
        EXPECT_EQ(m_Dialog.FindCommandControl(wParam), c.m_bFound ? id : 0);
        m_Log.clear();
        m_Dialog.OnCommand(wParam, 0);
        // Every list box is stopped for the command after the handler.
        Log expected;
        if (c.m_pszCall)
        {
            expected.push_back(std::string(c.m_pszCall) + " " + std::to_string(id));
        }
        expected.push_back("begin 108");
        EXPECT_EQ(m_Log, expected);
    }
}

TEST_F(RoutingTest, TheFirstBoundControlWhoseKindTakesTheNotificationGetsIt)
{
    ProbeControl picture(kControlBitmap, 500, &m_Log);
    ProbeControl button(kControlPlain, 500, &m_Log);
    ProbeControl edit(kControlNumberEdit, 600, &m_Log);
    ProbeControl combo(kControlComboBox, 600, &m_Log);
    for (ProbeControl* control : {&picture, &button, &edit, &combo})
    {
        m_Dialog.BindControl(control);
    }
    EXPECT_EQ(m_Dialog.FindCommandControl(platform::MakeWParam(500, 0)), 500);
    m_Log.clear();
    m_Dialog.OnCommand(platform::MakeWParam(600, platform::kCbnSelChange), 0);
    EXPECT_EQ(m_Log, (Log{"change 600", "begin 108"}));
    EXPECT_EQ(&combo, m_Dialog.BoundControls().At(12));
}

// A control that notes, when asked to show its data, whether its dialog would
// handle a notification of this control and one of control 101.
class FillProbe : public Control
{
public:
    FillProbe(DialogBase& dialog, int id, Log& log) : Control(kControlTextEdit), m_Dialog(dialog), m_Log(log)
    {
        m_nId = static_cast<uint16_t>(id);
    }
    void DataToControl() override
    {
        auto handled = [&](int id) { return m_Dialog.CanHandleNotify(platform::MakeWParam(id, 0)) ? "+" : "-"; };
        m_Log.push_back(std::to_string(Id()) + handled(Id()) + handled(101));
    }

private:
    DialogBase& m_Dialog;
    Log& m_Log;
};

TEST_F(DialogTest, DataGoesToEveryControlButTheOneNamedAndOnlyTheSourcesNotificationsCount)
{
    ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
    Log log;
    std::vector<std::unique_ptr<FillProbe>> controls;
    for (int id : {101, 102, 103})
    {
        controls.push_back(std::make_unique<FillProbe>(dialog, id, log));
        dialog.BindControl(controls.back().get());
    }
    // Each entry: the id, then whether the dialog handles that control's notification and 101's.
    const int source = static_cast<int>(platform::MakeWParam(102, 0));
    const struct
    {
        const char* m_pszName;
        std::function<void()> m_Fill;
        Log m_Seen;
    } cases[] = {
        {"all", [&] { dialog.DataToControls(); }, {"101++", "102++", "103++"}},
        {"all but a control", [&] { dialog.DataToControlsExcept(controls[1].get()); }, {"101++", "103++"}},
        {"all but an id", [&] { dialog.DataToControlsExcept(103); }, {"101++", "102++"}},
        {"all, from 102", [&] { dialog.DataToControlsFrom(source); }, {"101--", "102+-", "103--"}},
        {"all, from no control", [&] { dialog.DataToControlsFrom(-1); }, {"101--", "102--", "103--"}},
        {"the others, from 102", [&] { dialog.DataToOtherControls(source, controls[1].get()); },
         {"101--", "103--"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        log.clear();
        c.m_Fill();
        EXPECT_EQ(log, c.m_Seen);
        // Afterwards every notification counts again.
        EXPECT_TRUE(dialog.CanHandleNotify(platform::MakeWParam(101, 0)));
    }
}

TEST(ScaleTest, ScaleByOneAndThreeQuartersTruncates)
{
    const std::pair<int, int> cases[] = {{10, 17},  {60, 105},  {130, 227}, {170, 297}, {197, 344},
                                         {205, 358}, {250, 437}, {310, 542}, {0, 0},     {-10, -17}};
    for (auto [value, scaled] : cases)
    {
        EXPECT_EQ(ScaleByOneAndThreeQuarters(value), scaled) << value;
    }
}

TEST_F(DialogTest, OkStoresTheControlsCancelAndTheCloseBoxDoNot)
{
    struct Case
    {
        const char* m_pszName;
        std::function<void(DialogBase&)> m_Act;
        bool m_bLeaveClose;
        int m_nResult;
        const char* m_pszStored;
        std::vector<int> m_Commands;
    };
    const Case cases[] = {
        {"OK", [this](DialogBase& d) { Click(d, 1006); }, false, 1, "typed", {1006}},
        {"Cancel", [this](DialogBase& d) { Click(d, 1007); }, false, 0, "kept", {1007}},
        {"close box", [this](DialogBase& d) { m_System.SendMessage(d.Handle(), platform::kWmClose, 0, 0); }, false,
         0, "kept", {}},
        // A dialog that leaves kWmClose alone gets command 2 and stays open; it is dismissed with 0.
        {"close box left alone", [this](DialogBase& d) { m_System.SendMessage(d.Handle(), platform::kWmClose, 0, 0); },
         true, 0, "kept", {2}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        ScriptedModalRuns runs;
        ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
        ProbeControl text(kControlTextEdit, 1001);
        text.m_strValue = "kept";
        dialog.m_Probes = {&text};
        dialog.m_Plain = PlainControls({1006, 1007});
        dialog.m_bLeaveClose = c.m_bLeaveClose;
        runs.Answer([&](DialogBase& shown) {
            EXPECT_EQ(Native(Item(shown, 1001))->Text(), "kept");
            Native(Item(shown, 1001))->SetText("typed");
            c.m_Act(shown);
        });
        EXPECT_EQ(dialog.RunModal(0), c.m_nResult);
        EXPECT_EQ(text.m_strValue, c.m_pszStored);
        EXPECT_EQ(dialog.m_Commands, c.m_Commands);
        EXPECT_TRUE(dialog.BoundControls().empty()); // Close empties the table
    }
}

TEST_F(DialogTest, ADialogThatDrawsRedrawsAfterEveryHandledMessageAndItsClose)
{
    ScriptedModalRuns runs;
    ProbeDialog dialog(ViewTemplate(), nullptr, &m_App);
    dialog.m_bRedrawing = true;
    std::vector<int> paints;
    int before = 0;
    runs.Answer([&](DialogBase& shown) {
        before = dialog.m_nPaints;
        m_System.SendMessage(shown.Handle(), platform::kWmCommand, 1030, 0); // handled: a redraw
        paints.push_back(dialog.m_nPaints - before);
        before = dialog.m_nPaints;
        m_System.SendMessage(shown.Handle(), platform::kWmUser + 7, 0, 0); // not handled: none
        paints.push_back(dialog.m_nPaints - before);
        before = dialog.m_nPaints;
        m_System.SendMessage(shown.Handle(), platform::kWmClose, 0, 0);
        paints.push_back(dialog.m_nPaints - before);
        before = dialog.m_nPaints;
    });
    EXPECT_EQ(dialog.RunModal(0), 0);
    EXPECT_TRUE(dialog.HasEnded());
    // The window's destruction at the end of the run redraws once more.
    paints.push_back(dialog.m_nPaints - before);
    EXPECT_EQ(paints, (std::vector<int>{1, 0, 1, 1}));
}

TEST_F(DialogTest, ControlsKnowWhereTheyAreAndAssignOnlyTheirHandleAndId)
{
    ScriptedModalRuns runs;
    ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
    ProbeControl edit(kControlTextEdit, 1002);
    ProbeControl missing(kControlPlain, 4242);
    dialog.m_Probes = {&edit, &missing};
    runs.Answer([&](DialogBase& shown) {
        platform::Rect screen = Native(Item(shown, 1002))->ScreenRect();
        platform::Point origin = shown.Native()->ClientToScreen({0, 0});
        EXPECT_EQ(edit.ScreenPosition().m_nX, screen.m_nLeft);
        EXPECT_EQ(edit.OwnerPosition().m_nX, screen.m_nLeft - origin.m_nX);
        EXPECT_EQ(edit.OwnerPosition().m_nY, screen.m_nTop - origin.m_nY);
        // The edges belong to the control.
        struct Probe
        {
            int m_nX, m_nY;
            bool m_bInside;
        };
        for (Probe p : {Probe{screen.m_nLeft, screen.m_nTop, true}, Probe{screen.Right(), screen.Bottom(), true},
                        Probe{screen.Right() + 1, screen.m_nTop, false}, Probe{screen.m_nLeft, screen.Bottom() + 1, false},
                        Probe{screen.m_nLeft - 1, screen.m_nTop, false}})
        {
            platform::Point point{p.m_nX, p.m_nY};
            EXPECT_EQ(edit.ContainsPoint(&point), p.m_bInside) << p.m_nX << "," << p.m_nY;
        }
        edit.Resize(30, 40);
        EXPECT_EQ(Native(edit.Handle())->WindowRect(),
                  (platform::Rect{edit.OwnerPosition().m_nX, edit.OwnerPosition().m_nY, 30, 40}));
        edit.ClearStyle(platform::kWsTabStop);
        EXPECT_FALSE(Native(edit.Handle())->Style() & platform::kWsTabStop);
        edit.Enable(0);
        EXPECT_FALSE(Native(edit.Handle())->IsEnabled());

        // A control the template lacks has no window; calls on it do nothing.
        EXPECT_EQ(missing.Handle(), nullptr);
        missing.Resize(10, 10);
        missing.Enable(0);
        missing.SetText("x");

        // Assignment takes the handle and the id, nothing else.
        ProbeControl target(kControlComboBox, 77);
        target = edit;
        EXPECT_EQ(target.Handle(), edit.Handle());
        EXPECT_EQ(target.Id(), 1002);
        EXPECT_EQ(target.Kind(), kControlComboBox);
        EXPECT_EQ(target.Owner(), nullptr);
        EXPECT_EQ(target.OwnerPosition().m_nX, 0);
        // A copy has everything.
        ProbeControl copy(edit);
        EXPECT_EQ(copy.Kind(), kControlTextEdit);
        EXPECT_EQ(copy.Owner(), &shown);
    });
    dialog.RunModal(0);
    // Never attached: nothing happens.
    ProbeControl loose(kControlPlain, 1);
    loose.Resize(10, 10);
    platform::Point anywhere{0, 0};
    EXPECT_FALSE(loose.ContainsPoint(&anywhere));
}

TEST_F(DialogTest, KindsWithoutDataIgnoreTheDialogsCalls)
{
    PlainControl plain(1006);
    BitmapControl bitmap;
    SpinControl<int> spin;
    SpinControl<double> spinOfDoubles;
    ScrollBar bar;
    platform::NotifyHeader header;
    header.m_nCode = platform::kUdnDeltaPos;
    for (Control* control : std::initializer_list<Control*>{&plain, &bitmap, &spin, &spinOfDoubles, &bar})
    {
        control->DataToControl();
        control->ControlToData();
        control->OnChange();
        control->OnKillFocus();
        control->OnKey('C', 0, 1);
        EXPECT_EQ(control->OnNotify(1078, &header), 0);
    }
    EXPECT_EQ(plain.Kind(), kControlPlain);
    EXPECT_EQ(bitmap.Kind(), kControlBitmap);
    EXPECT_EQ(spin.Kind(), kControlSpin);
    EXPECT_EQ(bar.Kind(), kControlScrollBar);
}

TEST_F(DialogTest, AScrollBarBindingRangesTheNamedWindowsBarOrElseTheControlItself)
{
    ProbeDialog dialog(ViewTemplate(), nullptr, &m_App);
    dialog.RunModeless(0);
    platform::WindowCreateParams params;
    params.m_strClass = platform::kClassScrollBar;
    params.m_nStyle = platform::kWsChild | platform::kWsVisible | platform::kSbsVert;
    params.m_hParent = dialog.Handle();
    params.m_nId = 3000;
    WindowHandle control = m_System.CreateWindow(params);
    WindowHandle window = dialog.Handle();
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifRange | platform::kSifPage;

    ScrollBar onControl;
    ScrollBarBinding binding;
    binding.m_nId = 3000;
    binding.m_nBar = platform::kSbHorz; // no window: the control, whatever the bar says
    binding.m_nMaximum = 40;
    binding.m_nPage = 10;
    onControl.Attach(&dialog, binding);
    platform::GetScrollInfo(control, platform::kSbCtl, info);
    EXPECT_EQ(info.m_nMax, 40);
    EXPECT_EQ(info.m_nPage, 10u);
    platform::GetScrollInfo(window, platform::kSbHorz, info);
    EXPECT_EQ(info.m_nMax, 0);

    ScrollBar onWindow;
    binding.m_pWindow = &window;
    binding.m_nBar = platform::kSbVert;
    binding.m_nMaximum = 70;
    onWindow.Attach(&dialog, binding);
    platform::GetScrollInfo(window, platform::kSbVert, info);
    EXPECT_EQ(info.m_nMax, 70);
    platform::GetScrollInfo(control, platform::kSbCtl, info);
    EXPECT_EQ(info.m_nMax, 40);
    EXPECT_EQ(onWindow.Maximum(), 70);
}

TEST_F(DialogTest, ABitmapControlDrawsFromItsCanvasAndKeepsItsPlace)
{
    ScriptedModalRuns runs;
    ProbeDialog dialog(ViewTemplate(), nullptr, &m_App);
    BitmapControl face;
    face.Binding().Set(1070, 48, 48);
    dialog.m_OnInit = [&](ProbeDialog& shown) {
        face.Attach(&shown, face.Binding());
        shown.Picture().Attach(&shown, shown.Picture().Binding());
    };
    dialog.Picture().Binding().Set(1075, 0, 0);
    runs.Answer([&](DialogBase& shown) {
        // The template's 40 x 40 units at (90, 10) in a dialog with a frame: the place stays, the size is 48 x 48.
        EXPECT_EQ(Native(Item(shown, 1070))->WindowRect(), (platform::Rect{135, 15, 48, 48}));
        EXPECT_EQ(face.Canvas().Width(), 48);
        EXPECT_EQ(face.Canvas().Height(), 48);
        // Without a size: the template's, and a canvas of the client size.
        EXPECT_EQ(Native(Item(shown, 1075))->WindowRect(), (platform::Rect{15, 15, 96, 48}));
        EXPECT_EQ(shown.Picture().Canvas().Width(), 96);
        EXPECT_EQ(shown.Picture().Canvas().Height(), 48);

        face.Canvas().Clear(0x0000FF);
        face.Canvas().SetPixel(47, 47, 0xFF0000);
        face.Present();
        auto* picture = static_cast<platform::DummyWindow*>(Native(face.Handle()));
        EXPECT_EQ(picture->PresentedPixel(0, 0), 0xFF0000u);
        EXPECT_EQ(picture->PresentedPixel(47, 47), 0x0000FFu);
        // Attaching again makes a new canvas.
        face.Attach(&shown, face.Binding());
        EXPECT_EQ(face.Canvas().PixelRgb(0, 0), 0xFFFFFFu);
        Click(shown, 1006);
    });
    dialog.RunModal(0);
}

TEST_F(DialogTest, ASpinRangesItsControlInSixteenBitsWithItsArrowsPointingTheRightWay)
{
    ScriptedModalRuns runs;
    ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
    int32_t value = 3;
    SpinControl<int> spin;
    runs.Answer([&](DialogBase& shown) {
        SpinControlBinding binding;
        binding.Set(1004, Item(shown, 1003), &value, 2, -40000, 99999, 0);
        spin.Attach(&shown, binding);
        auto* model = platform::ModelOf<platform::UpDownModel>(spin.Handle());
        // Limits beyond 16 bits stand at the ends; cut, 99999 would read as -31073.
        EXPECT_EQ(model->Lower(), -32768);
        EXPECT_EQ(model->Upper(), 32767);
        EXPECT_EQ(spin.Value(), &value);
        EXPECT_EQ(spin.Buddy(), Item(shown, 1003));
        EXPECT_EQ(spin.Step(), 2);
        EXPECT_EQ(spin.Minimum(), -40000);
        EXPECT_EQ(spin.Maximum(), 99999);
        EXPECT_TRUE(model->Style() & platform::kUdsSetBuddyInt); // a spin of its own keeps it
        model->UserStep(true);
        EXPECT_EQ(model->Position(), 1);
        EXPECT_EQ(Native(Item(shown, 1003))->Text(), "1");
    });
    dialog.RunModal(0);
}

TEST_F(DialogTest, SetTabOrderPutsTheControlsInTheListedOrder)
{
    ScriptedModalRuns runs;
    ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
    runs.Answer([&](DialogBase& shown) {
        static const int kOrder[] = {1003, 1001, 1002, 0};
        shown.SetTabOrder(kOrder);
        std::vector<int> order;
        WindowHandle at = Item(shown, 1003);
        for (int i = 0; i < 6; ++i)
        {
            order.push_back(Native(at)->Id());
            at = platform::NextTabStop(shown.Handle(), at);
        }
        EXPECT_EQ(order, (std::vector<int>{1003, 1001, 1002, 1006, 1007, 1003}));
    });
    dialog.RunModal(0);
}

TEST_F(DialogTest, AModalDialogsControlsGetTheKeysWithTheCtrlState)
{
    Log keys;
    ProbeControl list(kControlListBox, 1001, &keys);
    auto feed = [&](uint32_t key, intptr_t flags, uint32_t character) {
        m_System.FeedKey(key, flags, character);
        m_System.PumpMessages();
    };
    auto route = [&](uint32_t message, uint32_t key) {
        m_System.RouteKey(nullptr, message, key, 0);
        m_System.PumpMessages();
    };
    {
        ScriptedModalRuns runs;
        ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
        dialog.m_Probes = {&list};
        runs.Answer([&](DialogBase& shown) {
            EXPECT_NE(shown.Native()->GetProp("cHook"), nullptr);
            keys.clear();
            route(platform::kWmKeyDown, platform::kVkControl);
            feed('C', platform::kKeyControl, 0x03);
            feed(platform::kVkTab, 0, '\t'); // never copied
            route(platform::kWmKeyUp, platform::kVkControl);
            feed(platform::kVkDelete, 0, 0);
        });
        dialog.RunModal(0);
        EXPECT_EQ(keys, (Log{"key 17 ctrl 1001", "key 67 ctrl 1001", "key 46 1001"}));
        EXPECT_EQ(CtrlKeyDown, 0);
    }
    // A modeless dialog's controls get none.
    ProbeDialog palette(FieldsTemplate(), nullptr, &m_App);
    palette.m_Probes = {&list};
    palette.RunModeless(0);
    keys.clear();
    feed(platform::kVkDelete, 0, 0);
    m_System.PostMessage(palette.Handle(), platform::kWmKeyDown, platform::kVkDelete, platform::kKeyReposted);
    m_System.PumpMessages();
    EXPECT_TRUE(keys.empty());
}

TEST_F(DialogTest, NotificationsGoToTheBoundControlsUntilOneAnswers)
{
    ScriptedModalRuns runs;
    ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
    Log log;
    ProbeControl edit(kControlNumberEdit, 1003, &log);
    ProbeControl spin(kControlSpin, 1004, &log);
    ProbeControl after(kControlPlain, 1006, &log);
    dialog.m_Probes = {&edit, &spin, &after};
    runs.Answer([&](DialogBase& shown) {
        WindowHandle upDown = Item(shown, 1004);
        m_System.SendMessage(upDown, platform::kUdmSetRange, 0, platform::MakeLParam(10, 0));
        auto* model = platform::ModelOf<platform::UpDownModel>(upDown);
        log.clear();
        spin.m_nNotifyAnswer = 1;
        model->UserStep(true);
        EXPECT_EQ(model->Position(), 0); // refused
        spin.m_nNotifyAnswer = 0;
        model->UserStep(true);
        EXPECT_EQ(model->Position(), 1);
    });
    dialog.RunModal(0);
    // The step shows in the buddy, whose change reaches its numeric edit.
    EXPECT_EQ(log, (Log{"notify -722 1003", "notify -722 1004", "notify -722 1003", "notify -722 1004",
                        "notify -722 1006", "change 1003"}));
}

TEST_F(DialogTest, ScriptedRunsAnswerDialogsOpenedInsideOthers)
{
    ScriptedModalRuns runs;
    ProbeDialog outer(FieldsTemplate(), nullptr, &m_App);
    outer.m_Plain = PlainControls({1006, 1007});
    int innerResult = -1;
    bool ownerEnabledDuringInner = true;
    runs.Answer([&](DialogBase& shown) {
        OtherProbeDialog inner(ViewTemplate(), shown.Handle(), &m_App);
        inner.m_Plain = PlainControls({1006});
        innerResult = inner.RunModal(0);
        Click(shown, 1007);
    });
    runs.Answer([&](DialogBase& shown) {
        ownerEnabledDuringInner = outer.Native()->IsEnabled();
        EXPECT_EQ(m_System.ActiveWindow(), shown.Handle());
        Click(shown, 1006);
    });
    EXPECT_EQ(outer.RunModal(0), 0);
    EXPECT_EQ(innerResult, 1);
    EXPECT_FALSE(ownerEnabledDuringInner); // a modal dialog's owner takes no input
    // One more run than answers: dismissed with 0.
    EXPECT_EQ(outer.RunModal(0), 0);
    ASSERT_EQ(runs.Runs().size(), 3u);
    EXPECT_EQ(runs.Runs()[0].m_nDialogId, 9003);
    EXPECT_EQ(runs.Runs()[0].m_strTitle, "項目");
    EXPECT_EQ(runs.Runs()[1].m_nDialogId, 9002);
    EXPECT_EQ(runs.Runs()[1].m_nResult, 1);
    EXPECT_TRUE(runs.Runs()[1].m_bAnswered);
    EXPECT_FALSE(runs.Runs()[2].m_bAnswered);
    EXPECT_EQ(runs.Runs()[2].m_nResult, 0);
}

TEST_F(DialogTest, EachDialogClassHasOneCurrentInstanceAndOwnedRunsReplaceTheirObject)
{
    auto first = std::make_unique<ProbeDialog>(FieldsTemplate(), nullptr, &m_App);
    auto second = std::make_unique<ProbeDialog>(ViewTemplate(), nullptr, &m_App);
    platform::WindowProcedure procedure = first->ClassProcedure();
    EXPECT_EQ(second->ClassProcedure(), procedure);
    // The class's procedure reaches the newest object only.
    procedure(nullptr, platform::kWmCommand, 1030, 0);
    EXPECT_TRUE(first->m_Commands.empty());
    EXPECT_EQ(second->m_Commands, (std::vector<int>{1030}));
    second.reset();
    EXPECT_EQ(procedure(nullptr, platform::kWmCommand, 1031, 0), 0);
    EXPECT_TRUE(first->m_Commands.empty());

    ScriptedModalRuns runs;
    std::unique_ptr<OtherProbeDialog> holder = std::make_unique<OtherProbeDialog>(ViewTemplate(), nullptr, &m_App);
    int aliveDuring = 0;
    runs.Answer([&](DialogBase& shown) {
        // The object the holder had is gone; the running one is the holder's.
        aliveDuring = OtherProbeDialog::s_nAlive;
        EXPECT_EQ(&shown, holder.get());
        EXPECT_EQ(shown.ResourceId(), 9003);
        Click(shown, 1006);
    });
    EXPECT_EQ(RunOwnedModal(holder, 0, FieldsTemplate(), nullptr, &m_App), 1);
    EXPECT_EQ(aliveDuring, 1);
    EXPECT_EQ(holder, nullptr);
    EXPECT_EQ(OtherProbeDialog::s_nAlive, 0);
}

TEST_F(DialogTest, AModelessDialogLeavesTheApplicationsListWhenDeleted)
{
    auto palette = std::make_unique<ProbeDialog>(PaletteTemplate(), nullptr, &m_App);
    palette->RunModeless(0);
    // Run again, it is listed once still.
    palette->RunModeless(0);
    EXPECT_EQ(m_App.m_Windows, (std::vector<WindowBase*>{palette.get()}));
    WindowHandle window = palette->Handle();
    palette.reset();
    EXPECT_TRUE(m_App.m_Windows.empty());
    EXPECT_FALSE(m_System.IsWindow(window));
    EXPECT_TRUE(m_Boxes.Boxes().empty());

    // A dialog whose window could not be made was never listed: both failures
    // are reported, and the windows it hid and disabled come back.
    OtherProbeDialog other(PaletteTemplate(), nullptr, &m_App);
    other.RunModeless(0);
    DialogTemplate missing{9100, "", 10, 10, kChildDialog, {}};
    auto orphan = std::make_unique<ProbeDialog>(missing, nullptr, &m_App); // a child without a parent
    orphan->RunModeless(kShowFlagHideOthers | kShowFlagDisableOthers);
    EXPECT_TRUE(other.Native()->IsVisible());
    EXPECT_TRUE(other.Native()->IsEnabled());
    orphan.reset();
    ASSERT_EQ(m_Boxes.Boxes().size(), 2u);
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strText, "ウインドウの生成に失敗！");
    EXPECT_EQ(m_Boxes.Boxes()[1].m_strText, "ウインドウの破棄に失敗！");
}

// A palette that closes its window in its own destructor, as modeless classes
// with work on kWmDestroy do, and counts the kWmDestroy it sees.
class ClosingPalette : public ProbeDialogClass<3>
{
public:
    ClosingPalette(EditorApp* app, int& destroyed)
        : ProbeDialogClass<3>(PaletteTemplate(), nullptr, app), m_nDestroyed(destroyed)
    {
    }
    ~ClosingPalette() override { Close(0); }
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        if (message == platform::kWmDestroy)
        {
            ++m_nDestroyed;
        }
        return ProbeDialogClass<3>::WindowProc(window, message, wParam, lParam);
    }

private:
    int& m_nDestroyed;
};

TEST_F(DialogTest, AModelessDialogClosedInItsOwnDestructorSeesItsWindowDestroyed)
{
    OtherProbeDialog other(PaletteTemplate(), nullptr, &m_App);
    other.RunModeless(0);
    int destroyed = 0;
    auto palette = std::make_unique<ClosingPalette>(&m_App, destroyed);
    palette->RunModeless(kShowFlagHideOthers);
    EXPECT_FALSE(other.Native()->IsVisible());
    palette.reset();
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(other.Native()->IsVisible());
    EXPECT_EQ(m_App.m_Windows, (std::vector<WindowBase*>{&other}));
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(DialogTest, AStartMaximisedDialogFillsTheDesktopWithoutStayingMaximised)
{
    for (int status : {0, 2})
    {
        SCOPED_TRACE(status);
        EditorApp app;
        ProbeDialog dialog(ViewTemplate(), nullptr, &app);
        dialog.Init(9002, nullptr, 1, kWindowDialog, &app);
        dialog.SetLayout(0, 0, 0, 0, 0, 0, 0, 0, 0, status, 0, 0);
        dialog.RunModeless(0);
        platform::NativeWindow* window = dialog.Native();
        EXPECT_FALSE(window->Style() & platform::kWsMaximize);
        EXPECT_EQ(window->WindowRect(), (platform::Rect{0, 0, 800, status == 2 ? 580 : 600}));
        dialog.Close(0);
    }
}

} // namespace
