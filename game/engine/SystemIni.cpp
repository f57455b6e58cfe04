#include "game/engine/SystemIni.h"

#include "platform/core/Files.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

GameSettings Settings;
FrameValues FrameRateValues;

namespace
{

// The text buffer of one key or value, its terminating byte included.
constexpr size_t kTextBuffer = 2048;
constexpr int kValueCount = 7;

// The C runtime's atoi: blanks, a sign, digits; saturated where it would overflow.
int32_t TextToInt(const std::string& text)
{
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
    {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
    {
        negative = text[pos] == '-';
        ++pos;
    }
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
    {
        value = std::min<int64_t>(value * 10 + (text[pos] - '0'), int64_t{INT32_MAX} + 1);
    }
    value = negative ? -value : value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

class IniReader
{
public:
    explicit IniReader(std::FILE* file) : m_pFile(file) {}

    // Skips the key up to its '='; false at the end of the file or when it runs away.
    bool SkipKey()
    {
        size_t collected = 0;
        for (int c = std::fgetc(m_pFile); c != '='; c = std::fgetc(m_pFile))
        {
            if (c == EOF)
            {
                return false;
            }
            if (c != ' ' && c != '\t' && ++collected >= kTextBuffer)
            {
                return false;
            }
        }
        return true;
    }

    // Reads one value; false when it runs away.
    bool ReadValue(int32_t& value)
    {
        std::string text;
        for (int c = std::fgetc(m_pFile); c != EOF; c = std::fgetc(m_pFile))
        {
            if ((c == ' ' || c == '\t') && !m_bKeptAny)
            {
                continue; // leading blanks, until some value of the file has begun
            }
            if (c == '\0' || c == '\t' || c == '\n' || c == ' ' || c == '/')
            {
                break;
            }
            if (text.size() + 1 >= kTextBuffer)
            {
                return false;
            }
            text.push_back(static_cast<char>(c));
            m_bKeptAny = true;
        }
        value = TextToInt(text);
        return true;
    }

private:
    std::FILE* m_pFile;
    bool m_bKeptAny = false;
};

} // namespace

bool ReadSystemIni(std::string_view path, GameSettings& settings)
{
    std::FILE* file = std::fopen(platform::DiskPath(path).c_str(), "rb");
    if (!file)
    {
        return false;
    }
    int32_t* fields[kValueCount] = {&settings.m_nMusic,      &settings.m_nEffectVolume, &settings.m_nWindowed,
                                    &settings.m_nColourDepth, &settings.m_nFrameRate,    &settings.m_nPageFlip,
                                    &settings.m_nFpsDisplay};
    IniReader reader(file);
    bool complete = true;
    for (int32_t* field : fields)
    {
        if (!reader.SkipKey() || !reader.ReadValue(*field))
        {
            complete = false;
            break;
        }
        if (field == &settings.m_nFrameRate)
        {
            *field = std::clamp(*field, 20, 60);
        }
    }
    std::fclose(file);
    if (!complete)
    {
        return false;
    }
    if (settings.m_nEffectVolume >= 1)
    {
        settings.m_nEffectVolume = std::clamp(settings.m_nEffectVolume - 10000, -10000, 1);
    }
    return true;
}

GameSettings LoadGameSettings(std::string_view path)
{
    GameSettings settings;
    if (!ReadSystemIni(path, settings))
    {
        settings = GameSettings();
    }
    if (settings.m_nWindowed != 0)
    {
        settings.m_nPageFlip = 1;
    }
    return settings;
}

FrameValues DeriveFrameValues(int fps)
{
    FrameValues values;
    if (fps <= 0)
    {
        return values; // no rate of its own: the rates as authored
    }
    values.m_nFrameRate = fps;
    values.m_dFrameScale = fps / 60.0;
    values.m_dFrameLength = 60.0 / fps;
    values.m_nFadeStep = static_cast<int>(values.m_dFrameLength * 10);
    values.m_nKeyRepeatDelay = static_cast<int>(values.m_dFrameScale * 18);
    values.m_nKeyRepeatInterval = std::max(static_cast<int>(values.m_dFrameScale * 6), 1);
    return values;
}

int ScaledFrames(int frames)
{
    return std::max(1, static_cast<int>(std::lround(frames * FrameRateValues.m_dFrameScale)));
}
