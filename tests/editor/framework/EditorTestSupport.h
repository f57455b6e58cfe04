#pragma once

// A started editor for tests, on the dummy backend: a temporary project folder
// (without data files unless a test writes them before Start; it holds the
// bitmaps the stage editor window draws with), a runtime folder of its own for
// the single-instance lock and the test-play link, and scripted message boxes.
// The editor is shut down after the test when a test left it running.

#include "RuntimeFolderScope.h"
#include "TempFolder.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/EditorStartup.h"
#include "editor/framework/KeyboardHook.h"
#include "platform/core/FatalHooks.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/framework/EditorProject.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

// "data\GValInfo.dat" of 256 empty names: the version word, the count, and
// each name as a record without bound fields and one string of length 0.
inline std::vector<unsigned char> EmptyVariableNamesFile()
{
    ByteBuilder bytes;
    bytes.Ints({kDataFormatVersion, 256});
    for (int i = 0; i < 256; ++i)
    {
        bytes.Ints({0, 1}).String("");
    }
    return bytes.Data();
}

class EditorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        PrepareEditorProject(m_Folder.Path());
        m_System.FixDesktopRect({0, 0, 1024, 768});
        AppWindowSystem = &m_System;
    }
    void TearDown() override
    {
        if (m_bStarted)
        {
            Stop();
        }
        MainWindow.SetViewFactory(nullptr);
        ResetProjectData();
        AppWindowSystem = nullptr;
        platform::ClearFatalError();
    }

    bool Start()
    {
        EditorPlatform platform;
        platform.m_pWindows = &m_System;
        m_bStarted = EditorStartup(platform);
        return m_bStarted;
    }
    void Stop()
    {
        EditorShutdown();
        m_bStarted = false;
    }

    // Lets the loop dispatch what comes until the condition holds; false when it did not within the time.
    bool PumpUntil(const std::function<bool()>& done, int milliseconds = 10000)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!done())
        {
            if (std::chrono::steady_clock::now() > deadline)
            {
                return false;
            }
            m_System.PumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

    RuntimeFolderScope m_Runtime;
    TempFolder m_Folder;
    platform::DummyWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
    bool m_bStarted = false;
};
