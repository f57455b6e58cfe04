#pragma once

// Events standing on map cells, for the stage's and the world map's event
// lists: found by their m_nX and m_nY, scanned from the first.

#include "common/data/CheckedVector.h"

#include <algorithm>
#include <cstdint>
#include <utility>

template <class E> E* FindPlacedEvent(CheckedVector<E>& events, int32_t x, int32_t y)
{
    for (E& event : events)
    {
        if (event.m_nX == x && event.m_nY == y)
        {
            return &event;
        }
    }
    return nullptr;
}

template <class E> bool HasPlacedEvent(const CheckedVector<E>& events, int32_t x, int32_t y)
{
    return std::any_of(events.begin(), events.end(),
                       [x, y](const E& event) { return event.m_nX == x && event.m_nY == y; });
}

// Erases every event at (x, y); true when one was erased.
template <class E> bool RemovePlacedEventsAt(CheckedVector<E>& events, int32_t x, int32_t y)
{
    return std::erase_if(events, [x, y](const E& event) { return event.m_nX == x && event.m_nY == y; }) > 0;
}

// Erases that very event; false when it is not in the list.
template <class E> bool RemovePlacedEvent(CheckedVector<E>& events, const E* event)
{
    for (auto it = events.begin(); it != events.end(); ++it)
    {
        if (&*it == event)
        {
            events.erase(it);
            return true;
        }
    }
    return false;
}

// Moves the event to (x, y), removes whatever stands there and appends a copy.
// The event may be one of the list: it then goes with the others at (x, y) and
// its copy takes the place, so it is moved, never doubled.
template <class E> void PutPlacedEvent(CheckedVector<E>& events, E& event, int32_t x, int32_t y)
{
    event.m_nX = x;
    event.m_nY = y;
    E placed = event;
    RemovePlacedEventsAt(events, x, y);
    events.push_back(std::move(placed));
}
