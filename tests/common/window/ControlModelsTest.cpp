// The control models on the dummy backend: what each family answers, when it
// notifies its parent, and what the author's actions do.
#include "platform/window/ButtonModel.h"
#include "platform/window/DialogNavigation.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "platform/window/ScrollBarModel.h"
#include "platform/window/UpDownModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

using namespace platform;

// A parent window that writes down every notification it gets, with the text
// of the control that sent it as the parent sees it at that moment.
class ControlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WindowCreateParams params;
        params.m_WindowRect = {0, 0, 400, 300};
        params.m_pProcedure = &ControlTest::Procedure;
        m_hParent = m_System.CreateWindow(params);
        m_System.Resolve(m_hParent)->SetUserData(this);
    }
    void TearDown() override
    {
        m_OnCommand = nullptr;
        m_System.Resolve(m_hParent)->SetUserData(nullptr);
    }

    static intptr_t Procedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        auto* self = static_cast<ControlTest*>(ResolveWindow(window)->UserData());
        if (!self)
        {
            return DefWindowProc(window, message, wParam, lParam);
        }
        switch (message)
        {
        case kWmCommand:
        {
            WindowHandle from = HandleFromParam(static_cast<uintptr_t>(lParam));
            std::string text = from ? ResolveWindow(from)->Text() : std::string();
            self->m_Log.push_back("command " + std::to_string(LowWord(wParam)) + " " +
                                  std::to_string(HighWord(wParam)) + (text.empty() ? "" : " " + text));
            if (self->m_OnCommand)
            {
                self->m_OnCommand(LowWord(wParam), HighWord(wParam));
            }
            return 0;
        }
        case kWmNotify:
        {
            auto* step = reinterpret_cast<const NotifyUpDown*>(lParam);
            self->m_Log.push_back("notify " + std::to_string(step->m_Header.m_nId) + " " +
                                  std::to_string(step->m_Header.m_nCode) + " pos " + std::to_string(step->m_nPos) +
                                  " delta " + std::to_string(step->m_nDelta));
            return self->m_nNotifyAnswer;
        }
        case kWmHScroll:
        case kWmVScroll:
            self->m_Log.push_back(std::string(message == kWmHScroll ? "hscroll " : "vscroll ") +
                                  std::to_string(LowWord(wParam)) + " " + std::to_string(HighWord(wParam)));
            return 0;
        default:
            return DefWindowProc(window, message, wParam, lParam);
        }
    }

    WindowHandle MakeControl(std::string_view windowClass, uint32_t style, int id, Rect rect = {10, 10, 100, 20},
                             std::string_view text = "")
    {
        WindowCreateParams params;
        params.m_strClass = windowClass;
        params.m_strTitle = text;
        params.m_nStyle = kWsChild | kWsVisible | style;
        params.m_WindowRect = rect;
        params.m_hParent = m_hParent;
        params.m_nId = id;
        return m_System.CreateWindow(params);
    }

    intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0)
    {
        return m_System.SendMessage(window, message, wParam, lParam);
    }
    static intptr_t Text(const char* text) { return reinterpret_cast<intptr_t>(text); }

    std::vector<std::string> TakeLog() { return std::exchange(m_Log, {}); }

    DummyWindowSystem m_System;
    WindowHandle m_hParent;
    std::vector<std::string> m_Log;
    std::function<void(int id, int code)> m_OnCommand;
    intptr_t m_nNotifyAnswer = 0;
};

using Log = std::vector<std::string>;

TEST_F(ControlTest, AnEditReportsEveryChangeInsideTheCallThatMadeIt)
{
    WindowHandle edit = MakeControl(kClassEdit, 0, 1077);
    // The program's text: EN_UPDATE and EN_CHANGE arrive before SetText returns, with the new text.
    ResolveWindow(edit)->SetText("12");
    EXPECT_EQ(TakeLog(), (Log{"command 1077 1024 12", "command 1077 768 12"}));
    Send(edit, kWmSetText, 0, Text("34"));
    EXPECT_EQ(TakeLog(), (Log{"command 1077 1024 34", "command 1077 768 34"}));
    // Setting the text puts the caret at the start; typing inserts there.
    m_System.RouteChar(edit, '5');
    EXPECT_EQ(ResolveWindow(edit)->Text(), "534");
    EXPECT_EQ(TakeLog(), (Log{"command 1077 1024 534", "command 1077 768 534"}));
    // A handler that sets the text again (as a bound edit does) is inside the first change.
    m_OnCommand = [&](int, int code) {
        if (code == kEnUpdate && ResolveWindow(edit)->Text() == "5340")
        {
            ResolveWindow(edit)->SetText("99");
        }
    };
    Send(edit, kEmSetSel, 3, 3);
    m_System.RouteChar(edit, '0');
    EXPECT_EQ(ResolveWindow(edit)->Text(), "99");
    // A multi-line edit set by the program reports the update only.
    WindowHandle lines = MakeControl(kClassEdit, kEsMultiline, 1078);
    TakeLog();
    m_OnCommand = nullptr;
    ResolveWindow(lines)->SetText("a\r\nb");
    EXPECT_EQ(TakeLog(), (Log{"command 1078 1024 a\r\nb"}));
}

TEST_F(ControlTest, EditSelectionTypingAndItsLimits)
{
    WindowHandle edit = MakeControl(kClassEdit, kEsMultiline, 1077, {10, 10, 100, 20}, "あいう\r\nx");
    auto* model = ModelOf<EditModel>(edit);
    ASSERT_NE(model, nullptr);
    uint32_t start = 99;
    uint32_t end = 99;
    // The ends in either order, -1 for the end of the text; positions are bytes.
    Send(edit, kEmSetSel, 8, 2);
    EXPECT_EQ(Send(edit, kEmGetSel, reinterpret_cast<uintptr_t>(&start), reinterpret_cast<intptr_t>(&end)),
              MakeLParam(2, 8));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 8u);
    Send(edit, kEmSetSel, 0, -1);
    EXPECT_EQ(model->SelectionEnd(), 9);
    Send(edit, kEmSetSel, static_cast<uintptr_t>(-1), 0); // takes the selection away
    EXPECT_EQ(model->SelectionStart(), 9);
    EXPECT_EQ(model->SelectionEnd(), 9);
    EXPECT_EQ(Send(edit, kEmGetLineCount), 2);

    // Backspace takes a whole double-byte character, a whole line break, or the selection.
    struct Case
    {
        int m_nStart;
        int m_nEnd;
        const char* m_pszAfter;
    };
    for (Case c : {Case{9, 9, "あいう\r\n"}, Case{8, 8, "あいうx"}, Case{6, 6, "あい\r\nx"}, Case{2, 8, "あx"}})
    {
        SCOPED_TRACE(testing::Message() << c.m_nStart << ".." << c.m_nEnd);
        ResolveWindow(edit)->SetText("あいう\r\nx");
        Send(edit, kEmSetSel, static_cast<uintptr_t>(c.m_nStart), c.m_nEnd);
        m_System.RouteChar(edit, kVkBack);
        EXPECT_EQ(model->Text(), c.m_pszAfter);
    }
    // Delete takes the character after the caret; Enter starts a line in a multi-line edit.
    ResolveWindow(edit)->SetText("ab");
    Send(edit, kEmSetSel, 0, 0);
    Send(edit, kWmKeyDown, kVkDelete);
    m_System.RouteChar(edit, '\r');
    EXPECT_EQ(model->Text(), "\r\nb");

    // A one-line edit ignores Enter; ES_NUMBER takes digits only; the limit stops typing, not the program.
    WindowHandle number = MakeControl(kClassEdit, kEsNumber, 1080);
    Send(number, kEmLimitText, 3);
    TakeLog();
    for (uint32_t code : {uint32_t('1'), uint32_t('\r'), uint32_t('a'), uint32_t('2'), uint32_t('3'), uint32_t('4')})
    {
        m_System.RouteChar(number, code);
    }
    EXPECT_EQ(ResolveWindow(number)->Text(), "123");
    EXPECT_EQ(TakeLog().back(), "command 1080 1281 123"); // EN_MAXTEXT for the fourth digit
    ResolveWindow(number)->SetText("123456");
    EXPECT_EQ(ResolveWindow(number)->Text(), "123456");
}

TEST_F(ControlTest, FocusChangesReachTheParentAsNotifications)
{
    WindowHandle edit = MakeControl(kClassEdit, 0, 1077);
    WindowHandle list = MakeControl(kClassListBox, kLbsNotify, 1078);
    WindowHandle combo = MakeControl(kClassComboBox, kCbsDropDownList, 1079);
    TakeLog();
    m_System.SetFocus(edit);
    m_System.SetFocus(list);
    m_System.SetFocus(combo);
    m_System.SetFocus(m_hParent);
    EXPECT_EQ(TakeLog(), (Log{"command 1077 256", "command 1077 512", "command 1078 4", "command 1078 5",
                              "command 1079 3", "command 1079 4"}));
}

TEST_F(ControlTest, ButtonsCheckAsTheirTypeSaysAndRadioButtonsKeepToTheirGroup)
{
    WindowHandle push = MakeControl(kClassButton, kBsPushButton, 1);
    WindowHandle box = MakeControl(kClassButton, kBsAutoCheckBox, 2);
    WindowHandle three = MakeControl(kClassButton, kBsAuto3State, 3);
    WindowHandle manual = MakeControl(kClassButton, kBsCheckBox, 4);
    WindowHandle group = MakeControl(kClassButton, kBsGroupBox, 5);
    WindowHandle radioA = MakeControl(kClassButton, kBsAutoRadioButton | kWsGroup, 6);
    WindowHandle radioB = MakeControl(kClassButton, kBsAutoRadioButton, 7);
    WindowHandle radioC = MakeControl(kClassButton, kBsAutoRadioButton | kWsGroup, 8);
    auto click = [&](WindowHandle button) { ModelOf<ButtonModel>(button)->UserClick(); };
    auto check = [&](WindowHandle button) { return static_cast<int>(Send(button, kBmGetCheck)); };

    click(push);
    click(group);
    EXPECT_EQ(TakeLog(), (Log{"command 1 0"})); // a group box reports nothing

    click(box);
    EXPECT_EQ(check(box), kBstChecked);
    click(box);
    EXPECT_EQ(check(box), kBstUnchecked);
    std::vector<int> cycle;
    for (int i = 0; i < 4; ++i)
    {
        click(three);
        cycle.push_back(check(three));
    }
    EXPECT_EQ(cycle, (std::vector<int>{1, 2, 0, 1}));
    click(manual); // the program checks this one itself
    EXPECT_EQ(check(manual), kBstUnchecked);
    EXPECT_EQ(TakeLog().size(), 7u); // every click of a box reported

    // The third state only on a box of three states.
    Send(box, kBmSetCheck, kBstIndeterminate);
    Send(three, kBmSetCheck, kBstIndeterminate);
    EXPECT_EQ(check(box), kBstChecked);
    EXPECT_EQ(check(three), kBstIndeterminate);
    EXPECT_TRUE(TakeLog().empty()); // the program's checks report nothing

    Send(radioC, kBmSetCheck, kBstChecked);
    click(radioA);
    click(radioB);
    EXPECT_EQ(check(radioA), kBstUnchecked);
    EXPECT_EQ(check(radioB), kBstChecked);
    EXPECT_EQ(check(radioC), kBstChecked); // another group
}

TEST_F(ControlTest, ListsReportOnlyTheAuthorsChoice)
{
    WindowHandle list = MakeControl(kClassListBox, kLbsNotify, 1241, {0, 0, 100, 4 + 3 * kListRowHeight});
    WindowHandle quiet = MakeControl(kClassListBox, 0, 1242);
    WindowHandle combo = MakeControl(kClassComboBox, kCbsDropDownList, 1243);
    for (const char* row : {"a", "b", "c", "d", "e"})
    {
        Send(list, kLbAddString, 0, Text(row));
        Send(quiet, kLbAddString, 0, Text(row));
        Send(combo, kCbAddString, 0, Text(row));
    }
    TakeLog();
    EXPECT_EQ(Send(list, kLbSetCurSel, 4), 4);
    EXPECT_EQ(Send(list, kLbGetTopIndex), 2); // scrolled to show the row: three rows fit
    EXPECT_EQ(Send(combo, kCbSetCurSel, 1), 1);
    EXPECT_EQ(ResolveWindow(combo)->Text(), "b");
    EXPECT_TRUE(TakeLog().empty());

    ModelOf<ListBoxModel>(list)->UserSelect(1);
    ModelOf<ListBoxModel>(quiet)->UserSelect(1); // without kLbsNotify: silent
    ModelOf<ComboBoxModel>(combo)->UserSelect(3);
    EXPECT_EQ(TakeLog(), (Log{"command 1241 1", "command 1243 1 d"}));
    EXPECT_EQ(Send(list, kLbGetTopIndex), 1);

    // A row outside the list selects nothing.
    EXPECT_EQ(Send(list, kLbSetCurSel, 9), kLbErr);
    EXPECT_EQ(Send(list, kLbGetCurSel), -1);
    // Deleting rows keeps the selection on its row or drops it with the row.
    Send(list, kLbSetCurSel, 3);
    Send(list, kLbDeleteString, 0);
    EXPECT_EQ(Send(list, kLbGetCurSel), 2);
    Send(list, kLbDeleteString, 2);
    EXPECT_EQ(Send(list, kLbGetCurSel), -1);
    EXPECT_EQ(Send(list, kLbGetCount), 3);
    char buffer[8] = {};
    EXPECT_EQ(Send(list, kLbGetText, 2, reinterpret_cast<intptr_t>(buffer)), 1);
    EXPECT_STREQ(buffer, "e");
    EXPECT_EQ(Send(list, kLbInsertString, 9, Text("x")), kLbErr);
    Send(combo, kCbResetContent);
    EXPECT_EQ(Send(combo, kCbGetCurSel), -1);
    EXPECT_EQ(ResolveWindow(combo)->Text(), "");
}

// A bar's position stops where its last page begins.
TEST(ScrollInfoTest, ThePositionStaysWithinTheReachablePart)
{
    struct Case
    {
        int m_nMin, m_nMax;
        uint32_t m_nPage;
        int m_nAsked;
        int m_nPos;
        uint32_t m_nPageKept;
    };
    const Case cases[] = {
        {0, 20, 20, 5, 1, 20},   // range 0..20, page 20: positions 0 and 1 only
        {0, 20, 20, -3, 0, 20},  //
        {0, 20, 0, 25, 20, 0},   // no page: the maximum
        {0, 20, 5, 17, 16, 5},   // max - page + 1
        {0, 20, 40, 3, 0, 21},   // the page is at most the whole range
        {10, 30, 1, 30, 30, 1},  //
        {-5, 5, 4, -9, -5, 4},   //
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nMin << ".." << c.m_nMax << " page " << c.m_nPage << " asked "
                                        << c.m_nAsked);
        ScrollInfo bar;
        ScrollInfo info;
        info.m_nMask = kSifRange | kSifPage | kSifPos;
        info.m_nMin = c.m_nMin;
        info.m_nMax = c.m_nMax;
        info.m_nPage = c.m_nPage;
        info.m_nPos = c.m_nAsked;
        ApplyScrollInfo(bar, info);
        EXPECT_EQ(bar.m_nPos, c.m_nPos);
        EXPECT_EQ(bar.m_nPage, c.m_nPageKept);
    }
}

TEST_F(ControlTest, AScrollBarOnlyAsksItsParentToMove)
{
    WindowHandle bar = MakeControl(kClassScrollBar, kSbsVert, 1197);
    auto* model = ModelOf<ScrollBarModel>(bar);
    ScrollInfo range;
    range.m_nMask = kSifRange | kSifPage;
    range.m_nMax = 50;
    range.m_nPage = 10;
    SetScrollInfo(bar, kSbCtl, range, true);
    model->UserRequest(kSbLineDown);
    model->UserRequest(kSbThumbTrack, 33);
    ScrollInfo info;
    info.m_nMask = kSifAll;
    ASSERT_TRUE(GetScrollInfo(bar, kSbCtl, info));
    EXPECT_EQ(info.m_nPos, 0); // nobody moved it
    EXPECT_EQ(info.m_nTrackPos, 33);
    model->UserRequest(kSbThumbPosition, 35);
    model->UserRequest(kSbEndScroll);
    EXPECT_EQ(TakeLog(), (Log{"vscroll 1 0", "vscroll 5 33", "vscroll 4 35", "vscroll 8 0"}));
    GetScrollInfo(bar, kSbCtl, info);
    EXPECT_EQ(info.m_nTrackPos, 0); // let go: the track position is the position again

    // A window's own bars keep the same rules.
    range.m_nMask = kSifRange | kSifPage | kSifPos;
    range.m_nPos = 99;
    EXPECT_EQ(SetScrollInfo(m_hParent, kSbHorz, range, false), 41);
    EXPECT_EQ(SetScrollInfo(m_hParent, kSbCtl, range, false), 0); // the window is no scroll-bar control
}

TEST_F(ControlTest, AnUpDownStepsWithinItsRangeUnlessTheParentRefuses)
{
    WindowHandle edit = MakeControl(kClassEdit, 0, 1077, {10, 10, 100, 20});
    WindowHandle spin =
        MakeControl(kClassUpDown, kUdsAutoBuddy | kUdsAlignRight | kUdsSetBuddyInt | kUdsArrowKeys, 1078,
                    {200, 10, 16, 20});
    auto* model = ModelOf<UpDownModel>(spin);
    // The control made before it is its buddy; it stands at the buddy's right edge.
    EXPECT_EQ(model->Buddy(), edit);
    EXPECT_EQ(ResolveWindow(edit)->WindowRect(), (Rect{10, 10, 84, 20}));
    EXPECT_EQ(ResolveWindow(spin)->WindowRect(), (Rect{94, 10, 16, 20}));
    // The range travels in 16 bits: the lower limit in the high half.
    Send(spin, kUdmSetRange, 0, MakeLParam(3, 1));
    EXPECT_EQ(Send(spin, kUdmGetRange), MakeLParam(3, 1));
    Send(spin, kUdmSetPos, 0, 2);
    TakeLog();

    m_nNotifyAnswer = 1;
    model->UserStep(true);
    EXPECT_EQ(model->Position(), 2);
    m_nNotifyAnswer = 0;
    model->UserStep(true);
    model->UserStep(true); // at the upper limit: asked, not moved
    Send(edit, kWmKeyDown, kVkDown);
    model->UserRelease();
    EXPECT_EQ(TakeLog(), (Log{"notify 1078 -722 pos 2 delta 1", "notify 1078 -722 pos 2 delta 1",
                              "command 1077 1024 3", "command 1077 768 3", "vscroll 4 3",
                              "notify 1078 -722 pos 3 delta 1", "notify 1078 -722 pos 3 delta -1",
                              "command 1077 1024 2", "command 1077 768 2", "vscroll 4 2", "vscroll 8 0"}));
    EXPECT_EQ(ResolveWindow(edit)->Text(), "2");

    // Without kUdsSetBuddyInt the buddy keeps its text; kUdsWrap goes round.
    ResolveWindow(spin)->SetStyle((ResolveWindow(spin)->Style() & ~kUdsSetBuddyInt) | kUdsWrap);
    model->UserStep(false);
    model->UserStep(false);
    EXPECT_EQ(model->Position(), 3);
    EXPECT_EQ(ResolveWindow(edit)->Text(), "2");
}

TEST_F(ControlTest, TheDialogKeyboardMovesTheFocusAndSendsCommandsButClosesNothing)
{
    WindowHandle first = MakeControl(kClassEdit, kWsTabStop, 1077, {10, 10, 100, 20}, "abc");
    MakeControl(kClassStatic, 0, 1075);
    WindowHandle disabled = MakeControl(kClassButton, kWsTabStop | kWsDisabled, 1005);
    WindowHandle ok = MakeControl(kClassButton, kWsTabStop | kBsDefPushButton, 1006, {10, 10, 100, 20}, "OK");
    WindowHandle cancel = MakeControl(kClassButton, kWsTabStop, 1007);
    WindowHandle lines = MakeControl(kClassEdit, kWsTabStop | kEsMultiline | kEsWantReturn, 1080);
    (void)disabled;
    m_System.Resolve(m_hParent)->Show(true);
    TakeLog();
    auto key = [&](WindowHandle target, uint32_t vk, intptr_t flags = 0) {
        return IsDialogMessage(m_hParent, {target, kWmKeyDown, vk, flags});
    };
    EXPECT_EQ(NextTabStop(m_hParent, nullptr), first);
    EXPECT_TRUE(key(first, kVkTab));
    EXPECT_EQ(m_System.Focus(), ok); // the static and the disabled button are passed over
    EXPECT_TRUE(key(ok, kVkTab, kKeyShift));
    EXPECT_EQ(m_System.Focus(), first);
    EXPECT_EQ(ModelOf<EditModel>(first)->SelectionEnd(), 3); // its text selected
    EXPECT_TRUE(key(first, kVkTab, kKeyShift));
    EXPECT_EQ(m_System.Focus(), lines); // round to the last

    EXPECT_TRUE(key(first, kVkReturn));        // the default button
    EXPECT_TRUE(key(cancel, kVkReturn));       // the focused push button
    EXPECT_FALSE(key(lines, kVkReturn));       // a new line for the edit
    EXPECT_TRUE(key(first, kVkEscape));        // command 2, nothing closes
    EXPECT_FALSE(key(first, kVkEscape, kKeyReposted));
    EXPECT_FALSE(key(first, 'A'));
    EXPECT_EQ(TakeLog(), (Log{"command 1077 256 abc", "command 1077 512 abc", "command 1080 256", "command 1006 0 OK",
                              "command 1007 0", "command 2 0"}));
    EXPECT_TRUE(m_System.IsWindow(m_hParent));
}

} // namespace

namespace
{

using namespace platform;

TEST(WindowCommandTest, MaximisingFillsTheDesktopAndRestoringGoesBack)
{
    DummyWindowSystem system;
    system.FixDesktopRect({0, 0, 640, 480});
    WindowCreateParams params;
    params.m_WindowRect = {30, 40, 200, 100};
    WindowHandle window = system.CreateWindow(params);
    NativeWindow* native = system.Resolve(window);
    system.SendMessage(window, kWmSysCommand, kScMaximize, 0);
    EXPECT_EQ(native->WindowRect(), (Rect{0, 0, 640, 480}));
    EXPECT_TRUE(native->Style() & kWsMaximize);
    system.SendMessage(window, kWmSysCommand, kScRestore, 0);
    EXPECT_EQ(native->WindowRect(), (Rect{30, 40, 200, 100}));
    EXPECT_FALSE(native->Style() & kWsMaximize);
    // Close from the system menu is the close message: the default destroys the window.
    system.SendMessage(window, kWmSysCommand, kScClose, 0);
    EXPECT_FALSE(system.IsWindow(window));
}

} // namespace
