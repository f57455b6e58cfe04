#pragma once

// The Ogg Vorbis player that the music manager plays through: a factory makes
// one player object per music channel; each object plays one file at a time.
// The implementation lives in platform/ (libvorbisfile into the mixer).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// A loop count that repeats the music without end.
constexpr int kOggLoopForever = 0x7FFFFFFF;

class OggPlayer
{
public:
    // Releasing the object stops and closes its file.
    virtual ~OggPlayer() = default;

    // Opens a file (stored path) at its start; false when it cannot be opened
    // or is not Ogg Vorbis. A file already open is closed first.
    virtual bool Open(std::string_view path) = 0;
    // Why the last Open failed on an Ogg file that cannot be played, such as
    // a damaged one (plain ASCII); empty after a success, and when the file is
    // missing or not Ogg at all.
    virtual std::string OpenError() const { return {}; }
    // Plays from the current position.
    virtual void Play() = 0;
    // Stops where the music is; 1 when it was playing.
    virtual int Stop() = 0;
    // Closes the file.
    virtual void Close() = 0;
    // How often the music starts again after its end (kOggLoopForever: always).
    virtual void SetLoopCount(int count) = 0;
    // Moves to a sample frame (0 = the start).
    virtual void Seek(int64_t frame) = 0;
    // The sample frame playing now.
    virtual int64_t Position() const = 0;
};

class OggPlayerFactory
{
public:
    virtual ~OggPlayerFactory() = default;
    // A new player, or null when none can be made.
    virtual std::unique_ptr<OggPlayer> CreatePlayer() = 0;
};
