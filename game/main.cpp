// The game program: a thin entry over the game library (game/program/GameProgram.h).

#include "game/program/GameProgram.h"
#include "platform/audio/AudioSystem.h"
#include "platform/core/ProgramStrings.h"
#include "platform/core/TerminationSignals.h"

#include <cstdio>

// The string table by which the editor recognises the game program.
TK_PROGRAM_STRINGS("1\0GAME");

int main(int argc, char** argv)
{
    // A signal that comes while the game starts waits for it to take it
    // (CloseSignals), instead of ending the program at once.
    platform::CatchTerminationSignals();
    GameOptions options;
    std::string error;
    if (!ParseGameOptions(argc, argv, options, error))
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kGameUsageError;
    }
    // The synthesizer's SoundFont is read while the game starts.
    return RunGame(options, platform::AudioSystem::StartSoundFont());
}
