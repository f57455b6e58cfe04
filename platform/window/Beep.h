#pragma once

// The short warning sound of a refused edit (a text past its limits, a list
// command that cannot be done). The window backend in use plays it (the
// editor's Qt backend gives the desktop's beep); without one nothing sounds.
// Tests hear every beep through a BeepRecorder. Window thread only.

#include <cstdint>
#include <functional>
#include <vector>

namespace platform
{

// The sound of the standard beep, the only kind the programs ask for.
constexpr uint32_t kBeepDefault = 0;

// Sounds the beep of that kind.
void MessageBeep(uint32_t type);

using BeepSound = std::function<void(uint32_t type)>;
// The backend's sound (null: silence); returns the previous one.
BeepSound SetBeepSound(BeepSound sound);

// Hears every beep while it lives, the sound being played too; recorders nest.
class BeepRecorder
{
public:
    BeepRecorder();
    ~BeepRecorder();
    BeepRecorder(const BeepRecorder&) = delete;
    BeepRecorder& operator=(const BeepRecorder&) = delete;

    // The kinds of the beeps heard, in order.
    const std::vector<uint32_t>& Beeps() const { return m_Beeps; }
    int Count() const { return static_cast<int>(m_Beeps.size()); }
    void Clear() { m_Beeps.clear(); }

private:
    friend void MessageBeep(uint32_t type);

    BeepRecorder* m_pPrevious;
    std::vector<uint32_t> m_Beeps;
};

} // namespace platform
