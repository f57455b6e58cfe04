// Standard MIDI Files: the loader merges the file into one image, and the
// stream cuts the whole image into its buffers as it does while a song plays.
// Each buffer must take at least one event and stay inside its capacity.

#include "FuzzTarget.h"

#include "common/sound/MidiStream.h"

#include <vector>

int fuzz::TestOneInput(const uint8_t* data, std::size_t size)
{
    SmfLoader loader;
    if (!loader.ReadHeader(std::vector<uint8_t>(data, data + size)))
    {
        fuzz::Require(!loader.HasImage(), "a refused file left an image");
        return 0;
    }
    fuzz::Require(loader.HasImage(), "an accepted file has no image");
    const std::vector<uint8_t>& image = loader.Image();
    const uint32_t end = loader.MusicEnd();
    fuzz::Require(end >= kSmfFirstEvent && end <= image.size(), "the end of the music lies outside the image");

    std::vector<uint8_t> buffer(MidiStream::kBufferSize);
    MidiHeader header;
    header.m_pData = buffer.data();
    header.m_nBufferLength = MidiStream::kBufferSize;
    for (uint32_t position = kSmfFirstEvent; position != end;)
    {
        uint32_t consumed = MidiStream::FillBuffer(image.data() + position, end - position, header, "fuzz.mid");
        fuzz::Require(consumed > 0 && consumed <= end - position, "a buffer took no event or more than was left");
        fuzz::Require(header.m_nBytesRecorded <= header.m_nBufferLength, "a buffer was filled past its capacity");
        position += consumed;
    }
    return 0;
}
