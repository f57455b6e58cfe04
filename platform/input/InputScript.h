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
#include <functional>
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

    // The keys held for a number of frames.
    struct Step
    {
        KeySet m_Keys;
        uint32_t m_nFrames = 0;
    };

    // The steps of one press, hold or wait line (a press gives two: the key,
    // then a frame with every key up), appended. False with the reason for any other line.
    static bool ParseStepLine(std::string_view line, std::vector<Step>& steps, std::string& reason);
    // The key set of a name or of names joined by '+'.
    static bool ParseKeys(std::string_view word, KeySet& keys, std::string& reason);
    // A frame count of 1 .. kMaxStepFrames.
    static bool ParseFrames(std::string_view word, uint32_t& frames, std::string& reason);
    // The words of a line, split at blanks and tabs.
    static std::vector<std::string_view> Words(std::string_view line);
    // Hands each line that is neither blank nor a comment, trimmed, with its
    // number (from 1) to the visitor, until the visitor answers false; false then.
    static bool ForEachLine(std::string_view text, const std::function<bool(int, std::string_view)>& visit);

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
    std::vector<Step> m_Steps;
    std::size_t m_nStep = 0;
    uint32_t m_nFrameInStep = 0;
    std::size_t m_nPosition = 0;
};

} // namespace platform
