#pragma once

// Standard MIDI File loader.
//
// Reads a file of format 0 or 1 and turns it into one merged format-0 image in
// memory, in which every event carries its own status byte (no running
// status), and computes the song's length in seconds. The merged image:
//
//   0-3   "MThd"          4-7   00 00 00 06
//   8-9   00 00 (format 0) 10-11 00 01 (one track)
//   12-13 the source's time division (ticks per quarter note)
//   14-17 "MTrk"          18-21 big-endian length of the event data
//   22-   delta time, status byte, data bytes for each event; the last event is
//         always FF 2F 00 (end of track) at the time of the longest track.
//
// The source is read through its chunk lengths and every read stays inside the
// file; a file that is not a well-formed format 0 or 1 file is refused with a
// line in the report log and the error log, and no image results.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Offset of the first event in the merged image.
constexpr uint32_t kSmfFirstEvent = 22;
// The largest delta time a variable-length number of four bytes can hold.
constexpr uint32_t kSmfMaxVarLen = 0x0FFFFFFF;

// The data bytes that follow the status byte of a channel message (or of a
// system message other than F0, F7 and FF): 1 for 0xCn and 0xDn, else 2.
constexpr uint32_t SmfShortDataSize(uint8_t status)
{
    return (status & 0xE0) == 0xC0 ? 1 : 2;
}

// Reads a variable-length number (7 bits a byte, most significant group first,
// bit 7 set on every byte but the last) from at most `available` bytes. The
// number of bytes read (1-4), or 0 when the bytes end first or when the fourth
// byte still has its continuation bit.
int ReadVarLen(const uint8_t* bytes, std::size_t available, uint32_t& value);

// Writes a variable-length number; the number of bytes written: 1 below 0x80,
// 2 below 0x4000, 3 below 0x200000, 4 below 0x10000000, and 0 (nothing
// written) from 0x10000000 on. `out` must have room for four bytes.
int WriteVarLen(uint8_t* out, uint32_t value);

class SmfLoader
{
public:
    SmfLoader() = default;
    virtual ~SmfLoader() = default;
    SmfLoader(const SmfLoader&) = delete;
    SmfLoader& operator=(const SmfLoader&) = delete;

    // Stores the name and reads the file into the merged image. A file that
    // cannot be opened writes "Midi %s Create ファイルが開けません"; true when an
    // image results.
    bool LoadFile(std::string_view fileName);

    // Checks the header of a whole source file and builds the merged image
    // from it. True when an image results; each refusal writes its line.
    bool ReadHeader(const std::vector<uint8_t>& block);

    bool HasImage() const { return !m_Image.empty(); }
    const std::vector<uint8_t>& Image() const { return m_Image; }
    const std::string& FileName() const { return m_strFileName; }
    // The song's length in seconds, following its tempo changes.
    double Length() const { return m_Length; }
    // The time division of the image (0 without an image).
    uint32_t TimeDivision() const;
    // The offset just past the last event of the image.
    uint32_t MusicEnd() const;

protected:
    std::vector<uint8_t> m_Image; // the merged image; empty when loading failed
    std::string m_strFileName;
    double m_Length = 0.0;
};
