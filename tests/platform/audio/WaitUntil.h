#pragma once

// Waits for something the audio device's thread brings about (at most five
// seconds); true when it came.

#include <chrono>
#include <thread>

template <class Predicate>
bool WaitUntil(Predicate done, std::chrono::milliseconds limit = std::chrono::milliseconds(5000))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done())
    {
        if (std::chrono::steady_clock::now() > end)
        {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
