#include "TextAndNumbers.h"

#include "platform/core/Cp932.h"
#include "platform/core/Random.h"

#include <cstdlib>

std::string CutMbText(std::string_view text, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < text.size())
    {
        std::size_t next = end + platform::Cp932CharLength(text, end);
        if (next > maxBytes)
        {
            break;
        }
        end = next;
    }
    return std::string(text.substr(0, end));
}

int CountMbChars(std::string_view text)
{
    int count = 0;
    for (std::size_t i = 0; i < text.size();)
    {
        std::size_t len = platform::Cp932CharLength(text, i);
        if (!(len == 1 && text[i] == '\n'))
        {
            ++count;
        }
        i += len;
    }
    return count;
}

bool RollPercent(int percent)
{
    return Rand() % 100 + 1 <= percent;
}

bool StepTowardPoint(double& x, double& y, int targetX, int targetY, double speed)
{
    auto arrived = [&] { return static_cast<int>(x) == targetX && static_cast<int>(y) == targetY; };
    if (arrived())
    {
        return true;
    }

    int dx = targetX - static_cast<int>(x);
    int dy = targetY - static_cast<int>(y);
    double stepX = dx < 0 ? -speed * 0.1 : speed * 0.1;
    double stepY = dy < 0 ? -speed * 0.1 : speed * 0.1;
    dx = std::abs(dx);
    dy = std::abs(dy);

    // The axis with the longer distance moves every sub-step, the other when
    // the error term overflows; equal distances take the y branch.
    bool xMajor = dx > dy;
    int major = xMajor ? dx : dy;
    int minor = xMajor ? dy : dx;
    double& majorPos = xMajor ? x : y;
    double& minorPos = xMajor ? y : x;
    double majorStep = xMajor ? stepX : stepY;
    double minorStep = xMajor ? stepY : stepX;

    int error = major / 2;
    for (int i = 0; i < 10; ++i)
    {
        error += minor;
        if (error >= major)
        {
            minorPos += minorStep;
            error -= major;
        }
        majorPos += majorStep;
        if (arrived())
        {
            return true;
        }
    }
    return false;
}
