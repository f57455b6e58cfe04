#include "platform/input/InputScript.h"

#include <charconv>

namespace platform
{

namespace
{

std::string_view Trim(std::string_view s)
{
    const char* kSpace = " \t\r";
    std::size_t first = s.find_first_not_of(kSpace);
    if (first == std::string_view::npos)
    {
        return {};
    }
    return s.substr(first, s.find_last_not_of(kSpace) - first + 1);
}

} // namespace

std::vector<std::string_view> InputScript::Words(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size())
    {
        std::size_t start = line.find_first_not_of(" \t", pos);
        if (start == std::string_view::npos)
        {
            break;
        }
        std::size_t end = line.find_first_of(" \t", start);
        if (end == std::string_view::npos)
        {
            end = line.size();
        }
        words.push_back(line.substr(start, end - start));
        pos = end;
    }
    return words;
}

bool InputScript::ParseKeys(std::string_view word, KeySet& keys, std::string& reason)
{
    keys.reset();
    while (true)
    {
        std::size_t plus = word.find('+');
        std::string_view name = word.substr(0, plus);
        int key = VirtualKeyFromName(name);
        if (key == 0)
        {
            reason = "unknown key \"" + std::string(name) + "\"";
            return false;
        }
        keys.set(key);
        if (plus == std::string_view::npos)
        {
            return true;
        }
        word.remove_prefix(plus + 1);
    }
}

bool InputScript::ParseFrames(std::string_view word, uint32_t& frames, std::string& reason)
{
    uint64_t n = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (ec != std::errc() || end != word.data() + word.size() || n < 1 || n > InputScript::kMaxStepFrames)
    {
        reason = "frame count \"" + std::string(word) + "\" is not 1.." + std::to_string(InputScript::kMaxStepFrames);
        return false;
    }
    frames = static_cast<uint32_t>(n);
    return true;
}

bool InputScript::ParseStepLine(std::string_view line, std::vector<Step>& steps, std::string& reason)
{
    std::vector<std::string_view> words = Words(line);
    const std::string_view verb = words.empty() ? std::string_view{} : words[0];
    Step step;
    bool ok = false;
    if (verb == "press" && words.size() == 2)
    {
        ok = ParseKeys(words[1], step.m_Keys, reason);
        step.m_nFrames = 1;
    }
    else if (verb == "hold" && words.size() == 3)
    {
        ok = ParseKeys(words[1], step.m_Keys, reason) && ParseFrames(words[2], step.m_nFrames, reason);
    }
    else if (verb == "wait" && words.size() == 2)
    {
        ok = ParseFrames(words[1], step.m_nFrames, reason);
    }
    else
    {
        reason = "expected \"press KEY\", \"hold KEY N\" or \"wait N\"";
    }
    if (!ok)
    {
        return false;
    }
    steps.push_back(step);
    if (verb == "press")
    {
        steps.push_back(Step{KeySet{}, 1});
    }
    return true;
}

bool InputScript::ForEachLine(std::string_view text, const std::function<bool(int, std::string_view)>& visit)
{
    int lineNumber = 0;
    while (!text.empty())
    {
        ++lineNumber;
        std::size_t newline = text.find('\n');
        std::string_view line = Trim(text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        if (!line.empty() && line.front() != '#' && !visit(lineNumber, line))
        {
            return false;
        }
    }
    return true;
}

bool InputScript::Parse(std::string_view text, std::string* error)
{
    std::vector<Step> steps;
    const bool ok = ForEachLine(text,
                                [&](int lineNumber, std::string_view line)
                                {
                                    std::string reason;
                                    if (ParseStepLine(line, steps, reason))
                                    {
                                        return true;
                                    }
                                    if (error)
                                    {
                                        *error = "line " + std::to_string(lineNumber) + ": " + reason;
                                    }
                                    return false;
                                });
    if (!ok)
    {
        return false;
    }
    m_Steps = std::move(steps);
    Rewind();
    return true;
}

bool InputScript::NextFrame(KeySet& keys)
{
    if (Finished())
    {
        keys.reset();
        return false;
    }
    keys = m_Steps[m_nStep].m_Keys;
    ++m_nPosition;
    if (++m_nFrameInStep >= m_Steps[m_nStep].m_nFrames)
    {
        ++m_nStep;
        m_nFrameInStep = 0;
    }
    return true;
}

void InputScript::Rewind()
{
    m_nStep = 0;
    m_nFrameInStep = 0;
    m_nPosition = 0;
}

std::size_t InputScript::FrameCount() const
{
    std::size_t frames = 0;
    for (const Step& step : m_Steps)
    {
        frames += step.m_nFrames;
    }
    return frames;
}

} // namespace platform
