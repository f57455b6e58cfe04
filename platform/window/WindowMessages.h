#pragma once

// The messages our windows exchange, with the numbers and parameter packing the
// window code was written for: a handler reads a size or a point from lParam
// and a command id and notification code from wParam exactly as before.

#include <cstdint>

namespace platform
{

enum : uint32_t
{
    kWmNull = 0x0000, // does nothing; wakes a loop
    kWmCreate = 0x0001,
    kWmDestroy = 0x0002,
    kWmMove = 0x0003,
    kWmSize = 0x0005,
    kWmActivate = 0x0006,
    kWmSetFocus = 0x0007,
    kWmKillFocus = 0x0008,
    kWmPaint = 0x000F,
    kWmClose = 0x0010,
    kWmQuit = 0x0012,
    kWmActivateApp = 0x001C,
    kWmGetMinMaxInfo = 0x0024,
    kWmCopyData = 0x004A,
    kWmNotify = 0x004E,
    kWmKeyDown = 0x0100,
    kWmKeyUp = 0x0101,
    kWmChar = 0x0102,
    kWmInitDialog = 0x0110,
    kWmCommand = 0x0111,
    kWmSysCommand = 0x0112,
    kWmTimer = 0x0113,
    kWmHScroll = 0x0114,
    kWmVScroll = 0x0115,
    kWmMouseMove = 0x0200,
    kWmLButtonDown = 0x0201,
    kWmLButtonUp = 0x0202,
    kWmRButtonDown = 0x0204,
    kWmRButtonUp = 0x0205,
    kWmUser = 0x0400,
};

// Window style bits that the layout arithmetic reads.
enum : uint32_t
{
    kWsPopup = 0x80000000,
    kWsChild = 0x40000000,
    kWsVisible = 0x10000000,
    kWsDisabled = 0x08000000,
    kWsMaximize = 0x01000000,
    kWsCaption = 0x00C00000,
    kWsDialogFrame = 0x00400000,
    kWsVScroll = 0x00200000,
    kWsHScroll = 0x00100000,
    kWsThickFrame = 0x00040000,
    kWsGroup = 0x00020000,
    kWsTabStop = 0x00010000,
    kWsOverlappedWindow = 0x00CF0000,
};

// wParam of kWmActivate (low half): how the window's activation changed; the
// other window travels in lParam.
enum : uint32_t
{
    kWaInactive = 0,
    kWaActive = 1,
};

// wParam of kWmSysCommand.
enum : uint32_t
{
    kScMinimize = 0xF020,
    kScMaximize = 0xF030,
    kScClose = 0xF060,
    kScRestore = 0xF120,
};

// Requests of kWmHScroll and kWmVScroll (low half of wParam; the high half is
// the thumb position for the two thumb requests; lParam is the bar's window).
enum : int
{
    kSbLineUp = 0,
    kSbLineDown = 1,
    kSbPageUp = 2,
    kSbPageDown = 3,
    kSbThumbPosition = 4,
    kSbThumbTrack = 5,
    kSbTop = 6,
    kSbBottom = 7,
    kSbEndScroll = 8,
};

// Button state bits of the mouse messages' wParam.
enum : uint32_t
{
    kMkLButton = 0x0001,
    kMkRButton = 0x0002,
};

// Virtual key codes of the key messages' wParam.
enum : uint32_t
{
    kVkBack = 0x08,
    kVkTab = 0x09,
    kVkReturn = 0x0D,
    kVkShift = 0x10,
    kVkControl = 0x11,
    kVkMenu = 0x12, // Alt
    kVkPause = 0x13,
    kVkCapital = 0x14,
    kVkEscape = 0x1B,
    kVkSpace = 0x20,
    kVkPrior = 0x21,
    kVkNext = 0x22,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkSnapshot = 0x2C,
    kVkInsert = 0x2D,
    kVkDelete = 0x2E,
    // '0'..'9' and 'A'..'Z' are their ASCII codes.
    kVkApps = 0x5D,
    kVkNumpad0 = 0x60, // .. kVkNumpad0 + 9
    kVkMultiply = 0x6A,
    kVkAdd = 0x6B,
    kVkSubtract = 0x6D,
    kVkDecimal = 0x6E,
    kVkDivide = 0x6F,
    kVkF1 = 0x70,
    kVkF12 = 0x7B,
    kVkF24 = 0x87,
    kVkNumLock = 0x90,
    kVkScroll = 0x91,
    // The punctuation keys of a Japanese keyboard.
    kVkOem1 = 0xBA,      // ':' and '*'
    kVkOemPlus = 0xBB,   // ';' and '+'
    kVkOemComma = 0xBC,  // ',' and '<'
    kVkOemMinus = 0xBD,  // '-' and '='
    kVkOemPeriod = 0xBE, // '.' and '>'
    kVkOem2 = 0xBF,      // '/' and '?'
    kVkOem3 = 0xC0,      // '@' and '`'
    kVkOem4 = 0xDB,      // '[' and '{'
    kVkOem5 = 0xDC,      // the yen sign and '|'
    kVkOem6 = 0xDD,      // ']' and '}'
    kVkOem7 = 0xDE,      // '^' and '~'
    kVkOem102 = 0xE2,    // the backslash and '_'
};

// Modifier bits of the key messages' lParam: the keys held with the key.
enum : uint32_t
{
    kKeyShift = 0x00010000,
    kKeyControl = 0x00020000,
    kKeyAlt = 0x20000000,
    kKeyRepeat = 0x40000000, // the key was already down: an auto-repeat
    kKeyReposted = 0x00080000, // a copy the program posted again (the keyboard hook); dialog keys leave it alone
};

// Message box types and the buttons they return.
enum : uint32_t
{
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbYesNoCancel = 0x3,
    kMbYesNo = 0x4,
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbIconInformation = 0x40,
    kMbButtonMask = 0xF,
    kMbIconMask = 0xF0,
};

enum : int
{
    kIdOk = 1,
    kIdCancel = 2,
    kIdYes = 6,
    kIdNo = 7,
};

// lParam of kWmGetMinMaxInfo points at this record.
struct MinMaxInfo
{
    int m_nMinTrackWidth = 0;
    int m_nMinTrackHeight = 0;
    int m_nMaxTrackWidth = 0;
    int m_nMaxTrackHeight = 0;
};

// lParam of kWmCopyData points at this record; wParam is the sending window.
struct CopyData
{
    uint32_t m_nData = 0; // the kind of report
    uint32_t m_nBytes = 0;
    const void* m_pBytes = nullptr;
};

// lParam of kWmNotify points at a record that starts with this header.
struct NotifyHeader
{
    uint64_t m_hFrom = 0; // the sending control's handle value
    uintptr_t m_nId = 0;  // its id
    int m_nCode = 0;      // the notification
};

// Packing of two 16-bit halves, as sizes, points and commands travel.
constexpr intptr_t MakeLParam(int low, int high)
{
    return static_cast<intptr_t>(static_cast<uint32_t>((static_cast<uint32_t>(high) & 0xFFFF) << 16 |
                                                       (static_cast<uint32_t>(low) & 0xFFFF)));
}
constexpr uintptr_t MakeWParam(int low, int high)
{
    return static_cast<uintptr_t>(MakeLParam(low, high));
}
constexpr int LowWord(uintptr_t value)
{
    return static_cast<int>(value & 0xFFFF);
}
constexpr int HighWord(uintptr_t value)
{
    return static_cast<int>((value >> 16) & 0xFFFF);
}
// Signed halves, for points left of or above a window.
constexpr int LowSigned(uintptr_t value)
{
    return static_cast<int16_t>(value & 0xFFFF);
}
constexpr int HighSigned(uintptr_t value)
{
    return static_cast<int16_t>((value >> 16) & 0xFFFF);
}

} // namespace platform
