#pragma once

// Event commands for the tests: a command of a code with its int arguments
// (the rest 0) and its string argument.

#include "common/data/Event.h"

#include <cstdint>
#include <vector>

inline EventCommand Command(int32_t code, std::vector<int32_t> ints, const char* text = nullptr)
{
    EventCommand command;
    command.Init();
    command.m_nCode = code;
    command.FitArguments(nullptr);
    for (std::size_t i = 0; i < ints.size() && i < command.m_nValParam.size(); ++i)
    {
        command.m_nValParam.At(static_cast<int>(i)) = ints[i];
    }
    if (text && !command.m_StrParam.empty())
    {
        command.m_StrParam.At(0).m_str = text;
    }
    return command;
}
