#pragma once

// Short sounds played by index: a list of files is opened once as devices of
// one type and played one at a time. The editor opens "waveaudio" with its
// five interface sounds, the fifth replaced for the sound previews of its
// item and skill pages.
//
// Failures go to the error log only; a file that cannot be opened leaves a
// silent entry, and no box is shown.

#include "common/sound/MciDevice.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class MciPlayer
{
public:
    struct Entry
    {
        uint32_t m_nDeviceId = 0; // 0: the open failed
        std::string m_strType;
        std::string m_strFile;
    };

    MciPlayer() = default;
    explicit MciPlayer(MciDevice* device) : m_pDevice(device) {}
    ~MciPlayer();
    MciPlayer(const MciPlayer&) = delete;
    MciPlayer& operator=(const MciPlayer&) = delete;

    void SetDevice(MciDevice* device) { m_pDevice = device; }

    // Closes the old list and opens each file as a device of the type; true.
    bool Open(std::string_view type, const std::vector<std::string>& files);
    // Replaces the file of one entry and opens it. A "sequencer" entry closes
    // every entry's device first (only one can be open). False, with
    // "ChangeSound失敗！ %s" in the error log, when the new file does not open.
    bool ChangeSound(int index, std::string_view type, std::string_view file);
    // Stops (and rewinds) the entry that played last, then plays the entry:
    // on from where it is (resume 1) or from the position. With notify 1 the
    // window gets kMmMciNotify when the play is over.
    void Play(platform::WindowHandle notifyWindow, int index, int notify, int resume, uint32_t from);
    // The entry that played last: pause 0 stops it and seeks it to its start,
    // pause 1 pauses it.
    void Stop(int pause);
    // Closes every device.
    void Close();

    int Count() const { return int(m_Entries.size()); }
    int CurrentIndex() const { return m_nCurrent; }
    const Entry& EntryAt(int index) const { return m_Entries.at(std::size_t(index)); }

private:
    bool IsIndex(int index) const { return index >= 0 && index < Count(); }

    int m_Enabled = 1;
    std::vector<Entry> m_Entries;
    int m_nCurrent = -1;
    MciDevice* m_pDevice = nullptr;
};
