#pragma once

// Static controls: a text, or a picture (a frame or a bitmap) that the program
// draws into by presenting an image to the window.

#include "platform/window/ControlModel.h"

namespace platform
{

class StaticModel : public ControlModel
{
public:
    StaticModel(NativeWindow& window, std::string_view text) : ControlModel(window, text) {}

    // A picture rather than a text: frames, rectangles and bitmaps.
    bool IsPicture() const;
    // Where a text stands in its rectangle: kSsLeft, kSsCenter or kSsRight.
    uint32_t Alignment() const;
};

} // namespace platform
