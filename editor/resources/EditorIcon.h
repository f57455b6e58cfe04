#pragma once

// The editor's icon (resource 30000): its windows show it in their caption
// and in the desktop's task list. It is drawn here, a 32 x 32 picture of a
// piece of map with a banner on it.

#include "platform/window/PixelView.h"

inline constexpr int kIconEditor = 30000;

// The icon of that id; an invalid view for an id without one.
platform::PixelView FindIconResource(int id);
