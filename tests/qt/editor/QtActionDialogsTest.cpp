// The action-kind dialog and the dialogs of the actions on real Qt widgets,
// offscreen, opened from the event dialog as the author opens them: a new
// action through the insert button and the chooser, an existing one through
// the edit button, straight to its kind's dialog.
#include "common/data/DataStream.h"
#include "editor/event/ActionKindDialog.h"
#include "editor/event/AmountActionDialogs.h"
#include "editor/event/BasicActionDialogs.h"
#include "editor/event/EventDialog.h"
#include "editor/event/MapActionDialogs.h"
#include "editor/event/SceneActionDialogs.h"
#include "editor/event/ShopActionDialog.h"
#include "editor/event/StatusActionDialog.h"
#include "common/sound/BgmManager.h"
#include "platform/core/FatalHooks.h"
#include "platform/qt/QtButtons.h"
#include "platform/window/Beep.h"
#include "platform/window/DialogNavigation.h"
#include "tests/editor/event/EventTestProject.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include "TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <functional>

namespace
{

using Script = std::function<void(DialogBase&)>;
using Ints = std::vector<int32_t>;

std::vector<unsigned char> Image(const Event& event)
{
    Event copy = event;
    DataWriter out;
    copy.Save(out);
    return out.Bytes();
}

Event EventWith(std::initializer_list<EventCommand> actions)
{
    Event event;
    event.m_Page.At(0).m_Action.assign(actions.begin(), actions.end());
    return event;
}

int ButtonOf(int code)
{
    return kIdFirstKindButton + code - 1;
}

// An event bitmap 256 pixels wide: every pixel has a value of its own place,
// and the first pixel of every cell is transparent.
void MakeEventBitmap(DibBitmap& bitmap)
{
    ASSERT_EQ(bitmap.Create(256, 480, 8, 1), 1);
    for (int y = 0; y < bitmap.Height(); ++y)
    {
        for (int x = 0; x < bitmap.Width(); ++x)
        {
            bitmap.Bits()[y * bitmap.Stride() + x] = static_cast<uint8_t>(1 + (x * 7 + y * 3) % 250);
            bitmap.MaskBits()[y * bitmap.Stride() + x] = x % 64 == 0 && y % 32 == 0 ? 0xFF : 0;
        }
    }
}

class QtActionDialogsTest : public QtEditorTest
{
protected:
    void SetUp() override
    {
        QtEditorTest::SetUp();
        ResetProjectData();
        FillEventTestTables();
        for (const char* name : {"仲間", "所持金"})
        {
            GValInfo.emplace_back().m_str = name;
        }
        Stage.m_GroupPos.resize(3);
        Stage.m_GroupPos.At(1).m_strName = "北";
        Stage.m_GroupPos.At(2).m_strName = "南";
        MakeEventBitmap(m_EventBitmap);
        platform::SetDestroyMainWindowHook([this] { ++m_nMainWindowDestroyed; });
    }
    void TearDown() override
    {
        platform::SetDestroyMainWindowHook(nullptr);
        platform::ClearFatalError();
        ResetProjectData();
        QtEditorTest::TearDown();
    }

    // Runs the event dialog on the event; each script is the author in one
    // dialog, in the order the dialogs open (the event dialog first).
    int RunEvent(Event& event, std::vector<Script> scripts, int32_t mode = kEventEditStage)
    {
        ScriptedModalRuns runs;
        for (Script& script : scripts)
        {
            runs.Answer(std::move(script));
        }
        EventEditRequest request;
        request.m_pEvent = &event;
        request.m_nMode = mode;
        request.m_pEventBitmap = m_pEventBitmap;
        int result = RunEventDialog(nullptr, &m_App, request);
        m_Runs = runs.Runs();
        return result;
    }
    // A new action of the code through the chooser, the kind's dialog played
    // by the script (none for a kind without a dialog); then the event dialog's
    // OK or Cancel. The event's actions afterwards.
    EventCommand AddAction(int code, const Script& kind, int eventButton = kIdDialogOk)
    {
        Event event = EventWith({});
        std::vector<Script> scripts = {
            [&](DialogBase& dialog) {
                Click(dialog, kIdActionInsert);
                Click(dialog, eventButton);
            },
            [&](DialogBase& chooser) { Click(chooser, ButtonOf(code)); },
        };
        if (kind)
        {
            scripts.push_back(kind);
        }
        RunEvent(event, scripts);
        m_nActionsAfter = event.m_Page.At(0).m_Action.Count();
        return m_nActionsAfter > 0 ? event.m_Page.At(0).m_Action.At(0) : EventCommand();
    }
    // Edits the event's first action: its kind's dialog opens at once.
    int EditFirstAction(Event& event, const Script& kind)
    {
        return RunEvent(event, {[&](DialogBase& dialog) {
                                    Click(dialog, kIdActionEdit);
                                    Click(dialog, kIdDialogOk);
                                },
                                kind});
    }

public:
    void Click(const DialogBase& dialog, int id)
    {
        auto* button = qobject_cast<QPushButton*>(Widget(dialog, id));
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QAbstractButton* Box(const DialogBase& dialog, int id)
    {
        auto* box = dynamic_cast<platform::QtCheckButton*>(Widget(dialog, id));
        return box ? box->Button() : nullptr;
    }
    void ClickBox(const DialogBase& dialog, int id)
    {
        QAbstractButton* box = Box(dialog, id);
        ASSERT_NE(box, nullptr) << id;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    }
    bool IsChecked(const DialogBase& dialog, int id)
    {
        QAbstractButton* box = Box(dialog, id);
        return box && box->isChecked();
    }
    QLineEdit* Line(const DialogBase& dialog, int id) { return qobject_cast<QLineEdit*>(Widget(dialog, id)); }
    QComboBox* Combo(const DialogBase& dialog, int id) { return qobject_cast<QComboBox*>(Widget(dialog, id)); }
    bool IsEnabled(const DialogBase& dialog, int id) { return Widget(dialog, id)->isEnabled(); }
    // Ctrl+A in the field, then the text typed key by key.
    void Retype(const DialogBase& dialog, int id, const QString& text)
    {
        QWidget* field = Widget(dialog, id);
        m_System.SetFocus(Item(dialog, id));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        TypeKeys(field, text);
    }
    QStringList Items(const DialogBase& dialog, int id)
    {
        QStringList items;
        QComboBox* box = Combo(dialog, id);
        for (int i = 0; box && i < box->count(); ++i)
        {
            items << box->itemText(i);
        }
        return items;
    }

protected:
    TempFolder m_Folder;
    platform::BeepRecorder m_Beeps;
    std::vector<ScriptedModalRuns::RunRecord> m_Runs;
    DibBitmap m_EventBitmap;
    const DibBitmap* m_pEventBitmap = &m_EventBitmap;
    int m_nActionsAfter = 0;
    int m_nMainWindowDestroyed = 0;
};

QString Q(const char* cp932)
{
    return platform::FromCp932(cp932);
}

// ---- the chooser ----

TEST_F(QtActionDialogsTest, TheChooserNamesEveryKindAndTheStartEventOffersSixOfThem)
{
    for (int32_t mode : {kEventEditStage, kEventEditStart})
    {
        SCOPED_TRACE(mode);
        Event event = EventWith({MakeCommand(2, {30})});
        const std::vector<unsigned char> before = Image(event);
        std::vector<int> enabled;
        int result = RunEvent(event,
                              {[&](DialogBase& dialog) {
                                   Click(dialog, kIdActionInsert);
                                   auto* actions = qobject_cast<QListWidget*>(Widget(dialog, kIdActionList));
                                   EXPECT_EQ(actions->count(), 2); // the wait and the trailing row
                                   Click(dialog, kIdDialogCancel);
                               },
                               [&](DialogBase& chooser) {
                                   for (int code = 1; code < kEventCommandCount; ++code)
                                   {
                                       auto* button = qobject_cast<QPushButton*>(Widget(chooser, ButtonOf(code)));
                                       ASSERT_NE(button, nullptr);
                                       EXPECT_EQ(button->text(), Q(EventCommandTable[code].m_pName));
                                       if (button->isEnabled())
                                       {
                                           enabled.push_back(code);
                                       }
                                   }
                                   m_System.SendMessage(chooser.Handle(), platform::kWmClose, 0, 0);
                               }},
                              mode);
        EXPECT_EQ(result, 0);
        ASSERT_EQ(m_Runs.size(), 2u);
        EXPECT_EQ(m_Runs[1].m_nDialogId, kIdActionKindDialog);
        EXPECT_EQ(m_Runs[1].m_strTitle, "イベントのアクション");
        EXPECT_EQ(m_Runs[1].m_nResult, 0);
        if (mode == kEventEditStart)
        {
            EXPECT_EQ(enabled, (std::vector<int>{6, 9, 11, 12, 14, 15}));
        }
        else
        {
            EXPECT_EQ(enabled.size(), 17u);
        }
        EXPECT_EQ(HexBytes(Image(event)), HexBytes(before));
    }
}

TEST_F(QtActionDialogsTest, AnExistingActionGoesStraightToItsKindsDialogOrEndsAtOnceWithoutOne)
{
    for (int code : {16, 17})
    {
        Event event = EventWith({MakeCommand(code)});
        const std::vector<unsigned char> before = Image(event);
        std::vector<Script> scripts = {[&](DialogBase& dialog) {
            Click(dialog, kIdActionEdit);
            Click(dialog, kIdDialogOk);
        }};
        EXPECT_EQ(RunEvent(event, scripts), 1);
        ASSERT_EQ(m_Runs.size(), 1u); // no chooser was shown
        EXPECT_EQ(HexBytes(Image(event)), HexBytes(before));
    }

    // A wait in the start event, where a new wait cannot be chosen, still opens the wait's dialog.
    Event start = EventWith({MakeCommand(2, {30})});
    RunEvent(start,
             {[&](DialogBase& dialog) {
                  Click(dialog, kIdActionEdit);
                  Click(dialog, kIdDialogCancel);
              },
              [&](DialogBase& wait) {
                  EXPECT_EQ(Line(wait, kIdWaitFrames)->text(), "30");
                  Retype(wait, kIdWaitFrames, "45");
                  Click(wait, kIdDialogOk);
              }},
             kEventEditStart);
    ASSERT_EQ(m_Runs.size(), 2u);
    EXPECT_EQ(m_Runs[1].m_nDialogId, kIdWaitActionDialog);
    EXPECT_EQ(m_Runs[1].m_strTitle, "ウエイト");
    EXPECT_EQ(m_Runs[1].m_nResult, 1);
}

// The first click selects the row and refills the list; the second click of
// the same double-click still finds its row, so the action opens at once.
TEST_F(QtActionDialogsTest, ADoubleClickOnARowNotYetSelectedOpensItsActionsDialog)
{
    Event event = EventWith({MakeCommand(2, {30}), MakeCommand(11, {500}), MakeCommand(2, {60})});
    int opened = 0;
    RunEvent(event, {[&](DialogBase& dialog) {
                         auto* actions = qobject_cast<QListWidget*>(Widget(dialog, kIdActionList));
                         ASSERT_NE(actions, nullptr);
                         ASSERT_EQ(actions->currentRow(), 0);
                         QListWidgetItem* money = actions->item(1);
                         int top = actions->verticalScrollBar()->value();
                         // Press, release, press, release, as the window system delivers a double-click.
                         QWidget* window = actions->window();
                         QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                                            actions->viewport()->mapTo(window, actions->visualItemRect(money).center()));
                         // The refill gave the same rows: the list kept its items, selection and scroll.
                         EXPECT_EQ(actions->item(1), money);
                         EXPECT_EQ(actions->currentRow(), 1);
                         EXPECT_EQ(actions->verticalScrollBar()->value(), top);
                         Click(dialog, kIdDialogCancel);
                     },
                     [&](DialogBase& money) {
                         ++opened;
                         EXPECT_EQ(Line(money, kIdMoneyAmount)->text(), "500");
                     }});
    ASSERT_EQ(m_Runs.size(), 2u);
    EXPECT_EQ(m_Runs[1].m_nDialogId, kIdMoneyOperationDialog);
    EXPECT_EQ(opened, 1);
}

TEST_F(QtActionDialogsTest, CancelInTheKindsDialogPutsAnExistingActionBackAsItWas)
{
    // The action cancelled, then a stage clear inserted before it, which writes the page back.
    auto cancelThenInsert = [&](Event& event, std::vector<Script> cancelled) -> EventCommand {
        std::vector<Script> scripts = {[&](DialogBase& dialog) {
            Click(dialog, kIdActionEdit);
            Click(dialog, kIdActionInsert);
            Click(dialog, kIdDialogOk);
        }};
        scripts.insert(scripts.end(), cancelled.begin(), cancelled.end());
        scripts.push_back([&](DialogBase& chooser) { Click(chooser, ButtonOf(kCommandStageClear)); });
        EXPECT_EQ(RunEvent(event, scripts), 1);
        const CheckedVector<EventCommand>& actions = event.m_Page.At(0).m_Action;
        EXPECT_EQ(actions.Count(), 2);
        EXPECT_EQ(actions.At(0).m_nCode, kCommandStageClear);
        return actions.Count() == 2 ? actions.At(1) : EventCommand();
    };

    // An enemy-group action of an older file with one argument: the dialog shows the missing one as 0.
    Event old = EventWith({MakeCommand(4, {7})});
    EventCommand group = cancelThenInsert(old, {[&](DialogBase& dialog) {
        EXPECT_EQ(Line(dialog, kIdEnemyGroupNumber)->text(), "7");
        EXPECT_EQ(Combo(dialog, kIdEnemyGroupSwitch)->currentText(), "OFF");
        Retype(dialog, kIdEnemyGroupNumber, "9");
        Click(dialog, kIdDialogCancel);
    }});
    EXPECT_EQ(group.m_nCode, 4);
    EXPECT_EQ(Ints(group.m_nValParam.begin(), group.m_nValParam.end()), (Ints{7}));

    // An empty action: the chooser shows, the wait is chosen and cancelled: the code goes back to 0.
    Event empty = EventWith({MakeCommand(0)});
    EventCommand none = cancelThenInsert(empty, {[&](DialogBase& chooser) { Click(chooser, ButtonOf(2)); },
                                                 [&](DialogBase& wait) { Click(wait, kIdDialogCancel); }});
    ASSERT_EQ(m_Runs.size(), 4u);
    EXPECT_EQ(m_Runs[2].m_nDialogId, kIdWaitActionDialog);
    EXPECT_EQ(none.m_nCode, 0);
    EXPECT_EQ(none.m_nValParam.Count(), 0);
}

// ---- what a new action stores ----

TEST_F(QtActionDialogsTest, OkWithoutEditsStoresEachKindsDefaultsAndCancelAddsNothing)
{
    const struct
    {
        int m_nCode;
        int m_nDialog; // 0: none
        const char* m_pszTitle;
        Ints m_Ints;
    } cases[] = {
        {1, kIdMessageActionDialog, "メッセージの表示", {}},
        {2, kIdWaitActionDialog, "ウエイト", {60}},
        {3, kIdMapCursorActionDialog, "マップカーソルの移動", {0, 1, 0, 0}},
        {4, kIdEnemyGroupActionDialog, "敵グループの操作", {1, 1}},
        {5, kIdEventVariableActionDialog, "イベント変数の操作", {0, 0}},
        {6, kIdVariableActionDialog, "変数の操作", {0, 0, 0}},
        {7, kIdMapChipActionDialog, "マップチップの変更", {1, -1, 0, 1}},
        {8, kIdGraphicChangeDialog, "イベントのグラフィックを変更", {0}},
        {9, kIdBgmChangeDialog, "BGMの変更", {0}},
        {10, kIdStatusOperationDialog, "ステータスの操作", {1, 1, 0, 1, 0, 0, 0}},
        {11, kIdMoneyOperationDialog, "お金の操作", {0}},
        {12, kIdItemOperationDialog, "持ち物の操作", {1, 0}},
        {13, kIdShopDialog, "お店", {1}},
        {14, kIdCompanionShopDialog, "仲間屋の変更", {1, 0}},
        {15, kIdPartyChangeDialog, "パーティーの変更", {1, 0}},
        {16, 0, "", {}},
        {17, 0, "", {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_nCode);
        Script ok;
        Script cancel;
        if (c.m_nDialog)
        {
            ok = [&](DialogBase& kind) { Click(kind, kIdDialogOk); };
            cancel = [&](DialogBase& kind) { Click(kind, kIdDialogCancel); };
        }
        EventCommand stored = AddAction(c.m_nCode, ok);
        ASSERT_EQ(m_nActionsAfter, 1);
        EXPECT_EQ(stored.m_nCode, c.m_nCode);
        EXPECT_EQ(Ints(stored.m_nValParam.begin(), stored.m_nValParam.end()), c.m_Ints);
        EXPECT_EQ(stored.m_StrParam.Count(), c.m_nCode == 1 || c.m_nCode == 9 ? 1 : 0);
        EXPECT_EQ(stored.m_ShopItem.Count(), 0);
        if (c.m_nDialog)
        {
            ASSERT_EQ(m_Runs.size(), 3u);
            EXPECT_EQ(m_Runs[2].m_nDialogId, c.m_nDialog);
            EXPECT_EQ(m_Runs[2].m_strTitle, c.m_pszTitle);
            AddAction(c.m_nCode, cancel);
            EXPECT_EQ(m_nActionsAfter, 0);
        }
    }
    EXPECT_EQ(m_Beeps.Count(), 0);
}

// ---- ranges ----

TEST_F(QtActionDialogsTest, NumbersAreShownAndStoredWithinTheirRanges)
{
    // Enemy groups stored outside 1 .. 100 by an older file.
    const struct
    {
        Ints m_Stored;
        const char* m_pszShown;
        const char* m_pszSwitch;
        Ints m_Ok;
    } groups[] = {
        {{0, 1}, "1", "ON", {1, 1}},
        {{101, 0}, "100", "OFF", {100, 0}},
    };
    for (const auto& g : groups)
    {
        Event event = EventWith({MakeCommand(4, {g.m_Stored[0], g.m_Stored[1]})});
        EditFirstAction(event, [&](DialogBase& group) {
            EXPECT_EQ(Line(group, kIdEnemyGroupNumber)->text(), g.m_pszShown);
            EXPECT_EQ(Combo(group, kIdEnemyGroupSwitch)->currentText(), g.m_pszSwitch);
            Click(group, kIdDialogOk);
        });
        const CheckedVector<int32_t>& ints = event.m_Page.At(0).m_Action.At(0).m_nValParam;
        EXPECT_EQ(Ints(ints.begin(), ints.end()), g.m_Ok);
    }

    // Typed: the field keeps to its range while the author types.
    const struct
    {
        int m_nCode;
        int m_nField;
        const char* m_pszTyped;
        const char* m_pszShown;
        Ints m_Ok;
    } typed[] = {
        {4, kIdEnemyGroupNumber, "0", "1", {1, 1}},
        {4, kIdEnemyGroupNumber, "101", "100", {100, 1}},
        {2, kIdWaitFrames, "1000", "999", {999}},
        {11, kIdMoneyAmount, "1000000", "999999", {999999}},
        {11, kIdMoneyAmount, "-999999", "-999999", {-999999}},
        {12, kIdCountAmount, "-100", "-99", {1, -99}},
        {15, kIdCountAmount, "99", "99", {1, 99}},
        {5, kIdOperand, "-1000000", "-999999", {0, -999999}},
    };
    for (const auto& t : typed)
    {
        SCOPED_TRACE(t.m_pszTyped);
        EventCommand stored = AddAction(t.m_nCode, [&](DialogBase& kind) {
            Retype(kind, t.m_nField, t.m_pszTyped);
            EXPECT_EQ(Line(kind, t.m_nField)->text(), t.m_pszShown);
            Click(kind, kIdDialogOk);
        });
        EXPECT_EQ(Ints(stored.m_nValParam.begin(), stored.m_nValParam.end()), t.m_Ok);
    }
}

TEST_F(QtActionDialogsTest, AMessageOfFourLinesOfThirtyDoubleByteCharactersIsTakenWholeAndAFifthLineIsRefused)
{
    const char* const characters[] = {"あ", "イ", "漢", "ソ"}; // "ソ" ends in the byte 0x5C
    std::string expected;
    EventCommand stored = AddAction(kCommandMessage, [&](DialogBase& message) {
        auto* edit = qobject_cast<QPlainTextEdit*>(Widget(message, kIdMessageText));
        ASSERT_NE(edit, nullptr);
        m_System.SetFocus(Item(message, kIdMessageText));
        for (int line = 0; line < 4; ++line)
        {
            if (line > 0)
            {
                QTest::keyClick(edit, Qt::Key_Return);
                expected += "\r\n";
            }
            TypeKeys(edit, Q(characters[line]).repeated(30));
            for (int i = 0; i < 30; ++i)
            {
                expected += characters[line];
            }
        }
        EXPECT_EQ(m_Beeps.Count(), 0);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(m_Beeps.Count(), 1);
        TypeKeys(edit, Q("ん"));
        EXPECT_EQ(platform::ToCp932(edit->toPlainText().replace('\n', QStringLiteral("\r\n"))), expected);
        Click(message, kIdDialogOk);
    });
    ASSERT_EQ(stored.m_StrParam.Count(), 1);
    EXPECT_EQ(stored.m_StrParam.At(0).m_str, expected);
    EXPECT_EQ(stored.m_StrParam.At(0).m_str.size(), 4u * 60u + 3u * 2u);
}

TEST_F(QtActionDialogsTest, AMessageLineOfMoreThanThirtyCharactersIsRefusedNotBroken)
{
    const std::string a30(30, 'a');
    EventCommand stored = AddAction(
        kCommandMessage,
        [&](DialogBase& message)
        {
            auto* edit = qobject_cast<QPlainTextEdit*>(Widget(message, kIdMessageText));
            ASSERT_NE(edit, nullptr);
            m_System.SetFocus(Item(message, kIdMessageText));
            TypeKeys(edit, Q("a").repeated(30));
            QTest::keyClick(edit, Qt::Key_Return);
            TypeKeys(edit, Q("b"));
            EXPECT_EQ(m_Beeps.Count(), 0);
            // A 31st character at the end of the first line: refused, not carried to the next.
            QTest::keyClick(edit, Qt::Key_Up);
            QTest::keyClick(edit, Qt::Key_End);
            TypeKeys(edit, Q("X"));
            EXPECT_EQ(m_Beeps.Count(), 1);
            EXPECT_EQ(platform::ToCp932(edit->toPlainText().replace('\n', QStringLiteral("\r\n"))), a30 + "\r\nb");
            Click(message, kIdDialogOk);
        });
    ASSERT_EQ(stored.m_StrParam.Count(), 1);
    EXPECT_EQ(stored.m_StrParam.At(0).m_str, a30 + "\r\nb");
}

// ---- enabling rules ----

TEST_F(QtActionDialogsTest, TheMapCursorAndMapChipDialogsEnableWhatTheirChoiceCallsFor)
{
    EventCommand cursor = AddAction(kCommandMoveCursor, [&](DialogBase& dialog) {
        EXPECT_EQ(Items(dialog, kIdPositionGroup), (QStringList{Q("北"), Q("南")}));
        using States = std::vector<bool>;
        auto states = [&] {
            return States{IsEnabled(dialog, kIdPositionGroup), IsEnabled(dialog, kIdCursorX),
                          IsEnabled(dialog, kIdCursorXSpin), IsEnabled(dialog, kIdCursorY),
                          IsEnabled(dialog, kIdCursorYSpin)};
        };
        EXPECT_EQ(states(), (States{false, false, false, false, false}));
        Combo(dialog, kIdCursorTarget)->setCurrentIndex(2);
        EXPECT_EQ(states(), (States{true, false, false, false, false}));
        Combo(dialog, kIdPositionGroup)->setCurrentIndex(1);
        Combo(dialog, kIdCursorTarget)->setCurrentIndex(3);
        EXPECT_EQ(states(), (States{false, true, true, true, true}));
        Retype(dialog, kIdCursorX, "70"); // whatever the map's size; the data model fits it to the map
        EXPECT_EQ(Line(dialog, kIdCursorX)->text(), "64");
        Retype(dialog, kIdCursorY, "12");
        Combo(dialog, kIdCursorTarget)->setCurrentIndex(1);
        EXPECT_EQ(states(), (States{false, false, false, false, false}));
        Click(dialog, kIdDialogOk);
    });
    // Disabled controls are stored like the others.
    EXPECT_EQ(Ints(cursor.m_nValParam.begin(), cursor.m_nValParam.end()), (Ints{1, 2, 64, 12}));

    EventCommand chip = AddAction(kCommandChangeMapChip, [&](DialogBase& dialog) {
        EXPECT_EQ(Items(dialog, kIdMapChipArea),
                  (QStringList{Q("マップ全範囲内"), Q("このイベントの位置"), Q("位置グループ内")}));
        EXPECT_EQ(Items(dialog, kIdMapChipFrom), (QStringList{Q("全マップチップ"), Q("平地"), Q("森"), Q("山")}));
        EXPECT_EQ(Combo(dialog, kIdMapChipArea)->currentIndex(), 0);
        EXPECT_EQ(Combo(dialog, kIdMapChipFrom)->currentIndex(), 0);
        EXPECT_EQ(Combo(dialog, kIdMapChipTo)->currentText(), Q("平地"));
        EXPECT_EQ(Combo(dialog, kIdPositionGroup)->currentText(), Q("北"));
        EXPECT_FALSE(IsEnabled(dialog, kIdPositionGroup));
        Combo(dialog, kIdMapChipArea)->setCurrentIndex(2);
        EXPECT_TRUE(IsEnabled(dialog, kIdPositionGroup));
        Combo(dialog, kIdPositionGroup)->setCurrentIndex(1);
        Combo(dialog, kIdMapChipFrom)->setCurrentIndex(2);
        Combo(dialog, kIdMapChipTo)->setCurrentIndex(2);
        Combo(dialog, kIdMapChipArea)->setCurrentIndex(1);
        EXPECT_FALSE(IsEnabled(dialog, kIdPositionGroup));
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(Ints(chip.m_nValParam.begin(), chip.m_nValParam.end()), (Ints{2, 1, 2, 2}));
}

TEST_F(QtActionDialogsTest, ItemsAndFriendsAreListedFromRowOneAndAMissingOneStoresZero)
{
    EventCommand item = AddAction(kCommandItems, [&](DialogBase& dialog) {
        EXPECT_EQ(Items(dialog, kIdItemChoice), (QStringList{"A", "B", Q("薬草")}));
        Combo(dialog, kIdItemChoice)->setCurrentIndex(2);
        Retype(dialog, kIdCountAmount, "-3");
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(Ints(item.m_nValParam.begin(), item.m_nValParam.end()), (Ints{3, -3}));

    for (int code : {14, 15})
    {
        SCOPED_TRACE(code);
        Event event = EventWith({MakeCommand(code, {9, 4})}); // friend 9 is gone
        EditFirstAction(event, [&](DialogBase& dialog) {
            EXPECT_EQ(Items(dialog, kIdFriendChoice), (QStringList{Q("アリス"), Q("ボブ")}));
            EXPECT_EQ(Combo(dialog, kIdFriendChoice)->currentIndex(), -1);
            EXPECT_EQ(Line(dialog, kIdCountAmount)->text(), "4");
            Click(dialog, kIdDialogOk);
        });
        const CheckedVector<int32_t>& ints = event.m_Page.At(0).m_Action.At(0).m_nValParam;
        EXPECT_EQ(Ints(ints.begin(), ints.end()), (Ints{0, 4}));
        EXPECT_EQ(m_Runs[1].m_strTitle, code == 14 ? "仲間屋の変更" : "パーティーの変更");
    }
}

// Down and Return in the open list of a combo box choose its row and leave
// the dialog open for the count; Return with no list open is the dialog's OK.
TEST_F(QtActionDialogsTest, DownAndReturnInAnOpenListChooseARowAndTheDialogStaysForTheCount)
{
    bool stayed = false;
    EventCommand added = AddAction(kCommandFriendShop, [&](DialogBase& dialog) {
        // The dialog's keyboard, as its modal loop applies it.
        m_System.SetMessageFilter([&](platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam) {
            return platform::IsDialogMessage(dialog.Handle(), {window, message, wParam, lParam});
        });
        QComboBox* friends = Combo(dialog, kIdFriendChoice);
        ASSERT_NE(friends, nullptr);
        EXPECT_EQ(friends->currentText(), Q("アリス"));
        m_System.SetFocus(Item(dialog, kIdFriendChoice));
        friends->showPopup();
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Down);
        QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Return);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        stayed = !dialog.HasEnded();
        EXPECT_EQ(friends->currentText(), Q("ボブ"));
        Retype(dialog, kIdCountAmount, "2");
        QTest::keyClick(Line(dialog, kIdCountAmount), Qt::Key_Return);
        EXPECT_TRUE(dialog.HasEnded());
        m_System.SetMessageFilter(nullptr);
    });
    EXPECT_TRUE(stayed);
    ASSERT_EQ(m_nActionsAfter, 1);
    EXPECT_EQ(Ints(added.m_nValParam.begin(), added.m_nValParam.end()), (Ints{2, 2}));
}

TEST_F(QtActionDialogsTest, AnEmptyListShowsNoRowAndANewActionStoresTheValueBeforeItsFirst)
{
    // A stage with position group 0 only, and item and friend tables with row 0 only.
    Stage.m_GroupPos.resize(1);
    ItemTable.resize(1);
    FriendTable.resize(1);
    const struct
    {
        int m_nCode;
        int m_nList;
        Ints m_Ok;
    } cases[] = {
        {kCommandMoveCursor, kIdPositionGroup, {0, 0, 0, 0}},
        {kCommandChangeMapChip, kIdPositionGroup, {1, -1, 0, 0}},
        {kCommandItems, kIdItemChoice, {0, 0}},
        {kCommandParty, kIdFriendChoice, {0, 0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_nCode);
        EventCommand stored = AddAction(c.m_nCode, [&](DialogBase& dialog) {
            EXPECT_EQ(Combo(dialog, c.m_nList)->count(), 0);
            Click(dialog, kIdDialogOk);
        });
        EXPECT_EQ(Ints(stored.m_nValParam.begin(), stored.m_nValParam.end()), c.m_Ok);
    }
}

// ---- the variable ----

TEST_F(QtActionDialogsTest, AVariableRenamedInItsActionStaysRenamedAfterEveryCancel)
{
    Event event = EventWith({MakeCommand(6, {5, 1, 3})});
    const std::vector<unsigned char> before = Image(event);
    int result = RunEvent(event, {[&](DialogBase& dialog) {
                                      Click(dialog, kIdActionEdit);
                                      // The page's variable list shows the new name too.
                                      EXPECT_EQ(Combo(dialog, kIdPageVariable)->itemText(5), Q("005 軍資金"));
                                      Click(dialog, kIdDialogCancel);
                                  },
                                  [&](DialogBase& variable) {
                                      QStringList rows = Items(variable, kIdVariable);
                                      ASSERT_EQ(rows.size(), 6);
                                      EXPECT_EQ(rows[0], Q("変数条件なし"));
                                      EXPECT_EQ(rows[1], Q("001 勝利数"));
                                      EXPECT_EQ(Combo(variable, kIdVariable)->currentIndex(), 5);
                                      EXPECT_EQ(Combo(variable, kIdOperator)->currentText(), Q("＋"));
                                      EXPECT_EQ(Line(variable, kIdOperand)->text(), "3");
                                      Click(variable, kIdRenameVariable);
                                      EXPECT_EQ(Items(variable, kIdVariable)[5], Q("005 軍資金"));
                                      EXPECT_EQ(Combo(variable, kIdVariable)->currentIndex(), 5);
                                      Click(variable, kIdDialogCancel);
                                  },
                                  [&](DialogBase& input) {
                                      Retype(input, 1077, Q("軍資金"));
                                      Click(input, kIdDialogOk);
                                  }});
    EXPECT_EQ(result, 0);
    ASSERT_EQ(m_Runs.size(), 3u);
    EXPECT_EQ(m_Runs[2].m_strTitle, "変数名の入力");
    EXPECT_EQ(GValInfo.At(5).m_str, "軍資金");
    EXPECT_EQ(HexBytes(Image(event)), HexBytes(before));
}

TEST_F(QtActionDialogsTest, RenamingNoVariableBeepsAndTheEditorStaysUp)
{
    // Variable 0, and a variable beyond the names (no row chosen).
    for (int32_t variable : {0, 40})
    {
        SCOPED_TRACE(variable);
        m_Beeps.Clear();
        Event event = EventWith({MakeCommand(6, {variable, 0, 0})});
        EditFirstAction(event, [&](DialogBase& dialog) {
            EXPECT_EQ(Combo(dialog, kIdVariable)->currentIndex(), variable == 0 ? 0 : -1);
            Click(dialog, kIdRenameVariable);
            EXPECT_EQ(m_Beeps.Count(), 1);
            Retype(dialog, kIdOperand, "8");
            Click(dialog, kIdDialogCancel);
        });
        EXPECT_EQ(m_Runs.size(), 2u); // no input dialog
        EXPECT_EQ(m_nMainWindowDestroyed, 0);
        EXPECT_EQ(event.m_Page.At(0).m_Action.At(0).m_nValParam.At(0), variable);
    }
}

// ---- the graphic, the music, the status and the shop ----

TEST_F(QtActionDialogsTest, TheGraphicListCountsTheBitmapsCellsAndThePreviewShowsTheChosenOne)
{
    const DibBitmap& graphics = m_EventBitmap;
    // The preview against the bitmap's square at (x, y); the cell's first pixel is transparent.
    auto expectCell = [&](const DibBitmap& canvas, int x, int y) {
        for (int j = 0; j < 32; ++j)
        {
            for (int i = 0; i < 32; ++i)
            {
                const uint32_t expected = i == 0 && j == 0 ? 0u : graphics.Pixel(x + i, y + j);
                ASSERT_EQ(canvas.PixelRgb(i, j), i == 0 && j == 0 ? 0u : graphics.PixelRgb(x + i, y + j))
                    << i << "," << j << " " << expected;
            }
        }
    };
    auto expectBlack = [&](const DibBitmap& canvas) {
        for (int j = 0; j < canvas.Height(); ++j)
        {
            for (int i = 0; i < canvas.Width(); ++i)
            {
                ASSERT_EQ(canvas.PixelRgb(i, j), 0u) << i << "," << j;
            }
        }
    };
    EventCommand stored = AddAction(kCommandChangeGraphic, [&](DialogBase& dialog) {
        QStringList rows = Items(dialog, kIdGraphicChoice);
        ASSERT_EQ(rows.size(), 60);
        EXPECT_EQ(rows.front(), "1");
        EXPECT_EQ(rows.back(), "60");
        EXPECT_EQ(Combo(dialog, kIdGraphicChoice)->currentText(), "1");
        const DibBitmap& canvas = static_cast<GraphicChangeDialog&>(dialog).Preview().Canvas();
        ASSERT_EQ(canvas.Width(), 32);
        ASSERT_EQ(canvas.Height(), 32);
        expectCell(canvas, 0, 0);
        Combo(dialog, kIdGraphicChoice)->setCurrentIndex(15);
        expectCell(canvas, 64, 0);
        Combo(dialog, kIdGraphicChoice)->setCurrentIndex(14);
        expectCell(canvas, 0, 448);
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(Ints(stored.m_nValParam.begin(), stored.m_nValParam.end()), (Ints{14}));

    // A graphic the bitmap does not hold: no row, a black preview, and OK stores -1 as no row does.
    Event event = EventWith({MakeCommand(kCommandChangeGraphic, {60})});
    EditFirstAction(event, [&](DialogBase& dialog) {
        EXPECT_EQ(Combo(dialog, kIdGraphicChoice)->currentIndex(), -1);
        expectBlack(static_cast<GraphicChangeDialog&>(dialog).Preview().Canvas());
        Click(dialog, kIdDialogCancel);
    });
    EXPECT_EQ(event.m_Page.At(0).m_Action.At(0).m_nValParam.At(0), 60);

    // Without the bitmap the list is empty and the preview black.
    m_pEventBitmap = nullptr;
    AddAction(kCommandChangeGraphic, [&](DialogBase& dialog) {
        EXPECT_EQ(Combo(dialog, kIdGraphicChoice)->count(), 0);
        expectBlack(static_cast<GraphicChangeDialog&>(dialog).Preview().Canvas());
        Click(dialog, kIdDialogOk);
    });
}

// Ogg players that play only "bgm\ok.ogg".
class PickyOggPlayer : public OggPlayer
{
public:
    bool Open(std::string_view path) override { return path == "bgm\\ok.ogg"; }
    void Play() override {}
    int Stop() override { return 0; }
    void Close() override {}
    void SetLoopCount(int) override {}
    void Seek(int64_t) override {}
    int64_t Position() const override { return 0; }
};

class PickyOggFactory : public OggPlayerFactory
{
public:
    std::unique_ptr<OggPlayer> CreatePlayer() override { return std::make_unique<PickyOggPlayer>(); }
};

TEST_F(QtActionDialogsTest, TheMusicIsBrowsedAsARelativePathAndPlayedOnlyWhenNamed)
{
    PickyOggFactory players;
    Bgm.SetDevices(&players, nullptr);
    ASSERT_EQ(Bgm.Init(1, {"bgm\\Free.ogg"}, {"bgm\\Free.mid"}, 1), 1);
    m_Folder.WriteFile("bgm/Field.mid", std::string("MThd"));

    EventCommand music = MakeCommand(kCommandMusic, {2});
    music.FitArgumentCounts();
    music.m_StrParam.At(0).m_str = "bgm\\old.mid";
    Event event = EventWith({music});
    const std::vector<unsigned char> before = Image(event);
    EditFirstAction(event, [&](DialogBase& dialog) {
        EXPECT_EQ(Items(dialog, kIdBgmScene), (QStringList{Q("ステージ"), Q("戦闘"), Q("ワールドマップ")}));
        EXPECT_EQ(Combo(dialog, kIdBgmScene)->currentIndex(), 2);
        EXPECT_EQ(Line(dialog, kIdBgmFile)->text(), "bgm\\old.mid");
        m_Boxes.AnswerFileDialog({(m_Folder.Path() / "bgm/Field.mid").string()});
        Click(dialog, kIdBgmBrowse);
        ASSERT_EQ(m_Boxes.FileRequests().size(), 1u);
        EXPECT_EQ(m_Boxes.FileRequests()[0].m_strTitle, "BGMの選択");
        EXPECT_EQ(Line(dialog, kIdBgmFile)->text(), ".\\bgm\\Field.mid");
        m_Boxes.AnswerFileDialog({});
        Click(dialog, kIdBgmBrowse); // cancelled: the field stays
        EXPECT_EQ(Line(dialog, kIdBgmFile)->text(), ".\\bgm\\Field.mid");
        Click(dialog, kIdDialogCancel);
    });
    EXPECT_EQ(HexBytes(Image(event)), HexBytes(before));

    EventCommand stored = AddAction(kCommandMusic, [&](DialogBase& dialog) {
        EXPECT_EQ(Combo(dialog, kIdBgmScene)->currentText(), Q("ステージ"));
        EXPECT_EQ(Line(dialog, kIdBgmFile)->text(), "");
        Click(dialog, kIdBgmPlay); // an empty field: no call at all
        EXPECT_EQ(Bgm.OggPath(0), "bgm\\Free.ogg");
        EXPECT_EQ(Bgm.CurrentTrack(), -1);
        EXPECT_TRUE(m_Boxes.Boxes().empty());
        Retype(dialog, kIdBgmFile, "bgm\\none.ogg");
        Click(dialog, kIdBgmPlay);
        ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
        EXPECT_EQ(m_Boxes.Boxes()[0].m_strText, "読み込み失敗！");
        Retype(dialog, kIdBgmFile, "bgm\\ok.ogg");
        Click(dialog, kIdBgmPlay);
        EXPECT_EQ(m_Boxes.Boxes().size(), 1u);
        EXPECT_EQ(Bgm.CurrentTrack(), 0);
        Combo(dialog, kIdBgmScene)->setCurrentIndex(1);
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(Ints(stored.m_nValParam.begin(), stored.m_nValParam.end()), (Ints{1}));
    ASSERT_EQ(stored.m_StrParam.Count(), 1);
    EXPECT_EQ(stored.m_StrParam.At(0).m_str, "bgm\\ok.ogg");
    Bgm.Release();
    Bgm.SetDevices(nullptr, nullptr);
}

TEST_F(QtActionDialogsTest, TheStatusTargetEnablesItsListsAsTheSubjectAndTheAreaCallFor)
{
    EventCommand stored = AddAction(kCommandStatus, [&](DialogBase& dialog) {
        using States = std::vector<bool>;
        auto states = [&] {
            return States{IsEnabled(dialog, kIdStatusArea), IsEnabled(dialog, kIdStatusWho),
                          IsEnabled(dialog, kIdStatusGroup), IsEnabled(dialog, kIdStatusValue),
                          IsEnabled(dialog, kIdStatusAmount), IsEnabled(dialog, kIdStatusPercent)};
        };
        EXPECT_TRUE(IsChecked(dialog, kIdStatusSubject));
        EXPECT_EQ(states(), (States{false, false, false, true, true, true}));
        EXPECT_EQ(Items(dialog, kIdStatusArea),
                  (QStringList{Q("マップ全範囲内"), Q("このイベントの位置"), Q("位置グループ内")}));
        EXPECT_EQ(Items(dialog, kIdStatusGroup), (QStringList{Q("北"), Q("南")}));
        EXPECT_EQ(Items(dialog, kIdStatusValue), (QStringList{"HP", "SP"}));
        ClickBox(dialog, kIdStatusSubject);
        EXPECT_EQ(states(), (States{true, true, false, true, true, true}));
        Combo(dialog, kIdStatusArea)->setCurrentIndex(2);
        EXPECT_EQ(states(), (States{true, true, true, true, true, true}));
        Combo(dialog, kIdStatusGroup)->setCurrentIndex(1);
        Combo(dialog, kIdStatusArea)->setCurrentIndex(1);
        EXPECT_FALSE(IsEnabled(dialog, kIdStatusGroup));
        Combo(dialog, kIdStatusWho)->setCurrentIndex(5);
        Combo(dialog, kIdStatusValue)->setCurrentIndex(1);
        Retype(dialog, kIdStatusAmount, "1000");
        EXPECT_EQ(Line(dialog, kIdStatusAmount)->text(), "999");
        ClickBox(dialog, kIdStatusPercent);
        Click(dialog, kIdDialogOk);
    });
    // The group, disabled, keeps what was chosen.
    EXPECT_EQ(Ints(stored.m_nValParam.begin(), stored.m_nValParam.end()), (Ints{0, 2, 5, 2, 1, 999, 1}));

    // An existing action keeps its values; ticking the subject disables the three lists again.
    Event event = EventWith({MakeCommand(kCommandStatus, {0, 3, 1, 2, 0, -999, 0})});
    EditFirstAction(event, [&](DialogBase& dialog) {
        EXPECT_FALSE(IsChecked(dialog, kIdStatusSubject));
        EXPECT_TRUE(IsEnabled(dialog, kIdStatusGroup));
        EXPECT_EQ(Combo(dialog, kIdStatusGroup)->currentText(), Q("南"));
        EXPECT_EQ(Line(dialog, kIdStatusAmount)->text(), "-999");
        ClickBox(dialog, kIdStatusSubject);
        EXPECT_FALSE(IsEnabled(dialog, kIdStatusArea));
        EXPECT_FALSE(IsEnabled(dialog, kIdStatusWho));
        EXPECT_FALSE(IsEnabled(dialog, kIdStatusGroup));
        Click(dialog, kIdDialogOk);
    });
    const CheckedVector<int32_t>& ints = event.m_Page.At(0).m_Action.At(0).m_nValParam;
    EXPECT_EQ(Ints(ints.begin(), ints.end()), (Ints{1, 3, 1, 2, 0, -999, 0}));
}

std::vector<int32_t> GoodsOf(const EventCommand& command)
{
    std::vector<int32_t> items;
    for (const ShopItemEntry& entry : command.m_ShopItem)
    {
        items.push_back(entry.m_nItem);
    }
    return items;
}

EventCommand ShopWith(std::initializer_list<int32_t> items)
{
    EventCommand shop = MakeCommand(kCommandShop, {0});
    for (int32_t item : items)
    {
        shop.m_ShopItem.emplace_back().m_nItem = item;
    }
    return shop;
}

TEST_F(QtActionDialogsTest, TheShopsGoodsChangeOnlyWithItsOkAndACancelledEntryGoesAgain)
{
    auto goods = [&](DialogBase& dialog) { return qobject_cast<QListWidget*>(Widget(dialog, kIdShopGoods)); };
    auto rows = [&](DialogBase& dialog) {
        QStringList texts;
        for (int i = 0; i < goods(dialog)->count(); ++i)
        {
            texts << goods(dialog)->item(i)->text();
        }
        return texts;
    };
    const QString trailer(64, '-');

    // A new shop: insert cancelled in the goods dialog, then insert with "薬草".
    Event event = EventWith({});
    RunEvent(event, {[&](DialogBase& dialog) {
                         Click(dialog, kIdActionInsert);
                         Click(dialog, kIdDialogOk);
                     },
                     [&](DialogBase& chooser) { Click(chooser, ButtonOf(kCommandShop)); },
                     [&](DialogBase& shop) {
                         EXPECT_TRUE(IsChecked(shop, kIdShopToCamp));
                         EXPECT_EQ(rows(shop), QStringList{trailer});
                         Click(shop, kIdShopInsert);
                         EXPECT_EQ(rows(shop), QStringList{trailer});
                         Click(shop, kIdShopInsert);
                         EXPECT_EQ(rows(shop), (QStringList{Q("薬草"), trailer}));
                         Click(shop, kIdDialogOk);
                     },
                     [&](DialogBase& entry) {
                         EXPECT_EQ(Items(entry, kIdShopGoodsItem), (QStringList{"A", "B", Q("薬草")}));
                         EXPECT_EQ(Combo(entry, kIdShopGoodsItem)->currentIndex(), 0);
                         Combo(entry, kIdShopGoodsItem)->setCurrentIndex(2);
                         Click(entry, kIdDialogCancel);
                     },
                     [&](DialogBase& entry) {
                         Combo(entry, kIdShopGoodsItem)->setCurrentIndex(2);
                         Click(entry, kIdDialogOk);
                     }});
    ASSERT_EQ(m_Runs.size(), 5u);
    EXPECT_EQ(m_Runs[3].m_nDialogId, kIdShopGoodsDialog);
    EXPECT_EQ(m_Runs[3].m_strTitle, "商品");
    ASSERT_EQ(event.m_Page.At(0).m_Action.Count(), 1);
    EXPECT_EQ(GoodsOf(event.m_Page.At(0).m_Action.At(0)), (std::vector<int32_t>{3}));

    // Several edits, then Cancel: the goods are as they were.
    Event old = EventWith({ShopWith({1, 2})});
    const std::vector<unsigned char> before = Image(old);
    RunEvent(old, {[&](DialogBase& dialog) {
                       Click(dialog, kIdActionEdit);
                       Click(dialog, kIdDialogOk);
                   },
                   [&](DialogBase& shop) {
                       EXPECT_FALSE(IsChecked(shop, kIdShopToCamp));
                       EXPECT_EQ(rows(shop), (QStringList{"A", "B", trailer}));
                       Click(shop, kIdShopInsert);
                       Click(shop, kIdShopDelete);
                       Click(shop, kIdShopDelete);
                       goods(shop)->setCurrentRow(1); // the trailing row: nothing to edit or delete
                       Click(shop, kIdShopEdit);
                       Click(shop, kIdShopDelete);
                       EXPECT_EQ(rows(shop), (QStringList{"B", trailer}));
                       ClickBox(shop, kIdShopToCamp);
                       Click(shop, kIdDialogCancel);
                   },
                   [&](DialogBase& entry) { Click(entry, kIdDialogOk); }});
    EXPECT_EQ(m_Runs.size(), 3u);
    EXPECT_EQ(HexBytes(Image(old)), HexBytes(before));

    // Edit on a row changes its item; OK keeps it.
    RunEvent(old, {[&](DialogBase& dialog) {
                       Click(dialog, kIdActionEdit);
                       Click(dialog, kIdDialogOk);
                   },
                   [&](DialogBase& shop) {
                       goods(shop)->setCurrentRow(1);
                       Click(shop, kIdShopEdit);
                       EXPECT_EQ(rows(shop), (QStringList{"A", "A", trailer}));
                       Click(shop, kIdDialogOk);
                   },
                   [&](DialogBase& entry) {
                       EXPECT_EQ(Combo(entry, kIdShopGoodsItem)->currentIndex(), 1);
                       Combo(entry, kIdShopGoodsItem)->setCurrentIndex(0);
                       Click(entry, kIdDialogOk);
                   }});
    EXPECT_EQ(GoodsOf(old.m_Page.At(0).m_Action.At(0)), (std::vector<int32_t>{1, 1}));
}

TEST_F(QtActionDialogsTest, AFullShopBeepsWithoutAGoodsDialog)
{
    EventCommand full = ShopWith({});
    full.m_ShopItem.resize(kMaxShopGoods);
    for (ShopItemEntry& entry : full.m_ShopItem)
    {
        entry.m_nItem = 2;
    }
    Event event = EventWith({full});
    EditFirstAction(event, [&](DialogBase& shop) {
        Click(shop, kIdShopInsert);
        EXPECT_EQ(m_Beeps.Count(), 1);
        Click(shop, kIdDialogOk);
    });
    EXPECT_EQ(m_Runs.size(), 2u);
    EXPECT_EQ(event.m_Page.At(0).m_Action.At(0).m_ShopItem.Count(), kMaxShopGoods);
}

} // namespace
