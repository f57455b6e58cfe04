#include "game/engine/TestPlay.h"

#include "platform/core/TestPlayLink.h"

#include <mutex>

int TestPlayFlag = 0;

namespace
{

// A run's reports; its end also sends the end report that no exit path sent.
class Reports
{
public:
    ~Reports() { SendEnd(1); }

    void Begin(bool testPlay, std::string endpoint)
    {
        std::lock_guard lock(m_Mutex);
        m_bArmed = testPlay;
        m_bEndSent = false;
        m_strEndpoint = testPlay ? (endpoint.empty() ? platform::EditorEndpoint() : std::move(endpoint)) : "";
    }

    void SendStart(int value)
    {
        std::lock_guard lock(m_Mutex);
        if (m_bArmed && !m_bEndSent)
        {
            platform::SendTestPlayValue(m_strEndpoint, platform::kTestPlayStart, value);
        }
    }

    void SendEnd(int value)
    {
        std::lock_guard lock(m_Mutex);
        if (m_bArmed && !m_bEndSent)
        {
            m_bEndSent = true;
            platform::SendTestPlayValue(m_strEndpoint, platform::kTestPlayEnd, value);
        }
    }

private:
    std::mutex m_Mutex;
    bool m_bArmed = false;
    bool m_bEndSent = false;
    std::string m_strEndpoint;
};

Reports g_Reports;

} // namespace

void BeginTestPlayReports(bool testPlay, std::string endpoint)
{
    TestPlayFlag = testPlay ? 1 : 0;
    g_Reports.Begin(testPlay, std::move(endpoint));
}

void SendDataToEditor_Start(int value)
{
    g_Reports.SendStart(value);
}

void SendDataToEditor_End(int value)
{
    g_Reports.SendEnd(value);
}
