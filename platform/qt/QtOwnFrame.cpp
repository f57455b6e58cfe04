#include "platform/qt/QtOwnFrame.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <qdrawutil.h>
#include <algorithm>

namespace platform
{

namespace
{

// Room left and right of the title, and around the close box.
constexpr int kTitlePad = 4;
constexpr int kBoxPad = 2;

const QColor kFace(192, 192, 192);
const QColor kActiveCaption(0, 0, 128);
const QColor kInactiveCaption(128, 128, 128);
const QColor kActiveTitle(255, 255, 255);
const QColor kInactiveTitle(192, 192, 192);

QFont CaptionFont()
{
    QFont font = QApplication::font();
    font.setBold(true);
    return font;
}

// One extent of a sizing drag: the side that moves follows the pointer, the
// opposite side stays, and the extent keeps to the window's limits.
void SizeSpan(int& start, int& extent, int delta, bool movesStart, bool movesEnd, int least, int most)
{
    if (movesStart)
    {
        int end = start + extent;
        extent = std::clamp(extent - delta, least, most);
        start = end - extent;
    }
    else if (movesEnd)
    {
        extent = std::clamp(extent + delta, least, most);
    }
}

} // namespace

// ---- FrameDrag ----

FrameDrag::FrameDrag() : m_SystemDrag(SystemDragOn(QGuiApplication::platformName())) {}

FrameDrag::SystemDrag FrameDrag::SystemDragOn(const QString& platformName)
{
    // On X11 the window manager's drag is asked for by a message that races
    // the button: a flick whose release comes before the window manager has
    // taken the pointer leaves the window on the pointer until the next
    // click, where that click then drops it (off the screen, as often as
    // not). The release never races the frame's own drag.
    if (!platformName.startsWith(QLatin1String("wayland")))
    {
        return {};
    }
    return [](QWindow& window, Qt::Edges edges)
    { return edges == Qt::Edges() ? window.startSystemMove() : window.startSystemResize(edges); };
}

void FrameDrag::Press(Qt::Edges edges, QPoint globalPress)
{
    m_State = State::Pressed;
    m_Edges = edges;
    m_Press = globalPress;
}

bool FrameDrag::Follow(QWidget& top, QPoint global, Qt::MouseButtons held)
{
    if (m_State == State::Idle)
    {
        return false;
    }
    // The release went elsewhere.
    if (!(held & Qt::LeftButton))
    {
        End();
        return false;
    }
    QPoint delta = global - m_Press;
    if (m_State == State::Pressed)
    {
        // A click, or a tap that shakes the pointer a little, moves nothing.
        if (delta.manhattanLength() < QApplication::startDragDistance())
        {
            return true;
        }
        QWindow* window = top.windowHandle();
        if (window && m_SystemDrag && m_SystemDrag(*window, m_Edges))
        {
            // The window manager has the pointer until the release.
            End();
            return true;
        }
        m_State = State::Following;
        m_Start = top.geometry();
    }
    Apply(top, delta);
    return true;
}

void FrameDrag::Apply(QWidget& top, QPoint delta) const
{
    if (m_Edges == Qt::Edges())
    {
        top.move(m_Start.topLeft() + delta);
        return;
    }
    int x = m_Start.x();
    int y = m_Start.y();
    int width = m_Start.width();
    int height = m_Start.height();
    SizeSpan(x, width, delta.x(), m_Edges & Qt::LeftEdge, m_Edges & Qt::RightEdge, top.minimumWidth(),
             top.maximumWidth());
    SizeSpan(y, height, delta.y(), m_Edges & Qt::TopEdge, m_Edges & Qt::BottomEdge, top.minimumHeight(),
             top.maximumHeight());
    top.setGeometry(x, y, width, height);
}

// ---- QtCaptionBar ----

QtCaptionBar::QtCaptionBar(QWidget& top, OwnFrameHooks hooks) : QWidget(&top), m_Top(top), m_Hooks(std::move(hooks))
{
    setFont(CaptionFont());
}

QRect QtCaptionBar::CloseBox() const
{
    if (!m_Hooks.m_HasCloseBox || !m_Hooks.m_HasCloseBox())
    {
        return {};
    }
    int side = std::max(height() - 2 * kBoxPad, 0);
    return {width() - kBoxPad - side - 2, kBoxPad, side + 2, side};
}

int QtCaptionBar::WidthFor(const QString& title) const
{
    int box = m_Hooks.m_HasCloseBox && m_Hooks.m_HasCloseBox() ? height() + kBoxPad : 0;
    return QFontMetrics(font()).horizontalAdvance(title) + 2 * kTitlePad + box;
}

void QtCaptionBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    bool active = m_Top.isActiveWindow();
    painter.fillRect(rect(), active ? kActiveCaption : kInactiveCaption);
    QRect box = CloseBox();
    QRect text = rect().adjusted(kTitlePad, 0, -kTitlePad, 0);
    if (!box.isEmpty())
    {
        text.setRight(box.left() - kTitlePad);
    }
    painter.setPen(active ? kActiveTitle : kInactiveTitle);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(font()).elidedText(m_Top.windowTitle(), Qt::ElideRight, text.width()));
    if (box.isEmpty())
    {
        return;
    }
    QPalette face = palette();
    face.setColor(QPalette::Button, kFace);
    QBrush fill(kFace);
    qDrawWinButton(&painter, box, face, m_bCloseSunken, &fill);
    // The cross in the middle, a pixel lower and to the right while pressed.
    int side = std::max(std::min(box.width(), box.height()) / 2, 3);
    int shift = m_bCloseSunken ? 1 : 0;
    QRectF cross(box.center().x() - side / 2.0 + shift + 0.5, box.center().y() - side / 2.0 + shift + 0.5, side - 1,
                 side - 1);
    painter.setPen(QPen(Qt::black, 1.6));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
}

bool QtCaptionBar::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
    {
        update();
    }
    return QWidget::event(event);
}

void QtCaptionBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
    {
        return;
    }
    if (CloseBox().contains(event->position().toPoint()))
    {
        m_bClosePressed = m_bCloseSunken = true;
        update();
        return;
    }
    // A click activates the palette; only a drag moves it.
    m_Top.activateWindow();
    m_Top.raise();
    m_Drag.Press({}, event->globalPosition().toPoint());
}

void QtCaptionBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bClosePressed)
    {
        bool sunken = CloseBox().contains(event->position().toPoint());
        if (sunken != m_bCloseSunken)
        {
            m_bCloseSunken = sunken;
            update();
        }
        return;
    }
    m_Drag.Follow(m_Top, event->globalPosition().toPoint(), event->buttons());
}

void QtCaptionBar::mouseReleaseEvent(QMouseEvent* event)
{
    m_Drag.End();
    if (event->button() != Qt::LeftButton || !m_bClosePressed)
    {
        return;
    }
    bool close = CloseBox().contains(event->position().toPoint());
    m_bClosePressed = m_bCloseSunken = false;
    update();
    // Last: closing may take the window, this bar with it.
    if (close && m_Hooks.m_Close)
    {
        m_Hooks.m_Close();
    }
}

// ---- QtFrameEdge ----

QtFrameEdge::QtFrameEdge(QWidget& top, Qt::Edge side, int cornerLength)
    : QWidget(&top), m_Top(top), m_Side(side), m_nCornerLength(cornerLength)
{
    setMouseTracking(true);
}

Qt::Edges QtFrameEdge::EdgesAt(QPoint local) const
{
    Qt::Edges edges = m_Side;
    if (m_Side == Qt::TopEdge || m_Side == Qt::BottomEdge)
    {
        edges |= local.x() < m_nCornerLength ? Qt::LeftEdge : Qt::Edges();
        edges |= local.x() >= width() - m_nCornerLength ? Qt::RightEdge : Qt::Edges();
    }
    else
    {
        edges |= local.y() < m_nCornerLength ? Qt::TopEdge : Qt::Edges();
        edges |= local.y() >= height() - m_nCornerLength ? Qt::BottomEdge : Qt::Edges();
    }
    return edges;
}

void QtFrameEdge::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
    {
        return;
    }
    Qt::Edges edges = EdgesAt(event->position().toPoint());
    m_Top.activateWindow();
    m_Top.raise();
    m_Drag.Press(edges, event->globalPosition().toPoint());
}

void QtFrameEdge::mouseMoveEvent(QMouseEvent* event)
{
    if (m_Drag.Follow(m_Top, event->globalPosition().toPoint(), event->buttons()))
    {
        return;
    }
    Qt::Edges edges = EdgesAt(event->position().toPoint());
    bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    Qt::CursorShape shape = horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    if (horizontal && vertical)
    {
        bool falling = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
        shape = falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    setCursor(shape);
}

void QtFrameEdge::mouseReleaseEvent(QMouseEvent*)
{
    m_Drag.End();
}

void PaintOwnFrameBorder(QWidget& top)
{
    QPainter painter(&top);
    painter.fillRect(top.rect(), kFace);
    QPalette face = top.palette();
    face.setColor(QPalette::Button, kFace);
    qDrawWinPanel(&painter, top.rect(), face, false, nullptr);
}

} // namespace platform
