#pragma once

// Music in the game starts on the main thread, where the music manager runs.
// A scene or the event thread decides what is to happen from its own state
// and posts that as a request; the main window takes the requests in order
// and hands each to the music dispatch. Posting never waits, so no thread
// ever waits for the main thread to start music, and the main thread never
// reads another thread's scene.

#include <functional>
#include <string>

class BgmManager;

enum class MusicAction
{
    None,   // the scene plays nothing
    Play,   // BgmManager::Play (channel, track, pause, restart)
    Resume, // BgmManager::Resume (channel, track, mode, pause): back from a battle
};

struct MusicRequest
{
    int m_nChannel = 0;
    int m_nTrack = 0;
    // The track's file, set before playing; without it the track keeps its file.
    bool m_bSetFile = false;
    std::string m_strFile;
    MusicAction m_Action = MusicAction::Play;
    int m_nPause = 0;   // Play: pause the MIDI streams rather than stop them; Resume: the same
    int m_nRestart = 0; // Play: play even when the track is the current one
    int m_nMode = 0;    // Resume: 1 Ogg from where it stopped, 0 from its start

    bool operator==(const MusicRequest&) const = default;
};

// What the scene that asks for music makes of it (scene ids 0 title, 1 camp,
// 2 world map, 3 stage map, 4 battle): the title and the battle restart their
// track, the camp and the world map leave a playing one alone; the stage map
// plays while an event runs or when it comes from the world map, resumes when
// it comes back from a battle, and otherwise plays nothing.
MusicRequest MusicRequestForScene(int scene, bool eventRunning, int previousScene, int channel, int track);

// The music a scene starts as it loads (no event running): the scene's
// request for the track, with the file when one is named (an empty name
// leaves the track's file as it is), posted.
bool PostSceneMusic(int scene, int previousScene, int channel, int track, const std::string& file);

// Any thread: queues the request for the main window and wakes it. False,
// with the request dropped, when there is no main window.
bool PostMusicRequest(const MusicRequest& request);

// The main thread: hands every queued request, oldest first, to the dispatch.
void ServeMusicRequests();
// Forgets the queued requests (shut-down).
void DropMusicRequests();

// What the main thread does with a request; by default ApplyMusicRequest on Bgm.
void SetMusicDispatch(std::function<void(const MusicRequest&)> dispatch);
// Sets the track's file when the request carries one, then plays or resumes;
// nothing while the manager is not enabled.
void ApplyMusicRequest(BgmManager& bgm, const MusicRequest& request);
