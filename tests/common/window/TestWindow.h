#pragma once

// A frame window for tests that records what reaches its handlers. Its class
// procedure forwards to the one live instance, as every window class does.

#include "common/window/WindowBase.h"

#include <vector>

class RecordingWindow : public FrameWindow
{
public:
    explicit RecordingWindow(WindowBase* centreOn = nullptr, int centreOnClient = 0)
        : FrameWindow(centreOn, centreOnClient)
    {
        s_pInstance = this;
    }
    ~RecordingWindow() override
    {
        if (s_pInstance == this)
        {
            s_pInstance = nullptr;
        }
    }

    static intptr_t Procedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        if (!s_pInstance)
        {
            return platform::DefWindowProc(window, message, wParam, lParam);
        }
        return s_pInstance->WindowProc(window, message, wParam, lParam);
    }

    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        if (OnMessage(window, message, wParam, lParam))
        {
            return 0;
        }
        return platform::DefWindowProc(window, message, wParam, lParam);
    }

    void OnCreate(uintptr_t, intptr_t) override { ++m_nCreates; }
    void OnPaint() override { ++m_nPaints; }
    void OnCommand(uintptr_t wParam, intptr_t) override { m_Commands.push_back(static_cast<int>(wParam)); }
    void OnLButtonDown(uintptr_t wParam, intptr_t lParam) override
    {
        ++m_nLeftDowns;
        m_nLastKeys = static_cast<int>(wParam);
        m_LastClick = {platform::LowSigned(static_cast<uintptr_t>(lParam)),
                       platform::HighSigned(static_cast<uintptr_t>(lParam))};
    }
    void OnLButtonUp(uintptr_t, intptr_t) override { ++m_nLeftUps; }
    void OnRButtonUp(uintptr_t, intptr_t) override { ++m_nRightUps; }
    void OnMouseMove(uintptr_t, intptr_t) override { ++m_nMoves; }

    int m_nCreates = 0;
    int m_nPaints = 0;
    int m_nLeftDowns = 0;
    int m_nLeftUps = 0;
    int m_nRightUps = 0;
    int m_nMoves = 0;
    int m_nLastKeys = 0;
    platform::Point m_LastClick;
    std::vector<int> m_Commands;

    static inline RecordingWindow* s_pInstance = nullptr;
};

// Fixed frame sizes the layout tests count with.
inline platform::FrameMetrics TestMetrics()
{
    platform::FrameMetrics m;
    m.m_nCaptionHeight = 18;
    m.m_nSizeFrameWidth = 4;
    m.m_nSizeFrameHeight = 4;
    m.m_nDialogFrameWidth = 3;
    m.m_nDialogFrameHeight = 3;
    m.m_nMenuBarHeight = 20;
    m.m_nHScrollHeight = 17;
    m.m_nVScrollWidth = 17;
    return m;
}
