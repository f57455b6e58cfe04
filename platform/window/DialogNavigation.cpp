#include "platform/window/DialogNavigation.h"

#include "platform/window/ButtonModel.h"
#include "platform/window/EditModel.h"

#include <algorithm>

namespace platform
{

namespace
{

bool IsTabStop(WindowSystem& system, WindowHandle control)
{
    NativeWindow* native = system.Resolve(control);
    return native && (native->Style() & kWsTabStop) && native->IsEnabled() && native->IsVisible();
}

// The direct child of the dialog that holds the window (the window itself for a control).
WindowHandle ControlHolding(WindowSystem& system, WindowHandle dialog, WindowHandle window)
{
    for (NativeWindow* native = system.Resolve(window); native; native = system.Resolve(native->Parent()))
    {
        if (native->Parent() == dialog && native->IsChild())
        {
            return native->Handle();
        }
        if (!native->IsChild())
        {
            break;
        }
    }
    return nullptr;
}

void SendClick(WindowSystem& system, WindowHandle dialog, int id)
{
    system.SendMessage(dialog, kWmCommand, MakeWParam(id, kBnClicked),
                       static_cast<intptr_t>(HandleParam(system.GetDlgItem(dialog, id))));
}

} // namespace

WindowHandle NextTabStop(WindowHandle dialog, WindowHandle from, bool previous)
{
    WindowSystem* system = SystemOfWindow(dialog);
    if (!system)
    {
        return nullptr;
    }
    std::vector<WindowHandle> controls = system->Children(dialog);
    if (previous)
    {
        std::reverse(controls.begin(), controls.end());
    }
    auto start = std::find(controls.begin(), controls.end(), from);
    size_t count = controls.size();
    size_t first = start == controls.end() ? 0 : static_cast<size_t>(start - controls.begin()) + 1;
    for (size_t step = 0; step < count; ++step)
    {
        WindowHandle candidate = controls[(first + step) % count];
        if (IsTabStop(*system, candidate))
        {
            return candidate;
        }
    }
    return nullptr;
}

int DefaultButtonId(WindowHandle dialog)
{
    WindowSystem* system = SystemOfWindow(dialog);
    if (!system)
    {
        return kIdOk;
    }
    for (WindowHandle control : system->Children(dialog))
    {
        auto* button = dynamic_cast<ButtonModel*>(system->Resolve(control)->Control());
        if (button && button->Type() == kBsDefPushButton)
        {
            return button->Id();
        }
    }
    return kIdOk;
}

void FocusDialogControl(WindowHandle control)
{
    WindowSystem* system = SystemOfWindow(control);
    if (!system)
    {
        return;
    }
    system->SetFocus(control);
    if (ModelOf<EditModel>(control))
    {
        system->SendMessage(control, kEmSetSel, 0, -1);
    }
}

bool IsDialogMessage(WindowHandle dialog, const WindowMessage& message)
{
    WindowSystem* system = SystemOfWindow(dialog);
    NativeWindow* native = system ? system->Resolve(dialog) : nullptr;
    if (!native || native->IsChild() || message.m_nMessage != kWmKeyDown || (message.m_lParam & kKeyReposted) ||
        !system->IsWithin(message.m_hWindow, dialog) || (message.m_lParam & (kKeyControl | kKeyAlt)))
    {
        return false;
    }
    WindowHandle control = ControlHolding(*system, dialog, message.m_hWindow);
    switch (message.m_wParam)
    {
    case kVkTab:
        if (WindowHandle next = NextTabStop(dialog, control, (message.m_lParam & kKeyShift) != 0))
        {
            FocusDialogControl(next);
        }
        return true;
    case kVkEscape:
        SendClick(*system, dialog, kIdCancel);
        return true;
    case kVkReturn:
    {
        auto* edit = ModelOf<EditModel>(control);
        if (edit && edit->IsMultiline() && (edit->Style() & kEsWantReturn))
        {
            return false;
        }
        int id = DefaultButtonId(dialog);
        if (auto* button = ModelOf<ButtonModel>(control); button && button->IsPushButton())
        {
            id = button->Id();
        }
        NativeWindow* target = system->Resolve(system->GetDlgItem(dialog, id));
        if (!target || target->IsEnabled())
        {
            SendClick(*system, dialog, id);
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace platform
