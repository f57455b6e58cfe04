#pragma once

// A play script: what a run without a player does, frame by frame, and what
// it expects to see. One step a line (blank lines and lines starting with '#'
// are skipped):
//
//   press KEY                 the key down for one frame, then one frame with every key up
//   hold KEY N                the key down for N frames
//   wait N                    N frames with every key up
//   until scene K [within N] [pressing KEY]
//                             frames with every key up (or with KEY pressed every
//                             other frame) until scene K is the current one; a
//                             timeout after N frames (default 3600)
//   until scene K state S [within N] [pressing KEY]
//                             the same until scene K is the current one in its state S
//   until state S [within N] [pressing KEY]
//                             the same until the current scene, whichever it is, is in state S
//   until closed [within N]   no more frames: waits the time of N frames (default
//                             3600) for the game to close
//   go scene K                scene K becomes the current one at once, as if the
//                             current scene had faded out to it (for a scene whose
//                             way in is not there yet); it takes no frame
//   expect scene K            the current scene id (0 title, 1 camp, 2 world map, 3 stage, 4 battle)
//   expect state S            the current scene's state (-1 while it has no scene)
//   expect money M
//   expect party N            the number of party members
//   expect leader F           the leader: its friend number, its name, or "none"
//   expect cleared STAGE [V]  the stage's cleared flag is set (V 1, the default) or not (V 0)
//   expect var N VALUE        global variable N
//   expect item ITEM COUNT    how many of the item the party's stock holds
//   expect position X Y       the world-map position kept in the play-through
//   expect stage N            the number of the stage entered last
//   expect unit F X Y         the party member F (its friend number or its name) stands on the stage map at (X, Y)
//   expect unit F off         the party member F is not on the stage map
//   expect acted F V          the party member F has acted this turn (V 1) or not (V 0)
//   capture NAME              the frame shown last, as NAME.png in the capture folder
//   stage FILE [NUMBER]       the stage file (as a world-map page names it, "data\stg\Stage01.stg") is
//                             loaded as stage NUMBER (default 1) and the stage map starts as if the world
//                             map had chosen it: a way into a stage while no world map leads there
//   seed N                    the random generator restarts from N, so that what follows (battles,
//                             the enemies' choices) draws the same numbers every run
//
// KEY: left right up down z x c v esc enter f1..f8 (or several joined by
// '+'). Steps without frames (expect, capture, a satisfied until) happen
// between two frames.

#include "platform/input/InputScript.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What an expect line looks at.
enum class PlayCheck
{
    Scene,
    State,
    Money,
    Party,
    Leader,
    Cleared,
    Variable,
    Item,
    Position,
    CurrentStage,
    UnitPosition,
    UnitActed,
};

struct PlayLine
{
    enum class Kind
    {
        Keys, // a step of held keys
        UntilScene,
        UntilState, // m_nScene the scene (PlayLine::kAnyScene: any), m_nValue its state
        UntilClosed,
        GoScene,
        Expect,
        Capture,
        Stage, // m_strName the stage file, m_nArg its number
        Seed,  // m_nArg the seed
    };

    static constexpr int32_t kAnyScene = -1;

    Kind m_Kind = Kind::Keys;
    int m_nLine = 0;         // its line number in the script, from 1
    std::string m_strText;   // the line as written
    platform::KeySet m_Keys; // Keys: held; UntilScene, UntilState: pressed while waiting
    uint32_t m_nFrames = 0;  // Keys: frames held; Until: the most frames waited
    int32_t m_nScene = 0;    // Until, GoScene
    PlayCheck m_Check = PlayCheck::Scene;
    int32_t m_nArg = 0;   // the stage, variable or item number; Position: x
    int32_t m_nValue = 0; // the value expected; UntilState: the state; Position: y; Leader and units: the friend number
    std::string m_strName; // Capture: file name; Stage: its file; Leader and units: a name (CP932), "" for a number
    bool m_bNone = false;  // Leader: no leader expected; UnitPosition: not on the map
    int32_t m_nX = 0;      // UnitPosition: the cell; UnitActed: the acted flag expected
    int32_t m_nY = 0;
};

class PlayScript
{
public:
    // The frames an until waits without "within".
    static constexpr uint32_t kDefaultWithin = 3600;

    // Replaces the script with the lines of the text (UTF-8). On an error:
    // false, "line N: reason" in the error, the script as it was.
    bool Parse(std::string_view text, std::string* error = nullptr);

    const std::vector<PlayLine>& Lines() const { return m_Lines; }

private:
    std::vector<PlayLine> m_Lines;
};

// The name of a scene id as the scripts' output shows it ("title", ...; "none" for another id).
const char* SceneName(int id);
