#include "common/window/Accelerators.h"

#include "platform/window/WindowSystem.h"

#include <map>
#include <memory>

namespace
{
std::map<int, std::unique_ptr<AcceleratorTable>>& Tables()
{
    static std::map<int, std::unique_ptr<AcceleratorTable>> tables;
    return tables;
}
} // namespace

void RegisterAcceleratorTable(int id, AcceleratorTable table)
{
    Tables()[id] = std::make_unique<AcceleratorTable>(std::move(table));
}

const AcceleratorTable* FindAcceleratorTable(int id)
{
    auto it = Tables().find(id);
    return it == Tables().end() ? nullptr : it->second.get();
}

int TranslateAccelerator(platform::WindowHandle window, const AcceleratorTable& table, uint32_t message,
                         uintptr_t wParam, intptr_t lParam)
{
    platform::WindowSystem* system = platform::SystemOfWindow(window);
    if (message != platform::kWmKeyDown || !system)
    {
        return 0;
    }
    constexpr uint32_t kModifiers = platform::kKeyShift | platform::kKeyControl | platform::kKeyAlt;
    uint32_t held = static_cast<uint32_t>(lParam) & kModifiers;
    for (const Accelerator& entry : table)
    {
        if (entry.m_nKey == wParam && entry.m_nModifiers == held)
        {
            system->SendMessage(window, platform::kWmCommand, platform::MakeWParam(entry.m_nCommand, 1), 0);
            return 1;
        }
    }
    return 0;
}
