#include "platform/window/ControlModel.h"

#include "platform/core/Cp932.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "platform/window/ScrollBarModel.h"
#include "platform/window/StaticModel.h"
#include "platform/window/TabModel.h"
#include "platform/window/UpDownModel.h"
#include "platform/window/WindowSystem.h"

#include <cstring>

namespace platform
{

ControlModel::ControlModel(NativeWindow& window, std::string_view text) : m_strText(text), m_Window(window)
{
}

ControlModel::~ControlModel() = default;

intptr_t ControlModel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message)
    {
    case kWmSetText:
        SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 1;
    case kWmGetText:
        return CopyTextOut(m_strText, wParam, lParam);
    case kWmGetTextLength:
        return static_cast<intptr_t>(m_strText.size());
    default:
        return 0;
    }
}

void ControlModel::SetText(std::string_view text)
{
    m_strText = text;
    Changed();
}

void ControlModel::Changed()
{
    if (m_View)
    {
        std::function<void()> view = m_View;
        view();
    }
}

void ControlModel::NotifyCommand(int code)
{
    m_Window.System().SendMessage(m_Window.Parent(), kWmCommand, MakeWParam(Id(), code),
                                  static_cast<intptr_t>(HandleParam(Handle())));
}

intptr_t ControlModel::NotifyParent(NotifyHeader& header, int code)
{
    header.m_hFrom = Handle().Value();
    header.m_nId = static_cast<uintptr_t>(Id());
    header.m_nCode = code;
    return m_Window.System().SendMessage(m_Window.Parent(), kWmNotify, static_cast<uintptr_t>(Id()),
                                         reinterpret_cast<intptr_t>(&header));
}

std::unique_ptr<ControlModel> MakeControlModel(NativeWindow& window, const WindowCreateParams& params)
{
    const std::string& name = params.m_strClass;
    if (name == kClassButton)
    {
        return std::make_unique<ButtonModel>(window, params.m_strTitle);
    }
    if (name == kClassStatic)
    {
        return std::make_unique<StaticModel>(window, params.m_strTitle);
    }
    if (name == kClassEdit)
    {
        return std::make_unique<EditModel>(window, params.m_strTitle);
    }
    if (name == kClassListBox)
    {
        return std::make_unique<ListBoxModel>(window);
    }
    if (name == kClassComboBox)
    {
        return std::make_unique<ComboBoxModel>(window);
    }
    if (name == kClassScrollBar)
    {
        return std::make_unique<ScrollBarModel>(window);
    }
    if (name == kClassUpDown)
    {
        return std::make_unique<UpDownModel>(window);
    }
    if (name == kClassTabControl)
    {
        return std::make_unique<TabModel>(window);
    }
    return nullptr;
}

ControlModel* ControlOf(WindowHandle window)
{
    NativeWindow* native = ResolveWindow(window);
    return native ? native->Control() : nullptr;
}

intptr_t CopyTextOut(std::string_view text, uintptr_t count, intptr_t buffer)
{
    if (!buffer || count == 0)
    {
        return 0;
    }
    size_t room = count - 1;
    size_t length = 0;
    while (length < text.size())
    {
        size_t next = length + Cp932CharLength(text, length);
        if (next > room)
        {
            break;
        }
        length = next;
    }
    char* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return static_cast<intptr_t>(length);
}

} // namespace platform
