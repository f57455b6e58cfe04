// Ogg Vorbis files, through the music manager's player: opened from a file,
// played twice round in a mixer pumped by hand, then closed.

#include "FuzzTarget.h"

#include "platform/audio/Mixer.h"
#include "platform/audio/OggVorbisPlayer.h"

#include <vector>

namespace
{

// A little over a second of the mixer's output, in pieces as the device asks.
constexpr int kPieceBytes = 4096;
constexpr int kPieces = 48;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::EnterWorkFolder("ogg", argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::WriteFile("fuzz.ogg", data, size);
    platform::Mixer mixer;
    platform::OggVorbisPlayer player(mixer);
    player.SetLoopCount(1);
    if (!player.Open("fuzz.ogg"))
    {
        return 0;
    }
    player.Play();
    std::vector<uint8_t> out(kPieceBytes);
    for (int i = 0; i < kPieces && player.IsPlaying(); ++i)
    {
        mixer.Mix(out.data(), kPieceBytes);
    }
    player.Seek(0);
    player.Stop();
    player.Close();
    return 0;
}
