#include "game/engine/MusicRequests.h"

#include "common/sound/BgmManager.h"
#include "game/engine/GameWindow.h"

#include <deque>
#include <mutex>

namespace
{

std::mutex g_QueueMutex;
std::deque<MusicRequest> g_Queue;
std::function<void(const MusicRequest&)> g_Dispatch; // main thread only

constexpr int kSceneTitle = 0;
constexpr int kSceneCamp = 1;
constexpr int kSceneWorldMap = 2;
constexpr int kSceneStage = 3;
constexpr int kSceneBattle = 4;

} // namespace

MusicRequest MusicRequestForScene(int scene, bool eventRunning, int previousScene, int channel, int track)
{
    MusicRequest request;
    request.m_nChannel = channel;
    request.m_nTrack = track;
    switch (scene)
    {
    case kSceneTitle:
        request.m_nRestart = 1;
        break;
    case kSceneCamp:
    case kSceneWorldMap:
        break;
    case kSceneStage:
        if (eventRunning || previousScene == kSceneWorldMap)
        {
            request.m_nPause = 1;
            request.m_nRestart = 1;
        }
        else if (previousScene == kSceneBattle)
        {
            request.m_Action = MusicAction::Resume;
            request.m_nMode = 1;
            request.m_nPause = 1;
        }
        else
        {
            request.m_Action = MusicAction::None;
        }
        break;
    case kSceneBattle:
        request.m_nRestart = 1;
        break;
    default:
        request.m_Action = MusicAction::None;
        break;
    }
    return request;
}

bool PostSceneMusic(int scene, int previousScene, int channel, int track, const std::string& file)
{
    MusicRequest music = MusicRequestForScene(scene, false, previousScene, channel, track);
    music.m_bSetFile = !file.empty();
    music.m_strFile = file;
    return PostMusicRequest(music);
}

bool PostMusicRequest(const MusicRequest& request)
{
    platform::WindowHandle window = MainWindowHandle();
    if (!window)
    {
        return false;
    }
    {
        std::lock_guard lock(g_QueueMutex);
        g_Queue.push_back(request);
    }
    return platform::PostWindowMessage(window, kWmPlayMusic, static_cast<uintptr_t>(request.m_nChannel),
                                       request.m_nTrack);
}

void ServeMusicRequests()
{
    for (;;)
    {
        MusicRequest request;
        {
            std::lock_guard lock(g_QueueMutex);
            if (g_Queue.empty())
            {
                return;
            }
            request = std::move(g_Queue.front());
            g_Queue.pop_front();
        }
        if (g_Dispatch)
        {
            g_Dispatch(request);
        }
        else
        {
            ApplyMusicRequest(Bgm, request);
        }
    }
}

void DropMusicRequests()
{
    std::lock_guard lock(g_QueueMutex);
    g_Queue.clear();
}

void SetMusicDispatch(std::function<void(const MusicRequest&)> dispatch)
{
    g_Dispatch = std::move(dispatch);
}

void ApplyMusicRequest(BgmManager& bgm, const MusicRequest& request)
{
    if (!bgm.IsEnabled())
    {
        return;
    }
    if (request.m_bSetFile)
    {
        bgm.SetTrackFile(request.m_nTrack, request.m_strFile);
    }
    switch (request.m_Action)
    {
    case MusicAction::Play:
        bgm.Play(request.m_nChannel, request.m_nTrack, request.m_nPause, request.m_nRestart);
        break;
    case MusicAction::Resume:
        bgm.Resume(request.m_nChannel, request.m_nTrack, request.m_nMode, request.m_nPause);
        break;
    case MusicAction::None:
        break;
    }
}
