#include "game/program/PlayScript.h"

#include "game/engine/Scene.h"
#include "platform/core/Cp932.h"

#include <charconv>
#include <map>

namespace
{

using Words = std::vector<std::string_view>;

bool ParseNumber(std::string_view word, int32_t& value, std::string& reason)
{
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size())
    {
        reason = "\"" + std::string(word) + "\" is not a number";
        return false;
    }
    return true;
}

// "until scene K [state S] [within N] [pressing KEY]", "until state S
// [within N] [pressing KEY]" or "until closed [within N]".
bool ParseUntil(const Words& words, PlayLine& line, std::string& reason)
{
    std::size_t next = 0;
    if (words.size() >= 3 && words[1] == "scene")
    {
        line.m_Kind = PlayLine::Kind::UntilScene;
        if (!ParseNumber(words[2], line.m_nScene, reason))
        {
            return false;
        }
        next = 3;
        if (words.size() >= 5 && words[3] == "state")
        {
            line.m_Kind = PlayLine::Kind::UntilState;
            if (!ParseNumber(words[4], line.m_nValue, reason))
            {
                return false;
            }
            next = 5;
        }
    }
    else if (words.size() >= 3 && words[1] == "state")
    {
        line.m_Kind = PlayLine::Kind::UntilState;
        line.m_nScene = PlayLine::kAnyScene;
        if (!ParseNumber(words[2], line.m_nValue, reason))
        {
            return false;
        }
        next = 3;
    }
    else if (words.size() >= 2 && words[1] == "closed")
    {
        line.m_Kind = PlayLine::Kind::UntilClosed;
        next = 2;
    }
    else
    {
        reason = "expected \"until scene K [within N]\", \"until state S [within N]\" or \"until closed [within N]\"";
        return false;
    }
    line.m_nFrames = PlayScript::kDefaultWithin;
    if (words.size() >= next + 2 && words[next] == "within")
    {
        if (!platform::InputScript::ParseFrames(words[next + 1], line.m_nFrames, reason))
        {
            return false;
        }
        next += 2;
    }
    const bool pressing = line.m_Kind != PlayLine::Kind::UntilClosed;
    if (words.size() == next + 2 && words[next] == "pressing" && pressing)
    {
        return platform::InputScript::ParseKeys(words[next + 1], line.m_Keys, reason);
    }
    if (words.size() == next)
    {
        return true;
    }
    reason = pressing ? "expected \"within N\" or \"pressing KEY\" after the condition"
                      : "expected \"within N\" after the condition";
    return false;
}

bool ParseLeader(std::string_view word, PlayLine& line, std::string& reason)
{
    if (word == "none")
    {
        line.m_bNone = true;
        return true;
    }
    std::string ignored;
    if (ParseNumber(word, line.m_nValue, ignored))
    {
        return true;
    }
    line.m_strName = platform::FromUtf8(std::string(word));
    if (line.m_strName.empty())
    {
        reason = "the leader's name is not text of the game";
        return false;
    }
    return true;
}

// A party member: its friend number or its name (not "none").
bool ParseUnit(std::string_view word, PlayLine& line, std::string& reason)
{
    if (word == "none")
    {
        reason = "a unit is a friend number or a name";
        return false;
    }
    return ParseLeader(word, line, reason);
}

bool ParseExpect(const Words& words, PlayLine& line, std::string& reason)
{
    static const std::map<std::string_view, PlayCheck> kSingle = {{"scene", PlayCheck::Scene},
                                                                  {"state", PlayCheck::State},
                                                                  {"money", PlayCheck::Money},
                                                                  {"party", PlayCheck::Party},
                                                                  {"stage", PlayCheck::CurrentStage}};
    line.m_Kind = PlayLine::Kind::Expect;
    const std::string_view what = words.size() > 1 ? words[1] : std::string_view{};
    if (auto found = kSingle.find(what); found != kSingle.end() && words.size() == 3)
    {
        line.m_Check = found->second;
        return ParseNumber(words[2], line.m_nValue, reason);
    }
    if (what == "leader" && words.size() == 3)
    {
        line.m_Check = PlayCheck::Leader;
        return ParseLeader(words[2], line, reason);
    }
    if (what == "cleared" && (words.size() == 3 || words.size() == 4))
    {
        line.m_Check = PlayCheck::Cleared;
        line.m_nValue = 1;
        return ParseNumber(words[2], line.m_nArg, reason) &&
               (words.size() == 3 || ParseNumber(words[3], line.m_nValue, reason));
    }
    static const std::map<std::string_view, PlayCheck> kPair = {
        {"var", PlayCheck::Variable}, {"item", PlayCheck::Item}, {"position", PlayCheck::Position}};
    if (auto found = kPair.find(what); found != kPair.end() && words.size() == 4)
    {
        line.m_Check = found->second;
        return ParseNumber(words[2], line.m_nArg, reason) && ParseNumber(words[3], line.m_nValue, reason);
    }
    if (what == "unit" && words.size() == 4 && words[3] == "off")
    {
        line.m_Check = PlayCheck::UnitPosition;
        line.m_bNone = true;
        return ParseUnit(words[2], line, reason);
    }
    if (what == "unit" && words.size() == 5)
    {
        line.m_Check = PlayCheck::UnitPosition;
        return ParseUnit(words[2], line, reason) && ParseNumber(words[3], line.m_nX, reason) &&
               ParseNumber(words[4], line.m_nY, reason);
    }
    if (what == "acted" && words.size() == 4)
    {
        line.m_Check = PlayCheck::UnitActed;
        return ParseUnit(words[2], line, reason) && ParseNumber(words[3], line.m_nX, reason);
    }
    reason = "expected \"expect scene|state|money|party|stage N\", \"expect leader F\", "
             "\"expect cleared STAGE [0|1]\", \"expect var N VALUE\", \"expect item ITEM COUNT\", "
             "\"expect position X Y\", \"expect unit F X Y|off\" or \"expect acted F V\"";
    return false;
}

// "go scene K".
bool ParseGo(const Words& words, PlayLine& line, std::string& reason)
{
    line.m_Kind = PlayLine::Kind::GoScene;
    if (words.size() != 3 || words[1] != "scene")
    {
        reason = "expected \"go scene K\"";
        return false;
    }
    return ParseNumber(words[2], line.m_nScene, reason);
}

// A file name of letters, digits, '-', '_' and '.', not starting with '.'.
bool ParseCapture(const Words& words, PlayLine& line, std::string& reason)
{
    line.m_Kind = PlayLine::Kind::Capture;
    if (words.size() != 2)
    {
        reason = "expected \"capture NAME\"";
        return false;
    }
    const std::string_view name = words[1];
    bool plain = !name.empty() && name.front() != '.';
    for (char c : name)
    {
        plain = plain && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '.');
    }
    if (!plain)
    {
        reason = "a capture's name is a plain file name";
        return false;
    }
    line.m_strName = std::string(name);
    if (!line.m_strName.ends_with(".png"))
    {
        line.m_strName += ".png";
    }
    return true;
}

// "stage FILE [NUMBER]".
bool ParseStage(const Words& words, PlayLine& line, std::string& reason)
{
    line.m_Kind = PlayLine::Kind::Stage;
    line.m_nArg = 1;
    if (words.size() < 2 || words.size() > 3)
    {
        reason = "expected \"stage FILE [NUMBER]\"";
        return false;
    }
    line.m_strName = platform::FromUtf8(std::string(words[1]));
    if (line.m_strName.empty())
    {
        reason = "the stage file is not a name of the game";
        return false;
    }
    return words.size() == 2 || ParseNumber(words[2], line.m_nArg, reason);
}

// "seed N".
bool ParseSeed(const Words& words, PlayLine& line, std::string& reason)
{
    line.m_Kind = PlayLine::Kind::Seed;
    if (words.size() != 2)
    {
        reason = "expected \"seed N\"";
        return false;
    }
    return ParseNumber(words[1], line.m_nArg, reason);
}

} // namespace

bool PlayScript::Parse(std::string_view text, std::string* error)
{
    std::vector<PlayLine> lines;
    const bool ok = platform::InputScript::ForEachLine(
        text,
        [&](int number, std::string_view text)
        {
            const Words words = platform::InputScript::Words(text);
            std::string reason;
            bool parsed = false;
            using Parser = bool (*)(const Words&, PlayLine&, std::string&);
            static const std::map<std::string_view, Parser> kParsers = {
                {"until", ParseUntil}, {"expect", ParseExpect}, {"capture", ParseCapture},
                {"go", ParseGo},       {"stage", ParseStage},   {"seed", ParseSeed}};
            const auto parser = kParsers.find(words[0]);
            if (parser != kParsers.end())
            {
                PlayLine line;
                parsed = parser->second(words, line, reason);
                lines.push_back(line);
            }
            else
            {
                std::vector<platform::InputScript::Step> steps;
                parsed = platform::InputScript::ParseStepLine(text, steps, reason);
                for (const platform::InputScript::Step& step : steps)
                {
                    PlayLine line;
                    line.m_Keys = step.m_Keys;
                    line.m_nFrames = step.m_nFrames;
                    lines.push_back(line);
                }
                if (!parsed && words[0] != "press" && words[0] != "hold" && words[0] != "wait")
                {
                    reason = "unknown step \"" + std::string(words[0]) +
                             "\": expected press, hold, wait, until, go, expect, capture, stage or seed";
                }
            }
            if (!parsed)
            {
                if (error)
                {
                    *error = "line " + std::to_string(number) + ": " + reason;
                }
                return false;
            }
            for (auto it = lines.rbegin(); it != lines.rend() && it->m_nLine == 0; ++it)
            {
                it->m_nLine = number;
                it->m_strText = std::string(text);
            }
            return true;
        });
    if (!ok)
    {
        return false;
    }
    m_Lines = std::move(lines);
    return true;
}

const char* SceneName(int id)
{
    static const char* const kNames[kSceneCount] = {"title", "camp", "world map", "stage", "battle"};
    return id >= 0 && id < kSceneCount ? kNames[id] : "none";
}
