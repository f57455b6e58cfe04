// Tab controls on the dummy backend: the program's changes stay quiet, the
// author's choice asks the parent first and may be kept from happening.
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/TabModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using namespace platform;

std::vector<std::string> g_Heard;
intptr_t g_nChangingAnswer = 0;

intptr_t Parent(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == kWmNotify)
    {
        auto* header = reinterpret_cast<const NotifyHeader*>(lParam);
        g_Heard.push_back(std::to_string(header->m_nId) + " " + std::to_string(header->m_nCode));
        return header->m_nCode == kTcnSelChanging ? g_nChangingAnswer : 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

TEST(TabModelTest, TheAuthorsChoiceIsAskedForAndReportedTheProgramsIsNot)
{
    DummyWindowSystem system;
    WindowCreateParams params;
    params.m_WindowRect = {0, 0, 300, 200};
    params.m_pProcedure = &Parent;
    WindowHandle parent = system.CreateWindow(params);
    WindowCreateParams tabParams;
    tabParams.m_strClass = kClassTabControl;
    tabParams.m_nStyle = kWsChild | kWsVisible;
    tabParams.m_hParent = parent;
    tabParams.m_nId = 77;
    tabParams.m_WindowRect = {0, 0, 200, 100};
    WindowHandle tabs = system.CreateWindow(tabParams);
    auto* model = ModelOf<TabModel>(tabs);
    ASSERT_NE(model, nullptr);
    g_Heard.clear();

    EXPECT_EQ(system.SendMessage(tabs, kTcmGetCurSel, 0, 0), -1);
    EXPECT_EQ(system.SendMessage(tabs, kTcmInsertItem, 0, reinterpret_cast<intptr_t>("二")), 0);
    EXPECT_EQ(system.SendMessage(tabs, kTcmInsertItem, 0, reinterpret_cast<intptr_t>("一")), 0);
    EXPECT_EQ(model->Tabs(), (std::vector<std::string>{"一", "二"}));
    EXPECT_EQ(system.SendMessage(tabs, kTcmGetCurSel, 0, 0), 1); // the first tab moved right with its insert
    EXPECT_EQ(system.SendMessage(tabs, kTcmSetCurSel, 0, 0), 1);
    EXPECT_EQ(system.SendMessage(tabs, kTcmSetCurSel, 5, 0), -1);
    EXPECT_EQ(system.SendMessage(tabs, kTcmGetItemCount, 0, 0), 2);
    EXPECT_TRUE(g_Heard.empty());

    g_nChangingAnswer = 1;
    model->UserSelect(1);
    EXPECT_EQ(model->Selection(), 0);
    EXPECT_EQ(g_Heard, (std::vector<std::string>{"77 -552"}));
    g_nChangingAnswer = 0;
    g_Heard.clear();
    model->UserSelect(1);
    model->UserSelect(1); // the current tab: nothing
    model->UserSelect(2); // no such tab: nothing
    EXPECT_EQ(model->Selection(), 1);
    EXPECT_EQ(g_Heard, (std::vector<std::string>{"77 -552", "77 -551"}));
}

} // namespace
