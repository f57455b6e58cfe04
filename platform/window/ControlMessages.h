#pragma once

// The controls of a dialog: their window classes, style bits, messages and
// notifications, with the numbers and parameter packing the dialog code was
// written for. A control's behaviour is its model (ControlModel.h); the
// messages below reach the model through the window's default procedure.

#include "platform/window/WindowMessages.h"

#include <cstdint>
#include <string_view>

namespace platform
{

// ---- classes ----
inline constexpr std::string_view kClassButton = "BUTTON";
inline constexpr std::string_view kClassStatic = "STATIC";
// kClassEdit is in NativeWindow.h.
inline constexpr std::string_view kClassListBox = "LISTBOX";
inline constexpr std::string_view kClassComboBox = "COMBOBOX";
inline constexpr std::string_view kClassScrollBar = "SCROLLBAR";
inline constexpr std::string_view kClassUpDown = "msctls_updown32";

// ---- window and dialog styles beside those of WindowMessages.h ----
inline constexpr uint32_t kWsBorder = 0x00800000;
inline constexpr uint32_t kWsSysMenu = 0x00080000;
inline constexpr uint32_t kWsMinimizeBox = 0x00020000; // top-level windows; the same bit is kWsGroup on a control
inline constexpr uint32_t kWsMaximizeBox = 0x00010000; // top-level windows; the same bit is kWsTabStop on a control
inline constexpr uint32_t kDsSetFont = 0x00000040;
inline constexpr uint32_t kDsModalFrame = 0x00000080;
inline constexpr uint32_t kDsCenter = 0x00000800;

// ---- general messages ----
enum : uint32_t
{
    kWmSetRedraw = 0x000B,
    kWmSetText = 0x000C,
    kWmGetText = 0x000D,
    kWmGetTextLength = 0x000E,
};

// ---- buttons ----
inline constexpr uint32_t kBsPushButton = 0x0;
inline constexpr uint32_t kBsDefPushButton = 0x1;
inline constexpr uint32_t kBsCheckBox = 0x2;
inline constexpr uint32_t kBsAutoCheckBox = 0x3;
inline constexpr uint32_t kBsRadioButton = 0x4;
inline constexpr uint32_t kBs3State = 0x5;
inline constexpr uint32_t kBsAuto3State = 0x6;
inline constexpr uint32_t kBsGroupBox = 0x7;
inline constexpr uint32_t kBsAutoRadioButton = 0x9;
inline constexpr uint32_t kBsTypeMask = 0xF;

enum : uint32_t
{
    kBmGetCheck = 0x00F0,
    kBmSetCheck = 0x00F1,
    kBmClick = 0x00F5,
};

enum : int
{
    kBstUnchecked = 0,
    kBstChecked = 1,
    kBstIndeterminate = 2,
};

enum : int
{
    kBnClicked = 0,
};

// ---- static texts and pictures ----
inline constexpr uint32_t kSsLeft = 0x0;
inline constexpr uint32_t kSsCenter = 0x1;
inline constexpr uint32_t kSsRight = 0x2;
inline constexpr uint32_t kSsBlackFrame = 0x7;
inline constexpr uint32_t kSsGrayFrame = 0x8;
inline constexpr uint32_t kSsSimple = 0xB;
inline constexpr uint32_t kSsLeftNoWordWrap = 0xC;
inline constexpr uint32_t kSsBitmap = 0xE;
inline constexpr uint32_t kSsEtchedFrame = 0x12;
inline constexpr uint32_t kSsTypeMask = 0x1F;
inline constexpr uint32_t kSsSunken = 0x1000;
// A static that takes the mouse itself; without it the mouse goes through to its dialog.
inline constexpr uint32_t kSsNotify = 0x0100;

// ---- edits ----
inline constexpr uint32_t kEsMultiline = 0x0004;
inline constexpr uint32_t kEsAutoVScroll = 0x0040;
inline constexpr uint32_t kEsAutoHScroll = 0x0080;
inline constexpr uint32_t kEsReadOnly = 0x0800;
inline constexpr uint32_t kEsWantReturn = 0x1000;
inline constexpr uint32_t kEsNumber = 0x2000;

enum : uint32_t
{
    kEmGetSel = 0x00B0,
    kEmSetSel = 0x00B1,
    kEmGetLineCount = 0x00BA,
    kEmReplaceSel = 0x00C2,
    kEmLimitText = 0x00C5,
    kEmGetLimitText = 0x00D5,
};

enum : int
{
    kEnSetFocus = 0x0100,
    kEnKillFocus = 0x0200,
    kEnChange = 0x0300,
    kEnUpdate = 0x0400,
    kEnMaxText = 0x0501,
};

// ---- list boxes ----
inline constexpr uint32_t kLbsNotify = 0x0001;
inline constexpr uint32_t kLbsSort = 0x0002;
inline constexpr uint32_t kLbsNoIntegralHeight = 0x0100;

enum : uint32_t
{
    kLbAddString = 0x0180,
    kLbInsertString = 0x0181,
    kLbDeleteString = 0x0182,
    kLbResetContent = 0x0184,
    kLbSetCurSel = 0x0186,
    kLbGetCurSel = 0x0188,
    kLbGetText = 0x0189,
    kLbGetTextLen = 0x018A,
    kLbGetCount = 0x018B,
    kLbGetTopIndex = 0x018E,
    kLbSetTopIndex = 0x0197,
    kLbGetItemHeight = 0x01A1,
};

enum : int
{
    kLbErr = -1,
    kLbnSelChange = 1,
    kLbnDblClk = 2,
    kLbnSetFocus = 4,
    kLbnKillFocus = 5,
};

// The height of a list box row and the border above the first row, in pixels.
constexpr int kListRowHeight = 12;
constexpr int kListBorder = 2;

// ---- combo boxes ----
inline constexpr uint32_t kCbsDropDown = 0x0002;
inline constexpr uint32_t kCbsDropDownList = 0x0003;

enum : uint32_t
{
    kCbAddString = 0x0143,
    kCbDeleteString = 0x0144,
    kCbGetCount = 0x0146,
    kCbGetCurSel = 0x0147,
    kCbGetLbText = 0x0148,
    kCbGetLbTextLen = 0x0149,
    kCbInsertString = 0x014A,
    kCbResetContent = 0x014B,
    kCbSetCurSel = 0x014E,
};

enum : int
{
    kCbErr = -1,
    kCbnSelChange = 1,
    kCbnSetFocus = 3,
    kCbnKillFocus = 4,
};

// ---- scroll bars ----
inline constexpr uint32_t kSbsHorz = 0x0;
inline constexpr uint32_t kSbsVert = 0x1;

// Which bar: a window's own horizontal or vertical bar, or a scroll-bar control.
enum : int
{
    kSbHorz = 0,
    kSbVert = 1,
    kSbCtl = 2,
};

inline constexpr uint32_t kSifRange = 0x01;
inline constexpr uint32_t kSifPage = 0x02;
inline constexpr uint32_t kSifPos = 0x04;
inline constexpr uint32_t kSifTrackPos = 0x10;
inline constexpr uint32_t kSifAll = 0x17;

enum : uint32_t
{
    kSbmSetPos = 0x00E0,
    kSbmGetPos = 0x00E1,
    kSbmSetRange = 0x00E2,
    kSbmSetScrollInfo = 0x00E9,
    kSbmGetScrollInfo = 0x00EA,
};

struct ScrollInfo
{
    uint32_t m_nMask = 0;
    int m_nMin = 0;
    int m_nMax = 0;
    uint32_t m_nPage = 0;
    int m_nPos = 0;
    int m_nTrackPos = 0;
};

// ---- tab controls ----
inline constexpr std::string_view kClassTabControl = "SysTabControl32";

enum : uint32_t
{
    kTcmGetItemCount = 0x1304,
    kTcmInsertItem = 0x1307, // wParam the index, lParam the tab's text (CP932)
    kTcmGetCurSel = 0x130B,
    kTcmSetCurSel = 0x130C,
};

enum : int
{
    kTcnSelChange = -551,
    kTcnSelChanging = -552,
};

// The height of a tab control's row of tabs, in pixels; the rest of the control frames what the tabs show.
constexpr int kTabRowHeight = 22;

// ---- up-down (spin) controls ----
inline constexpr uint32_t kUdsWrap = 0x0001;
inline constexpr uint32_t kUdsSetBuddyInt = 0x0002;
inline constexpr uint32_t kUdsAlignRight = 0x0004;
inline constexpr uint32_t kUdsAutoBuddy = 0x0010;
inline constexpr uint32_t kUdsArrowKeys = 0x0020;
inline constexpr uint32_t kUdsHorz = 0x0040;

enum : uint32_t
{
    kUdmSetRange = kWmUser + 101,
    kUdmGetRange = kWmUser + 102,
    kUdmSetPos = kWmUser + 103,
    kUdmGetPos = kWmUser + 104,
    kUdmSetBuddy = kWmUser + 105,
    kUdmGetBuddy = kWmUser + 106,
};

enum : int
{
    kUdnDeltaPos = -722,
};

// lParam of kWmNotify for kUdnDeltaPos: the position and the step the arrows
// ask for. A nonzero answer refuses the step.
struct NotifyUpDown
{
    NotifyHeader m_Header;
    int m_nPos = 0;
    int m_nDelta = 0;
};

} // namespace platform
