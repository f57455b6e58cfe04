// The event dialog on the dummy backend, run as its openers run it: the page
// list and the page fields, the enabling rules, the actions through the
// action-kind runner, the variable rename, OK with its undo point and the
// start event's file, Cancel.
#include "common/data/DataStream.h"
#include "editor/event/EventDialog.h"
#include "editor/framework/KeyboardHook.h"
#include "editor/framework/ModalRuns.h"
#include "editor/stage/StageEditState.h"
#include "platform/window/Beep.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/event/EventTestProject.h"
#include "tests/editor/framework/DialogAuthor.h"

#include <filesystem>
#include <functional>

namespace
{

using Rows = std::vector<std::string>;
const std::string kTrailer(64, '-');

// The bytes an event is stored as.
std::vector<unsigned char> Image(const Event& event)
{
    Event copy = event;
    DataWriter out;
    copy.Save(out);
    return out.Bytes();
}

EventPage PageWith(std::initializer_list<EventCommand> actions, int32_t turn = 0)
{
    EventPage page;
    page.m_nTurn = turn;
    page.m_Action.assign(actions.begin(), actions.end());
    return page;
}

Event EventWith(std::initializer_list<EventPage> pages, const char* name = "宝箱")
{
    Event event;
    event.m_nX = 3;
    event.m_nY = 4;
    event.m_strName = name;
    event.m_Page.assign(pages.begin(), pages.end());
    return event;
}

class EventDialogTest : public EventTestProject, public DialogAuthor
{
protected:
    EventDialogTest() : DialogAuthor(m_System) {}
    void SetUp() override
    {
        EventTestProject::SetUp();
        m_System.FixDesktopRect({0, 0, 1280, 1024});
        AppWindowSystem = &m_System;
        // These tests stand in for the action-kind dialog, or go without one.
        m_InstalledRunner = SetActionKindRunner(nullptr);
    }
    void TearDown() override
    {
        SetActionKindRunner(m_InstalledRunner);
        s_Runner = nullptr;
        KeyboardHook::UninstallAll();
        AppWindowSystem = nullptr;
        EventTestProject::TearDown();
    }

    // Runs the dialog as its openers do; the script is the author while it is open.
    int Run(const EventEditRequest& request, const std::function<void(EventDialog&)>& script)
    {
        m_Runs.Answer([script](DialogBase& shown) {
            ASSERT_EQ(EventDialog::Running(), &shown);
            script(static_cast<EventDialog&>(shown));
        });
        int result = RunEventDialog(nullptr, &m_App, request);
        EXPECT_EQ(EventDialog::Running(), nullptr);
        return result;
    }
    int Run(Event& event, const std::function<void(EventDialog&)>& script)
    {
        EventEditRequest request;
        request.m_pEvent = &event;
        return Run(request, script);
    }

protected:
    // The action-kind dialog of the tests: the function of the test, through a plain runner.
    static inline std::function<int(EventDialog&)> s_Runner;
    void UseRunner(std::function<int(EventDialog&)> runner)
    {
        s_Runner = std::move(runner);
        SetActionKindRunner([](EventDialog& dialog) { return s_Runner(dialog); });
    }

    ActionKindRunner m_InstalledRunner = nullptr;
    platform::DummyWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
    platform::BeepRecorder m_Beeps;
    ScriptedModalRuns m_Runs;
    EditorApp m_App;
};

TEST_F(EventDialogTest, TheOnlyPageCannotBeDeletedAndInsertAddsABlankPageThatBecomesCurrent)
{
    Event event = EventWith({PageWith({}, 7)});
    event.m_Page.At(0).m_nTiming = 5;
    int result = Run(event, [&](EventDialog& dialog) {
        EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×0", kTrailer}));
        EXPECT_EQ(RowsOf(dialog, kIdActionList), (Rows{kTrailer}));
        EXPECT_EQ(TextOf(dialog, kIdPageTurn), "7");

        Click(dialog, kIdPageDelete);
        EXPECT_EQ(m_Beeps.Count(), 1);
        EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×0", kTrailer}));
        EXPECT_EQ(dialog.WorkingPages().size(), 1u);

        Click(dialog, kIdPageInsert);
        EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×0", "2 ｱｸｼｮﾝ×0", kTrailer}));
        EXPECT_EQ(SelectionOf(dialog, kIdPageList), 0);
        EXPECT_EQ(TextOf(dialog, kIdPageTurn), "0"); // the blank page is shown
        EXPECT_EQ(SelectionOf(dialog, kIdPageTiming), 0);
        EXPECT_EQ(m_Beeps.Count(), 1);
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(event.m_Page.size(), 2u);
    EXPECT_EQ(Image(EventWith({EventPage(), event.m_Page.At(1)})), Image(event));
    EXPECT_EQ(event.m_Page.At(1).m_nTurn, 7);
    EXPECT_EQ(event.m_Page.At(1).m_nTiming, 5);
}

TEST_F(EventDialogTest, ThePageFieldsAreEnabledAsTheShownChoicesCallFor)
{
    // The controls the rules switch, in this order.
    const int ruled[] = {kIdPageEventVarValue, kIdPageEventVarValueSpin, kIdPageEventVarCompare,
                         kIdPageVariableValue, kIdPageVariableCompare,   kIdPageCommandName,
                         kIdPageTarget,        kIdPageExists,            kIdPageGroup};
    using States = std::vector<int>;
    const struct
    {
        const char* m_pszWhat;
        std::function<void(EventDialogTest&, EventDialog&)> m_Act;
        States m_Enabled;
    } steps[] = {
        {"a page without conditions", [](EventDialogTest&, EventDialog&) {}, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"the event variable condition ticked",
         [](EventDialogTest& t, EventDialog& d) { t.Click(d, kIdPageUseEventVar); }, {1, 1, 1, 0, 0, 0, 0, 0, 0}},
        {"variable 2 chosen", [](EventDialogTest& t, EventDialog& d) { t.Choose(d, kIdPageVariable, 2); },
         {1, 1, 1, 1, 1, 0, 0, 0, 0}},
        {"timing 3", [](EventDialogTest& t, EventDialog& d) { t.Choose(d, kIdPageTiming, 3); },
         {1, 1, 1, 1, 1, 1, 0, 0, 0}},
        {"timing 16", [](EventDialogTest& t, EventDialog& d) { t.Choose(d, kIdPageTiming, 16); },
         {1, 1, 1, 1, 1, 0, 0, 0, 0}},
        {"area 1", [](EventDialogTest& t, EventDialog& d) { t.Choose(d, kIdPageArea, 1); },
         {1, 1, 1, 1, 1, 0, 1, 1, 0}},
        {"area 3", [](EventDialogTest& t, EventDialog& d) { t.Choose(d, kIdPageArea, 3); },
         {1, 1, 1, 1, 1, 0, 1, 1, 1}},
        {"area 2", [](EventDialogTest& t, EventDialog& d) { t.Choose(d, kIdPageArea, 2); },
         {1, 1, 1, 1, 1, 0, 1, 1, 0}},
        {"no variable and the condition cleared",
         [](EventDialogTest& t, EventDialog& d) {
             t.Choose(d, kIdPageVariable, 0);
             t.Click(d, kIdPageUseEventVar);
         },
         {0, 0, 0, 0, 0, 0, 1, 1, 0}},
    };
    Event event = EventWith({PageWith({})});
    Run(event, [&](EventDialog& dialog) {
        for (const auto& step : steps)
        {
            SCOPED_TRACE(step.m_pszWhat);
            step.m_Act(*this, dialog);
            States enabled;
            for (int id : ruled)
            {
                enabled.push_back(IsEnabled(dialog, id) ? 1 : 0);
            }
            EXPECT_EQ(enabled, step.m_Enabled);
        }
        Click(dialog, kIdDialogOk);
    });
}

TEST_F(EventDialogTest, TheSpecialCommandNameKeepsItsTextWhileAnotherTimingDisablesIt)
{
    Event event = EventWith({PageWith({})});
    int result = Run(event, [&](EventDialog& dialog) {
        Choose(dialog, kIdPageTiming, 3);
        ASSERT_TRUE(IsEnabled(dialog, kIdPageCommandName));
        Type(dialog, kIdPageCommandName, "ｱﾀｯｸ");
        Choose(dialog, kIdPageTiming, 16);
        EXPECT_FALSE(IsEnabled(dialog, kIdPageCommandName));
        EXPECT_EQ(TextOf(dialog, kIdPageCommandName), "ｱﾀｯｸ");
        EXPECT_EQ(dialog.CurrentPage().m_strCommandName, "ｱﾀｯｸ");
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(event.m_Page.At(0).m_nTiming, 16);
    EXPECT_EQ(event.m_Page.At(0).m_strCommandName, "ｱﾀｯｸ");
}

TEST_F(EventDialogTest, CancelAndTheCloseBoxLeaveTheEventByteIdenticalAfterManyEdits)
{
    UseRunner([](EventDialog& dialog) {
        dialog.ActionList().Working().At(dialog.ActionList().GetDataPos()) = MakeCommand(11, {300});
        return 1;
    });
    for (bool closeBox : {false, true})
    {
        SCOPED_TRACE(closeBox ? "the close box" : "ｷｬﾝｾﾙ");
        Event event = EventWith({PageWith({MakeCommand(2, {30}), MakeCommand(16)}, 4), PageWith({}, 9)});
        const std::vector<unsigned char> before = Image(event);
        int result = Run(event, [&](EventDialog& dialog) {
            Type(dialog, kIdEventName, "別の名前");
            Click(dialog, kIdEventHeld);
            Type(dialog, kIdPageTurn, "55");
            Choose(dialog, kIdPageTiming, 12);
            Click(dialog, kIdActionDelete);
            Click(dialog, kIdActionInsert);
            Click(dialog, kIdPageInsert);
            Pick(dialog, kIdPageList, 2);
            Click(dialog, kIdPageDelete);
            EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×0", "2 ｱｸｼｮﾝ×2", kTrailer}));
            if (closeBox)
            {
                m_System.SendMessage(dialog.Handle(), platform::kWmClose, 0, 0);
            }
            else
            {
                Click(dialog, kIdDialogCancel);
            }
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(HexBytes(Image(event)), HexBytes(before));
    }
}

TEST_F(EventDialogTest, OkRecordsOneUndoPointOfTheStageAsItWasBeforeTheEventIsWrittenBack)
{
    Stage.m_Event.push_back(EventWith({PageWith({MakeCommand(2, {30})}, 2)}, "扉"));
    Stage.m_PaletteEvent.push_back(EventWith({PageWith({})}, "見本"));
    Event newEvent = EventWith({PageWith({})}, "新規");
    const struct
    {
        const char* m_pszWhat;
        Event* m_pEvent;
        bool m_bHistory;
        const char* m_pszTyped; // null: OK without edits
    } cases[] = {
        {"a stage event unchanged", &Stage.m_Event.At(0), true, nullptr},
        {"a stage event renamed", &Stage.m_Event.At(0), true, "鉄の扉"},
        {"the new-event buffer", &newEvent, true, "新しい扉"},
        {"a palette template", &Stage.m_PaletteEvent.At(0), false, "見本2"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        StageEditState history;
        const std::vector<unsigned char> stageEventBefore = Image(Stage.m_Event.At(0));
        const std::vector<unsigned char> editedBefore = Image(*c.m_pEvent);
        EventEditRequest request;
        request.m_pEvent = c.m_pEvent;
        request.m_pHistory = c.m_bHistory ? &history : nullptr;
        int result = Run(request, [&](EventDialog& dialog) {
            if (c.m_pszTyped)
            {
                Type(dialog, kIdEventName, c.m_pszTyped);
            }
            Click(dialog, kIdDialogOk);
        });
        EXPECT_EQ(result, 1);
        if (c.m_pszTyped)
        {
            EXPECT_EQ(c.m_pEvent->m_strName, c.m_pszTyped);
        }
        else
        {
            EXPECT_EQ(HexBytes(Image(*c.m_pEvent)), HexBytes(editedBefore));
        }
        ASSERT_EQ(history.UndoLists().Count(), c.m_bHistory ? 1 : 0);
        if (c.m_bHistory)
        {
            const CheckedVector<Event>& snapshot = history.UndoLists().m_Events.back();
            ASSERT_EQ(snapshot.size(), 1u);
            EXPECT_EQ(HexBytes(Image(snapshot.At(0))), HexBytes(stageEventBefore));
        }
    }
}

TEST_F(EventDialogTest, TheStartEventOffersOnlyItsActionsAndOkWritesItsFile)
{
    UseRunner([](EventDialog& dialog) {
        dialog.ActionList().Working().At(dialog.ActionList().GetDataPos()) = MakeCommand(11, {1000});
        return 1;
    });
    std::filesystem::create_directories(m_Folder.Path() / "data" / "database");
    StartEvent = EventWith({PageWith({MakeCommand(2, {10})})}, "");
    StageEditState history;
    EventEditRequest request;
    request.m_pEvent = &StartEvent;
    request.m_nMode = kEventEditStart;
    request.m_pHistory = &history;
    const int ids[] = {kIdPageList,        kIdPageInsert,           kIdPageDelete,         kIdEventName,
                       kIdEventHeld,       kIdPageGraphic,          kIdPageGraphicPreview, kIdPageTurn,
                       kIdPageTurnSpin,    kIdPageUseEventVar,      kIdPageEventVarValue,  kIdPageEventVarCompare,
                       kIdPageVariable,    kIdPageRenameVariable,   kIdPageVariableValue,  kIdPageVariableCompare,
                       kIdPageFirstTryOnly, kIdPageTiming,          kIdPageCommandName,    kIdPageArea,
                       kIdPageTarget,      kIdPageExists,           kIdPageGroup,          kIdActionList,
                       kIdActionInsert,    kIdActionEdit,           kIdActionDelete,       kIdDialogOk,
                       kIdDialogCancel};
    const std::vector<int> enabled = {kIdActionList, kIdActionInsert, kIdActionEdit, kIdActionDelete, kIdDialogOk,
                                      kIdDialogCancel};
    int result = Run(request, [&](EventDialog& dialog) {
        std::vector<int> shown;
        for (int id : ids)
        {
            if (IsEnabled(dialog, id))
            {
                shown.push_back(id);
            }
        }
        EXPECT_EQ(shown, enabled);
        Click(dialog, kIdActionInsert);
        EXPECT_EQ(RowsOf(dialog, kIdActionList), (Rows{"お金の操作 : +1000", "ウエイト : 10", kTrailer}));
        Choose(dialog, kIdPageTiming, 3); // no rule enables anything in this mode
        EXPECT_FALSE(IsEnabled(dialog, kIdPageCommandName));
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(StartEvent.m_Page.At(0).m_Action.size(), 2u);
    EXPECT_EQ(history.UndoLists().Count(), 0);
    std::vector<unsigned char> file = m_Folder.ReadFile("data/database/StartEvent.dat");
    ASSERT_GE(file.size(), 4u);
    EXPECT_EQ(HexBytes({file.begin(), file.begin() + 4}), "14 01 00 00");
    Event loaded;
    ASSERT_EQ(LoadRecordFile(loaded, "data\\database\\StartEvent.dat", 0), 1);
    EXPECT_EQ(HexBytes(Image(loaded)), HexBytes(Image(StartEvent)));
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(EventDialogTest, AStartEventFileThatCannotBeWrittenIsReportedByName)
{
    // A folder stands where the file is to go.
    std::filesystem::create_directories(m_Folder.Path() / "data" / "database" / "StartEvent.dat");
    EventEditRequest request;
    request.m_pEvent = &StartEvent;
    request.m_nMode = kEventEditStart;
    int result = Run(request, [&](EventDialog& dialog) { Click(dialog, kIdDialogOk); });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strCaption, "エラー");
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strText.rfind("data\\database\\StartEvent.dat が書き込めません！", 0), 0u)
        << m_Boxes.Boxes()[0].m_strText;
}

TEST_F(EventDialogTest, PageRowsAreNumberedByTheCountAndTheListKeepsItsLimits)
{
    Event twelve = EventWith({});
    for (int i = 0; i < 12; ++i)
    {
        twelve.m_Page.push_back(PageWith({}, i));
    }
    Run(twelve, [&](EventDialog& dialog) {
        Rows rows = RowsOf(dialog, kIdPageList);
        ASSERT_EQ(rows.size(), 13u);
        EXPECT_EQ(rows[0], "01 ｱｸｼｮﾝ×0");
        EXPECT_EQ(rows[8], "09 ｱｸｼｮﾝ×0");
        EXPECT_EQ(rows[11], "12 ｱｸｼｮﾝ×0");
        EXPECT_EQ(rows[12], kTrailer);
        Click(dialog, kIdDialogCancel);
    });

    Event full = EventWith({});
    full.m_Page.resize(kMaxEventPages);
    Run(full, [&](EventDialog& dialog) {
        ListCommand(dialog, kIdPageList, 40031); // copy
        EXPECT_EQ(m_Beeps.Count(), 0);
        ListCommand(dialog, kIdPageList, 40032); // paste
        EXPECT_EQ(m_Beeps.Count(), 1);
        Click(dialog, kIdPageInsert);
        EXPECT_EQ(m_Beeps.Count(), 2);
        EXPECT_EQ(dialog.WorkingPages().size(), 99u);
        Click(dialog, kIdDialogCancel);
    });

    m_Beeps.Clear();
    Event one = EventWith({PageWith({MakeCommand(2, {5}), MakeCommand(17)}, 3)});
    const EventPage original = one.m_Page.At(0);
    int result = Run(one, [&](EventDialog& dialog) {
        ListCommand(dialog, kIdPageList, 40030); // cut: copied, then the delete is refused
        EXPECT_EQ(m_Beeps.Count(), 1);
        EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×2", kTrailer}));
        ListCommand(dialog, kIdPageList, 40025); // paste from the pop-up
        EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×2", "2 ｱｸｼｮﾝ×2", kTrailer}));
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(one.m_Page.size(), 2u);
    EXPECT_EQ(HexBytes(Image(one)), HexBytes(Image(EventWith({original, original}))));
}

TEST_F(EventDialogTest, TheThousandthActionIsRefused)
{
    int runs = 0;
    UseRunner([&](EventDialog&) { return ++runs, 1; });
    Event event = EventWith({PageWith({})});
    event.m_Page.At(0).m_Action.resize(kMaxPageActions, MakeCommand(16));
    Run(event, [&](EventDialog& dialog) {
        Click(dialog, kIdActionInsert);
        EXPECT_EQ(m_Beeps.Count(), 1);
        ListCommand(dialog, kIdActionList, kIdActionInsertKey);
        EXPECT_EQ(m_Beeps.Count(), 2);
        ListCommand(dialog, kIdActionList, 40035); // copy
        ListCommand(dialog, kIdActionList, 40038); // paste
        EXPECT_EQ(m_Beeps.Count(), 3);
        EXPECT_EQ(dialog.CurrentPage().m_Action.size(), 999u);
        EXPECT_EQ(RowsOf(dialog, kIdPageList)[0], "1 ｱｸｼｮﾝ×999");
        Click(dialog, kIdDialogCancel);
    });
    EXPECT_EQ(runs, 0);
}

TEST_F(EventDialogTest, ActionsAreInsertedEditedAndDeletedThroughTheActionKindDialog)
{
    struct Seen
    {
        int m_nInserting;
        int m_nRow;
    };
    std::vector<Seen> seen;
    int answer = 1;
    UseRunner([&](EventDialog& dialog) {
        seen.push_back({dialog.IsInsertingAction(), dialog.ActionList().GetDataPos()});
        if (answer)
        {
            EventCommand& action = dialog.ActionList().Working().At(dialog.ActionList().GetDataPos());
            action = action.m_nCode == 0 ? MakeCommand(2, {30}) : MakeCommand(11, {7});
        }
        return answer;
    });
    Event event = EventWith({PageWith({MakeCommand(2, {10}), MakeCommand(11, {500})}), PageWith({})});
    int result = Run(event, [&](EventDialog& dialog) {
        Pick(dialog, kIdActionList, 1);
        Click(dialog, kIdActionInsert);
        EXPECT_EQ(RowsOf(dialog, kIdActionList),
                  (Rows{"ウエイト : 10", "ウエイト : 30", "お金の操作 : +500", kTrailer}));
        EXPECT_EQ(SelectionOf(dialog, kIdActionList), 1);
        EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×3", "2 ｱｸｼｮﾝ×0", kTrailer}));

        answer = 0; // the action-kind dialog cancelled: the inserted action goes again
        Pick(dialog, kIdActionList, 3);
        ListCommand(dialog, kIdActionList, kIdActionInsertMenu);
        EXPECT_EQ(RowsOf(dialog, kIdActionList),
                  (Rows{"ウエイト : 10", "ウエイト : 30", "お金の操作 : +500", kTrailer}));

        answer = 1;
        platform::ModelOf<platform::ListBoxModel>(Item(dialog, kIdActionList))->UserDoubleClick(2);
        EXPECT_EQ(RowsOf(dialog, kIdActionList)[2], "お金の操作 : +7");
        Pick(dialog, kIdActionList, 0);
        Click(dialog, kIdActionDelete);
        EXPECT_EQ(RowsOf(dialog, kIdActionList), (Rows{"ウエイト : 30", "お金の操作 : +7", kTrailer}));
        EXPECT_EQ(RowsOf(dialog, kIdPageList)[0], "1 ｱｸｼｮﾝ×2");
        Pick(dialog, kIdActionList, 2); // the trailing row: nothing to edit or delete
        Click(dialog, kIdActionEdit);
        Click(dialog, kIdActionDelete);
        EXPECT_EQ(RowsOf(dialog, kIdActionList).size(), 3u);

        Pick(dialog, kIdPageList, 1); // the other page shows its own actions
        EXPECT_EQ(RowsOf(dialog, kIdActionList), (Rows{kTrailer}));
        Click(dialog, kIdActionDelete);
        Click(dialog, kIdActionInsert);
        EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×2", "2 ｱｸｼｮﾝ×1", kTrailer}));
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(m_Beeps.Count(), 0);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].m_nInserting, 1);
    EXPECT_EQ(seen[0].m_nRow, 1);
    EXPECT_EQ(seen[1].m_nInserting, 1);
    EXPECT_EQ(seen[1].m_nRow, 3);
    EXPECT_EQ(seen[2].m_nInserting, 0);
    EXPECT_EQ(seen[2].m_nRow, 2);
    EXPECT_EQ(HexBytes(Image(event)),
              HexBytes(Image(EventWith({PageWith({MakeCommand(2, {30}), MakeCommand(11, {7})}),
                                        PageWith({MakeCommand(2, {30})})}))));
}

TEST_F(EventDialogTest, WithoutTheActionKindDialogAnInsertedActionIsTakenOutAgain)
{
    Event event = EventWith({PageWith({MakeCommand(2, {10})})});
    const std::vector<unsigned char> before = Image(event);
    int result = Run(event, [&](EventDialog& dialog) {
        Click(dialog, kIdActionInsert);
        Click(dialog, kIdActionEdit);
        EXPECT_EQ(RowsOf(dialog, kIdActionList), (Rows{"ウエイト : 10", kTrailer}));
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(HexBytes(Image(event)), HexBytes(before));
}

TEST_F(EventDialogTest, AChosenPageIsShownAndItsEditsStayWithIt)
{
    Event event = EventWith({PageWith({}, 1), PageWith({MakeCommand(16)}, 2)});
    event.m_Page.At(1).m_nArea = 3;
    int result = Run(event, [&](EventDialog& dialog) {
        Pick(dialog, kIdPageList, 1);
        EXPECT_EQ(TextOf(dialog, kIdPageTurn), "2");
        EXPECT_EQ(SelectionOf(dialog, kIdPageArea), 3);
        EXPECT_TRUE(IsEnabled(dialog, kIdPageGroup));
        EXPECT_EQ(RowsOf(dialog, kIdActionList), (Rows{"ステージクリア", kTrailer}));
        Type(dialog, kIdPageTurn, "5");
        Pick(dialog, kIdPageList, 0);
        EXPECT_EQ(TextOf(dialog, kIdPageTurn), "1");
        EXPECT_FALSE(IsEnabled(dialog, kIdPageGroup));
        Pick(dialog, kIdPageList, 2); // the trailing row keeps the page shown
        EXPECT_EQ(TextOf(dialog, kIdPageTurn), "1");
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(event.m_Page.At(0).m_nTurn, 1);
    EXPECT_EQ(event.m_Page.At(1).m_nTurn, 5);
    EXPECT_EQ(event.m_Page.At(1).m_Action.size(), 1u);
}

TEST_F(EventDialogTest, WithTheTrailingPageRowSelectedNothingOfAPageTakesInput)
{
    const int pageIds[] = {kIdPageGraphic,        kIdPageTurn,         kIdPageUseEventVar, kIdPageVariable,
                           kIdPageRenameVariable, kIdPageFirstTryOnly, kIdPageTiming,      kIdPageArea,
                           kIdActionList,         kIdActionInsert,     kIdActionEdit,      kIdActionDelete};
    auto enabledOf = [&](EventDialog& dialog)
    {
        std::vector<int> enabled;
        for (int id : pageIds)
        {
            enabled.push_back(IsEnabled(dialog, id) ? 1 : 0);
        }
        return enabled;
    };
    const std::vector<int> none(std::size(pageIds), 0);
    const std::vector<int> all(std::size(pageIds), 1);
    int kindRuns = 0;
    UseRunner(
        [&](EventDialog& dialog)
        {
            ++kindRuns;
            dialog.ActionList().Working().At(dialog.ActionList().GetDataPos()) = MakeCommand(11, {1000});
            return 1;
        });
    Event event = EventWith({PageWith({}, 1), PageWith({MakeCommand(2, {10})}, 2)});
    int result = Run(event,
                     [&](EventDialog& dialog)
                     {
                         EXPECT_EQ(enabledOf(dialog), all);
                         Pick(dialog, kIdPageList, 2);
                         EXPECT_EQ(enabledOf(dialog), none);
                         // The event's own fields and the page buttons stay.
                         EXPECT_TRUE(IsEnabled(dialog, kIdEventName));
                         EXPECT_TRUE(IsEnabled(dialog, kIdEventHeld));
                         EXPECT_TRUE(IsEnabled(dialog, kIdPageInsert));
                         Type(dialog, kIdEventName, "扉");
                         // An action command that reaches the dialog all the same opens nothing.
                         m_System.SendMessage(dialog.Handle(), platform::kWmCommand,
                                              platform::MakeWParam(kIdActionInsert, 0), 0);
                         EXPECT_EQ(kindRuns, 0);

                         Pick(dialog, kIdPageList, 1);
                         EXPECT_EQ(enabledOf(dialog), all);
                         Type(dialog, kIdPageTurn, "5");
                         Click(dialog, kIdDialogOk);
                     });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(event.m_strName, "扉");
    ASSERT_EQ(event.m_Page.size(), 2u);
    EXPECT_EQ(event.m_Page.At(0).m_Action.size(), 0u);
    EXPECT_EQ(event.m_Page.At(1).m_nTurn, 5);
    EXPECT_EQ(event.m_Page.At(1).m_Action.size(), 1u);
}

TEST_F(EventDialogTest, AStartEventWithoutAPageIsGivenItsOnePageToEdit)
{
    UseRunner(
        [](EventDialog& dialog)
        {
            dialog.ActionList().Working().At(dialog.ActionList().GetDataPos()) = MakeCommand(11, {1000});
            return 1;
        });
    std::filesystem::create_directories(m_Folder.Path() / "data" / "database");
    StartEvent = EventWith({}, "");
    ASSERT_TRUE(StartEvent.m_Page.empty());
    EventEditRequest request;
    request.m_pEvent = &StartEvent;
    request.m_nMode = kEventEditStart;
    int result = Run(request,
                     [&](EventDialog& dialog)
                     {
                         EXPECT_EQ(RowsOf(dialog, kIdPageList), (Rows{"1 ｱｸｼｮﾝ×0", kTrailer}));
                         EXPECT_EQ(SelectionOf(dialog, kIdPageList), 0);
                         Click(dialog, kIdActionInsert);
                         EXPECT_EQ(RowsOf(dialog, kIdActionList), (Rows{"お金の操作 : +1000", kTrailer}));
                         Click(dialog, kIdDialogOk);
                     });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(StartEvent.m_Page.size(), 1u);
    ASSERT_EQ(StartEvent.m_Page.At(0).m_Action.size(), 1u);
    EXPECT_EQ(StartEvent.m_Page.At(0).m_Action.At(0).m_nCode, 11);
    Event loaded;
    ASSERT_EQ(LoadRecordFile(loaded, "data\\database\\StartEvent.dat", 0), 1);
    EXPECT_EQ(HexBytes(Image(loaded)), HexBytes(Image(StartEvent)));
}

TEST_F(EventDialogTest, AValueWithoutARowInItsListSurvivesTheEditsOfItsPage)
{
    Event event = EventWith({PageWith({}, 1)});
    EventPage& page = event.m_Page.At(0);
    page.m_nGraphic = 40;        // no graphics at all
    page.m_nVariable = 9;        // beyond the variable names
    page.m_nVariableCompare = 8; // beyond the comparisons
    page.m_nGroup = 0;           // group 0 is never listed
    int result = Run(event, [&](EventDialog& dialog) {
        EXPECT_EQ(SelectionOf(dialog, kIdPageGraphic), -1);
        EXPECT_EQ(SelectionOf(dialog, kIdPageVariable), -1);
        Type(dialog, kIdPageTurn, "6");
        Click(dialog, kIdPageFirstTryOnly);
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(page.m_nTurn, 6);
    EXPECT_EQ(page.m_bFirstTryOnly, 1);
    EXPECT_EQ(page.m_nGraphic, 40);
    EXPECT_EQ(page.m_nVariable, 9);
    EXPECT_EQ(page.m_nVariableCompare, 8);
    EXPECT_EQ(page.m_nGroup, 0);
}

TEST_F(EventDialogTest, AVariableIsRenamedAtOnceAndOnlyARealVariableCanBe)
{
    Event event = EventWith({PageWith({}), PageWith({})});
    event.m_Page.At(1).m_nVariable = 9; // beyond the names: no row chosen
    int result = Run(event, [&](EventDialog& dialog) {
        EXPECT_EQ(dialog.VariableNames(), (Rows{"変数条件なし", "001 勝利数", "002 ボス撃破", "003 鍵"}));
        Click(dialog, kIdPageRenameVariable); // entry 0
        Pick(dialog, kIdPageList, 1);
        EXPECT_EQ(SelectionOf(dialog, kIdPageVariable), -1);
        Click(dialog, kIdPageRenameVariable); // no variable chosen
        EXPECT_EQ(m_Beeps.Count(), 2);
        EXPECT_EQ(m_Runs.Runs().size(), 1u);

        Pick(dialog, kIdPageList, 0);
        Choose(dialog, kIdPageVariable, 2);
        m_Runs.Answer([&](DialogBase& input) {
            EXPECT_EQ(TextOf(input, 1077), "ボス撃破");
            Type(input, 1077, "魔王撃破");
            Click(input, kIdDialogOk);
        });
        Click(dialog, kIdPageRenameVariable);
        ASSERT_EQ(m_Runs.Runs().size(), 2u);
        EXPECT_EQ(m_Runs.Runs()[1].m_strTitle, "変数名の入力");
        EXPECT_EQ(RowsOf(dialog, kIdPageVariable)[2], "002 魔王撃破");
        EXPECT_EQ(SelectionOf(dialog, kIdPageVariable), 2);
        Click(dialog, kIdDialogCancel);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(GValInfo.At(2).m_str, "魔王撃破");
}

TEST_F(EventDialogTest, TheGraphicListAndPreviewComeFromTheEventBitmap)
{
    DibBitmap graphics;
    ASSERT_TRUE(graphics.Create(128, 15 * 32, 24, 0));
    graphics.SetPixel(64 + 5, 32 + 7, 0x123456); // graphic 16: the second column's second cell
    graphics.SetPixel(5, 7, 0x654321);           // graphic 0
    Event event = EventWith({PageWith({})});
    event.m_Page.At(0).m_nGraphic = 16;
    EventEditRequest request;
    request.m_pEvent = &event;
    request.m_pEventBitmap = &graphics;
    int result = Run(request, [&](EventDialog& dialog) {
        ASSERT_EQ(dialog.GraphicNames().size(), 30u);
        EXPECT_EQ(dialog.GraphicNames().front(), "1");
        EXPECT_EQ(dialog.GraphicNames().back(), "30");
        EXPECT_EQ(SelectionOf(dialog, kIdPageGraphic), 16);
        EXPECT_EQ(TextOf(dialog, kIdPageGraphic), "17");
        m_System.SendMessage(dialog.Handle(), platform::kWmPaint, 0, 0);
        const DibBitmap& shown = dialog.Preview().Canvas();
        ASSERT_NE(graphics.PixelRgb(64 + 5, 32 + 7), graphics.PixelRgb(5, 7));
        EXPECT_EQ(shown.Width(), 32);
        EXPECT_EQ(shown.PixelRgb(5, 7), graphics.PixelRgb(64 + 5, 32 + 7));
        Choose(dialog, kIdPageGraphic, 0);
        EXPECT_EQ(shown.PixelRgb(5, 7), graphics.PixelRgb(5, 7));
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(event.m_Page.At(0).m_nGraphic, 0);
}

TEST_F(EventDialogTest, TheGroupListLeavesOutGroupZeroAndARightClickPicksAPage)
{
    Stage.m_GroupPos.resize(3);
    Stage.m_GroupPos.At(1).m_strName = "北";
    Stage.m_GroupPos.At(2).m_strName = "南";
    Event event = EventWith({PageWith({}, 1), PageWith({}, 2)});
    event.m_Page.At(1).m_nGroup = 2;
    Run(event, [&](EventDialog& dialog) {
        EXPECT_EQ(dialog.GroupNames(), (Rows{"北", "南"}));
        EXPECT_EQ(SelectionOf(dialog, kIdPageGroup), -1); // group 0 has no row
        platform::Rect list = m_System.Resolve(Item(dialog, kIdPageList))->ScreenRect();
        m_System.SetCursorPos({list.m_nLeft + 10, list.m_nTop + 2 + 12 + 3});
        m_System.SetPopupChoice(0);
        m_System.SendMessage(dialog.Handle(), platform::kWmRButtonUp, 0, 0);
        auto* window = static_cast<platform::DummyWindow*>(dialog.Native());
        ASSERT_NE(window->LastPopupMenu(), nullptr);
        EXPECT_EQ(window->LastPopupMenu()->m_Items[4].m_nCommand, 40070);
        EXPECT_EQ(SelectionOf(dialog, kIdPageList), 1);
        EXPECT_EQ(TextOf(dialog, kIdPageTurn), "2");
        EXPECT_EQ(SelectionOf(dialog, kIdPageGroup), 1);
        EXPECT_EQ(m_System.Focus(), Item(dialog, kIdPageList));
        Click(dialog, kIdDialogCancel);
    });
}

} // namespace
