// The editor's application object on the dummy backend: what its
// pre-translation consumes (accelerators under their three rules, dialog and
// sheet navigation), the clean-up of closed sheets on the way, and its idle step.
#include "common/window/Accelerators.h"
#include "common/window/EditorApp.h"
#include "common/window/WindowBase.h"
#include "platform/window/DummyWindowSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

using platform::WindowHandle;

constexpr int kTableId = 9100;
constexpr int kCutCommand = 500;

// A registered window that writes down its commands and idle steps.
class AppWindow : public WindowBase
{
public:
    AppWindow(platform::WindowSystem& system, std::string name, WindowHandle parent = nullptr, int kind = kWindowPlain)
        : m_strName(std::move(name))
    {
        SetKind(kind);
        platform::WindowCreateParams params;
        params.m_WindowRect = {0, 0, 200, 100};
        params.m_pProcedure = &AppWindow::Procedure;
        params.m_nCreateParam = reinterpret_cast<intptr_t>(this);
        if (parent)
        {
            params.m_nStyle = platform::kWsChild | platform::kWsVisible;
            params.m_hParent = parent;
            params.m_nId = 100;
        }
        system.CreateWindow(params);
    }
    ~AppWindow() override
    {
        if (platform::NativeWindow* native = Native())
        {
            native->SetUserData(nullptr);
            native->System().DestroyWindow(Handle());
        }
    }

    static intptr_t Procedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        platform::NativeWindow* native = platform::ResolveWindow(window);
        if (native && message == platform::kWmCreate)
        {
            native->SetUserData(reinterpret_cast<void*>(lParam));
        }
        auto* self = native ? static_cast<AppWindow*>(native->UserData()) : nullptr;
        if (self && self->OnMessage(window, message, wParam, lParam))
        {
            return 0;
        }
        return platform::DefWindowProc(window, message, wParam, lParam);
    }

    void OnCommand(uintptr_t wParam, intptr_t) override { Write(std::to_string(platform::LowWord(wParam))); }
    void OnIdle() override { Write("idle"); }
    void Write(const std::string& what)
    {
        if (m_pLog)
        {
            m_pLog->push_back(m_strName + " " + what);
        }
    }

    WindowHandle AddChild(int id, uint32_t style = 0)
    {
        platform::WindowCreateParams params;
        params.m_nStyle = platform::kWsChild | platform::kWsVisible | style;
        params.m_WindowRect = {0, 0, 50, 20};
        params.m_hParent = Handle();
        params.m_nId = id;
        return System()->CreateWindow(params);
    }

    std::string m_strName;
    std::vector<std::string>* m_pLog = nullptr;
};

// A stand-in for the framework's property sheet.
class StandInSheet : public ModelessSheet
{
public:
    WindowHandle SheetWindow() const override { return m_hWindow; }
    WindowHandle CurrentPage() const override { return m_hPage; }
    void Destroy() override
    {
        ++m_nDestroyed;
        m_hWindow = nullptr;
    }
    bool IsSheetMessage(const platform::WindowMessage& message) override
    {
        return message.m_nMessage == platform::kWmKeyDown && message.m_wParam == platform::kVkTab;
    }
    void RedrawPages() override { ++m_nRedraws; }

    WindowHandle m_hWindow;
    WindowHandle m_hPage;
    int m_nDestroyed = 0;
    int m_nRedraws = 0;
};

// The object that owns a sheet: deleting it takes the sheet's entry out of the list, as the sheet's end does.
class StandInOwner : public PropSheetOwner
{
public:
    StandInOwner(EditorApp& app, StandInSheet& sheet, int& deleted) : m_App(app), m_Sheet(sheet), m_nDeleted(deleted) {}
    ~StandInOwner() override
    {
        ++m_nDeleted;
        std::erase_if(m_App.m_Sheets, [this](const SheetEntry& entry) { return entry.m_pSheet == &m_Sheet; });
    }

private:
    EditorApp& m_App;
    StandInSheet& m_Sheet;
    int& m_nDeleted;
};

class StandInView : public AppView
{
public:
    WindowHandle ViewWindow() const override { return nullptr; }
    ModelessSheet* OpenSheet() const override { return m_pSheet; }
    ModelessSheet* m_pSheet = nullptr;
};

class AppLoopTest : public testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAcceleratorTable(kTableId, {{'X', platform::kKeyControl, kCutCommand}});
    }
    void TearDown() override { CurrentView = nullptr; }

    platform::WindowMessage CtrlX(WindowHandle to) const
    {
        return {to, platform::kWmKeyDown, 'X', platform::kKeyControl};
    }
    void Add(AppWindow& window)
    {
        window.m_pLog = &m_Log;
        m_App.AddWindow(&window);
    }

    platform::DummyWindowSystem m_System;
    EditorApp m_App;
    std::vector<std::string> m_Log;
};

TEST_F(AppLoopTest, AcceleratorsApplyOnlyUnderTheirThreeRules)
{
    // A window with a table of its own, one whose table serves one of its
    // controls, and a sheet with two pages of which the first has a table.
    AppWindow own(m_System, "own");
    AppWindow bound(m_System, "bound");
    Add(own);
    Add(bound);
    WindowHandle boundControl = bound.AddChild(7);
    WindowHandle otherControl = bound.AddChild(8);
    AppWindow sheetWindow(m_System, "sheet");
    AppWindow page(m_System, "page", sheetWindow.Handle(), kWindowSheetPage);
    Add(page);
    AppWindow otherPage(m_System, "other page", sheetWindow.Handle(), kWindowSheetPage);
    page.SetSheetWindow(sheetWindow.Handle());
    own.AddAccelerators(own.Handle(), kTableId);
    bound.AddAccelerators(boundControl, kTableId);
    page.AddAccelerators(page.Handle(), kTableId);
    StandInSheet sheet;
    sheet.m_hWindow = sheetWindow.Handle();
    m_App.m_Sheets.push_back({&sheet, nullptr});

    struct Row
    {
        const char* m_pszCase;
        WindowHandle m_hActive;
        WindowHandle m_hFocus;
        WindowHandle m_hCurrentPage;
        std::vector<std::string> m_Expected;
    };
    const Row rows[] = {
        {"active window", own.Handle(), nullptr, otherPage.Handle(), {"own 500"}},
        {"another window active", sheetWindow.Handle(), nullptr, otherPage.Handle(), {}},
        {"bound control focused", bound.Handle(), boundControl, otherPage.Handle(), {"bound 500"}},
        {"another control focused", bound.Handle(), otherControl, otherPage.Handle(), {}},
        {"current page of the active sheet", sheetWindow.Handle(), nullptr, page.Handle(), {"page 500"}},
        {"another page current", sheetWindow.Handle(), nullptr, otherPage.Handle(), {}},
        {"sheet inactive", own.Handle(), nullptr, page.Handle(), {"own 500"}},
    };
    for (const Row& row : rows)
    {
        m_Log.clear();
        m_System.SetActiveWindow(row.m_hActive);
        m_System.SetFocus(row.m_hFocus ? row.m_hFocus : row.m_hActive);
        sheet.m_hPage = row.m_hCurrentPage;
        int consumed = m_App.PreTranslateMessage(CtrlX(m_System.Focus()));
        EXPECT_EQ(m_Log, row.m_Expected) << row.m_pszCase;
        EXPECT_EQ(consumed, row.m_Expected.empty() ? 0 : 1) << row.m_pszCase;
    }
    // Key-ups and other keys never translate.
    m_System.SetActiveWindow(own.Handle());
    EXPECT_EQ(m_App.PreTranslateMessage({own.Handle(), platform::kWmKeyUp, 'X', platform::kKeyControl}), 0);
    EXPECT_EQ(m_App.PreTranslateMessage({own.Handle(), platform::kWmKeyDown, 'X', 0}), 0);
}

TEST_F(AppLoopTest, SheetsTheAuthorClosedAreCleanedUpAtTheNextMessageWhichGoesOn)
{
    AppWindow first(m_System, "first");
    AppWindow second(m_System, "second");
    StandInSheet open;
    open.m_hWindow = first.Handle();
    open.m_hPage = first.AddChild(1);
    StandInSheet closedA;
    closedA.m_hWindow = first.Handle();
    StandInSheet closedB;
    closedB.m_hWindow = second.Handle();
    int deleted = 0;
    std::unique_ptr<PropSheetOwner> holderA = std::make_unique<StandInOwner>(m_App, closedA, deleted);
    std::unique_ptr<PropSheetOwner> holderB = std::make_unique<StandInOwner>(m_App, closedB, deleted);
    m_App.m_Sheets = {{&open, nullptr}, {&closedA, &holderA}, {&closedB, &holderB}};

    // Any message cleans up every closed sheet, and is still the loop's to dispatch.
    platform::WindowMessage move{first.Handle(), platform::kWmMouseMove, 0, 0};
    EXPECT_EQ(m_App.PreTranslateMessage(move), 0);
    EXPECT_EQ(closedA.m_nDestroyed, 1);
    EXPECT_EQ(closedB.m_nDestroyed, 1);
    EXPECT_EQ(holderA, nullptr);
    EXPECT_EQ(holderB, nullptr);
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(open.m_nDestroyed, 0);
    EXPECT_EQ(m_App.m_Sheets.size(), 1u);
    EXPECT_EQ(m_App.PreTranslateMessage(move), 0);
    EXPECT_EQ(open.m_nDestroyed, 0);
}

TEST_F(AppLoopTest, DialogAndSheetNavigationAreConsumed)
{
    AppWindow dialog(m_System, "dialog");
    Add(dialog);
    WindowHandle a = dialog.AddChild(1, platform::kWsTabStop);
    WindowHandle b = dialog.AddChild(2, platform::kWsTabStop);
    m_System.SetFocus(a);
    EXPECT_EQ(m_App.PreTranslateMessage({a, platform::kWmKeyDown, platform::kVkTab, 0}), 1);
    EXPECT_EQ(m_System.Focus(), b);
    EXPECT_EQ(m_App.PreTranslateMessage({b, platform::kWmKeyDown, 'A', 0}), 0);

    // A key for the sheet's own window: its navigation.
    AppWindow sheetWindow(m_System, "sheet");
    StandInSheet sheet;
    sheet.m_hWindow = sheetWindow.Handle();
    sheet.m_hPage = sheetWindow.AddChild(5);
    m_App.m_Sheets.push_back({&sheet, nullptr});
    EXPECT_EQ(m_App.PreTranslateMessage({sheetWindow.Handle(), platform::kWmKeyDown, platform::kVkTab, 0}), 1);
    // A sheet without a window is left alone.
    sheet.m_hWindow = nullptr;
    EXPECT_EQ(m_App.PreTranslateMessage({sheetWindow.Handle(), platform::kWmKeyDown, platform::kVkTab, 0}), 0);
}

TEST_F(AppLoopTest, IdleStepServesTheWindowsAndTheViewsSheetOnlyWithAView)
{
    AppWindow first(m_System, "first");
    AppWindow second(m_System, "second");
    Add(first);
    Add(second);
    EXPECT_EQ(m_App.OnIdle(), 1);
    EXPECT_TRUE(m_Log.empty());

    StandInView view;
    StandInSheet sheet;
    CurrentView = &view;
    EXPECT_EQ(m_App.OnIdle(), 1);
    EXPECT_EQ(m_Log, (std::vector<std::string>{"first idle", "second idle"}));
    EXPECT_EQ(sheet.m_nRedraws, 0);

    view.m_pSheet = &sheet;
    m_App.OnIdle();
    EXPECT_EQ(sheet.m_nRedraws, 0); // a sheet without a window draws nothing
    sheet.m_hWindow = first.Handle();
    m_App.OnIdle();
    EXPECT_EQ(sheet.m_nRedraws, 1);
}

} // namespace
