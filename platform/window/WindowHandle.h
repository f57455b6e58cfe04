#pragma once

// Window handles: opaque values, not addresses. A handle names a slot of one
// process-wide table and the slot's generation; destroying a window bumps the
// generation, so a handle kept past its window's end never reaches a window
// made later in the same slot. Any thread may resolve or test a handle; the
// window it resolves to is used only on its system's loop thread.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>

namespace platform
{

class NativeWindow;
class WindowSystem;

class WindowHandle
{
public:
    constexpr WindowHandle() = default;
    constexpr WindowHandle(std::nullptr_t) {}

    explicit constexpr operator bool() const { return m_nValue != 0; }
    constexpr bool operator==(const WindowHandle&) const = default;

    // The value as it travels in a message parameter, and back.
    constexpr uint64_t Value() const { return m_nValue; }
    static constexpr WindowHandle FromValue(uint64_t value)
    {
        WindowHandle handle;
        handle.m_nValue = value;
        return handle;
    }
    // The table slot (reused after a window's end) and the slot's generation.
    constexpr uint32_t Slot() const { return static_cast<uint32_t>(m_nValue & 0xFFFFFFFFu) - 1; }
    constexpr uint32_t Generation() const { return static_cast<uint32_t>(m_nValue >> 32); }

    friend std::ostream& operator<<(std::ostream& out, const WindowHandle& handle)
    {
        return out << "window(" << handle.Slot() << "/" << handle.Generation() << ")";
    }

private:
    uint64_t m_nValue = 0;
};

static_assert(sizeof(uintptr_t) >= sizeof(uint64_t), "window handles travel in message parameters");

// A handle in a wParam or lParam, and back.
inline uintptr_t HandleParam(WindowHandle handle)
{
    return static_cast<uintptr_t>(handle.Value());
}
inline WindowHandle HandleFromParam(uintptr_t value)
{
    return WindowHandle::FromValue(value);
}

// The window of a live handle; null for a null or stale handle.
NativeWindow* ResolveWindow(WindowHandle handle);
// Whether the handle names a live window.
inline bool IsLiveWindow(WindowHandle handle)
{
    return ResolveWindow(handle) != nullptr;
}

// The system a live handle's window belongs to; null for a null or stale
// handle. Safe on any thread: it never touches the window itself.
WindowSystem* SystemOfWindow(WindowHandle handle);

// The table itself, used by the window core only.
namespace handles
{
WindowHandle Register(NativeWindow* window, WindowSystem* system);
// The handle goes stale at once; its slot is reused by a later Register.
void Unregister(WindowHandle handle);
} // namespace handles

} // namespace platform

template <>
struct std::hash<platform::WindowHandle>
{
    size_t operator()(const platform::WindowHandle& handle) const noexcept
    {
        return std::hash<uint64_t>()(handle.Value());
    }
};
