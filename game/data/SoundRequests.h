#pragma once

// Sound effects that the game's data operations ask for, by number of the
// sound table (1 choice, 2 cancel, 3 refusal, ...). The engine installs the
// player at start-up; until then requests are dropped. Any thread may ask.

#include <functional>

constexpr int kSoundRefusal = 3;

void SetSoundRequestHandler(std::function<void(int number)> handler);
void RequestSound(int number);
