#include "game/program/PlayRunner.h"

#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/engine/Display.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/GameWindow.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SystemIni.h"
#include "game/engine/Thread.h"
#include "game/scenes/stage/StageScene.h"
#include "game/scenes/worldmap/WorldMapRules.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/core/Format.h"
#include "platform/core/Random.h"
#include "platform/input/HeldKeys.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>

namespace
{

std::string Describe(const PlayLine& line)
{
    return "line " + std::to_string(line.m_nLine) + " (" + line.m_strText + ")";
}

// The line's friend: its friend number, or its name when the line gives one.
bool IsLinesFriend(const UnitRecord& unit, const PlayLine& line)
{
    return line.m_strName.empty() ? unit.m_nHead == line.m_nValue : unit.m_strName == line.m_strName;
}

// The first party member that is the line's friend; null when none.
const UnitRecord* Member(const PlayLine& line)
{
    for (const UnitRecord& unit : PartyUnits)
    {
        if (unit.IsPartyMember() && IsLinesFriend(unit, line))
        {
            return &unit;
        }
    }
    return nullptr;
}

std::string Position(const UnitRecord& unit)
{
    return unit.m_nPlayB ? std::to_string(unit.m_nPlayE) + " " + std::to_string(unit.m_nPlayF) : "off";
}

// The world map's first stage page of the number, which the world map would
// hand over to the stage map (its reward and after-clear action); a page of
// no stage when there is none.
WorldMapEventPage StagePageOf(int32_t number)
{
    for (const WorldMapEvent& event : WorldMap.m_Event)
    {
        for (const WorldMapEventPage& page : event.m_Page)
        {
            if (page.m_nKind == kWorldPageStage && page.m_nStageNumber == number)
            {
                return page;
            }
        }
    }
    return WorldMapEventPage{};
}

// The current scene's state; -1 while there is no scene.
int32_t CurrentState()
{
    const Scene* scene = GameScenes.SceneOf(GameScenes.CurrentScene());
    return scene ? scene->State() : -1;
}

} // namespace

PlayRunner::PlayRunner(const PlayScript& script, platform::HeldKeyTable& keys,
                       std::function<void(uintptr_t)> keyHandler, std::string captureFolder, std::FILE* out)
    : m_Script(script), m_Keys(keys), m_KeyHandler(std::move(keyHandler)), m_strCaptureFolder(std::move(captureFolder)),
      m_pOut(out)
{
}

bool PlayRunner::BeforeFrame()
{
    if (m_bDone)
    {
        return false;
    }
    ReportScene();
    if (!Advance())
    {
        return false;
    }
    ++m_nFrames;
    return true;
}

bool PlayRunner::Advance()
{
    const std::vector<PlayLine>& lines = m_Script.Lines();
    while (m_nLine < lines.size())
    {
        const PlayLine& line = lines[m_nLine];
        switch (line.m_Kind)
        {
        case PlayLine::Kind::Keys:
            if (m_nFrameInLine < line.m_nFrames)
            {
                ++m_nFrameInLine;
                Hold(line.m_Keys);
                return true;
            }
            Next();
            break;
        case PlayLine::Kind::UntilScene:
        case PlayLine::Kind::UntilState:
            if ((line.m_nScene == PlayLine::kAnyScene || GameScenes.CurrentScene() == line.m_nScene) &&
                (line.m_Kind == PlayLine::Kind::UntilScene || CurrentState() == line.m_nValue))
            {
                Next();
                break;
            }
            if (m_nFrameInLine >= line.m_nFrames)
            {
                Finish(kPlayTimedOut, Describe(line) + ": timed out after " + std::to_string(line.m_nFrames) +
                                          " frames in scene " + std::to_string(GameScenes.CurrentScene()) + ", state " +
                                          std::to_string(CurrentState()));
                return false;
            }
            // With a key to press: down one frame, up the next.
            Hold(m_nFrameInLine % 2 == 0 ? line.m_Keys : platform::KeySet{});
            ++m_nFrameInLine;
            return true;
        case PlayLine::Kind::UntilClosed:
            // No frame runs while the close is on its way: the frames' worth of time is waited for the quit.
            Hold({});
            if (WaitForQuit(line.m_nFrames))
            {
                return false;
            }
            Finish(kPlayTimedOut, Describe(line) + ": the game did not close within " + std::to_string(line.m_nFrames) +
                                      " frames' time");
            return false;
        case PlayLine::Kind::GoScene:
            // What a fade-out to the scene leaves behind: the ids moved on and the menus closed.
            GameScenes.SetPreviousScene(GameScenes.CurrentScene());
            GameScenes.SetNextScene(line.m_nScene);
            GameScenes.SetCurrentScene(line.m_nScene);
            MenuCursor.Collapse();
            Next();
            break;
        case PlayLine::Kind::Expect:
        {
            std::string seen;
            if (!Check(line, seen))
            {
                Finish(kPlayFailed, Describe(line) + ": saw " + seen);
                return false;
            }
            Next();
            break;
        }
        case PlayLine::Kind::Capture:
            if (!Capture(line))
            {
                Finish(kPlayFailed, Describe(line) + ": the frame could not be written");
                return false;
            }
            Next();
            break;
        case PlayLine::Kind::Stage:
            if (!EnterStage(line))
            {
                Finish(kPlayFailed, Describe(line) + ": the stage file could not be read");
                return false;
            }
            Next();
            break;
        case PlayLine::Kind::Seed:
            SeedRand(static_cast<uint32_t>(line.m_nArg));
            Next();
            break;
        }
    }
    Finish(kPlayPassed, "");
    return false;
}

bool PlayRunner::WaitForQuit(uint32_t frames)
{
    Thread* self = Thread::Current();
    const int fps = std::max(1, FrameRateValues.m_nFrameRate);
    const uint64_t milliseconds = uint64_t{frames} * 1000 / static_cast<uint64_t>(fps);
    return self && !self->Sleep(static_cast<uint32_t>(std::min<uint64_t>(milliseconds, UINT32_MAX)));
}

void PlayRunner::Hold(const platform::KeySet& keys)
{
    const platform::KeySet pressed = keys & ~m_Held;
    m_Held = keys;
    m_Keys.Assign(keys);
    for (int key = 0; key < platform::kVkCount && m_KeyHandler; ++key)
    {
        if (pressed.test(static_cast<std::size_t>(key)))
        {
            m_KeyHandler(static_cast<uintptr_t>(key));
        }
    }
}

bool PlayRunner::Check(const PlayLine& line, std::string& seen) const
{
    int32_t value = 0;
    switch (line.m_Check)
    {
    case PlayCheck::Scene:
        value = GameScenes.CurrentScene();
        break;
    case PlayCheck::State:
        value = CurrentState();
        break;
    case PlayCheck::Money:
        value = Progress.m_nMoney;
        break;
    case PlayCheck::Party:
        value = CountPartyMembers(PartyUnits);
        break;
    case PlayCheck::Cleared:
        value = Progress.GetClearedFlag(line.m_nArg) != 0 ? 1 : 0;
        break;
    case PlayCheck::Variable:
        value = Progress.GetVariable(line.m_nArg);
        break;
    case PlayCheck::Item:
        value = Progress.GetItemCount(line.m_nArg);
        break;
    case PlayCheck::CurrentStage:
        value = Progress.m_nCurrentStage;
        break;
    case PlayCheck::Position:
        seen = std::to_string(Progress.m_nMapX) + " " + std::to_string(Progress.m_nMapY);
        return Progress.m_nMapX == line.m_nArg && Progress.m_nMapY == line.m_nValue;
    case PlayCheck::Leader:
    {
        const UnitRecord* leader = FindLeader(PartyUnits);
        seen = leader ? "friend " + std::to_string(leader->m_nHead) + " \"" + platform::ToUtf8(leader->m_strName) + "\""
                      : "none";
        if (line.m_bNone || !leader)
        {
            return line.m_bNone == !leader;
        }
        return IsLinesFriend(*leader, line);
    }
    case PlayCheck::UnitPosition:
    case PlayCheck::UnitActed:
    {
        const UnitRecord* unit = Member(line);
        if (!unit)
        {
            seen = "no such party member";
            return false;
        }
        if (line.m_Check == PlayCheck::UnitActed)
        {
            seen = std::to_string(unit->m_nPlayC);
            return (unit->m_nPlayC != 0) == (line.m_nX != 0);
        }
        seen = Position(*unit);
        return line.m_bNone ? !unit->m_nPlayB
                            : unit->m_nPlayB && unit->m_nPlayE == line.m_nX && unit->m_nPlayF == line.m_nY;
    }
    }
    seen = std::to_string(value);
    return value == line.m_nValue;
}

bool PlayRunner::Capture(const PlayLine& line)
{
    if (m_strCaptureFolder.empty())
    {
        return true;
    }
    const std::string path = m_strCaptureFolder + "/" + line.m_strName;
    if (!DDCaptureFrame(platform::FromUtf8(path)))
    {
        return false;
    }
    Print("frame %llu: captured %s\n", static_cast<unsigned long long>(m_nFrames), path.c_str());
    return true;
}

bool PlayRunner::EnterStage(const PlayLine& line)
{
    if (!LoadNumberedCopy(Stage, line.m_strName, FileExtensions[kExtStage], 1))
    {
        return false;
    }
    Progress.m_nCurrentStage = line.m_nArg;
    CurrentWorldPage = StagePageOf(line.m_nArg);
    GameScenes.SetKeepFlag(0);
    GameScenes.SetPreviousScene(kSceneWorldMap);
    GameScenes.SetNextScene(kSceneStage);
    GameScenes.SetCurrentScene(kSceneStage);
    Print("frame %llu: stage %s as stage %d\n", static_cast<unsigned long long>(m_nFrames),
          platform::ToUtf8(line.m_strName).c_str(), line.m_nArg);
    return true;
}

void PlayRunner::ReportScene()
{
    const int scene = GameScenes.CurrentScene();
    if (scene != m_nShownScene)
    {
        m_nShownScene = scene;
        m_nShownEnd = -1;
        Print("frame %llu: scene %d (%s)\n", static_cast<unsigned long long>(m_nFrames), scene, SceneName(scene));
    }
    // The end of a stage is a state of the stage map, told as it comes.
    const int32_t state = scene == kSceneStage ? CurrentState() : -1;
    const bool end = state == kStageVictory || state == kStageGameOver;
    if (end && state != m_nShownEnd)
    {
        Print("frame %llu: %s\n", static_cast<unsigned long long>(m_nFrames),
              state == kStageVictory ? "victory" : "game over");
    }
    m_nShownEnd = end ? state : -1;
}

void PlayRunner::Next()
{
    ++m_nLine;
    m_nFrameInLine = 0;
}

void PlayRunner::Finish(int verdict, const std::string& why)
{
    m_bDone = true;
    m_nVerdict = verdict;
    m_Keys.ReleaseAll();
    m_Held.reset();
    if (verdict == kPlayPassed)
    {
        Print("script passed after %llu frames\n", static_cast<unsigned long long>(m_nFrames));
    }
    else
    {
        Print("script %s: %s\n", verdict == kPlayTimedOut ? "timed out" : "failed", why.c_str());
    }
    platform::PostWindowMessage(MainWindowHandle(), platform::kWmClose, 0, 0);
}

void PlayRunner::GameEnded()
{
    if (m_bDone)
    {
        return;
    }
    ReportScene();
    m_bDone = true;
    if (GameFailureReported())
    {
        m_nVerdict = kPlayGameFailed;
        Print("script failed: the game failed before line %d\n",
              m_nLine < m_Script.Lines().size() ? m_Script.Lines()[m_nLine].m_nLine : 0);
        return;
    }
    for (; m_nLine < m_Script.Lines().size(); ++m_nLine)
    {
        const PlayLine& line = m_Script.Lines()[m_nLine];
        if (line.m_Kind == PlayLine::Kind::Keys || line.m_Kind == PlayLine::Kind::UntilClosed)
        {
            continue;
        }
        m_nVerdict = kPlayFailed;
        Print("script failed: %s: the game closed before it\n", Describe(line).c_str());
        return;
    }
    Print("script passed: the game closed after %llu frames\n", static_cast<unsigned long long>(m_nFrames));
}

void PlayRunner::Print(const char* format, ...)
{
    if (!m_pOut)
    {
        return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(m_pOut, format, args);
    va_end(args);
    std::fflush(m_pOut);
}
