#pragma once

// Behaviours of the window core that every backend must show alike. Each test
// program that has a backend includes this file once and instantiates the
// suite with a factory of its backend:
//   INSTANTIATE_TEST_SUITE_P(Dummy, CoreBehaviour, testing::Values(CoreBackend{"dummy", factory}),
//                            CoreBackendName);

#include "platform/window/WindowSystem.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

struct CoreBackend
{
    std::string m_strName;
    std::function<std::unique_ptr<platform::WindowSystem>()> m_Make;
};

inline void PrintTo(const CoreBackend& backend, std::ostream* out)
{
    *out << backend.m_strName;
}

inline std::string CoreBackendName(const testing::TestParamInfo<CoreBackend>& info)
{
    return info.param.m_strName;
}

// What a window saw, kept in the window's user pointer by a shared procedure.
struct Probe
{
    struct Seen
    {
        platform::WindowHandle m_hWindow;
        uint32_t m_nMessage = 0;
        uintptr_t m_wParam = 0;
        bool operator==(const Seen&) const = default;
    };

    std::vector<Seen>* m_pLog = nullptr; // several windows may share one log
    std::function<void(platform::WindowHandle, uint32_t, uintptr_t)> m_Act;

    static intptr_t Procedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        platform::NativeWindow* native = platform::ResolveWindow(window);
        if (auto* probe = native ? static_cast<Probe*>(native->UserData()) : nullptr)
        {
            if (probe->m_pLog)
            {
                probe->m_pLog->push_back({window, message, wParam});
            }
            if (probe->m_Act)
            {
                auto act = probe->m_Act;
                act(window, message, wParam);
            }
        }
        return platform::DefWindowProc(window, message, wParam, lParam);
    }
};

inline void PrintTo(const Probe::Seen& seen, std::ostream* out)
{
    *out << seen.m_hWindow << " message 0x" << std::hex << seen.m_nMessage << " wParam 0x" << seen.m_wParam;
}

class CoreBehaviour : public testing::TestWithParam<CoreBackend>
{
protected:
    void SetUp() override { m_pSystem = GetParam().m_Make(); }
    void TearDown() override
    {
        // The windows still open hear of their end: the probes must not act on a test that is over.
        for (Probe& probe : m_Probes)
        {
            probe.m_Act = nullptr;
            probe.m_pLog = nullptr;
        }
        m_pSystem.reset();
    }

    platform::WindowSystem& System() { return *m_pSystem; }
    // A probe that lives as long as the system.
    Probe& NewProbe() { return m_Probes.emplace_back(); }

    // A top-level window, or a child with the id, watched by the probe.
    platform::WindowHandle Make(Probe& probe, platform::WindowHandle parent = nullptr, int id = 0)
    {
        platform::WindowCreateParams params;
        params.m_nStyle = parent ? platform::kWsChild | platform::kWsVisible : platform::kWsOverlappedWindow;
        params.m_WindowRect = parent ? platform::Rect{10 * id, 10, 40, 20} : platform::Rect{20, 20, 300, 200};
        params.m_hParent = parent;
        params.m_nId = id;
        params.m_pProcedure = &Probe::Procedure;
        platform::WindowHandle window = System().CreateWindow(params);
        if (platform::NativeWindow* native = System().Resolve(window))
        {
            native->SetUserData(&probe);
        }
        return window;
    }

    std::list<Probe> m_Probes;
    std::unique_ptr<platform::WindowSystem> m_pSystem;
};

TEST_P(CoreBehaviour, AStaleHandleIsRefusedAfterItsSlotIsReused)
{
    Probe& first = NewProbe();
    Probe& second = NewProbe();
    std::vector<Probe::Seen> log;
    second.m_pLog = &log;
    platform::WindowHandle old = Make(first);
    ASSERT_TRUE(old);
    ASSERT_TRUE(System().DestroyWindow(old));
    System().PumpMessages(); // freed
    platform::WindowHandle reused = Make(second);
    ASSERT_TRUE(reused);
    ASSERT_EQ(reused.Slot(), old.Slot()) << "the slot was not reused; the case proves nothing";
    EXPECT_NE(reused, old);

    EXPECT_FALSE(System().IsWindow(old));
    EXPECT_EQ(platform::ResolveWindow(old), nullptr);
    EXPECT_FALSE(System().PostMessage(old, platform::kWmCommand, 1, 0));
    EXPECT_EQ(System().SendMessage(old, platform::kWmCommand, 2, 0), 0);
    EXPECT_FALSE(System().DestroyWindow(old));
    System().SetFocus(old);
    EXPECT_NE(System().Focus(), reused);
    System().PumpMessages();
    for (const Probe::Seen& seen : log)
    {
        EXPECT_NE(seen.m_nMessage, static_cast<uint32_t>(platform::kWmCommand));
    }
    EXPECT_TRUE(System().IsWindow(reused));
}

TEST_P(CoreBehaviour, AQuitPostedInANestedModalLoopEndsItThenTheOuterLoop)
{
    Probe& probe = NewProbe();
    platform::WindowHandle window = Make(probe);
    std::vector<std::string> order;
    probe.m_Act = [&](platform::WindowHandle, uint32_t message, uintptr_t wParam) {
        if (message != platform::kWmCommand)
        {
            return;
        }
        order.push_back("command " + std::to_string(wParam));
        if (wParam == 1)
        {
            System().PostMessage(window, platform::kWmCommand, 2, 0);
            bool ended = System().RunModalLoop([] { return false; });
            order.push_back(ended ? "modal ended" : "modal left for the quit");
            EXPECT_TRUE(System().QuitPending());
        }
        else if (wParam == 2)
        {
            System().PostQuit(7);
            // Posted after the quit: no loop takes it.
            System().PostMessage(window, platform::kWmCommand, 3, 0);
        }
    };
    System().PostMessage(window, platform::kWmCommand, 1, 0);
    EXPECT_EQ(System().RunMessageLoop(nullptr), 7);
    EXPECT_EQ(order, (std::vector<std::string>{"command 1", "command 2", "modal left for the quit"}));
    EXPECT_FALSE(System().QuitPending()); // the outermost loop took it

    // A modal loop whose dialog ends returns true and leaves no quit behind.
    bool end = false;
    probe.m_Act = [&](platform::WindowHandle, uint32_t message, uintptr_t) { end = end || message == platform::kWmCommand; };
    System().PostMessage(window, platform::kWmCommand, 4, 0);
    EXPECT_TRUE(System().RunModalLoop([&] { return end; }));
    EXPECT_FALSE(System().QuitPending());
}

TEST_P(CoreBehaviour, AFocusChangeKillsTheOldFocusBeforeSettingTheNew)
{
    Probe& dialogProbe = NewProbe();
    Probe& firstProbe = NewProbe();
    Probe& secondProbe = NewProbe();
    std::vector<Probe::Seen> log;
    platform::WindowHandle dialog = Make(dialogProbe);
    platform::WindowHandle first = Make(firstProbe, dialog, 1);
    platform::WindowHandle second = Make(secondProbe, dialog, 2);
    System().Resolve(dialog)->Show(true);
    System().PumpMessages();
    System().SetFocus(first);
    System().PumpMessages();
    ASSERT_EQ(System().Focus(), first);
    EXPECT_EQ(System().ActiveWindow(), dialog);

    dialogProbe.m_pLog = firstProbe.m_pLog = secondProbe.m_pLog = &log;
    System().SetFocus(second);
    System().PumpMessages();
    using Seen = Probe::Seen;
    std::erase_if(log, [](const Seen& seen) {
        return seen.m_nMessage != platform::kWmKillFocus && seen.m_nMessage != platform::kWmSetFocus;
    });
    EXPECT_EQ(log, (std::vector<Seen>{{first, platform::kWmKillFocus, platform::HandleParam(second)},
                                      {second, platform::kWmSetFocus, platform::HandleParam(first)}}));
    EXPECT_EQ(System().Focus(), second);

    // Destroying the focused control takes the focus away first.
    log.clear();
    System().DestroyWindow(second);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], (Seen{second, platform::kWmKillFocus, 0}));
    EXPECT_EQ(log[1], (Seen{second, platform::kWmDestroy, 0}));
    EXPECT_NE(System().Focus(), second); // a toolkit may hand it on to another window at once
}

TEST_P(CoreBehaviour, AKeyIsDownFromItsKeyDownToItsKeyUpAndEveryKeyIsUpWhenTheProgramIsLeft)
{
    Probe& dialogProbe = NewProbe();
    Probe& editProbe = NewProbe();
    platform::WindowHandle dialog = Make(dialogProbe);
    platform::WindowHandle edit = Make(editProbe, dialog, 1);
    System().Resolve(dialog)->Show(true);
    System().SetFocus(edit);
    System().SetAppActive(true);
    bool downWhenDispatched = false;
    editProbe.m_Act = [&](platform::WindowHandle, uint32_t message, uintptr_t) {
        if (message == platform::kWmKeyDown)
        {
            downWhenDispatched = System().IsKeyDown(platform::kVkBack);
        }
    };
    EXPECT_FALSE(System().IsKeyDown(platform::kVkBack));
    System().RouteKey(edit, platform::kWmKeyDown, platform::kVkBack, 0);
    EXPECT_TRUE(downWhenDispatched);
    EXPECT_TRUE(System().IsKeyDown(platform::kVkBack));
    EXPECT_FALSE(System().IsKeyDown(platform::kVkDelete));
    // A key the pre-translate step consumes is down all the same.
    System().SetMessageFilter([](platform::WindowHandle, uint32_t, uintptr_t, intptr_t) { return true; });
    System().RouteKey(edit, platform::kWmKeyDown, platform::kVkShift, 0);
    System().SetMessageFilter(nullptr);
    EXPECT_TRUE(System().IsKeyDown(platform::kVkShift));
    System().RouteKey(edit, platform::kWmKeyUp, platform::kVkBack, 0);
    EXPECT_FALSE(System().IsKeyDown(platform::kVkBack));
    EXPECT_TRUE(System().IsKeyDown(platform::kVkShift));
    // Its key-up goes to another program.
    System().SetAppActive(false);
    EXPECT_FALSE(System().IsKeyDown(platform::kVkShift));
    EXPECT_FALSE(System().IsKeyDown(100000)); // no such key
    editProbe.m_Act = nullptr;
}

TEST_P(CoreBehaviour, AWindowDestroyedInItsOwnHandlerIsFreedAfterTheDispatch)
{
    Probe& dialogProbe = NewProbe();
    Probe& childProbe = NewProbe();
    std::vector<Probe::Seen> log;
    platform::WindowHandle dialog = Make(dialogProbe);
    platform::WindowHandle child = Make(childProbe, dialog, 1);
    dialogProbe.m_pLog = childProbe.m_pLog = &log;
    platform::NativeWindow* native = System().Resolve(dialog);
    bool checked = false;
    dialogProbe.m_Act = [&](platform::WindowHandle window, uint32_t message, uintptr_t) {
        if (message != platform::kWmCommand)
        {
            return;
        }
        System().DestroyWindow(window);
        // Gone for everyone, but still there: the handler runs on in it.
        EXPECT_FALSE(System().IsWindow(window));
        EXPECT_FALSE(System().IsWindow(child));
        EXPECT_EQ(System().AwaitingFree(), 2u);
        // A loop run from inside the handler (a message box) frees nothing either.
        System().PumpMessages();
        EXPECT_EQ(System().AwaitingFree(), 2u);
        EXPECT_TRUE(native->IsDestroyed());
        EXPECT_EQ(native->UserData(), &dialogProbe);
        checked = true;
    };
    System().PostMessage(dialog, platform::kWmCommand, 1, 0);
    System().PumpMessages();
    EXPECT_TRUE(checked);
    EXPECT_EQ(System().AwaitingFree(), 0u);
    // The parent hears of its end before its children.
    std::vector<platform::WindowHandle> destroyed;
    for (const Probe::Seen& seen : log)
    {
        if (seen.m_nMessage == platform::kWmDestroy)
        {
            destroyed.push_back(seen.m_hWindow);
        }
    }
    EXPECT_EQ(destroyed, (std::vector<platform::WindowHandle>{dialog, child}));
}

TEST_P(CoreBehaviour, TheIdsOfANestedDialogAreFoundInThatDialogOnly)
{
    Probe& probe = NewProbe();
    platform::WindowHandle outer = Make(probe);
    platform::WindowHandle outerFirst = Make(probe, outer, 1);
    platform::WindowHandle inner = Make(probe, outer, 100);
    platform::WindowHandle innerFirst = Make(probe, inner, 1);
    platform::WindowHandle innerSecond = Make(probe, inner, 2);
    ASSERT_TRUE(innerSecond);

    EXPECT_EQ(System().GetDlgItem(outer, 1), outerFirst);
    EXPECT_EQ(System().GetDlgItem(outer, 2), nullptr);
    EXPECT_EQ(System().GetDlgItem(outer, 100), inner);
    EXPECT_EQ(System().GetDlgItem(inner, 1), innerFirst);
    EXPECT_EQ(System().GetDlgItem(inner, 2), innerSecond);
    EXPECT_EQ(System().Children(outer), (std::vector<platform::WindowHandle>{outerFirst, inner}));
    EXPECT_EQ(System().TopLevelOf(innerSecond), outer);
    EXPECT_TRUE(System().IsWithin(innerSecond, outer));
    EXPECT_FALSE(System().IsWithin(outerFirst, inner));

    System().Resolve(inner)->SetItemText(2, "内側");
    EXPECT_EQ(System().Resolve(innerSecond)->Text(), "内側");
    EXPECT_EQ(System().Resolve(outer)->ItemText(2), ""); // not the nested dialog's control
}

TEST_P(CoreBehaviour, ASendWhoseLoopHasEndedAnswersZero)
{
    Probe& probe = NewProbe();
    std::vector<Probe::Seen> log;
    probe.m_pLog = &log;
    platform::WindowHandle window = Make(probe);
    std::atomic<bool> sending{false};
    std::future<intptr_t> waiting;
    probe.m_Act = [&](platform::WindowHandle, uint32_t message, uintptr_t wParam) {
        if (message == platform::kWmCommand && wParam == 1)
        {
            // A sender on another thread; the loop quits before it answers.
            waiting = std::async(std::launch::async, [&] {
                sending = true;
                return System().SendMessage(window, platform::kWmCommand, 2, 0);
            });
            while (!sending)
            {
                std::this_thread::yield();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            System().PostQuit(0);
        }
    };
    System().PostMessage(window, platform::kWmCommand, 1, 0);
    EXPECT_EQ(System().RunMessageLoop(nullptr), 0);
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(1)), std::future_status::ready);
    EXPECT_EQ(waiting.get(), 0);

    // After the loop: answered at once, never dispatched.
    auto late = std::async(std::launch::async, [&] { return System().SendMessage(window, platform::kWmCommand, 3, 0); });
    ASSERT_EQ(late.wait_for(std::chrono::seconds(1)), std::future_status::ready);
    EXPECT_EQ(late.get(), 0);
    System().PumpMessages();
    for (const Probe::Seen& seen : log)
    {
        EXPECT_FALSE(seen.m_nMessage == platform::kWmCommand && seen.m_wParam != 1);
    }
}

TEST_P(CoreBehaviour, ToolButtonsKeepTheirStateAndAMinimisedWindowStaysShown)
{
    Probe& probe = NewProbe();
    platform::WindowHandle window = Make(probe);
    platform::NativeWindow* native = System().Resolve(window);
    ASSERT_NE(native, nullptr);
    native->Show(true);
    platform::ToolBar* bar = native->Frame()->CreateToolBar();
    ASSERT_NE(bar, nullptr);
    using platform::ToolButton;
    bar->AddStandardImages();
    bar->AddButton({platform::kStdImageNew, 500, ToolButton::kStateEnabled, ToolButton::kStyleCheck});
    bar->AddButton({0, 0, ToolButton::kStateEnabled, ToolButton::kStyleSeparator});
    bar->AddButton({platform::kStdImageOpen, 501, ToolButton::kStateEnabled, ToolButton::kStyleCheck});
    bar->SetButtonState(501, ToolButton::kStateChecked | ToolButton::kStateEnabled);
    bar->SetButtonState(500, 0);
    EXPECT_EQ(bar->ButtonState(501), ToolButton::kStateChecked | ToolButton::kStateEnabled);
    EXPECT_EQ(bar->ButtonState(500), 0);
    EXPECT_EQ(bar->ButtonState(999), 0) << "no such button";

    // Minimised into the task bar, restored from there; shown all along.
    System().SendMessage(window, platform::kWmSysCommand, platform::kScMinimize, 0);
    EXPECT_TRUE(native->IsMinimized());
    EXPECT_TRUE(native->IsVisible());
    System().SendMessage(window, platform::kWmSysCommand, platform::kScRestore, 0);
    EXPECT_FALSE(native->IsMinimized());
    EXPECT_TRUE(native->IsVisible());
}
