#pragma once

// A picture control of a template turned into a drawing surface: the owner
// draws previews (faces, icons, map chips) into the canvas, a bitmap of the
// control's size, and Present shows the canvas in the control, which keeps
// showing it whenever it is painted. The drawing windows (the stage editor,
// the map-chip palettes, the world-map editor, the position-group editor)
// bind one to control 1075; pages and dialogs keep theirs in a vector, bound
// to 1070 or 1069.

#include "common/graphics/DibBitmap.h"
#include "editor/framework/Control.h"
#include "editor/framework/ControlBindings.h"

class BitmapControl : public Control
{
public:
    BitmapControl() : Control(kControlBitmap) {}
    ~BitmapControl() override;
    // A copy has the original's members but a canvas of its own, made when it is attached.
    BitmapControl(const BitmapControl& other);
    // Assignment takes the window handle and the control id, as for every wrapper.
    BitmapControl& operator=(const BitmapControl& other)
    {
        Control::operator=(other);
        return *this;
    }

    // Attaches the control; with a width and a height in the binding the
    // control takes that size where it stands and the canvas that size,
    // otherwise the canvas has the control's client size. Attaching again
    // makes a new canvas.
    void Attach(DialogBase* owner, const BitmapControlBinding& binding);

    // Shows the canvas in the control.
    void Present();

    DibBitmap& Canvas() { return m_Canvas; }
    const DibBitmap& Canvas() const { return m_Canvas; }
    BitmapControlBinding& Binding() { return m_Binding; }

private:
    DibBitmap m_Canvas;
    BitmapControlBinding m_Binding;
};
