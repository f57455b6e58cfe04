#pragma once

// The game's display layer: the screen in one of two modes (the whole screen,
// or a window at the depth of the desktop), the table of 22 surfaces loaded
// from the project's bitmaps, the palette and the transparent colour, the
// conversion of palette entries to 16-bit pixels, the clipped fills and blits
// every scene uses, recovery of lost surfaces and the release of it all.
//
// Everything draws into the back buffer of 640 x 480; DDPresent hands each
// finished frame to the frame exchange, from which the main thread shows it.
// All of it runs on the drawing threads except DDInit and the release, which
// run at start-up and shut-down.
//
// A surface that did not load is null: a fill or blit with it draws nothing
// and writes one line to the error log (once for each table entry until it
// loads, or once for each operation and start of the display when the surface
// is not from the table), never a crash.

#include "platform/display/DisplayDevice.h"
#include "platform/display/DisplayHost.h"
#include "platform/display/DisplayPalette.h"
#include "platform/display/FrameExchange.h"
#include "platform/display/PixelSurface.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

constexpr int kSurfaceCount = 22;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// Display modes.
enum : int
{
    kFullScreen = 0,
    kWindowed = 1,
};

// Memory kinds of a surface definition.
enum : int
{
    kVideoMemory = 0, // with fall-back to system memory
    kSystemMemory = 1,
};

// Error codes of the display layer.
enum DisplayError : int
{
    kDDOk = 0,
    kDDCreateExErr = 1,
    kDDSetCoopLevelErr = 2,
    kDDSetDisplayModeErr = 3,
    kDDCreateSurfaceErr = 4,
    kDDGetAttachedSurfaceErr = 5,
    kDDCreatePaletteErr = 6,
    kDDSetPaletteErr = 7,
    kDDLoadImageErr = 8,
    kDDSetColorKeyErr = 9,
    kDDClipperErr = 10,
    kDDSetHwndErr = 11,
    kDDSetClipperErr = 12,
};

// The text of an error code ("CREATEEX_ERR" ...), or null for any other code.
const char* DisplayErrorText(int code);
// Start-up errors (codes 1-7 and 10-12): the text goes to the error log and
// the result is false; any other code gives true.
bool DDErrorName(int code);
// Surface errors (codes 4, 8 and 9), in the same way.
bool SurfaceErrorName(int code);

// One entry of the static surface definition table.
struct SurfaceDef
{
    const char* m_pszFile; // bitmap path, or "E" for a blank surface
    int m_nColourKey;      // 1: the transparent colour is the surface's colour key
    int m_nMemory;         // kVideoMemory or kSystemMemory
    int m_nKeepIndices;    // 1: keep an 8-bit index image (for recolouring at 16 bits)
    int m_nOptional;       // 1: a missing file is no error
    int m_nMirrorWidth;    // non-zero: mirror each cell of this width left to right
    int m_nMirrorHeight;   // non-zero: mirror each cell of this height top to bottom
    int m_nBlankWidth;     // size of a blank surface
    int m_nBlankHeight;
};

// The 22 definitions, by id.
extern const SurfaceDef SurfaceDefs[kSurfaceCount];

// One entry of the run-time surface table.
struct Surface
{
    std::unique_ptr<platform::PixelSurface> m_pSurface; // null: not loaded
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::string m_strFile; // the file it was loaded from
    int m_nMemory = kVideoMemory;
    std::vector<uint8_t> m_Indices; // the kept index image (width x height), or empty
    int m_nMirrorWidth = 0;
    int m_nMirrorHeight = 0;
    mutable std::atomic<bool> m_bMissingReported{false}; // a draw with it unloaded was logged

    platform::PixelSurface* Get() const { return m_pSurface.get(); }
    // Releases the surface and its index image.
    void Release();
};

// The run-time table that DDInit is normally given.
extern Surface Surfaces[kSurfaceCount];

// The display state (one instance, `Display`).
struct DisplayState
{
    std::unique_ptr<platform::DisplayDevice> m_pDevice; // null when not initialised
    platform::DisplayHost* m_pHost = nullptr;
    platform::PixelSurface* m_pPrimary = nullptr;
    platform::PixelSurface* m_pBackBuffer = nullptr;
    std::unique_ptr<platform::PixelSurface> m_pWindowBackBuffer; // the windowed mode's own back buffer
    std::unique_ptr<platform::PixelSurface> m_pWork;             // screen size, system memory
    bool m_bPalette = false;
    bool m_bClipper = false;
    int m_nMode = kFullScreen;
    int m_nDepth = 8;
    int m_nBytesPerPixel = 1;
    int m_nScreenWidth = kScreenWidth;
    int m_nScreenHeight = kScreenHeight;
    int m_nBackBufferKind = 1;
    int m_nRefreshRate = 60;
    int m_nUseRefresh = 0;
    Surface* m_pTable = nullptr;
    const SurfaceDef* m_pDefs = nullptr;
    int m_nTableCount = 0;
    uint32_t m_nTransparent = 0;
    // The pixel format: shift of each component and its mask shifted down.
    int m_nRedShift = 0;
    int m_nGreenShift = 0;
    int m_nBlueShift = 0;
    uint32_t m_nRedMask = 0;
    uint32_t m_nGreenMask = 0;
    uint32_t m_nBlueMask = 0;
    // What the palette shows (the 8-bit fades write it), and the palette as
    // loaded (at 16 bits in the screen's component widths).
    platform::DisplayPaletteEntries m_WorkingPalette{};
    platform::DisplayPaletteEntries m_SourcePalette{};
    bool m_bInitialised = false;
    // Where DDPresent puts the finished frames for the main thread.
    platform::FrameExchange m_Frames;
};

extern DisplayState Display;

// ---- start-up and shut-down ----

// Starts the display on the window: mode kFullScreen takes the whole screen
// at width x height x depth (the refresh rate first when useRefresh is set,
// else any), kWindowed draws in the window's client area at the desktop's
// depth. Back-buffer kind 1: one back buffer. The surface table and its
// definitions are kept for the restore step. False, with the error's text in
// the error log, on failure.
bool DDInit(platform::DisplayHost& window, int width, int height, int depth, int mode, int backBufferKind,
            int refreshRate, int useRefresh, Surface* table, const SurfaceDef* definitions, int count);
// Releases everything of the full-screen mode or of the windowed mode; safe
// when nothing is initialised. A surface still alive afterwards shows
// "解放漏れがあります".
void DDRelease();
void DDReleaseWindowed();

// ---- surfaces ----

// A surface of the screen's pixel size, cleared to palette index 0, with the
// transparent colour as its key when colourKey is 1. Memory kVideoMemory
// falls back to system memory (memory then becomes kSystemMemory).
bool DDCreateSurface(std::unique_ptr<platform::PixelSurface>& surface, int width, int height, int colourKey,
                     int& memory);
// Loads a bitmap into a new surface of its size: 0, kDDCreateSurfaceErr or kDDLoadImageErr.
int DDLoadBitmapToSurface(Surface& surface, std::string_view file, int colourKey, int depth, int memory,
                          int keepIndices, int mirrorWidth, int mirrorHeight);
// Copies a bitmap into the surface (mirrored per cell, the index image kept
// at 16 bits when asked).
bool DDCopyBitmapToSurface(Surface& surface, std::string_view file, int depth, int keepIndices, int mirrorWidth,
                           int mirrorHeight);
// DDCopyBitmapToSurface again with the surface's own file and mirror sizes.
bool DDReloadBitmap(Surface& surface);
// Loads the listed entries of the table by their definitions. A failing entry
// that is not optional shows "%s 読み込み失敗！" (a bitmap) or the memory
// message (a blank surface) and gives false; so does an id outside the table
// (with an error-log line).
bool DDLoadSurfaces(Surface* table, const int* ids, int count);
// Releases the listed entries of the table.
void DDReleaseSurfaces(Surface* table, const int* ids, int count);

// The palette of a bitmap into the entries (the source palette); at 8 bits it
// is shown at once, at 16 bits it is read from the colour chart at rows 8-23
// of the picture. False when the file cannot be loaded (or holds no chart).
// The mode argument is not used.
bool DDLoadPaletteFromFile(platform::DisplayPaletteEntries& entries, std::string_view file, int mode);
// The transparent colour becomes the top-left pixel of the bitmap.
bool DDSetTransmit(std::string_view file);

// ---- drawing ----

// Fills (x, y, w, h) with the pixel of a palette index. A negative x or y
// becomes 0; otherwise the right (bottom) edge is cut at the surface's size.
platform::SurfaceResult DDFillRect(platform::PixelSurface* surface, int x, int y, int w, int h, int index);
// Copies w x h from (sx, sy) of the source to (x, y) of the target, clipped
// to both; key 1 leaves out the source's colour key.
platform::SurfaceResult DDBltFast(platform::PixelSurface* target, int x, int y, int w, int h,
                                  const platform::PixelSurface* source, int sx, int sy, int key);
platform::SurfaceResult DDBltFast(platform::PixelSurface* target, int x, int y, int w, int h, const Surface& source,
                                  int sx, int sy, int key);
// Copies sw x sh from (sx, sy) scaled onto w x h at (x, y); both rectangles
// are clipped with the scale kept. Flags 1: colour-keyed.
platform::SurfaceResult DDBltStretch(platform::PixelSurface* target, int x, int y, int w, int h,
                                     const platform::PixelSurface* source, int sx, int sy, int sw, int sh, int flags);
platform::SurfaceResult DDBltStretch(platform::PixelSurface* target, int x, int y, int w, int h, const Surface& source,
                                     int sx, int sy, int sw, int sh, int flags);

// Locks the surface: bits is its first row; unlock through the surface. The
// depth argument is not used.
bool DDLockSurface(platform::PixelSurface* surface, platform::SurfaceLock& description, uint8_t*& bits, int depth);

// ---- recovery ----

// When the display was lost: restores the primary chain and every lost table
// surface, reloading the bitmaps of those in video memory, and at 8 bits
// shows the working palette again. False when a bitmap cannot be reloaded.
bool DDRestoreSurfaces();
// Test hook: the display changes under the game (every video-memory surface is lost).
void DDSimulateDisplayChange();

// ---- pixel format ----

// Takes the shift and the width of each colour component from the screen.
void AnalysePixelFormat();
// The pixel of a palette entry whose components are in the screen's widths.
uint32_t PaletteEntryToPixel(const platform::PaletteColour& entry);
// The pixel that shows the source palette's entry: the index itself at 8
// bits, PaletteEntryToPixel of the entry at 16.
uint32_t PaletteIndexToPixel(int index);

// ---- showing ----

// The frame's present step: kWindowed copies the back buffer to the primary
// surface, full screen flips when pageFlip is set and copies otherwise; the
// primary surface then goes to the frame exchange.
void DDPresent(int pageFlip);
// The frame exchange of the display. The main thread takes its frames and
// sets its wake callback (DisplayFrames().SetWakeCallback) to be told of each.
platform::FrameExchange& DisplayFrames();
// Writes the frame presented last (the primary surface, through the palette
// at 8 bits) as a PNG file; the same picture gives the same bytes, with or
// without a window. False when nothing is initialised or the file cannot be written.
bool DDCaptureFrame(std::string_view path);
// The back buffer and the work surface (null when not initialised).
platform::PixelSurface* DDBackBuffer();
platform::PixelSurface* DDWorkSurface();

// A box while the display holds the whole screen: the window makes room for
// it and the cursor shows until it is closed, changed by the thread that shows
// the box (the main thread, where the game's boxes are installed). True.
bool ShowMessageBoxFullScreen(std::string_view text, std::string_view caption, uint32_t type);

// Recolours a surface loaded with its index image: every index i other than
// 0 and 43 with 7 <= i <= 181 becomes i + 3 (the acted look of surface 14);
// at 16 bits the changed pixels take the colour of their new entry.
void ShiftSurfaceColours(Surface& surface);
