#pragma once

// The devices of the Media Control Interface that the MCI player plays
// through: each open file is a device with an id (never 0). Positions are in
// milliseconds. The implementation lives in platform/ (WAV files into the
// mixer); tests record the commands.

#include "platform/window/WindowHandle.h"

#include <cstdint>
#include <string_view>

// Results of the device commands.
enum MciResult : int
{
    kMciOk = 0,
    kMciErrorInvalidDeviceId = 257,   // no device is open under the id
    kMciErrorInvalidDeviceName = 263, // the device type is not served
    kMciErrorFileNotFound = 275,
    kMciErrorInvalidFile = 296, // the file is not of the device's kind
};

// The message a play with notification posts to its window when it is over:
// wParam is how it ended, lParam the device id.
constexpr uint32_t kMmMciNotify = 0x03B9;
enum : uintptr_t
{
    kMciNotifySuccessful = 0x0001, // the sound played to its end
    kMciNotifySuperseded = 0x0002, // a newer play with notification took its place
    kMciNotifyAborted = 0x0004,    // stopped, paused, moved or closed before its end
};

class MciDevice
{
public:
    virtual ~MciDevice() = default;
    virtual int Open(std::string_view type, std::string_view file, uint32_t& deviceId) = 0;
    // Plays from `from`, or on from where the device is when `resume` is set.
    // `notify` asks for kMmMciNotify at `notifyWindow` when the play is over.
    virtual int Play(uint32_t deviceId, bool resume, uint32_t from, bool notify,
                     platform::WindowHandle notifyWindow) = 0;
    // Stops where the sound is.
    virtual int Stop(uint32_t deviceId) = 0;
    virtual int Pause(uint32_t deviceId) = 0;
    virtual int SeekToStart(uint32_t deviceId) = 0;
    virtual int Close(uint32_t deviceId) = 0;
};
