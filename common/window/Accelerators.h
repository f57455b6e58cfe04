#pragma once

// Accelerator tables: key combinations that become commands. A program
// registers its tables by id at start-up (they were resources); windows bind
// them with WindowBase::AddAccelerators.

#include "platform/window/NativeWindow.h"

#include <vector>

struct Accelerator
{
    uint32_t m_nKey = 0;       // virtual key code
    uint32_t m_nModifiers = 0; // platform::kKeyShift, kKeyControl, kKeyAlt
    int m_nCommand = 0;
};

using AcceleratorTable = std::vector<Accelerator>;

void RegisterAcceleratorTable(int id, AcceleratorTable table);
// The table of that id; null when none is registered.
const AcceleratorTable* FindAcceleratorTable(int id);

// When the message is a key-down that the table holds, sends the command to
// the window (kWmCommand, notification 1) and returns 1; else 0.
int TranslateAccelerator(platform::WindowHandle window, const AcceleratorTable& table, uint32_t message,
                         uintptr_t wParam, intptr_t lParam);
