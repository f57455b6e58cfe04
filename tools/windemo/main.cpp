// Opens a frame window in each window backend (Qt and SDL) and shows an 8-bit
// bitmap in both, with a grid and a line of text drawn over it, for a person
// to look at. Usage: windemo [bitmap.bmp] [--seconds N] [--picture out.png]
// (--picture saves what the Qt window shows when the program ends).
// The Qt window runs the loop; its idle step serves the SDL window. Closing
// either window ends the program.

#include "common/graphics/DibBitmap.h"
#include "common/window/FrameRate.h"
#include "common/window/WindowBase.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp932.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/sdl/SdlWindowSystem.h"
#include "platform/text/FreeTypeRasterizer.h"

#include <QApplication>
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

DibBitmap g_Picture;
platform::QtWindowSystem* g_pQt = nullptr;
int g_nFrameRate = 0;

// One window class per backend, each with its one live instance.
template <int Backend>
class DemoWindow : public FrameWindow
{
public:
    DemoWindow() { s_pInstance = this; }
    ~DemoWindow() override { s_pInstance = nullptr; }

    static intptr_t Procedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        return s_pInstance ? s_pInstance->WindowProc(window, message, wParam, lParam)
                           : platform::DefWindowProc(window, message, wParam, lParam);
    }

    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        OnMessage(window, message, wParam, lParam);
        if (message == platform::kWmDestroy)
        {
            g_pQt->PostQuit(0);
            return 0;
        }
        if (message == platform::kWmKeyDown && wParam == platform::kVkEscape)
        {
            platform::PostWindowMessage(window, platform::kWmClose, 0, 0);
            return 0;
        }
        if (message == platform::kWmPaint || message == platform::kWmCreate || message == platform::kWmMouseMove)
        {
            return 0;
        }
        return platform::DefWindowProc(window, message, wParam, lParam);
    }

    void OnPaint() override
    {
        if (!Handle() || UsableWidth() <= 0 || UsableHeight() <= 0)
        {
            return;
        }
        platform::Rect client = ClientRectangle();
        if (m_Front.Width() != client.m_nWidth || m_Front.Height() != client.m_nHeight)
        {
            m_Front.Create(client.m_nWidth, client.m_nHeight, 24, 0);
        }
        if (m_Back.Width() != UsableWidth() || m_Back.Height() != UsableHeight())
        {
            m_Back.Create(UsableWidth(), UsableHeight(), 8, 0);
        }
        m_Back.Clear(0x404040);
        // The bitmap four times larger, then at its own size, then the grid of 32-pixel cells over it.
        m_Back.StretchBlt(8, 8, g_Picture.Width() * 4, g_Picture.Height() * 4, g_Picture, 0, 0, g_Picture.Width(),
                          g_Picture.Height(), 1);
        m_Back.Blt(g_Picture.Width() * 4 + 16, 8, g_Picture.Width(), g_Picture.Height(), g_Picture, 0, 0, 1);
        m_Back.DrawGrid(8, 8, g_Picture.Width() * 4, g_Picture.Height() * 4, 1, 1, 0xFFFFFF);
        m_Back.Printf(8, g_Picture.Height() * 4 + 16, "%s\nマウス %d , %d  FPS %d", Backend == 0 ? "Qt のウインドウ" : "SDL のウインドウ",
                      Mouse().m_nX, Mouse().m_nY, g_nFrameRate);
        PresentBackBuffer();
        ShowFront();
    }

    static inline DemoWindow* s_pInstance = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    std::string bitmap = TK_DEMO_BITMAP;
    double seconds = 0;
    std::string picture;
    for (int i = 1; i < argc; ++i)
    {
        std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc)
        {
            seconds = std::atof(argv[++i]);
        }
        else if (arg == "--picture" && i + 1 < argc)
        {
            picture = argv[++i];
        }
        else
        {
            bitmap = platform::FromUtf8(arg);
        }
    }
    QApplication application(argc, argv);
    platform::QtWindowSystem qt;
    platform::SdlWindowSystem sdl;
    g_pQt = &qt;
    platform::QtDialogs dialogs(qt);
    platform::SetDialogService(&dialogs);
    platform::FreeTypeRasterizer rasterizer;
    if (rasterizer.Open())
    {
        SetTextRasterizer(&rasterizer);
    }
    if (!g_Picture.Load(bitmap, 8, 0))
    {
        return 1;
    }

    DemoWindow<0> qtWindow;
    qtWindow.SetWindowSystem(&qt);
    qtWindow.Init(0, nullptr, nullptr, &DemoWindow<0>::Procedure);
    qtWindow.SetLayout(360, 300, 200, 150, 1600, 1200, platform::kWsOverlappedWindow, 0, 0, 1, 0, 0);
    qtWindow.Create("Qt: 256色ビットマップ", 60, 60);
    qtWindow.CreateStatusBar();
    if (qtWindow.GetStatusBar())
    {
        qtWindow.GetStatusBar()->SetText("ステータスバー");
    }
    qtWindow.Show(1);

    DemoWindow<1> sdlWindow;
    if (sdl.IsReady())
    {
        sdlWindow.SetWindowSystem(&sdl);
        sdlWindow.Init(0, nullptr, nullptr, &DemoWindow<1>::Procedure);
        sdlWindow.SetLayout(360, 300, 100, 100, 640, 480, platform::kWsPopup | platform::kWsOverlappedWindow, 0, 0, 0, 0,
                            0);
        sdlWindow.Create("SDL: 256色ビットマップ", 460, 60);
        sdlWindow.Show(1);
    }

    uint32_t start = platform::TickCount();
    uint32_t lastPaint = 0;
    int result = qt.RunMessageLoop([&] {
        sdl.PumpMessages();
        g_nFrameRate = MeasureFrameRate();
        uint32_t now = platform::TickCount();
        if (now - lastPaint >= 100)
        {
            lastPaint = now;
            for (WindowBase* window : {static_cast<WindowBase*>(&qtWindow), static_cast<WindowBase*>(&sdlWindow)})
            {
                if (window->Handle())
                {
                    window->OnPaint();
                }
            }
        }
        if (seconds > 0 && now - start >= seconds * 1000)
        {
            qt.PostQuit(0);
        }
        SDL_Delay(1);
        return true;
    });
    if (!picture.empty())
    {
        if (auto* native = dynamic_cast<platform::QtWindow*>(qtWindow.Native()))
        {
            native->Picture().save(QString::fromStdString(picture));
        }
    }
    SetTextRasterizer(nullptr);
    platform::SetDialogService(nullptr);
    return result;
}
