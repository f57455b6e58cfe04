// The property sheet on real Qt widgets, offscreen: tabs clicked and keys
// typed as the author would, the pages told when they become current and on
// OK and Apply, and the sheet's owner deleted by the loop's next turn once
// the author closed it.
#include "editor/framework/PropSheet.h"
#include "platform/qt/QtTabs.h"
#include "platform/window/DialogNavigation.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace
{

using platform::WindowHandle;
using Log = std::vector<std::string>;

const DialogTemplate& FirstPageTemplate()
{
    static const DialogTemplate page{9101, "一頁", 160, 90, kChildDialog, {
        {kDlgEdit,   1001, 8, 8, 60, 14},
        {kDlgButton, 1002, 8, 30, 50, 14, "新規"},
    }};
    return page;
}

const DialogTemplate& SecondPageTemplate()
{
    static const DialogTemplate page{9102, "二頁", 120, 110, kChildDialog, {
        {kDlgEdit,   1001, 8, 8, 60, 14},
    }};
    return page;
}

// A page that writes down what it hears; after each of its commands it tells its sheet it changed.
template <int Number>
class ProbePage : public DialogBase
{
public:
    ProbePage(const DialogTemplate& page, EditorApp* app, Log* log) : m_pLog(log)
    {
        UseClassProcedure(this);
        Init(page.m_nId, nullptr, 0, kWindowSheetPage, app);
        SetTemplate(&page);
    }

    intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        int handled = OnMessage(window, message, wParam, lParam);
        if (message == platform::kWmNotify)
        {
            auto* header = reinterpret_cast<const platform::NotifyHeader*>(lParam);
            if (header->m_nCode == platform::kPsnSetActive)
            {
                Write("setactive");
            }
            else if (header->m_nCode == platform::kPsnApply)
            {
                Write("apply");
            }
            return 1;
        }
        if (message == platform::kWmDestroy)
        {
            Write("destroy");
        }
        return handled;
    }
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override
    {
        DialogBase::OnInitDialog(wParam, lParam);
        AttachPlainControls(m_Buttons);
        Write("init");
        SetInitialised(1);
        return 0;
    }
    void OnCommand(uintptr_t wParam, intptr_t lParam) override
    {
        DialogBase::OnCommand(wParam, lParam);
        if (platform::HighWord(wParam) == platform::kBnClicked)
        {
            Write("command " + std::to_string(platform::LowWord(wParam)));
            PageChanged(*this);
        }
    }
    void OnPaint() override { ++m_nPaints; }
    using DialogBase::IsCurrentSheetPage;

    CheckedVector<PlainControl> m_Buttons = PlainControls({1002});
    int m_nPaints = 0;

private:
    void Write(const std::string& what) { m_pLog->push_back(std::to_string(Number) + " " + what); }

    Log* m_pLog;
};

// The sheet owns its pages, as the database does; the test counts the live objects.
class TwoPageSheet : public PropSheet
{
public:
    TwoPageSheet(EditorApp* app, Log* log)
        : PropSheet(1, nullptr, app), m_First(FirstPageTemplate(), app, log), m_Second(SecondPageTemplate(), app, log)
    {
        AddPage(&m_First);
        AddPage(&m_Second);
        ++s_nAlive;
    }
    ~TwoPageSheet() override { --s_nAlive; }

    ProbePage<1> m_First;
    ProbePage<2> m_Second;
    static inline int s_nAlive = 0;
};

class QtPropSheetTest : public QtEditorTest
{
protected:
    void SetUp() override
    {
        QtEditorTest::SetUp();
        // What the editor's loop does with every message before it is dispatched.
        m_System.SetMessageFilter([this](WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
            return m_App.PreTranslateMessage({window, message, wParam, lParam}) != 0;
        });
    }

    TwoPageSheet& Open()
    {
        m_Holder = std::make_unique<TwoPageSheet>(&m_App, &m_Log);
        auto& sheet = static_cast<TwoPageSheet&>(*m_Holder);
        sheet.Register(&m_Holder);
        EXPECT_EQ(sheet.Create(), 1);
        EXPECT_EQ(sheet.SetCaption("設定"), 1);
        return sheet;
    }
    QWidget* SheetWidget(const PropSheet& sheet, int id) const
    {
        auto* child = dynamic_cast<platform::QtChildWindow*>(
            m_System.Resolve(m_System.GetDlgItem(sheet.SheetWindow(), id)));
        return child ? child->Widget() : nullptr;
    }
    QTabBar* Tabs(const PropSheet& sheet) const
    {
        return static_cast<platform::QtTabControl*>(SheetWidget(sheet, platform::kIdSheetTabs))->Bar();
    }
    QPushButton* Button(const PropSheet& sheet, int id) const
    {
        return qobject_cast<QPushButton*>(SheetWidget(sheet, id));
    }
    void ClickTab(const PropSheet& sheet, int tab)
    {
        QTest::mouseClick(Tabs(sheet), Qt::LeftButton, {}, Tabs(sheet)->tabRect(tab).center());
    }
    // The widget of the control the window system has focused, where the author's keys go.
    QWidget* FocusedWidget() const
    {
        auto* child = dynamic_cast<platform::QtChildWindow*>(m_System.Resolve(m_System.Focus()));
        return child ? child->Widget() : nullptr;
    }
    bool Shown(const DialogBase& page) const { return page.Native() && page.Native()->IsVisible(); }

    Log m_Log;
    std::unique_ptr<PropSheetOwner> m_Holder;
};

TEST_F(QtPropSheetTest, PagesAreToldWhenTheyBecomeCurrentAndOnApplyAndOkAndTheOwnerGoesOnTheNextTurn)
{
    TwoPageSheet& sheet = Open();
    auto* window = static_cast<platform::QtWindow*>(m_System.Resolve(sheet.SheetWindow()));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->TopLevel()->isVisible());
    EXPECT_EQ(window->Text(), "設定");
    EXPECT_EQ(m_System.ActiveWindow(), sheet.SheetWindow());
    ASSERT_EQ(Tabs(sheet)->count(), 2);
    EXPECT_EQ(Tabs(sheet)->tabText(0), platform::FromCp932("一頁"));
    EXPECT_EQ(Tabs(sheet)->tabText(1), platform::FromCp932("二頁"));
    EXPECT_EQ(Button(sheet, platform::kIdOk)->text(), "OK");
    EXPECT_EQ(Button(sheet, platform::kIdCancel)->text(), platform::FromCp932("キャンセル"));
    EXPECT_EQ(Button(sheet, platform::kIdSheetApply)->text(), platform::FromCp932("適用(&A)"));
    // The tab control, the three buttons and the first page: no help button, the second page not made yet.
    EXPECT_EQ(m_System.Children(sheet.SheetWindow()).size(), 5u);
    EXPECT_EQ(m_Log, (Log{"1 init", "1 setactive"}));
    EXPECT_TRUE(Shown(sheet.m_First));
    EXPECT_EQ(sheet.m_Second.Handle(), nullptr);
    EXPECT_EQ(m_System.Focus(), Item(sheet.m_First, 1001));
    EXPECT_EQ(sheet.m_First.SheetWindow(), sheet.SheetWindow());
    EXPECT_TRUE(sheet.m_First.IsModeless());
    EXPECT_EQ(m_App.m_Windows, (std::vector<WindowBase*>{&sheet.m_First}));
    EXPECT_FALSE(Button(sheet, platform::kIdSheetApply)->isEnabled());

    m_Log.clear();
    ClickTab(sheet, 1);
    EXPECT_EQ(m_Log, (Log{"2 init", "2 setactive"}));
    EXPECT_FALSE(Shown(sheet.m_First));
    EXPECT_TRUE(Shown(sheet.m_Second));
    EXPECT_EQ(sheet.CurrentPage(), sheet.m_Second.Handle());
    EXPECT_TRUE(sheet.m_Second.IsCurrentSheetPage());
    EXPECT_FALSE(sheet.m_First.IsCurrentSheetPage());
    // Both pages stand in the same place, below the tabs.
    EXPECT_EQ(sheet.m_First.Native()->WindowRect().m_nLeft, sheet.m_Second.Native()->WindowRect().m_nLeft);
    EXPECT_EQ(sheet.m_First.Native()->WindowRect().m_nTop, sheet.m_Second.Native()->WindowRect().m_nTop);
    EXPECT_GE(sheet.m_First.Native()->WindowRect().m_nTop, platform::kTabRowHeight);

    m_Log.clear();
    ClickTab(sheet, 0);
    EXPECT_EQ(m_Log, (Log{"1 setactive"}));
    QTest::mouseClick(qobject_cast<QPushButton*>(Widget(sheet.m_First, 1002)), Qt::LeftButton);
    EXPECT_TRUE(Button(sheet, platform::kIdSheetApply)->isEnabled()); // the page's PageChanged

    m_Log.clear();
    QTest::mouseClick(Button(sheet, platform::kIdSheetApply), Qt::LeftButton);
    EXPECT_EQ(m_Log, (Log{"1 apply", "2 apply"}));
    EXPECT_FALSE(Button(sheet, platform::kIdSheetApply)->isEnabled());
    EXPECT_TRUE(window->TopLevel()->isVisible());
    EXPECT_EQ(sheet.CurrentPage(), sheet.m_First.Handle());

    sheet.RedrawPages();
    EXPECT_EQ(sheet.m_First.m_nPaints, 1);
    EXPECT_EQ(sheet.m_Second.m_nPaints, 1);

    m_Log.clear();
    QTest::mouseClick(Button(sheet, platform::kIdOk), Qt::LeftButton);
    EXPECT_EQ(m_Log, (Log{"1 apply", "2 apply"}));
    // Closed: no current page, hidden, but the owner lives until the loop's next turn.
    EXPECT_EQ(sheet.CurrentPage(), nullptr);
    EXPECT_TRUE(sheet.IsFinished());
    EXPECT_FALSE(window->TopLevel()->isVisible());
    EXPECT_EQ(TwoPageSheet::s_nAlive, 1);
    ASSERT_EQ(m_App.m_Sheets.size(), 1u);

    m_Log.clear();
    m_System.PumpMessages();
    EXPECT_EQ(TwoPageSheet::s_nAlive, 0);
    EXPECT_EQ(m_Holder, nullptr);
    EXPECT_TRUE(m_App.m_Sheets.empty());
    EXPECT_TRUE(m_App.m_Windows.empty());
    EXPECT_EQ(m_Log, (Log{"1 destroy", "2 destroy"}));
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(QtPropSheetTest, TheSheetsKeyboardGoesRoundItsControlsChangesPagesAndClosesWithoutApplyingOnEsc)
{
    TwoPageSheet& sheet = Open();
    QWidget* edit = Widget(sheet.m_First, 1001);
    // Tab: the page's controls, then the buttons OK and Cancel (Apply is disabled), the tabs, the page again.
    const WindowHandle cycle[] = {Item(sheet.m_First, 1002), m_System.GetDlgItem(sheet.SheetWindow(), platform::kIdOk),
                                  m_System.GetDlgItem(sheet.SheetWindow(), platform::kIdCancel),
                                  m_System.GetDlgItem(sheet.SheetWindow(), platform::kIdSheetTabs),
                                  Item(sheet.m_First, 1001)};
    for (WindowHandle next : cycle)
    {
        QTest::keyClick(FocusedWidget(), Qt::Key_Tab);
        EXPECT_EQ(m_System.Focus(), next);
    }
    QTest::keyClick(edit, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(m_System.Focus(), m_System.GetDlgItem(sheet.SheetWindow(), platform::kIdSheetTabs));

    m_Log.clear();
    QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(sheet.CurrentPage(), sheet.m_Second.Handle());
    EXPECT_EQ(Tabs(sheet)->currentIndex(), 1);
    QTest::keyClick(Widget(sheet.m_Second, 1001), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(sheet.CurrentPage(), sheet.m_First.Handle());
    EXPECT_EQ(m_Log, (Log{"2 init", "2 setactive", "1 setactive"}));

    // Enter on the page's push button presses it, not OK.
    m_System.SetFocus(Item(sheet.m_First, 1002));
    QTest::keyClick(Widget(sheet.m_First, 1002), Qt::Key_Return);
    EXPECT_EQ(m_Log.back(), "1 command 1002");
    EXPECT_FALSE(sheet.IsFinished());

    m_Log.clear();
    QTest::keyPress(edit, Qt::Key_Escape); // (the key's release would be the loop's next turn)
    EXPECT_TRUE(sheet.IsFinished());
    EXPECT_NE(m_Holder, nullptr);
    m_System.PumpMessages();
    EXPECT_EQ(m_Holder, nullptr);
    EXPECT_EQ(m_Log, (Log{"1 destroy", "2 destroy"})); // no page heard of Apply
}

TEST_F(QtPropSheetTest, CancelAndTheCloseBoxCloseTheSheetAndEnterIsOk)
{
    for (int how = 0; how < 3; ++how)
    {
        SCOPED_TRACE(how);
        TwoPageSheet& sheet = Open();
        m_Log.clear();
        if (how == 0)
        {
            QTest::mouseClick(Button(sheet, platform::kIdCancel), Qt::LeftButton);
        }
        else if (how == 1)
        {
            static_cast<platform::QtWindow*>(m_System.Resolve(sheet.SheetWindow()))->TopLevel()->close();
        }
        else
        {
            QTest::keyPress(Widget(sheet.m_First, 1001), Qt::Key_Return);
        }
        EXPECT_EQ(m_Log, how == 2 ? Log{"1 apply"} : Log{});
        EXPECT_TRUE(sheet.IsFinished());
        m_System.PumpMessages();
        EXPECT_EQ(m_Holder, nullptr);
        EXPECT_EQ(TwoPageSheet::s_nAlive, 0);
        EXPECT_TRUE(m_App.m_Sheets.empty());
    }
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

} // namespace
