#include "editor/framework/BitmapControl.h"

#include "editor/framework/DialogBase.h"

namespace
{
// Our bitmaps have no 32-bit form; a 24-bit canvas shows the same colours.
constexpr int kCanvasBits = 24;
} // namespace

BitmapControl::~BitmapControl()
{
    m_Canvas.DeletePen();
    m_Canvas.Release();
}

BitmapControl::BitmapControl(const BitmapControl& other) : Control(other), m_Binding(other.m_Binding)
{
}

void BitmapControl::Attach(DialogBase* owner, const BitmapControlBinding& binding)
{
    AttachByBinding(owner, binding);
    int width = 0;
    int height = 0;
    if (platform::NativeWindow* native = Native())
    {
        if (binding.m_nWidth != 0 && binding.m_nHeight != 0)
        {
            // The control keeps its place in its parent and takes the size.
            platform::Rect rect = native->WindowRect();
            native->SetWindowRect({rect.m_nLeft, rect.m_nTop, binding.m_nWidth, binding.m_nHeight});
            width = binding.m_nWidth;
            height = binding.m_nHeight;
        }
        else
        {
            platform::Rect client = native->ClientRect();
            width = client.m_nWidth;
            height = client.m_nHeight;
        }
        UpdatePlacement();
    }
    m_Canvas.DeletePen();
    m_Canvas.Release();
    // A size the bitmap cannot have leaves the canvas empty; drawing into it then does nothing.
    m_Canvas.Create(width, height, kCanvasBits, 0);
}

void BitmapControl::Present()
{
    platform::NativeWindow* native = Native();
    if (native && m_Canvas.IsCreated())
    {
        native->Present(m_Canvas.View(), 0, 0);
    }
}
