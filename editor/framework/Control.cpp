#include "editor/framework/Control.h"

#include "common/services/DialogItems.h"
#include "editor/framework/DialogBase.h"

Control& Control::operator=(const Control& other)
{
    m_hWnd = other.m_hWnd;
    m_nId = other.m_nId;
    return *this;
}

void Control::Enable(int on)
{
    if (platform::NativeWindow* native = Native())
    {
        native->Enable(on != 0);
    }
}

int Control::OnNotify(uintptr_t, const platform::NotifyHeader*)
{
    return 0;
}

void Control::OnKey(uintptr_t, intptr_t, int)
{
}

void Control::Attach(DialogBase* owner, uint16_t id)
{
    m_pOwner = owner;
    m_hOwner = owner ? owner->Handle() : nullptr;
    m_nId = id;
    platform::WindowSystem* system = platform::SystemOfWindow(m_hOwner);
    m_hWnd = system ? system->GetDlgItem(m_hOwner, id) : nullptr;
    UpdatePlacement();
}

void Control::UpdatePlacement()
{
    platform::NativeWindow* native = Native();
    if (!native)
    {
        return;
    }
    platform::Rect screen = native->ScreenRect();
    m_nScreenX = screen.m_nLeft;
    m_nScreenY = screen.m_nTop;
    platform::NativeWindow* owner = platform::ResolveWindow(m_hOwner);
    if (owner && m_pOwner)
    {
        platform::Rect ownerRect = owner->ScreenRect();
        m_nX = m_nScreenX - ownerRect.m_nLeft - m_pOwner->Frame().m_nLeft;
        m_nY = m_nScreenY - ownerRect.m_nTop - m_pOwner->Frame().m_nTop;
    }
}

void Control::Resize(int width, int height)
{
    platform::NativeWindow* native = Native();
    if (!native)
    {
        return;
    }
    UpdatePlacement();
    native->SetWindowRect({m_nX, m_nY, width, height});
}

bool Control::ContainsPoint(const platform::Point* screen) const
{
    platform::NativeWindow* native = Native();
    if (!native || !screen)
    {
        return false;
    }
    platform::Rect rect = native->ScreenRect();
    return screen->m_nX >= rect.m_nLeft && screen->m_nX <= rect.Right() && screen->m_nY >= rect.m_nTop &&
           screen->m_nY <= rect.Bottom();
}

void Control::ClearStyle(uint32_t bits)
{
    if (platform::NativeWindow* native = Native())
    {
        native->SetStyle(native->Style() & ~bits);
    }
}

void Control::SetText(const std::string& text)
{
    SetDlgItemString(m_hOwner, m_nId, text);
}
