#include "game/engine/Display.h"

#include "common/graphics/BmpFile.h"
#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/GameDialogs.h"
#include "platform/window/Dialogs.h"
#include "platform/window/WindowMessages.h"

#include <algorithm>
#include <bit>
#include <mutex>
#include <set>
#include <unordered_map>

using platform::PaletteColour;
using platform::PixelSurface;
using platform::SurfaceLock;
using platform::SurfaceMemory;
using platform::SurfaceRect;
using platform::SurfaceResult;

DisplayState Display;

namespace
{

const char* const kErrorTexts[] = {
    nullptr,
    "CREATEEX_ERR",
    "SETCOOPLEVEL_ERR",
    "SETDISPLAYMODE_ERR",
    "CREATESURFACE_ERR",
    "GETATTACHEDSURFACE_ERR",
    "CREATEPALETTE_ERR",
    "SETPALETTE_ERR",
    "LOADIMAGE_ERR",
    "SETCOLORKEY_ERR",
    "CLIPPER_ERR",
    "SETHWND_ERR",
    "SETCLIPPER_ERR",
};

constexpr uint8_t kFlagReserved = 1; // an entry the fades may change
constexpr uint8_t kFlagExplicit = 2; // one of the twenty system colours

// One line for each operation that was handed no surface at all, once for each start of the display.
std::mutex g_ReportMutex;
std::set<std::string> g_Reported;

void ReportNoSurface(const char* operation)
{
    std::lock_guard lock(g_ReportMutex);
    if (g_Reported.insert(operation).second)
    {
        WriteErrorLogF("%s: サーフェスがありません", operation);
    }
}

// One line for each table entry drawn with before it loaded.
void ReportNotLoaded(const char* operation, const Surface& surface)
{
    if (surface.m_bMissingReported.exchange(true))
    {
        return;
    }
    std::string name = surface.m_strFile;
    if (name.empty() && Display.m_pTable && &surface >= Display.m_pTable &&
        &surface < Display.m_pTable + Display.m_nTableCount && Display.m_pDefs)
    {
        name = Display.m_pDefs[&surface - Display.m_pTable].m_pszFile;
    }
    WriteErrorLogF("%s: %s が読み込まれていません", operation, name.c_str());
}

bool IsBlankName(std::string_view file)
{
    return file == "E";
}

// Where a mirrored cell takes its pixel: cell k of width w shows its own
// columns backwards. -1 when the cell reaches past the picture.
int MirrorSource(int at, int cell, int size)
{
    if (cell <= 0)
    {
        return at < size ? at : -1;
    }
    const int from = cell * (at / cell + 1) - at % cell - 1;
    return from < size ? from : -1;
}

// The source-palette entry nearest to a colour (the first of equals).
uint8_t NearestSourceIndex(uint32_t rgb)
{
    const int r = rgb >> 16 & 0xFF;
    const int g = rgb >> 8 & 0xFF;
    const int b = rgb & 0xFF;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i)
    {
        const PaletteColour& e = Display.m_SourcePalette[i];
        const long d =
            (e.m_nRed - r) * (e.m_nRed - r) + (e.m_nGreen - g) * (e.m_nGreen - g) + (e.m_nBlue - b) * (e.m_nBlue - b);
        if (bestDistance < 0 || d < bestDistance)
        {
            best = i;
            bestDistance = d;
        }
    }
    return static_cast<uint8_t>(best);
}

// Puts the picture into the surface: indices at 8 bits (colours of a picture
// without indices go to the nearest entry of the source palette), RGB565 at 16,
// each cell mirrored as asked. At 16 bits with keepIndices, the index image of
// the pixels is built: the first source-palette entry of each pixel's value,
// 0 for a value no entry gives.
bool CopyPictureToSurface(Surface& surface, const BmpPicture& picture, int keepIndices, int mirrorWidth,
                          int mirrorHeight)
{
    PixelSurface* target = surface.Get();
    SurfaceLock lock;
    if (!target || !target->Lock(lock))
    {
        ShowOutOfMemory();
        return false;
    }
    const int width = std::min(lock.m_nWidth, picture.m_nWidth);
    const int height = std::min(lock.m_nHeight, picture.m_nHeight);
    std::unordered_map<uint32_t, uint8_t> nearest;
    for (int y = 0; y < height; ++y)
    {
        const int sy = MirrorSource(y, mirrorHeight, picture.m_nHeight);
        if (sy < 0)
        {
            break;
        }
        uint8_t* row = lock.m_pBits + static_cast<size_t>(y) * lock.m_nPitch;
        for (int x = 0; x < width; ++x)
        {
            const int sx = MirrorSource(x, mirrorWidth, picture.m_nWidth);
            if (sx < 0)
            {
                break;
            }
            const size_t i = static_cast<size_t>(sy) * picture.m_nWidth + sx;
            if (lock.m_nBytesPerPixel == 1)
            {
                if (picture.m_bIndexed)
                {
                    row[x] = picture.m_Indices[i];
                }
                else
                {
                    const uint32_t rgb = picture.m_Rgb[i];
                    auto found = nearest.find(rgb);
                    if (found == nearest.end())
                    {
                        found = nearest.emplace(rgb, NearestSourceIndex(rgb)).first;
                    }
                    row[x] = found->second;
                }
            }
            else
            {
                const uint32_t pixel = platform::RgbToRgb565(picture.Colour(i));
                row[x * 2] = static_cast<uint8_t>(pixel);
                row[x * 2 + 1] = static_cast<uint8_t>(pixel >> 8);
            }
        }
    }
    surface.m_Indices.clear();
    if (lock.m_nBytesPerPixel == 2 && keepIndices)
    {
        std::vector<uint8_t> indexOf(65536, 0);
        for (int e = 255; e >= 0; --e)
        {
            indexOf[PaletteEntryToPixel(Display.m_SourcePalette[e]) & 0xFFFF] = static_cast<uint8_t>(e);
        }
        std::vector<bool> given(65536, false);
        for (int e = 0; e < 256; ++e)
        {
            given[PaletteEntryToPixel(Display.m_SourcePalette[e]) & 0xFFFF] = true;
        }
        surface.m_Indices.assign(static_cast<size_t>(lock.m_nWidth) * lock.m_nHeight, 0);
        for (int y = 0; y < lock.m_nHeight; ++y)
        {
            const uint8_t* row = lock.m_pBits + static_cast<size_t>(y) * lock.m_nPitch;
            for (int x = 0; x < lock.m_nWidth; ++x)
            {
                const uint32_t pixel = static_cast<uint32_t>(row[x * 2] | row[x * 2 + 1] << 8);
                surface.m_Indices[static_cast<size_t>(y) * lock.m_nWidth + x] = given[pixel] ? indexOf[pixel] : 0;
            }
        }
    }
    target->Unlock();
    return true;
}

int ComponentShift(uint32_t mask)
{
    return mask ? std::countr_zero(mask) : 0;
}

// The palette of the mode, attached at 8 bits; the pixel format above.
void SetUpPalette(bool windowed)
{
    PaletteColour entries[256];
    for (int i = 0; i < 256; ++i)
    {
        const uint8_t v = static_cast<uint8_t>(i);
        if (!windowed)
        {
            entries[i] = {v, v, 0, kFlagReserved};
        }
        else if (i < 10 || i >= 246)
        {
            entries[i] = {v, 0, 0, kFlagExplicit};
        }
        else
        {
            entries[i] = {v, v, 0, kFlagReserved};
        }
    }
    if (!windowed)
    {
        entries[0] = {0, 0, 255, kFlagReserved};
    }
    Display.m_pDevice->SetPaletteEntries(0, 256, entries);
    Display.m_bPalette = true;
    // The pixel format of this mode: at 8 bits it has no masks, so nothing of
    // an earlier start at 16 bits is left to convert colours with.
    AnalysePixelFormat();
    if (Display.m_nDepth == 8)
    {
        Display.m_pDevice->AttachPalette(true);
    }
}

int InitFullScreen(int width, int height)
{
    DisplayState& d = Display;
    platform::DisplayHost& host = *d.m_pHost;
    d.m_nScreenWidth = width;
    d.m_nScreenHeight = height;
    d.m_pDevice = std::make_unique<platform::DisplayDevice>();
    bool modeSet = d.m_nUseRefresh ? host.SetDisplayMode(width, height, d.m_nDepth, d.m_nRefreshRate) ||
                                         host.SetDisplayMode(width, height, d.m_nDepth, 0)
                                   : host.SetDisplayMode(width, height, d.m_nDepth, 0);
    if (!modeSet || !d.m_pDevice->SetMode(width, height, d.m_nDepth))
    {
        return kDDSetDisplayModeErr;
    }
    // One back buffer whatever the kind: frames are shown through the exchange.
    if (!d.m_pDevice->CreatePrimary(true))
    {
        return kDDCreateSurfaceErr;
    }
    d.m_pPrimary = d.m_pDevice->Primary();
    d.m_pBackBuffer = d.m_pDevice->AttachedBackBuffer();
    if (!d.m_pBackBuffer)
    {
        return kDDGetAttachedSurfaceErr;
    }
    int memory = kSystemMemory;
    if (!DDCreateSurface(d.m_pWork, width, height, 0, memory))
    {
        return kDDCreateSurfaceErr;
    }
    SetUpPalette(false);
    host.ShowCursor(false);
    SetFullScreenMessageBox([](std::string_view text, std::string_view caption, uint32_t type)
                            { return ShowMessageBoxFullScreen(text, caption, type) ? 1 : 0; });
    return kDDOk;
}

int InitWindowed()
{
    DisplayState& d = Display;
    platform::DisplayHost& host = *d.m_pHost;
    host.ClientSize(d.m_nScreenWidth, d.m_nScreenHeight);
    d.m_nDepth = host.DesktopDepth();
    d.m_nBytesPerPixel = d.m_nDepth / 8;
    d.m_pDevice = std::make_unique<platform::DisplayDevice>();
    if (!d.m_pDevice->SetMode(d.m_nScreenWidth, d.m_nScreenHeight, d.m_nDepth) || !d.m_pDevice->CreatePrimary(false))
    {
        return kDDCreateSurfaceErr;
    }
    d.m_pPrimary = d.m_pDevice->Primary();
    int memory = kVideoMemory;
    if (!DDCreateSurface(d.m_pWindowBackBuffer, d.m_nScreenWidth, d.m_nScreenHeight, 0, memory))
    {
        return kDDCreateSurfaceErr;
    }
    d.m_pBackBuffer = d.m_pWindowBackBuffer.get();
    memory = kSystemMemory;
    if (!DDCreateSurface(d.m_pWork, d.m_nScreenWidth, d.m_nScreenHeight, 0, memory))
    {
        return kDDCreateSurfaceErr;
    }
    SetUpPalette(true);
    // The window clips what is shown on its own.
    d.m_bClipper = true;
    host.ShowCursor(true);
    return kDDOk;
}

void ReleaseAll(bool windowed)
{
    DisplayState& d = Display;
    if (d.m_pTable)
    {
        for (int i = 0; i < d.m_nTableCount; ++i)
        {
            d.m_pTable[i].Release();
        }
    }
    if (windowed)
    {
        d.m_bClipper = false;
    }
    d.m_bPalette = false;
    if (windowed)
    {
        d.m_pWindowBackBuffer.reset();
    }
    if (d.m_pDevice)
    {
        d.m_pDevice->ReleasePrimary();
    }
    d.m_pPrimary = nullptr;
    d.m_pBackBuffer = nullptr;
    d.m_pWork.reset();
    if (!windowed)
    {
        SetFullScreenMessageBox(nullptr);
    }
    if (d.m_pDevice)
    {
        if (d.m_pDevice->LiveSurfaces() != 0)
        {
            ShowMessageBox(platform::WindowHandle{}, "解放漏れがあります", "DirectDraw", platform::kMbIconError);
        }
        d.m_pDevice.reset();
    }
    d.m_bInitialised = false;
}

} // namespace

// ---- error codes ----

const char* DisplayErrorText(int code)
{
    return code >= 1 && code <= kDDSetClipperErr ? kErrorTexts[code] : nullptr;
}

bool DDErrorName(int code)
{
    if ((code >= kDDCreateExErr && code <= kDDSetPaletteErr) || (code >= kDDClipperErr && code <= kDDSetClipperErr))
    {
        WriteErrorLog(DisplayErrorText(code));
        return false;
    }
    return true;
}

bool SurfaceErrorName(int code)
{
    if (code == kDDCreateSurfaceErr || code == kDDLoadImageErr || code == kDDSetColorKeyErr)
    {
        WriteErrorLog(DisplayErrorText(code));
        return false;
    }
    return true;
}

// ---- start-up and shut-down ----

bool DDInit(platform::DisplayHost& window, int width, int height, int depth, int mode, int backBufferKind,
            int refreshRate, int useRefresh, Surface* table, const SurfaceDef* definitions, int count)
{
    DisplayState& d = Display;
    if (d.m_bInitialised)
    {
        if (mode == kFullScreen)
        {
            DDReleaseWindowed();
        }
        else
        {
            if (d.m_pHost)
            {
                d.m_pHost->RestoreDisplayMode();
            }
            DDRelease();
        }
    }
    {
        std::lock_guard lock(g_ReportMutex);
        g_Reported.clear();
    }
    d.m_pHost = &window;
    d.m_nMode = mode;
    d.m_nDepth = depth;
    d.m_nBytesPerPixel = depth / 8;
    d.m_nBackBufferKind = backBufferKind;
    d.m_nRefreshRate = refreshRate;
    d.m_nUseRefresh = useRefresh;
    d.m_pTable = table;
    d.m_pDefs = definitions;
    d.m_nTableCount = count;
    const int code = mode == kFullScreen ? InitFullScreen(width, height) : InitWindowed();
    if (!DDErrorName(code))
    {
        return false;
    }
    d.m_bInitialised = true;
    return true;
}

void DDRelease()
{
    ReleaseAll(false);
}

void DDReleaseWindowed()
{
    ReleaseAll(true);
}

// ---- surfaces ----

bool DDCreateSurface(std::unique_ptr<PixelSurface>& surface, int width, int height, int colourKey, int& memory)
{
    surface.reset();
    if (!Display.m_pDevice)
    {
        return false;
    }
    if (memory == kVideoMemory)
    {
        surface = Display.m_pDevice->CreateSurface(width, height, SurfaceMemory::Video);
        if (!surface)
        {
            memory = kSystemMemory;
        }
    }
    if (!surface)
    {
        surface = Display.m_pDevice->CreateSurface(width, height, SurfaceMemory::System);
        if (!surface)
        {
            return false;
        }
    }
    if (colourKey == 1)
    {
        surface->SetColourKey(Display.m_nTransparent);
    }
    DDFillRect(surface.get(), 0, 0, width, height, 0);
    return true;
}

int DDLoadBitmapToSurface(Surface& surface, std::string_view file, int colourKey, int depth, int memory,
                          int keepIndices, int mirrorWidth, int mirrorHeight)
{
    (void)depth;
    surface.Release();
    BmpPicture picture;
    if (ReadBmpPicture(file, picture) != BmpResult::Ok)
    {
        WriteErrorLog(file);
        return kDDLoadImageErr;
    }
    if (!DDCreateSurface(surface.m_pSurface, picture.m_nWidth, picture.m_nHeight, colourKey, memory))
    {
        return kDDCreateSurfaceErr;
    }
    if (!CopyPictureToSurface(surface, picture, keepIndices, mirrorWidth, mirrorHeight))
    {
        surface.Release();
        return kDDLoadImageErr;
    }
    surface.m_nWidth = picture.m_nWidth;
    surface.m_nHeight = picture.m_nHeight;
    surface.m_strFile = std::string(file);
    surface.m_nMemory = memory;
    surface.m_nMirrorWidth = mirrorWidth;
    surface.m_nMirrorHeight = mirrorHeight;
    surface.m_bMissingReported = false;
    return kDDOk;
}

bool DDCopyBitmapToSurface(Surface& surface, std::string_view file, int depth, int keepIndices, int mirrorWidth,
                           int mirrorHeight)
{
    (void)depth;
    BmpPicture picture;
    return ReadBmpPicture(file, picture) == BmpResult::Ok &&
           CopyPictureToSurface(surface, picture, keepIndices, mirrorWidth, mirrorHeight);
}

bool DDReloadBitmap(Surface& surface)
{
    if (IsBlankName(surface.m_strFile))
    {
        return DDFillRect(surface.Get(), 0, 0, surface.m_nWidth, surface.m_nHeight, 0) == SurfaceResult::Ok;
    }
    return DDCopyBitmapToSurface(surface, surface.m_strFile, Display.m_nDepth, !surface.m_Indices.empty(),
                                 surface.m_nMirrorWidth, surface.m_nMirrorHeight);
}

bool DDLoadSurfaces(Surface* table, const int* ids, int count)
{
    const SurfaceDef* defs = Display.m_pDefs ? Display.m_pDefs : SurfaceDefs;
    const int defined = Display.m_pDefs ? Display.m_nTableCount : kSurfaceCount;
    for (int k = 0; k < count; ++k)
    {
        const int id = ids[k];
        if (id < 0 || id >= defined)
        {
            WriteErrorLogF("DDLoadSurfaces: サーフェス %d はありません", id);
            return false;
        }
        const SurfaceDef& def = defs[id];
        Surface& surface = table[id];
        if (IsBlankName(def.m_pszFile))
        {
            surface.Release();
            int memory = def.m_nMemory;
            if (!DDCreateSurface(surface.m_pSurface, def.m_nBlankWidth, def.m_nBlankHeight, def.m_nColourKey, memory))
            {
                if (!def.m_nOptional)
                {
                    ShowOutOfMemory();
                    return false;
                }
                continue;
            }
            surface.m_nWidth = def.m_nBlankWidth;
            surface.m_nHeight = def.m_nBlankHeight;
            surface.m_strFile = def.m_pszFile;
            surface.m_nMemory = memory;
            surface.m_nMirrorWidth = 0;
            surface.m_nMirrorHeight = 0;
            surface.m_bMissingReported = false;
            continue;
        }
        const int code =
            DDLoadBitmapToSurface(surface, def.m_pszFile, def.m_nColourKey, Display.m_nDepth, def.m_nMemory,
                                  def.m_nKeepIndices, def.m_nMirrorWidth, def.m_nMirrorHeight);
        SurfaceErrorName(code);
        if (code != kDDOk && !def.m_nOptional)
        {
            WriteReport("Error : %s 読み込み失敗！", def.m_pszFile);
            ShowErrorF("%s 読み込み失敗！", def.m_pszFile);
            NoteFailureShown();
            return false;
        }
    }
    return true;
}

void DDReleaseSurfaces(Surface* table, const int* ids, int count)
{
    const int defined = Display.m_pDefs ? Display.m_nTableCount : kSurfaceCount;
    for (int k = 0; k < count; ++k)
    {
        if (ids[k] >= 0 && ids[k] < defined)
        {
            table[ids[k]].Release();
        }
    }
}

bool DDLoadPaletteFromFile(platform::DisplayPaletteEntries& entries, std::string_view file, int mode)
{
    (void)mode;
    BmpPicture picture;
    if (ReadBmpPicture(file, picture) != BmpResult::Ok)
    {
        return false;
    }
    auto flags = [](int i) { return i < 10 || i >= 246 ? kFlagExplicit : kFlagReserved; };
    if (Display.m_nBytesPerPixel != 2)
    {
        for (int i = 0; i < 256; ++i)
        {
            if (i < picture.m_nColours)
            {
                const uint32_t rgb = picture.m_Table[i];
                entries[i] = {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                              static_cast<uint8_t>(rgb), 0};
            }
            entries[i].m_nFlags = flags(i);
        }
        if (Display.m_pDevice)
        {
            Display.m_pDevice->SetPaletteEntries(0, 256, entries.data());
        }
        return true;
    }
    // 16 bits: the colour chart, entry r x 16 + c at column c, row 8 + r, as the screen shows it.
    Surface chart;
    if (picture.m_nWidth < 16 || picture.m_nHeight < 24 ||
        DDLoadBitmapToSurface(chart, file, 0, Display.m_nDepth, kSystemMemory, 0, 0, 0) != kDDOk)
    {
        return false;
    }
    for (int r = 0; r < 16; ++r)
    {
        for (int c = 0; c < 16; ++c)
        {
            const uint32_t pixel = chart.Get()->Pixel(c, 8 + r);
            entries[r * 16 + c] = {static_cast<uint8_t>(pixel >> Display.m_nRedShift & Display.m_nRedMask),
                                   static_cast<uint8_t>(pixel >> Display.m_nGreenShift & Display.m_nGreenMask),
                                   static_cast<uint8_t>(pixel >> Display.m_nBlueShift & Display.m_nBlueMask),
                                   flags(r * 16 + c)};
        }
    }
    return true;
}

bool DDSetTransmit(std::string_view file)
{
    Surface temporary;
    const std::string name(file);
    if (DDLoadBitmapToSurface(temporary, file, 0, Display.m_nDepth, kSystemMemory, 0, 0, 0) != kDDOk)
    {
        WriteErrorLogF("%s 生成失敗！", name.c_str());
        return false;
    }
    SurfaceLock lock;
    uint8_t* bits = nullptr;
    if (!DDLockSurface(temporary.Get(), lock, bits, Display.m_nDepth))
    {
        WriteErrorLog("Lock 失敗！");
        return false;
    }
    Display.m_nTransparent = lock.m_nBytesPerPixel == 1 ? bits[0] : static_cast<uint32_t>(bits[0] | bits[1] << 8);
    temporary.Get()->Unlock();
    return true;
}

// ---- drawing ----

platform::SurfaceResult DDFillRect(PixelSurface* surface, int x, int y, int w, int h, int index)
{
    if (!surface)
    {
        ReportNoSurface("DDFillRect");
        return SurfaceResult::NoSurface;
    }
    SurfaceRect rect{x, y, x + w, y + h};
    if (x < 0)
    {
        rect.m_nLeft = 0;
    }
    else if (rect.m_nRight > surface->Width())
    {
        rect.m_nRight = surface->Width();
    }
    if (y < 0)
    {
        rect.m_nTop = 0;
    }
    else if (rect.m_nBottom > surface->Height())
    {
        rect.m_nBottom = surface->Height();
    }
    const uint32_t pixel = surface->BytesPerPixel() == 1 ? static_cast<uint32_t>(index & 0xFF)
                                                         : PaletteEntryToPixel(Display.m_SourcePalette[index & 0xFF]);
    return surface->Fill(rect, pixel);
}

platform::SurfaceResult DDBltFast(PixelSurface* target, int x, int y, int w, int h, const PixelSurface* source, int sx,
                                  int sy, int key)
{
    if (!target || !source)
    {
        ReportNoSurface("DDBltFast");
        return SurfaceResult::NoSurface;
    }
    SurfaceRect from{sx, sy, sx + w, sy + h};
    from.m_nLeft = std::max(from.m_nLeft, 0);
    from.m_nTop = std::max(from.m_nTop, 0);
    from.m_nRight = std::min(from.m_nRight, source->Width());
    from.m_nBottom = std::min(from.m_nBottom, source->Height());
    if (x < 0)
    {
        from.m_nLeft -= x;
        x = 0;
    }
    if (y < 0)
    {
        from.m_nTop -= y;
        y = 0;
    }
    if (x + from.Width() > target->Width())
    {
        from.m_nRight = from.m_nLeft + target->Width() - x;
    }
    if (y + from.Height() > target->Height())
    {
        from.m_nBottom = from.m_nTop + target->Height() - y;
    }
    return target->BltFast(x, y, *source, from, key == 1);
}

platform::SurfaceResult DDBltFast(PixelSurface* target, int x, int y, int w, int h, const Surface& source, int sx,
                                  int sy, int key)
{
    if (!source.Get())
    {
        ReportNotLoaded("DDBltFast", source);
        return SurfaceResult::NoSurface;
    }
    return DDBltFast(target, x, y, w, h, source.Get(), sx, sy, key);
}

platform::SurfaceResult DDBltStretch(PixelSurface* target, int x, int y, int w, int h, const PixelSurface* source,
                                     int sx, int sy, int sw, int sh, int flags)
{
    if (w <= 0 || h <= 0)
    {
        return SurfaceResult::Ok;
    }
    if (!target || !source)
    {
        ReportNoSurface("DDBltStretch");
        return SurfaceResult::NoSurface;
    }
    if (sw <= 0 || sh <= 0)
    {
        return SurfaceResult::InvalidRect;
    }
    const double scaleX = static_cast<double>(sw) / w;
    const double scaleY = static_cast<double>(sh) / h;
    SurfaceRect to{x, y, x + w, y + h};
    SurfaceRect from{sx, sy, sx + sw, sy + sh};
    // The target's edges, moving the source's by the same amount scaled.
    if (to.m_nLeft < 0)
    {
        from.m_nLeft += static_cast<int>(-to.m_nLeft * scaleX);
        to.m_nLeft = 0;
    }
    if (to.m_nTop < 0)
    {
        from.m_nTop += static_cast<int>(-to.m_nTop * scaleY);
        to.m_nTop = 0;
    }
    if (to.m_nRight > target->Width())
    {
        from.m_nRight -= static_cast<int>((to.m_nRight - target->Width()) * scaleX);
        to.m_nRight = target->Width();
    }
    if (to.m_nBottom > target->Height())
    {
        from.m_nBottom -= static_cast<int>((to.m_nBottom - target->Height()) * scaleY);
        to.m_nBottom = target->Height();
    }
    // Then the source's edges, moving the target's back.
    if (from.m_nLeft < 0)
    {
        to.m_nLeft += static_cast<int>(-from.m_nLeft / scaleX);
        from.m_nLeft = 0;
    }
    if (from.m_nTop < 0)
    {
        to.m_nTop += static_cast<int>(-from.m_nTop / scaleY);
        from.m_nTop = 0;
    }
    if (from.m_nRight > source->Width())
    {
        to.m_nRight -= static_cast<int>((from.m_nRight - source->Width()) / scaleX);
        from.m_nRight = source->Width();
    }
    if (from.m_nBottom > source->Height())
    {
        to.m_nBottom -= static_cast<int>((from.m_nBottom - source->Height()) / scaleY);
        from.m_nBottom = source->Height();
    }
    return target->BltStretch(to, *source, from, flags == 1);
}

platform::SurfaceResult DDBltStretch(PixelSurface* target, int x, int y, int w, int h, const Surface& source, int sx,
                                     int sy, int sw, int sh, int flags)
{
    if (!source.Get())
    {
        ReportNotLoaded("DDBltStretch", source);
        return SurfaceResult::NoSurface;
    }
    return DDBltStretch(target, x, y, w, h, source.Get(), sx, sy, sw, sh, flags);
}

bool DDLockSurface(PixelSurface* surface, SurfaceLock& description, uint8_t*& bits, int depth)
{
    (void)depth;
    if (!surface)
    {
        ReportNoSurface("DDLockSurface");
        return false;
    }
    if (!surface->Lock(description))
    {
        return false;
    }
    bits = description.m_pBits;
    return true;
}

// ---- recovery ----

bool DDRestoreSurfaces()
{
    DisplayState& d = Display;
    if (!d.m_pPrimary || !d.m_pPrimary->IsLost())
    {
        return true;
    }
    d.m_pPrimary->Restore();
    // The back buffer goes with the primary surface: attached to it in full
    // screen, and in a window it would otherwise stay lost for good.
    if (d.m_pBackBuffer && d.m_pBackBuffer->IsLost())
    {
        d.m_pBackBuffer->Restore();
    }
    if (d.m_pTable)
    {
        for (int i = 0; i < d.m_nTableCount; ++i)
        {
            Surface& surface = d.m_pTable[i];
            if (!surface.Get() || !surface.Get()->IsLost())
            {
                continue;
            }
            surface.Get()->Restore();
            if (surface.Get()->Memory() != SurfaceMemory::System && !DDReloadBitmap(surface))
            {
                return false;
            }
        }
    }
    if (d.m_nDepth == 8 && d.m_pDevice)
    {
        d.m_pDevice->SetPaletteEntries(0, 256, d.m_WorkingPalette.data());
    }
    return true;
}

void DDSimulateDisplayChange()
{
    if (Display.m_pDevice)
    {
        Display.m_pDevice->LoseSurfaces();
    }
}

// ---- pixel format ----

void AnalysePixelFormat()
{
    const platform::PixelFormat format = Display.m_pDevice ? Display.m_pDevice->Format() : platform::PixelFormat{};
    Display.m_nRedShift = ComponentShift(format.m_nRedMask);
    Display.m_nGreenShift = ComponentShift(format.m_nGreenMask);
    Display.m_nBlueShift = ComponentShift(format.m_nBlueMask);
    Display.m_nRedMask = format.m_nRedMask >> Display.m_nRedShift;
    Display.m_nGreenMask = format.m_nGreenMask >> Display.m_nGreenShift;
    Display.m_nBlueMask = format.m_nBlueMask >> Display.m_nBlueShift;
}

uint32_t PaletteEntryToPixel(const PaletteColour& entry)
{
    return ((entry.m_nBlue & Display.m_nBlueMask) << Display.m_nBlueShift) |
           ((entry.m_nGreen & Display.m_nGreenMask) << Display.m_nGreenShift) |
           ((entry.m_nRed & Display.m_nRedMask) << Display.m_nRedShift);
}

uint32_t PaletteIndexToPixel(int index)
{
    return Display.m_nBytesPerPixel == 2 ? PaletteEntryToPixel(Display.m_SourcePalette[index & 0xFF])
                                         : static_cast<uint32_t>(index & 0xFF);
}

// ---- showing ----

void DDPresent(int pageFlip)
{
    DisplayState& d = Display;
    if (!d.m_pDevice || !d.m_pPrimary || !d.m_pBackBuffer)
    {
        return;
    }
    if (d.m_nMode == kWindowed)
    {
        d.m_pPrimary->BltStretch({0, 0, d.m_pPrimary->Width(), d.m_pPrimary->Height()}, *d.m_pBackBuffer,
                                 {0, 0, d.m_pBackBuffer->Width(), d.m_pBackBuffer->Height()}, false);
    }
    else if (pageFlip)
    {
        d.m_pDevice->Flip();
    }
    else
    {
        DDBltFast(d.m_pPrimary, 0, 0, kScreenWidth, kScreenHeight, d.m_pBackBuffer, 0, 0, 0);
    }
    d.m_pDevice->Present(d.m_Frames);
}

platform::FrameExchange& DisplayFrames()
{
    return Display.m_Frames;
}

bool DDCaptureFrame(std::string_view path)
{
    const DisplayState& d = Display;
    if (!d.m_pDevice || !d.m_pPrimary)
    {
        return false;
    }
    platform::Frame frame;
    const bool palette = d.m_nBytesPerPixel == 1 && d.m_pDevice->IsPaletteAttached();
    platform::CopySurfaceToFrame(*d.m_pPrimary, palette ? &d.m_pDevice->Palette() : nullptr, frame);
    return platform::WriteFramePng(path, frame);
}

PixelSurface* DDBackBuffer()
{
    return Display.m_pBackBuffer;
}

PixelSurface* DDWorkSurface()
{
    return Display.m_pWork.get();
}

bool ShowMessageBoxFullScreen(std::string_view text, std::string_view caption, uint32_t type)
{
    // The cursor is the display's: it changes on the thread that shows the box.
    auto cursor = [](bool showing)
    {
        if (Display.m_pHost)
        {
            Display.m_pHost->ShowCursor(showing);
        }
    };
    platform::DialogService& dialogs = platform::Dialogs();
    if (&dialogs == &GameBoxes)
    {
        GameBoxes.MessageBoxAround(GameBoxes.ActiveWindow(), text, caption, type, cursor);
        return true;
    }
    cursor(true);
    dialogs.MessageBox(dialogs.ActiveWindow(), text, caption, type);
    cursor(false);
    return true;
}

void ShiftSurfaceColours(Surface& surface)
{
    PixelSurface* target = surface.Get();
    if (!target)
    {
        ReportNotLoaded("ShiftSurfaceColours", surface);
        return;
    }
    SurfaceLock lock;
    if (!target->Lock(lock))
    {
        ShowOutOfMemory();
        return;
    }
    auto shifted = [](int i) { return i != 0 && i != 43 && i >= 7 && i <= 181 ? i + 3 : i; };
    if (lock.m_nBytesPerPixel == 1)
    {
        // At 8 bits the surface's pixels are its indices.
        for (int y = 0; y < lock.m_nHeight; ++y)
        {
            uint8_t* row = lock.m_pBits + static_cast<size_t>(y) * lock.m_nPitch;
            for (int x = 0; x < lock.m_nWidth; ++x)
            {
                row[x] = static_cast<uint8_t>(shifted(row[x]));
            }
        }
    }
    else if (surface.m_Indices.size() == static_cast<size_t>(lock.m_nWidth) * lock.m_nHeight)
    {
        for (int y = 0; y < lock.m_nHeight; ++y)
        {
            uint8_t* row = lock.m_pBits + static_cast<size_t>(y) * lock.m_nPitch;
            for (int x = 0; x < lock.m_nWidth; ++x)
            {
                uint8_t& index = surface.m_Indices[static_cast<size_t>(y) * lock.m_nWidth + x];
                const int to = shifted(index);
                if (to != index)
                {
                    index = static_cast<uint8_t>(to);
                    const uint32_t pixel = PaletteEntryToPixel(Display.m_SourcePalette[to]);
                    row[x * 2] = static_cast<uint8_t>(pixel);
                    row[x * 2 + 1] = static_cast<uint8_t>(pixel >> 8);
                }
            }
        }
    }
    target->Unlock();
}
