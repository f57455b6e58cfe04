#include "VoxPlayer.h"

#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "common/sound/SoundPath.h"

int VoxPlayer::Init(OggPlayerFactory* factory)
{
    m_pFactory = factory;
    if (factory == nullptr)
    {
        ShowErrorF("oggの初期化に失敗！");
        return 0;
    }
    return 1;
}

int VoxPlayer::CreatePlayers(int count)
{
    m_nPlayingIndex = -1;
    m_Players.clear();
    for (int i = 0; i < count; ++i)
    {
        std::unique_ptr<OggPlayer> player = m_pFactory ? m_pFactory->CreatePlayer() : nullptr;
        if (!player)
        {
            ShowOutOfMemory();
            return 0;
        }
        m_Players.push_back(std::move(player));
    }
    return 1;
}

OggPlayer* VoxPlayer::Player(int index) const
{
    return index >= 0 && index < PlayerCount() ? m_Players[std::size_t(index)].get() : nullptr;
}

int VoxPlayer::Play(int index, std::string_view path, int loops)
{
    Stop();
    OggPlayer* player = Player(index);
    if (player == nullptr)
    {
        m_nPlayingIndex = -1;
        return 0;
    }
    player->Close();
    if (!IsOpenableSoundPath(path) || !player->Open(path))
    {
        const std::string why = player->OpenError();
        if (!why.empty())
        {
            WriteReportAndErrorLog("Ogg %.*s Open 再生できないファイルです (%s)", int(path.size()), path.data(),
                                   why.c_str());
        }
        m_nPlayingIndex = -1;
        return 0;
    }
    player->SetLoopCount(loops);
    player->Play();
    m_nPlayingIndex = index;
    return 1;
}

int VoxPlayer::Stop()
{
    OggPlayer* player = Player(m_nPlayingIndex);
    if (player == nullptr)
    {
        return 0;
    }
    m_nPlayingIndex = -1;
    return player->Stop();
}

void VoxPlayer::Resume(int index, int mode, int loops)
{
    OggPlayer* player = Player(index);
    if (index == m_nPlayingIndex || player == nullptr)
    {
        return;
    }
    Stop();
    player->SetLoopCount(loops);
    if (mode == 0)
    {
        player->Seek(0);
    }
    player->Play();
    m_nPlayingIndex = index;
}

void VoxPlayer::Release()
{
    m_Players.clear();
    m_nPlayingIndex = -1;
    m_pFactory = nullptr;
}
