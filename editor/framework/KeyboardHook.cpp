#include "editor/framework/KeyboardHook.h"

#include "common/services/Log.h"
#include "common/window/WindowBase.h"

int CtrlKeyDown = 0;

namespace
{
constexpr char kHookProperty[] = "cHook";
} // namespace

KeyboardHook::~KeyboardHook()
{
    platform::NativeWindow* native = platform::ResolveWindow(m_hWindow);
    if (native && native->GetProp(kHookProperty) == this)
    {
        native->RemoveProp(kHookProperty);
    }
}

int KeyboardHook::Install(platform::WindowHandle window)
{
    m_hWindow = window;
    platform::NativeWindow* native = platform::ResolveWindow(window);
    if (!native)
    {
        return 0;
    }
    native->SetProp(kHookProperty, this);
    // The system's key observer is the one hook: setting it again changes nothing.
    native->System().SetKeyObserver(&KeyboardHook::HookProc);
    return 1;
}

void KeyboardHook::UninstallAll()
{
    if (AppWindowSystem)
    {
        AppWindowSystem->SetKeyObserver(nullptr);
    }
}

void KeyboardHook::HookProc(const platform::WindowMessage& key)
{
    platform::WindowSystem* system = platform::SystemOfWindow(key.m_hWindow);
    if (!system)
    {
        return;
    }
    platform::WindowHandle active = system->ActiveWindow();
    platform::NativeWindow* native = system->Resolve(active);
    auto* hook = native ? static_cast<KeyboardHook*>(native->GetProp(kHookProperty)) : nullptr;
    if (!hook || hook->m_hWindow != active)
    {
        return;
    }
    intptr_t flags = key.m_lParam | platform::kKeyReposted;
    if (key.m_nMessage == platform::kWmKeyUp)
    {
        system->PostMessage(active, platform::kWmKeyUp, key.m_wParam, flags);
        if (key.m_wParam == platform::kVkControl)
        {
            CtrlKeyDown = 0;
        }
        return;
    }
    if (key.m_nMessage != platform::kWmKeyDown)
    {
        return;
    }
    WriteErrorLogF("WM_KEYDOWN wParam = %c", static_cast<int>(key.m_wParam));
    if (key.m_wParam == platform::kVkTab)
    {
        return;
    }
    if (key.m_wParam == platform::kVkReturn)
    {
        // Enter confirms the input method's composition: not copied.
        platform::NativeWindow* target = system->Resolve(key.m_hWindow);
        if (target && target->IsComposing())
        {
            return;
        }
    }
    system->PostMessage(active, platform::kWmKeyDown, key.m_wParam, flags);
    if (key.m_wParam == platform::kVkControl)
    {
        CtrlKeyDown = 1;
    }
}
