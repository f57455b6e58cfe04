// The keyboard hook on the dummy backend: which keys a modal dialog's
// controls get a copy of, and with which Ctrl state.
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/framework/DialogTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using Log = std::vector<std::string>;

class KeyboardHookTest : public testing::Test
{
protected:
    void SetUp() override { AppWindowSystem = &m_System; }
    void TearDown() override
    {
        KeyboardHook::UninstallAll();
        AppWindowSystem = nullptr;
        CtrlKeyDown = 0;
    }

    // One key event as the keyboard gives it, then what the loop dispatches.
    void Key(uint32_t message, uint32_t key, intptr_t flags)
    {
        m_System.RouteKey(nullptr, message, key, flags);
        m_System.PumpMessages();
    }

    platform::DummyWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
    EditorApp m_App;
};

struct KeyEvent
{
    uint32_t m_nMessage;
    uint32_t m_nKey;
    intptr_t m_nFlags;
};

TEST_F(KeyboardHookTest, CopiesThatAModalDialogsControlsGet)
{
    constexpr uint32_t kDown = platform::kWmKeyDown;
    constexpr uint32_t kUp = platform::kWmKeyUp;
    constexpr intptr_t kCtrl = platform::kKeyControl;
    constexpr intptr_t kRepeat = platform::kKeyRepeat;
    struct Row
    {
        const char* m_pszCase;
        int m_nCtrlBefore; // what another program left behind
        std::vector<KeyEvent> m_Keys;
        Log m_Expected;
    };
    const Row rows[] = {
        {"Tab is never copied", 0, {{kDown, platform::kVkTab, 0}, {kUp, platform::kVkTab, 0}}, {}},
        {"Shift+Tab neither", 0, {{kDown, platform::kVkTab, platform::kKeyShift}}, {}},
        {"one copy per auto-repeat", 0,
         {{kDown, platform::kVkDelete, 0}, {kDown, platform::kVkDelete, kRepeat}, {kDown, platform::kVkDelete, kRepeat},
          {kUp, platform::kVkDelete, 0}},
         {"key 46 1001", "key 46 1001", "key 46 1001"}},
        {"Ctrl+C held", 0, {{kDown, platform::kVkControl, kCtrl}, {kDown, 'C', kCtrl}, {kUp, 'C', kCtrl}},
         {"key 17 ctrl 1001", "key 67 ctrl 1001"}},
        {"a Ctrl left down elsewhere counts for nothing", 1, {{kDown, 'C', 0}}, {"key 67 1001"}},
        {"Ctrl released before the copy is seen", 0,
         {{kDown, 'V', kCtrl}, {kUp, platform::kVkControl, 0}, {kDown, 'V', 0}},
         {"key 86 ctrl 1001", "key 86 1001"}},
    };
    for (const Row& row : rows)
    {
        Log keys;
        ProbeControl list(kControlListBox, 1001, &keys);
        ScriptedModalRuns runs;
        ProbeDialog dialog(FieldsTemplate(), nullptr, &m_App);
        dialog.m_Probes = {&list};
        runs.Answer([&](DialogBase&) {
            keys.clear();
            CtrlKeyDown = row.m_nCtrlBefore;
            // The copies are posted: all keys first, then the loop turns them into calls.
            for (const KeyEvent& key : row.m_Keys)
            {
                m_System.RouteKey(nullptr, key.m_nMessage, key.m_nKey, key.m_nFlags);
            }
            m_System.PumpMessages();
        });
        dialog.RunModal(0);
        EXPECT_EQ(keys, row.m_Expected) << row.m_pszCase;
    }
}

TEST_F(KeyboardHookTest, ModelessWindowsGetNoCopies)
{
    Log keys;
    ProbeControl list(kControlListBox, 1241, &keys);
    ProbeDialog palette(PaletteTemplate(), nullptr, &m_App);
    palette.m_Probes = {&list};
    palette.RunModeless(0);
    EXPECT_EQ(palette.Native()->GetProp("cHook"), nullptr);
    // Even with a hook installed by an earlier modal dialog.
    {
        ScriptedModalRuns runs;
        ProbeDialog modal(FieldsTemplate(), nullptr, &m_App);
        modal.RunModal(0);
    }
    m_System.SetActiveWindow(palette.Handle());
    m_System.SetFocus(m_System.GetDlgItem(palette.Handle(), 1241));
    keys.clear();
    Key(platform::kWmKeyDown, platform::kVkDelete, 0);
    Key(platform::kWmKeyDown, 'C', platform::kKeyControl);
    EXPECT_TRUE(keys.empty());
}

} // namespace
