#pragma once

// The frame a palette draws itself. A palette has a caption and a sizing
// frame but no minimise or maximise box, and a close box only with its
// system menu. Window managers are free to ignore the hints that ask for
// such a frame (some always draw all three boxes), so a palette's top level
// is frameless and carries its own caption bar and sizing edges: the caption
// moves the window, the edges size it, the close box asks the window to
// close. The window manager does the moving and sizing where it can; where
// it cannot (the offscreen platform), the widgets do it themselves.

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>

namespace platform
{

// What the frame needs of its window.
struct OwnFrameHooks
{
    std::function<bool()> m_HasCloseBox; // the window has a system menu
    std::function<void()> m_Close;       // the close box was clicked
};

// Moves or sizes a top level by the mouse, from a press to its release.
class FrameDrag
{
public:
    // Starts at a press; edges 0 move the window.
    void Begin(QWidget& top, Qt::Edges edges, QPoint globalPress);
    // Follows the pointer while the button is held; false when no drag runs.
    bool Follow(QWidget& top, QPoint global) const;
    void End() { m_bActive = false; }
    bool IsActive() const { return m_bActive; }

private:
    bool m_bActive = false;
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
