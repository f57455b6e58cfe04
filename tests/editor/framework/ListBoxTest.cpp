// The bound list box on the dummy backend: rows, the seven editing commands
// with their refusals, the command ids by edit mode and command set, keys,
// the right click, the count and the entry dialogs.
#include "common/data/WorldMapRecord.h"
#include "common/services/Log.h"
#include "common/window/Accelerators.h"
#include "platform/window/Beep.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/framework/ListTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

using Values = std::vector<int32_t>;

// The shape of a list: its elements and its binding's numbers.
struct Shape
{
    Values m_Elements;
    int m_nBase = 0;
    int m_nMinimum = 0;
    int m_nMaximum = 99;
    bool m_bTrailer = true;
    bool m_bNumbered = false;
};

class ListBoxTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_System.FixDesktopRect({0, 0, 800, 600});
        AppWindowSystem = &m_System;
    }
    void TearDown() override
    {
        m_pDialog.reset();
        KeyboardHook::UninstallAll();
        AppWindowSystem = nullptr;
    }

    // Opens the list dialog modeless over the shape, row 0 selected and stored.
    ListBox<int32_t>& Open(const Shape& shape, int mode = -1, int set = 1)
    {
        m_Bound = CheckedVector<int32_t>(shape.m_Elements.begin(), shape.m_Elements.end());
        m_pDialog.reset(); // one object of the class at a time: it is the class's current instance
        m_pDialog = std::make_unique<ListDialog>(&m_App);
        m_pDialog->m_nMode = mode;
        m_pDialog->m_nSet = set;
        m_pDialog->m_List.Binding().Set(kIdTestList, &m_Bound, &m_Working, &m_nRecord, shape.m_bNumbered,
                                        shape.m_nMinimum, shape.m_nMaximum, shape.m_nBase, shape.m_bTrailer, 0,
                                        ValueRowText);
        m_pDialog->RunModeless(0);
        return m_pDialog->m_List;
    }
    platform::ListBoxModel& Model() { return *platform::ModelOf<platform::ListBoxModel>(ListWindow()); }
    platform::WindowHandle ListWindow() { return m_pDialog->m_List.Handle(); }
    std::vector<std::string> Rows() { return Model().Items(); }
    platform::WindowHandle Item(int id) { return m_System.GetDlgItem(m_pDialog->Handle(), id); }
    // The author picks the row, and the dialog stores it as on LBN_SELCHANGE.
    void Pick(int row)
    {
        m_System.SendMessage(ListWindow(), platform::kLbSetCurSel, static_cast<uintptr_t>(row), 0);
        m_pDialog->m_List.StoreSelected();
    }

    platform::DummyWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
    platform::BeepRecorder m_Beeps;
    EditorApp m_App;
    CheckedVector<int32_t> m_Bound;
    CheckedVector<int32_t> m_Working;
    int32_t m_nRecord = -1;
    std::unique_ptr<ListDialog> m_pDialog;
};

const std::string kTrailer(64, '-');

TEST_F(ListBoxTest, RowsShowTheElementsFromTheBaseOnNumberedByTheCountShownAndTheTrailingRow)
{
    auto numbers = [](int first, int last, int digits) {
        std::vector<std::string> rows;
        for (int i = first; i <= last; ++i)
        {
            std::string number = std::to_string(i);
            rows.push_back(std::string(static_cast<size_t>(digits) - number.size(), '0') + number + " 値" +
                           std::to_string(i * 10));
        }
        return rows;
    };
    const struct
    {
        int m_nShown;
        int m_nDigits;
    } cases[] = {{11, 2}, {10, 2}, {9, 1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_nShown);
        Shape shape{{-1}, 1, 0, 99, true, true};
        for (int i = 1; i <= c.m_nShown; ++i)
        {
            shape.m_Elements.push_back(i * 10);
        }
        ListBox<int32_t>& list = Open(shape);
        std::vector<std::string> expected = numbers(1, c.m_nShown, c.m_nDigits);
        expected.push_back(kTrailer);
        EXPECT_EQ(Rows(), expected);
        EXPECT_EQ(list.GetCurSel(), 0);
        EXPECT_EQ(list.GetDataPos(), 1);
        EXPECT_EQ(m_nRecord, 10); // row 0 is element 1: the one below the base is never shown
        EXPECT_TRUE(list.IsTrailerRow(c.m_nShown));
        Pick(c.m_nShown);
        EXPECT_EQ(list.GetDataPos(), -1);
        EXPECT_EQ(m_nRecord, 10);
    }
    Open({{1, 2}, 0, 0, 99, false, false});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"値1", "値2"}));
}

TEST_F(ListBoxTest, TheEditingCommandsEditTheWorkingVectorAndRefuseWithABeep)
{
    using Command = int (*)(ListBox<int32_t>&);
    const Command copy = [](ListBox<int32_t>& l) { return l.Copy(); };
    const Command cut = [](ListBox<int32_t>& l) { return l.Cut(); };
    const Command paste = [](ListBox<int32_t>& l) { return l.Paste(); };
    const Command add = [](ListBox<int32_t>& l) { return l.AddNew(); };
    const Command insert = [](ListBox<int32_t>& l) { return l.InsertNew(); };
    const Command clear = [](ListBox<int32_t>& l) { return l.Clear(); };
    const Command erase = [](ListBox<int32_t>& l) { return l.Delete(-1); };
    constexpr int kUntouched = -7;
    const struct
    {
        const char* m_pszWhat;
        Shape m_Shape;
        int m_nRow;         // selected before the command (-1: none)
        Values m_Clipboard; // held before the command
        Command m_Command;
        int m_nResult;
        int m_nBeeps;
        Values m_After;
        int m_nSelection; // GetCurSel afterwards
        int m_nRecord;    // kUntouched: the command left the record alone
        Values m_ClipboardAfter;
    } cases[] = {
        {"copy on the trailing row of an empty list", {{}}, 0, {}, copy, 0, 1, {}, 0, kUntouched, {}},
        {"insert into an empty list", {{}}, 0, {}, insert, 1, 0, {0}, 0, 0, {}},
        {"add to an empty list", {{}}, 0, {}, add, 1, 0, {0}, 0, 0, {}},
        {"paste into an empty list", {{}}, 0, {7}, paste, 1, 0, {7}, 0, 7, {7}},
        {"delete on the trailing row only refreshes", {{}}, 0, {}, erase, 1, 0, {}, 0, kUntouched, {}},
        {"clear on the trailing row only refreshes", {{10}}, 1, {}, clear, 1, 0, {10}, 1, kUntouched, {}},
        {"paste with an empty clipboard", {{10, 20}}, 1, {}, paste, 0, 1, {10, 20}, 1, kUntouched, {}},
        {"paste goes before the selected row", {{10, 20, 30}}, 1, {7}, paste, 1, 0, {10, 7, 20, 30}, 1, 7, {7}},
        {"paste on the trailing row appends", {{10}}, 1, {7}, paste, 1, 0, {10, 7}, 1, 7, {7}},
        {"a full list refuses paste", {{10, 20}, 0, 0, 2}, 0, {7}, paste, 0, 1, {10, 20}, 0, kUntouched, {7}},
        {"a full list refuses add", {{10, 20}, 0, 0, 2}, 0, {}, add, 0, 1, {10, 20}, 0, kUntouched, {}},
        {"a full list refuses insert", {{10, 20}, 0, 0, 2}, 0, {}, insert, 0, 1, {10, 20}, 0, kUntouched, {}},
        {"the count includes what lies below the base", {{5, 10, 20}, 1, 0, 2}, 0, {}, add, 0, 1, {5, 10, 20}, 0,
         kUntouched, {}},
        {"a list at its minimum refuses delete", {{10}, 0, 1}, 0, {}, erase, 0, 1, {10}, 0, kUntouched, {}},
        {"a list at its minimum refuses cut, the copy stays", {{10}, 0, 1}, 0, {}, cut, 0, 1, {10}, 0, kUntouched,
         {10}},
        {"cut copies and deletes", {{10, 20}}, 0, {}, cut, 1, 0, {20}, 0, 20, {10}},
        {"copy keeps the one element last copied", {{10, 20}}, 1, {7}, copy, 1, 0, {10, 20}, 1, kUntouched, {20}},
        {"delete of the last element moves the selection up", {{10, 20, 30}}, 2, {}, erase, 1, 0, {10, 20}, 1, 20,
         {}},
        {"delete hands the element that moves up to the record", {{10, 20, 30}}, 1, {}, erase, 1, 0, {10, 30}, 1,
         30, {}},
        {"delete of the only element clears the record", {{5, 10}, 1}, 0, {}, erase, 1, 0, {5}, 0, 0, {}},
        {"clear empties the element and hands it to the record", {{10, 20}}, 1, {}, clear, 1, 0, {10, 0}, 1, 0, {}},
        {"insert goes before the selected row", {{10, 20}}, 1, {}, insert, 1, 0, {10, 0, 20}, 1, 0, {}},
        {"add appends and selects the new row", {{10, 20}}, 0, {}, add, 1, 0, {10, 20, 0}, 2, 0, {}},
        {"copy without a selection", {{10, 20}, 0, 0, 99, false}, -1, {}, copy, 0, 1, {10, 20}, -1, kUntouched,
         {}},
        {"paste without a selection", {{10, 20}, 0, 0, 99, false}, -1, {7}, paste, 0, 1, {10, 20}, -1, kUntouched,
         {7}},
        {"insert without a selection goes first", {{10, 20}, 0, 0, 99, false}, -1, {}, insert, 1, 0, {0, 10, 20}, 0,
         0, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        ListBox<int32_t>& list = Open(c.m_Shape);
        Pick(c.m_nRow);
        if (!c.m_Clipboard.empty())
        {
            list.SetClipboard(c.m_Clipboard[0]);
        }
        m_nRecord = kUntouched;
        m_Beeps.Clear();
        EXPECT_EQ(c.m_Command(list), c.m_nResult);
        EXPECT_EQ(m_Beeps.Count(), c.m_nBeeps);
        EXPECT_EQ(Values(m_Working.begin() + c.m_Shape.m_nBase, m_Working.end()),
                  Values(c.m_After.begin() + (c.m_After.empty() ? 0 : c.m_Shape.m_nBase), c.m_After.end()));
        EXPECT_EQ(list.GetCurSel(), c.m_nSelection);
        EXPECT_EQ(m_nRecord, c.m_nRecord);
        EXPECT_EQ(Values(list.Clipboard().begin(), list.Clipboard().end()), c.m_ClipboardAfter);
        EXPECT_EQ(Rows().size(), m_Working.size() - static_cast<size_t>(c.m_Shape.m_nBase) +
                                     (c.m_Shape.m_bTrailer ? 1 : 0));
        EXPECT_TRUE(Model().IsRedrawOn());
        EXPECT_EQ(m_Bound.size(), c.m_Shape.m_Elements.size()); // only OK writes the list back
    }
}

TEST_F(ListBoxTest, SetCountResizesWithinTheLimitsAndTheSelectionFollows)
{
    const struct
    {
        int m_nRow;
        int m_nCount;
        int m_nResult;
        Values m_After;
        int m_nSelection;
        int m_nRecord;
    } cases[] = {
        {2, 2, 1, {10, 20}, 1, 20},       // the selected row is gone: the last row
        {1, 5, 1, {10, 20, 30, 0, 0}, 1, 20},
        {0, 0, 1, {}, 0, 0},              // nothing left: the record is cleared, the trailing row selected
        {1, 6, 0, {10, 20, 30}, 1, -7},   // beyond the maximum: refused
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_nCount);
        ListBox<int32_t>& list = Open({{10, 20, 30}, 0, 0, 5});
        Pick(c.m_nRow);
        m_nRecord = -7;
        m_Beeps.Clear();
        EXPECT_EQ(list.SetCount(c.m_nCount), c.m_nResult);
        EXPECT_EQ(m_Beeps.Count(), c.m_nResult ? 0 : 1);
        EXPECT_EQ(Values(m_Working.begin(), m_Working.end()), c.m_After);
        EXPECT_EQ(list.GetCurSel(), c.m_nSelection);
        EXPECT_EQ(m_nRecord, c.m_nRecord);
    }
}

TEST_F(ListBoxTest, SetCurSelKeepsARowOrNoneAsTheListAllows)
{
    ListBox<int32_t>& list = Open({{10, 20}});
    list.SetCurSel(-1, 1);
    EXPECT_EQ(list.GetCurSel(), 0); // a list that may not stand without a selection takes row 0
    list.SetCurSel(2, 1);
    EXPECT_EQ(list.GetCurSel(), 2); // the trailing row
    list.SetCurSel(3, 1);
    EXPECT_EQ(list.GetCurSel(), -1);
    m_nRecord = 0;
    list.SetCurSel(1, 0);
    EXPECT_EQ(m_nRecord, 0);
    list.SetCurSel(1, 1);
    EXPECT_EQ(m_nRecord, 20);

    // A minimum below 1 without a trailing row lets the list stand without a selection.
    ListBox<int32_t>& free = Open({{10, 20}, 0, 0, 99, false});
    EXPECT_TRUE(free.MayStandWithoutSelection());
    free.SetCurSel(-1, 1);
    EXPECT_EQ(free.GetCurSel(), -1);
    free.EndUpdate();
    EXPECT_EQ(free.GetCurSel(), -1);

    // The owner's buttons by id.
    FindControlById(m_pDialog->m_Buttons, 1007, 0);
    EXPECT_FALSE(m_System.Resolve(Item(1007))->IsEnabled());
    EXPECT_TRUE(m_System.Resolve(Item(1006))->IsEnabled());
    FindControlById(m_pDialog->m_Buttons, 4242, 0); // no such button: nothing
}

TEST_F(ListBoxTest, AWorldMapEventThatTheCommandsMakeOrClearHasExactlyOnePage)
{
    Open({{10}});
    // A second list on the same list control, over world-map events.
    ListBox<WorldMapEvent> events;
    CheckedVector<WorldMapEvent> working;
    events.Binding().Set(kIdTestList, nullptr, &working, nullptr, 0, 0, 99, 0, 1, 0, nullptr);
    events.Attach(m_pDialog.get(), events.Binding());
    events.Refill();
    events.SetCurSel(0, 0);
    EXPECT_EQ(events.AddNew(), 1);
    EXPECT_EQ(events.InsertNew(), 1);
    EXPECT_EQ(events.SetCount(3), 1);
    working.At(0).m_strName = "村";
    working.At(0).m_Page.resize(3);
    events.SetCurSel(0, 0);
    EXPECT_EQ(events.Clear(), 1);
    ASSERT_EQ(working.size(), 3u);
    for (const WorldMapEvent& event : working)
    {
        EXPECT_EQ(event.m_Page.size(), 1u);
        EXPECT_EQ(event.m_strName, "");
    }
}

TEST(FormatPaddedNumberTest, PadsOrCutsToTheDigitsAndSignsTheValue)
{
    const struct
    {
        int m_nValue;
        int m_nDigits;
        bool m_bPlus;
        const char* m_pszOut;
    } cases[] = {
        {7, 3, false, "007"}, {1234, 2, false, "34"}, {5, 0, true, "+5"},    {0, 0, true, "0"},
        {0, 0, false, "0"},   {123, 0, false, "123"}, {-15, 2, false, "-15"}, {-15, 3, true, "-015"},
        {-2147483647 - 1, 0, false, "-2147483648"},
    };
    for (const auto& c : cases)
    {
        std::string out = "old";
        FormatPaddedNumber(out, c.m_nValue, c.m_nDigits, c.m_bPlus);
        EXPECT_EQ(out, c.m_pszOut) << c.m_nValue << " " << c.m_nDigits;
    }
}

TEST_F(ListBoxTest, EachModeAndSetGivesItsIdsAndTheSetWithoutAPopupLeavesThemAsTheyWere)
{
    using Ids = ListCommandIds;
    const struct
    {
        int m_nMode;
        int m_nSet;
        int m_nTable;
        int m_nMenu;
        Ids m_Shortcut;
        Ids m_Popup;
        int m_nResult;
    } cases[] = {
        {0, 1, 132, 170, {40030, 40031, 40032, 40082, 0, 40083, 0}, {40027, 40024, 40025, 0, 0, 40081, 0}, 1},
        {1, 1, 117, 116, {40030, 40031, 40032, 0, 40069, 0, 40034}, {40027, 40024, 40025, 0, 40070, 0, 40029}, 1},
        {0, 2, 133, 171, {40040, 40035, 40038, 40084, 0, 40085, 0}, {40075, 40076, 40077, 0, 0, 40086, 0}, 1},
        {1, 2, 130, 169, {40040, 40035, 40038, 0, 40071, 0, 40039}, {40075, 40076, 40077, 0, 40078, 0, 40079}, 1},
        {0, 3, 134, 0, {40101, 40093, 40098, 40104, 0, 40100, 0}, kDefaultListPopupIds, 0},
        {1, 3, 131, 174, {40101, 40093, 40098, 0, 40094, 0, 40099}, {40088, 40089, 40090, 0, 40091, 0, 40092}, 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nMode << "," << c.m_nSet);
        ListBox<int32_t>& list = Open({{10}});
        InitErrorLog(1, "EC_Editor.txt"); // the report shows only while the error log is on
        EXPECT_EQ(list.SetAcceleratorsAndMenu(c.m_nTable, c.m_nMenu, c.m_nMode, c.m_nSet), c.m_nResult);
        InitErrorLog(0, "EC_Editor.txt");
        EXPECT_EQ(list.ShortcutIds(), c.m_Shortcut);
        EXPECT_EQ(list.PopupIds(), c.m_Popup);
        const AcceleratorBinding& bound = m_pDialog->Accelerators().back();
        EXPECT_EQ(bound.m_hWindow, ListWindow());
        ASSERT_EQ(bound.m_pTable, FindAcceleratorTable(c.m_nTable));
        // The table sends the list's ids; Ctrl+Z is its last entry.
        auto sent = [&](uint32_t key, uint32_t modifiers) {
            for (const Accelerator& entry : *bound.m_pTable)
            {
                if (entry.m_nKey == key && entry.m_nModifiers == modifiers)
                {
                    return entry.m_nCommand;
                }
            }
            return 0;
        };
        EXPECT_EQ(sent('X', platform::kKeyControl), c.m_Shortcut[kListCut]);
        EXPECT_EQ(sent('C', platform::kKeyControl), c.m_Shortcut[kListCopy]);
        EXPECT_EQ(sent('V', platform::kKeyControl), c.m_Shortcut[kListPaste]);
        EXPECT_EQ(sent('I', platform::kKeyControl), c.m_Shortcut[kListAdd] + c.m_Shortcut[kListInsert]);
        EXPECT_EQ(sent(platform::kVkDelete, 0), c.m_Shortcut[kListClear] + c.m_Shortcut[kListDelete]);
        EXPECT_EQ(bound.m_pTable->back().m_nKey, static_cast<uint32_t>('Z'));
        // The pop-up menu's items send the pop-up ids, in slot order.
        if (c.m_nResult)
        {
            ASSERT_NE(list.PopupMenu(), nullptr);
            Ids fromMenu{};
            size_t slot = 0;
            for (const platform::MenuItem& item : list.PopupMenu()->m_Items)
            {
                while (!item.m_bSeparator && slot < fromMenu.size() && c.m_Popup[slot] == 0)
                {
                    ++slot;
                }
                if (!item.m_bSeparator && slot < fromMenu.size())
                {
                    fromMenu[slot++] = static_cast<uint16_t>(item.m_nCommand);
                }
            }
            EXPECT_EQ(fromMenu, c.m_Popup);
        }
    }
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strText, "ポップアップメニューのIDが用意されていません！");
    // Without the error log the report is not shown.
    ListBox<int32_t>& list = Open({{10}});
    EXPECT_EQ(list.SetPopupMenu(0, 0, 3), 0);
    EXPECT_EQ(list.SetAccelerators(0, 2, 4), 0);
    EXPECT_EQ(list.ShortcutIds(), kDefaultListShortcutIds);
    EXPECT_EQ(m_Boxes.Boxes().size(), 1u);
}

TEST_F(ListBoxTest, KeysSendTheIdsOfTheModeToTheOwnerOnlyWhileTheListHasTheFocus)
{
    const struct
    {
        int m_nMode;
        uintptr_t m_nKey;
        int m_bCtrl;
        std::vector<int> m_Sent;
    } cases[] = {
        {0, 'I', 1, {40082}},
        {1, 'I', 1, {40069}},
        {1, 'I', 0, {}},
        {0, platform::kVkDelete, 0, {40083}},
        {1, platform::kVkDelete, 1, {40034}},
        {1, 'X', 1, {40030}},
        {-1, 'I', 1, {40082, 40069}},                 // no ids configured: both are sent
        {-1, platform::kVkDelete, 0, {40083, 40034}}, // likewise
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nMode << " " << c.m_nKey);
        ListBox<int32_t>& list = Open({{10, 20}}, c.m_nMode, 1);
        m_System.SetFocus(Item(kIdTestField));
        list.OnKey(c.m_nKey, 0, c.m_bCtrl);
        EXPECT_TRUE(m_pDialog->m_Commands.empty());
        m_System.SetFocus(ListWindow());
        list.OnKey(c.m_nKey, 0, c.m_bCtrl);
        EXPECT_EQ(m_pDialog->m_Commands, c.m_Sent);
    }
}

TEST_F(ListBoxTest, AListDoesTheCommandsOfItsIdsOnlyWhileItHasTheFocus)
{
    ListBox<int32_t>& list = Open({{10, 20}}, 1, 2);
    m_System.SetFocus(Item(kIdTestField));
    EXPECT_EQ(m_pDialog->OfferListCommand(40071), 0);
    EXPECT_EQ(m_Working.size(), 2u);
    m_System.SetFocus(ListWindow());
    EXPECT_EQ(m_pDialog->OfferListCommand(40069), 0); // set 1's insert: not this list's
    EXPECT_EQ(m_pDialog->OfferListCommand(40071), 1); // insert by shortcut
    EXPECT_EQ(list.LastCommand(), kListInsert);
    EXPECT_EQ(m_pDialog->OfferListCommand(40079), 1); // delete by pop-up
    EXPECT_EQ(list.LastCommand(), kListDelete);
    EXPECT_EQ(m_pDialog->OfferListCommand(40035), 1); // copy by shortcut
    EXPECT_EQ(m_pDialog->OfferListCommand(40077), 1); // paste by pop-up
    EXPECT_EQ(Values(m_Working.begin(), m_Working.end()), (Values{10, 10, 20}));
    m_Beeps.Clear();
    Pick(3);
    EXPECT_EQ(m_pDialog->OfferListCommand(40035), 0); // a refused copy: not done
    EXPECT_EQ(m_Beeps.Count(), 1);
    EXPECT_EQ(list.OnAccelCommand(0), 0);
}

TEST_F(ListBoxTest, ARightClickOnARowSelectsItGivesTheListTheFocusAndOpensItsPopup)
{
    const struct
    {
        int m_nY;      // from the list's top edge
        int m_nHit;    // 1: a row was hit
        int m_nRow;    // selected afterwards
        int m_nRecord; // the record once the row is hit
        int m_nChoice; // what the pop-up answers
        Values m_After;
    } cases[] = {
        {2 + 12 + 5, 1, 1, 20, 40070, {10, 0, 20, 30}}, // row 1, then "新規挿入"
        {2 + 3 * 12 + 1, 1, 3, -7, 0, {10, 20, 30}},     // the trailing row; the pop-up dismissed
        {2 + 4 * 12 + 1, 0, 0, -7, 40070, {10, 20, 30}}, // below the rows: nothing
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_nY);
        Open({{10, 20, 30}}, 1, 1);
        platform::Rect rect = m_System.Resolve(ListWindow())->ScreenRect();
        m_System.SetCursorPos({rect.m_nLeft + 10, rect.m_nTop + c.m_nY});
        m_System.SetFocus(Item(kIdTestField));
        m_System.SetPopupChoice(c.m_nChoice);
        m_nRecord = -7;
        EXPECT_EQ(m_pDialog->OpenListPopup(), c.m_nHit);
        EXPECT_EQ(m_nRecord, c.m_nRecord);
        auto* dialog = static_cast<platform::DummyWindow*>(m_pDialog->Native());
        const platform::Menu* shown = dialog->LastPopupMenu();
        EXPECT_EQ(shown && shown->m_Items.size() == 7 && shown->m_Items[4].m_nCommand == 40070 ? 1 : 0, c.m_nHit);
        EXPECT_EQ(m_System.Focus() == ListWindow() ? 1 : 0, c.m_nHit);
        m_System.PumpMessages(); // the chosen item
        EXPECT_EQ(m_pDialog->m_List.GetCurSel(), c.m_nRow);
        EXPECT_EQ(Values(m_Working.begin(), m_Working.end()), c.m_After);
    }
}

platform::WindowHandle ItemOf(const DialogBase& dialog, int id)
{
    return AppWindowSystem->GetDlgItem(dialog.Handle(), id);
}

// An entry dialog as the lists open them: made of (id, parent, 0, kind, app,
// the window to centre on, the centre-on-client flag), OK and Cancel.
class EntryDialog : public DialogBase
{
public:
    EntryDialog(int id, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app,
                WindowBase* centreOn, int centreOnClient)
        : DialogBase(centreOn, centreOnClient)
    {
        UseClassProcedure(this);
        Init(id, parent, startMaximised, kind, app);
        SetTemplate(&Template());
    }
    static const DialogTemplate& Template()
    {
        static const DialogTemplate dialog{9031, "項目", 80, 40, kModalDialog, {
            {kDlgDefButton, 1006, 4, 20, 30, 14, "OK"},
            {kDlgButton,    1007, 40, 20, 30, 14, "ｷｬﾝｾﾙ"},
        }};
        return dialog;
    }
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        return CloseOnWmClose(window, message, wParam, lParam);
    }
    void OnCommand(uintptr_t wParam, intptr_t lParam) override { OnOkCancel(wParam, lParam); }
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override
    {
        DialogBase::OnInitDialog(wParam, lParam);
        AttachPlainControls(m_Buttons);
        return 0;
    }

    CheckedVector<PlainControl> m_Buttons = PlainControls({1006, 1007});
};

void Press(const DialogBase& dialog, int id)
{
    platform::ModelOf<platform::ButtonModel>(ItemOf(dialog, id))->UserClick();
}

TEST_F(ListBoxTest, InsertAndEditKeepsAConfirmedElementAndTakesACancelledOneOutUnlessAtTheMinimum)
{
    const struct
    {
        const char* m_pszWhat;
        Shape m_Shape;
        int m_nAnswer; // the button the author presses
        int m_nResult;
        Values m_After;
        int m_nBeeps;
    } cases[] = {
        {"confirmed", {{10}}, 1006, 1, {0, 10}, 0},
        {"cancelled", {{10}}, 1007, 0, {10}, 0},
        {"cancelled on an empty list with minimum 1", {{}, 0, 1}, 1007, 0, {0}, 1},
        {"refused by a full list: no dialog", {{10}, 0, 0, 1}, 1006, 1, {10}, 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        ListBox<int32_t>& list = Open(c.m_Shape);
        ScriptedModalRuns runs;
        runs.Answer([&](DialogBase& entry) { Press(entry, c.m_nAnswer); });
        std::unique_ptr<EntryDialog> holder;
        m_Beeps.Clear();
        EXPECT_EQ(list.InsertAndEdit(holder, 9031, &m_App, 0, 0), c.m_nResult);
        EXPECT_EQ(Values(m_Working.begin(), m_Working.end()), c.m_After);
        EXPECT_EQ(m_Beeps.Count(), c.m_nBeeps);
        EXPECT_EQ(holder, nullptr);
        EXPECT_EQ(runs.Runs().size(), c.m_nBeeps && c.m_nResult ? 0u : 1u);
        EXPECT_EQ(list.LastCommand(), kListInsert);
    }
}

TEST_F(ListBoxTest, EditSelectedRunsTheEntryDialogOverTheListWithTheOtherWindowsHiddenOrDisabled)
{
    ListBox<int32_t>& list = Open({{10, 20}});
    // Another registered window (of another dialog class: each class has one current instance).
    ProbeDialog other(PaletteTemplate(), nullptr, &m_App);
    other.RunModeless(0);
    ScriptedModalRuns runs;
    std::unique_ptr<EntryDialog> holder;
    for (int mode : {1, 2})
    {
        SCOPED_TRACE(mode);
        Pick(1);
        runs.Answer([&](DialogBase& entry) {
            EXPECT_EQ(&entry, holder.get());
            EXPECT_EQ(entry.ParentWindow(), m_pDialog->Handle());
            EXPECT_EQ(other.Native()->IsVisible(), mode != 1);
            EXPECT_EQ(other.Native()->IsEnabled(), mode != 2);
            // Centred on the list's client area.
            platform::Rect over = m_System.Resolve(ListWindow())->ScreenRect();
            platform::Rect placed = entry.Native()->WindowRect();
            platform::Rect client = entry.Native()->ClientRect();
            EXPECT_EQ(placed.m_nLeft, over.m_nLeft + over.m_nWidth / 2 - client.m_nWidth / 2);
            EXPECT_EQ(placed.m_nTop, over.m_nTop + over.m_nHeight / 2 - client.m_nHeight / 2);
            Press(entry, 1006);
        });
        EXPECT_EQ(list.EditSelected(holder, 9031, &m_App, mode, 1), 1);
        EXPECT_EQ(holder, nullptr);
        EXPECT_TRUE(other.Native()->IsVisible());
        EXPECT_TRUE(other.Native()->IsEnabled());
        EXPECT_EQ(list.GetCurSel(), 1);
    }
    // No element selected: no dialog.
    Pick(2);
    EXPECT_EQ(list.EditSelected(holder, 9031, &m_App, 0, 0), 0);
    EXPECT_EQ(runs.Runs().size(), 2u);
}

TEST_F(ListBoxTest, AskCountAsksTheValueDialogOverTheAnchorAndSetsTheCountOnOk)
{
    const struct
    {
        const char* m_pszTyped;
        int m_nButton;
        int m_nResult;
        size_t m_nCount;
    } cases[] = {
        {"5", 1006, 1, 6},  // base 1: five shown elements after the hidden one
        {"5", 1007, 0, 4},  // cancelled: nothing changes
        {"99", 1006, 1, 9}, // the dialog keeps the value within its limits
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszTyped);
        ListBox<int32_t>& list = Open({{0, 10, 20, 30}, 1, 1, 99});
        PlainControl& anchor = m_pDialog->m_Buttons.At(0);
        ScriptedModalRuns runs;
        runs.Answer([&](DialogBase& dialog) {
            EXPECT_EQ(dialog.Native()->Text(), "データ数");
            auto* edit = platform::ModelOf<platform::EditModel>(ItemOf(dialog, 1077));
            EXPECT_EQ(edit->Text(), "3");
            edit->UserReplace(c.m_pszTyped, 0, static_cast<int>(edit->Text().size()));
            // Centred on the anchor.
            platform::Rect over = m_System.Resolve(anchor.Handle())->ScreenRect();
            EXPECT_EQ(dialog.Native()->WindowRect().m_nLeft,
                      over.m_nLeft + over.m_nWidth / 2 - dialog.Native()->ClientRect().m_nWidth / 2);
            Press(dialog, c.m_nButton);
        });
        EXPECT_EQ(list.AskCount(1, 8, &anchor), c.m_nResult);
        EXPECT_EQ(m_Working.size(), c.m_nCount);
        EXPECT_EQ(runs.Runs().size(), 1u);
    }
}

} // namespace
