#include "MciPlayer.h"

#include "common/services/Log.h"

namespace
{

constexpr std::string_view kSequencer = "sequencer";

} // namespace

MciPlayer::~MciPlayer()
{
    Close();
    m_Enabled = 0;
}

bool MciPlayer::Open(std::string_view type, const std::vector<std::string>& files)
{
    if (!m_Enabled)
    {
        return true;
    }
    Close();
    m_Entries.resize(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
    {
        Entry& entry = m_Entries[i];
        if (m_pDevice != nullptr && m_pDevice->Open(type, files[i], entry.m_nDeviceId) == kMciOk)
        {
            entry.m_strType = type;
            entry.m_strFile = files[i];
        }
        else
        {
            entry = Entry();
        }
    }
    m_nCurrent = -1;
    return true;
}

bool MciPlayer::ChangeSound(int index, std::string_view type, std::string_view file)
{
    if (!m_Enabled)
    {
        return true;
    }
    if (!IsIndex(index) || m_pDevice == nullptr)
    {
        WriteErrorLogF("ChangeSound失敗！ %.*s", int(file.size()), file.data());
        return false;
    }
    Stop(0);
    Entry& entry = m_Entries[std::size_t(index)];
    if (type != kSequencer)
    {
        if (m_pDevice->Close(entry.m_nDeviceId) != kMciOk)
        {
            WriteErrorLogF("MCI_CLOSE失敗！ %d", index);
        }
        entry = Entry();
    }
    else
    {
        for (const Entry& other : m_Entries)
        {
            m_pDevice->Close(other.m_nDeviceId);
        }
    }
    entry.m_strType = type;
    entry.m_strFile = file;
    if (m_pDevice->Open(type, file, entry.m_nDeviceId) != kMciOk)
    {
        entry.m_nDeviceId = 0;
        WriteErrorLogF("ChangeSound失敗！ %.*s", int(file.size()), file.data());
        return false;
    }
    return true;
}

void MciPlayer::Play(platform::WindowHandle notifyWindow, int index, int notify, int resume, uint32_t from)
{
    if (!m_Enabled || !IsIndex(index) || m_pDevice == nullptr)
    {
        return;
    }
    if (m_nCurrent != -1)
    {
        Stop(0);
    }
    // A silent entry (device 0) fails here without a word.
    m_pDevice->Play(m_Entries[std::size_t(index)].m_nDeviceId, resume != 0, from, notify != 0, notifyWindow);
    m_nCurrent = index;
}

void MciPlayer::Stop(int pause)
{
    if (!m_Enabled || m_nCurrent == -1 || m_pDevice == nullptr)
    {
        return;
    }
    const uint32_t device = m_Entries[std::size_t(m_nCurrent)].m_nDeviceId;
    if (pause == 0)
    {
        const int result = m_pDevice->Stop(device);
        if (result == kMciOk)
        {
            WriteErrorLogF("Stop成功！ mr = %8x stop =%d", unsigned(result), m_nCurrent);
        }
        else
        {
            WriteErrorLogF("Stop失敗！ mr = %8x stop =%d", unsigned(result), m_nCurrent);
        }
        m_pDevice->SeekToStart(device);
    }
    else
    {
        m_pDevice->Pause(device);
    }
    m_nCurrent = -1;
}

void MciPlayer::Close()
{
    if (!m_Enabled)
    {
        return;
    }
    for (const Entry& entry : m_Entries)
    {
        if (entry.m_nDeviceId != 0 && m_pDevice != nullptr)
        {
            m_pDevice->Close(entry.m_nDeviceId);
        }
    }
    m_Entries.clear();
    m_nCurrent = -1;
}
