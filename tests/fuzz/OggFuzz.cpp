// Ogg Vorbis files, through the music manager's player: opened from a file,
// played with one loop in a mixer pumped by hand, then closed.
//
// Every Ogg page carries a checksum, so almost any change to a file makes
// its pages be skipped as damaged before the decoder sees them. The target
// puts the right checksum into every whole page of the input, so that the
// changes reach the decoder.

#include "FuzzTarget.h"

#include "platform/audio/Mixer.h"
#include "platform/audio/OggVorbisPlayer.h"

#include <ogg/ogg.h>

#include <cstring>
#include <vector>

namespace
{

// A little over a second of the mixer's output, in pieces as the device asks.
constexpr int kPieceBytes = 4096;
constexpr int kPieces = 48;

constexpr std::size_t kPageHeaderBytes = 27; // up to the segment count

void SetPageChecksums(std::vector<uint8_t>& bytes)
{
    std::size_t pos = 0;
    while (pos + kPageHeaderBytes <= bytes.size())
    {
        if (std::memcmp(bytes.data() + pos, "OggS", 4) != 0)
        {
            ++pos;
            continue;
        }
        const std::size_t segments = bytes[pos + 26];
        const std::size_t headerBytes = kPageHeaderBytes + segments;
        if (pos + headerBytes > bytes.size())
        {
            break;
        }
        std::size_t bodyBytes = 0;
        for (std::size_t i = 0; i < segments; ++i)
        {
            bodyBytes += bytes[pos + kPageHeaderBytes + i];
        }
        if (pos + headerBytes + bodyBytes > bytes.size())
        {
            break;
        }
        ogg_page page{};
        page.header = bytes.data() + pos;
        page.header_len = static_cast<long>(headerBytes);
        page.body = bytes.data() + pos + headerBytes;
        page.body_len = static_cast<long>(bodyBytes);
        ogg_page_checksum_set(&page);
        pos += headerBytes + bodyBytes;
    }
}

} // namespace

// libvorbisfile (1.3.7) loses memory of its own when opening some damaged
// files fails: ov_open_callbacks has cleared the file by the time it returns
// the error, so the memory never reaches us to free. Most is a small
// allocation of its own; in a chained file whose second song is followed by a
// page of a song that never began, it is all it had libvorbis allocate for
// the second song's headers (its vorbis_info, comments and codebooks, some 34
// KB; fuzz_seeds writes such a file). Neither library has frame pointers, so
// the leak's stack ends inside the one that allocated, and only the libraries
// can be named. Whether the player clears every file it opened is checked by
// its tests under `make asan`, where no suppression applies.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libvorbisfile.so\nleak:libvorbis.so\n";
}

int fuzz::TestOneInput(const uint8_t* data, std::size_t size)
{
    std::vector<uint8_t> file(data, data + size);
    SetPageChecksums(file);
    fuzz::WriteFile("fuzz.ogg", file);
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
