#pragma once

// The frame a palette draws itself. A palette has a caption and a sizing
// frame but no minimise or maximise box, and a close box only with its
// system menu. Window managers are free to ignore the hints that ask for
// such a frame (some always draw all three boxes), so a palette's top level
// is frameless and carries its own caption bar and sizing edges: a drag on
// the caption moves the window and one on an edge sizes it (a click on
// either only activates it), the close box asks the window to close. The
// window manager does the moving and sizing where it can; where it cannot
// (the offscreen platform), the widgets do it themselves.

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>

class QWindow;

namespace platform
{

// What the frame needs of its window.
struct OwnFrameHooks
{
    std::function<bool()> m_HasCloseBox; // the window has a system menu
    std::function<void()> m_Close;       // the close box was clicked
};

// Moves or sizes a top level by the mouse, from a press to its release. A
// press alone moves nothing: the drag starts once the pointer has moved past
// the platform's drag distance with the button held. Where the program can
// place its windows, the drag follows the pointer itself from the press on,
// and the release, which the press's grab brings back, always ends it. Only
// where it cannot (Wayland) the window manager takes the drag over.
class FrameDrag
{
public:
    // Starts the window manager's move (edges 0) or size of the window; false where it cannot.
    using SystemDrag = std::function<bool(QWindow&, Qt::Edges)>;
    FrameDrag();
    explicit FrameDrag(SystemDrag systemDrag) : m_SystemDrag(std::move(systemDrag)) {}

    // The window manager's drag on the named Qt platform; empty where the
    // frame follows the pointer itself.
    static SystemDrag SystemDragOn(const QString& platformName);

    // A press of the left button; edges 0 move the window.
    void Press(Qt::Edges edges, QPoint globalPress);
    // The pointer moved with the buttons held; false when no press is pending and no drag runs.
    bool Follow(QWidget& top, QPoint global, Qt::MouseButtons held);
    void End() { m_State = State::Idle; }

private:
    enum class State
    {
        Idle,
        Pressed,   // the button is down, the pointer still near the press
        Following, // the drag follows the pointer itself
    };
    void Apply(QWidget& top, QPoint delta) const;

    SystemDrag m_SystemDrag;
    State m_State = State::Idle;
    Qt::Edges m_Edges;
    QPoint m_Press;
    QRect m_Start;
};

// The caption bar: the title on the caption colour of an active or inactive
// window, and the close box when the window has one.
class QtCaptionBar : public QWidget
{
public:
    QtCaptionBar(QWidget& top, OwnFrameHooks hooks);

    // The close box, in the bar's coordinates; empty without one.
    QRect CloseBox() const;
    // The narrowest bar that shows the whole title and the close box.
    int WidthFor(const QString& title) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget& m_Top;
    OwnFrameHooks m_Hooks;
    FrameDrag m_Drag;
    bool m_bClosePressed = false;
    bool m_bCloseSunken = false;
};

// One side of the sizing frame; near its ends it sizes the corner.
class QtFrameEdge : public QWidget
{
public:
    QtFrameEdge(QWidget& top, Qt::Edge side, int cornerLength);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Qt::Edges EdgesAt(QPoint local) const;

    QWidget& m_Top;
    Qt::Edge m_Side;
    int m_nCornerLength;
    FrameDrag m_Drag;
};

// Paints the raised border of a top level that draws its own frame.
void PaintOwnFrameBorder(QWidget& top);

} // namespace platform
