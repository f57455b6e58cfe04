#pragma once

// The whole editor on real Qt widgets, offscreen, in a project of five lands
// with the sample project's bitmaps: started by the test, shut down after it,
// with scripted message and file dialogs, and mouse events sent as the author
// makes them to the widget under the pointer.

#include "RuntimeFolderScope.h"
#include "TempFolder.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "common/window/MouseButtons.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/EditorStartup.h"
#include "platform/core/FatalHooks.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/framework/EditorProject.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

class QtWholeEditorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        PrepareEditorProject(m_Folder.Path());
        ResetMouseLatches();
        WriteLands(5);
        AppWindowSystem = &m_System;
        m_System.SetMessageFilter([](platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) { return App.PreTranslateMessage({window, message, wParam, lParam}) != 0; });
    }
    void TearDown() override
    {
        EditorShutdown();
        m_System.SetMessageFilter(nullptr);
        ResetProjectData();
        AppWindowSystem = nullptr;
        platform::ClearFatalError();
    }

    bool Start()
    {
        EditorPlatform platform;
        platform.m_pWindows = &m_System;
        bool started = EditorStartup(platform);
        Pump();
        return started;
    }
    void Pump()
    {
        for (int i = 0; i < 5; ++i)
        {
            m_System.PumpMessages();
        }
    }
    QWidget* Client(const WindowBase& window) const
    {
        return static_cast<platform::QtWindow*>(window.Native())->ClientWidget();
    }
    // A mouse event at a point of the window's client area, for the widget
    // the toolkit finds under the pointer (a map view lets the mouse through
    // to its window), with the buttons held afterwards.
    void MouseAt(const WindowBase& window, QPoint at, QEvent::Type type, Qt::MouseButton button,
                 Qt::MouseButtons held)
    {
        QWidget* client = Client(window);
        QWidget* target = client->childAt(at);
        target = target ? target : client;
        QPoint local = target->mapFrom(client, at);
        QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
        Pump();
    }

    RuntimeFolderScope m_Runtime;
    TempFolder m_Folder;
    platform::QtWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
};
