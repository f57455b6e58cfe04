#pragma once

// Held keys frame by frame, for runs without a keyboard. A script is text,
// one step a line:
//
//   press KEY    the key down for one frame, then one frame with every key up
//   hold KEY N   the key down for N frames
//   wait N       N frames with every key up
//
// KEY is a name of VirtualKeyFromName (left, right, up, down, z, x, c, v, esc,
// enter, f1..f12, ...) or several joined by '+' ("hold z+x 3" holds both).
// Blank lines and lines starting with '#' are skipped. After the last step
// every key is up.

#include "platform/input/HeldKeys.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

class InputScript
{
public:
    // The most frames one step may ask for.
    static constexpr uint32_t kMaxStepFrames = 10'000'000;

    // Replaces the script with the steps of `text` and rewinds it. On an error
    // returns false with "line N: reason" in `error` and keeps the script as it was.
    bool Parse(std::string_view text, std::string* error = nullptr);

    // The keys held on the next frame. Once the script has run out: false and an empty set.
    bool NextFrame(KeySet& keys);
    bool Finished() const { return m_nStep >= m_Steps.size(); }
    void Rewind();

    // Frames in the whole script, and frames handed out so far.
    std::size_t FrameCount() const;
    std::size_t Position() const { return m_nPosition; }

private:
    struct Step
    {
        KeySet m_Keys;
        uint32_t m_nFrames = 0;
    };

    std::vector<Step> m_Steps;
    std::size_t m_nStep = 0;
    uint32_t m_nFrameInStep = 0;
    std::size_t m_nPosition = 0;
};

} // namespace platform
