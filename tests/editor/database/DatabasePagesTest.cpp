// The database pages on the dummy backend: a right click on a record list
// shows the land under the pointer and opens the list's pop-up menu, whose
// choice comes back to the page.
#include "common/window/MouseButtons.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/EditModel.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/database/DatabaseTestSupport.h"

namespace
{

class DatabasePagesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_System.FixDesktopRect({0, 0, 1280, 1024});
        AppWindowSystem = &m_System;
        m_Project.Start();
        ResetMouseLatches();
    }
    void TearDown() override
    {
        m_pView.reset();
        m_Project.End();
        KeyboardHook::UninstallAll();
        AppWindowSystem = nullptr;
    }

    // The right button pressed and released over the page at the screen point.
    void RightClick(const DialogBase& page, platform::Point at)
    {
        m_System.SetCursorPos(at);
        m_System.SetMouseButton(1, true);
        m_System.SendMessage(page.Handle(), platform::kWmRButtonDown, 0, 0);
        m_System.SetMouseButton(1, false);
        m_System.SendMessage(page.Handle(), platform::kWmRButtonUp, 0, 0);
    }

    platform::DummyWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
    EditorApp m_App;
    DatabaseProject m_Project;
    std::unique_ptr<StandInView> m_pView;
};

TEST_F(DatabasePagesTest, ARightClickOnALandShowsItAndThePopUpsChoiceActsOnIt)
{
    LandTable.resize(4);
    for (int i = 0; i < 4; ++i)
    {
        LandTable.At(i).SetDefaults();
        LandTable.At(i).m_strName = "L" + std::to_string(i + 1);
        LandTable.At(i).m_nMoveCost = 3;
    }
    m_pView = std::make_unique<StandInView>(&m_App);
    ASSERT_EQ(m_pView->OpenDatabase(), 1);
    DatabaseSheet& sheet = *HeldDatabaseSheet(*m_pView);
    ASSERT_EQ(sheet.SelectPage(kPageLand), 1);
    auto& page = *static_cast<LandPage*>(sheet.Page(kPageLand));
    platform::WindowHandle list = m_System.GetDlgItem(page.Handle(), kIdLandList);
    platform::Rect rect = m_System.Resolve(list)->ScreenRect();
    auto* name = platform::ModelOf<platform::EditModel>(m_System.GetDlgItem(page.Handle(), kIdLandName));

    // Below the rows: nothing.
    m_System.SetPopupChoice(40081);
    RightClick(page, {rect.m_nLeft + 10, rect.m_nTop + 2 + 6 * 12 + 3});
    m_System.PumpMessages();
    EXPECT_EQ(page.Current().m_strName, "L1");
    EXPECT_EQ(page.Working().At(2).m_strName, "L3");

    // On the third land: shown with the focus on the list, then "データのクリア" clears it.
    RightClick(page, {rect.m_nLeft + 10, rect.m_nTop + 2 + 2 * 12 + 3});
    EXPECT_EQ(page.Current().m_strName, "L3");
    EXPECT_EQ(name->Text(), "L3");
    EXPECT_EQ(m_System.Focus(), list);
    auto* top = static_cast<platform::DummyWindow*>(m_System.Resolve(sheet.SheetWindow()));
    ASSERT_NE(top->LastPopupMenu(), nullptr);
    ASSERT_EQ(top->LastPopupMenu()->m_Items.size(), 5u);
    EXPECT_EQ(top->LastPopupMenu()->m_Items[4].m_nCommand, 40081);
    m_System.PumpMessages();
    EXPECT_EQ(page.Working().At(2).m_strName, "");
    EXPECT_EQ(page.Working().At(2).m_nMoveCost, 1);
    EXPECT_EQ(name->Text(), "");
    EXPECT_EQ(page.Working().At(3).m_strName, "L4");
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

} // namespace
