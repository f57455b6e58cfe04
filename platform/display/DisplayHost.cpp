#include "platform/display/DisplayHost.h"

namespace platform
{

bool RecordingDisplayHost::SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate)
{
    m_Calls.push_back("mode " + std::to_string(width) + "x" + std::to_string(height) + "x" +
                      std::to_string(bitsPerPixel) + "@" + std::to_string(refreshRate));
    if (m_bRefuseAll || (refreshRate != 0 && refreshRate == m_nRefusedRate))
    {
        return false;
    }
    m_bFullScreen = true;
    return true;
}

void RecordingDisplayHost::RestoreDisplayMode()
{
    m_Calls.push_back("restore");
    m_bFullScreen = false;
}

void RecordingDisplayHost::ShowCursor(bool show)
{
    m_Calls.push_back(show ? "cursor 1" : "cursor 0");
    m_bCursorShown = show;
}

void RecordingDisplayHost::ClientSize(int& width, int& height) const
{
    width = m_nClientWidth;
    height = m_nClientHeight;
}

} // namespace platform
