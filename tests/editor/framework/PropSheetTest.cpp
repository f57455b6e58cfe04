// The property sheet's life with the editor's loop on the dummy backend:
// closed sheets cleaned up at the next message, which the clean-up leaves to
// its window, and a sheet that cannot be made.
#include "editor/framework/PropSheet.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/framework/DialogTestSupport.h"

#include <gtest/gtest.h>

namespace
{

// The live sheets of the tests.
int s_nAlive = 0;

// A sheet of one page that it owns; the test counts the live ones. Each
// page class has one current instance: two sheets open at once need two.
template <class Page>
class OnePageSheet : public PropSheet
{
public:
    OnePageSheet(EditorApp* app, platform::WindowHandle parent, const DialogTemplate& page)
        : PropSheet(1, parent, app), m_Page(page, nullptr, app)
    {
        AddPage(&m_Page);
        ++s_nAlive;
    }
    ~OnePageSheet() override { --s_nAlive; }

    Page m_Page;
};

class PropSheetTest : public testing::Test
{
protected:
    void SetUp() override { AppWindowSystem = &m_System; }
    void TearDown() override { AppWindowSystem = nullptr; }

    platform::DummyWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
    EditorApp m_App;
};

TEST_F(PropSheetTest, TheNextMessageCleansUpEveryClosedSheetAndStillGoesToItsWindow)
{
    std::unique_ptr<PropSheetOwner> first =
        std::make_unique<OnePageSheet<ProbeDialog>>(&m_App, nullptr, PaletteTemplate());
    std::unique_ptr<PropSheetOwner> second =
        std::make_unique<OnePageSheet<OtherProbeDialog>>(&m_App, nullptr, PaletteTemplate());
    for (std::unique_ptr<PropSheetOwner>* holder : {&first, &second})
    {
        auto* sheet = static_cast<PropSheet*>(holder->get());
        sheet->Register(holder);
        ASSERT_EQ(sheet->Create(), 1);
    }
    const platform::WindowMessage any{nullptr, platform::kWmNull, 0, 0};
    EXPECT_EQ(m_App.PreTranslateMessage(any), 0); // open: nothing to clean up
    for (std::unique_ptr<PropSheetOwner>* holder : {&second, &first})
    {
        auto* sheet = static_cast<PropSheet*>(holder->get());
        m_System.SendMessage(sheet->SheetWindow(), platform::kWmCommand, platform::kIdCancel, 0);
        EXPECT_TRUE(sheet->IsFinished());
    }
    EXPECT_EQ(s_nAlive, 2);
    // The message is not used up by the clean-up: the loop dispatches it.
    EXPECT_EQ(m_App.PreTranslateMessage(any), 0);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(s_nAlive, 0);
    EXPECT_TRUE(m_App.m_Sheets.empty());
    EXPECT_TRUE(m_App.m_Windows.empty());
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(PropSheetTest, ASheetWhoseFirstPageCannotBeMadeReportsItAndLeavesItsParent)
{
    static const DialogTemplate missing{0, "", 10, 10, kChildDialog, {}};
    ProbeDialog parent(ViewTemplate(), nullptr, &m_App);
    parent.RunModeless(0);
    ASSERT_TRUE(parent.Handle());
    platform::WindowHandle parentWindow = parent.Handle();
    {
        OnePageSheet<OtherProbeDialog> sheet(&m_App, parentWindow, missing);
        sheet.m_Page.SetTemplate(nullptr); // a page without a template: no window
        EXPECT_EQ(sheet.Create(), 0);
        EXPECT_EQ(sheet.SheetWindow(), nullptr);
        EXPECT_EQ(sheet.SetCaption("x"), 0);
    }
    EXPECT_TRUE(m_System.IsWindow(parentWindow));
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strText, "ウインドウの生成に失敗！");
}

} // namespace
