#include "game/engine/Animation.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace
{

// The authored tables (durations for 60 frames a second).
constexpr AnimationStep kA0[] = {{0, INT_MAX, 0}, {kAnimationRestart, 0, 0}};
constexpr AnimationStep kA1[] = {{0, 6, 0}, {1, 6, 0}, {2, 6, 0}, {kAnimationSwitch, 0, 0}};
constexpr AnimationStep kB0[] = {{0, 11, 0}, {1, 18, 0}, {kAnimationEnd, 0, 0}};

// The tables in use.
AnimationStep g_A0[std::size(kA0)] = {kA0[0], kA0[1]};
AnimationStep g_A1[std::size(kA1)] = {kA1[0], kA1[1], kA1[2], kA1[3]};
AnimationStep g_B0[std::size(kB0)] = {kB0[0], kB0[1], kB0[2]};

template <size_t N> void Scale(const AnimationStep (&authored)[N], AnimationStep (&used)[N], double frameScale)
{
    for (size_t i = 0; i < N; ++i)
    {
        used[i] = authored[i];
        if (authored[i].m_nFrame >= 0)
        {
            // A row of no frames would never end: it keeps one.
            used[i].m_nDuration = std::max(static_cast<int>(authored[i].m_nDuration * frameScale), 1);
        }
    }
}

} // namespace

const AnimationStep* const AnimationSetA[2] = {g_A0, g_A1};
const AnimationStep* const AnimationSetB[1] = {g_B0};

void ScaleAnimationTables(double frameScale)
{
    Scale(kA0, g_A0, frameScale);
    Scale(kA1, g_A1, frameScale);
    Scale(kB0, g_B0, frameScale);
}

void Animation::Start(Animation& animation, int index)
{
    animation.m_nStep = 0;
    animation.m_nCounter = 0;
    animation.m_nIndex = index;
}

int Animation::Advance(Animation& animation)
{
    const AnimationStep* table = animation.m_pSet[animation.m_nIndex];
    if (table[animation.m_nStep].m_nFrame < 0)
    {
        return Current(animation); // on a code the caller acts on (the end): nothing more to count
    }
    ++animation.m_nCounter;
    if (animation.m_nCounter == table[animation.m_nStep].m_nDuration)
    {
        animation.m_nCounter = 0;
        ++animation.m_nStep;
        const AnimationStep& row = table[animation.m_nStep];
        switch (row.m_nFrame)
        {
        case kAnimationSwitch:
            Start(animation, row.m_nDuration);
            break;
        case kAnimationRestart:
            animation.m_nStep = 0;
            break;
        case kAnimationStay:
            --animation.m_nStep;
            break;
        default:
            break;
        }
    }
    return Current(animation);
}

int Animation::Current(const Animation& animation)
{
    return animation.m_pSet[animation.m_nIndex][animation.m_nStep].m_nFrame;
}
