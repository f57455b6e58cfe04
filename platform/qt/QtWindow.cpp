#include "platform/qt/QtWindow.h"

#include "platform/qt/QtKeys.h"
#include "platform/qt/QtOwnFrame.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindowSystem.h"

#include "platform/window/ControlModel.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QApplication>
#include <QIcon>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWindow>
#include <algorithm>

namespace platform
{

namespace
{

constexpr char kWindowProperty[] = "tkWindow";

// The widget of a top-level window: closing asks the window, moving and sizing report it.
class QtTopLevel : public QWidget
{
public:
    explicit QtTopLevel(QtWindow& owner) : m_Owner(owner) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        m_Owner.RequestClose();
    }
    void paintEvent(QPaintEvent*) override
    {
        if (m_Owner.HasOwnFrame())
        {
            PaintOwnFrameBorder(*this);
        }
    }
    void resizeEvent(QResizeEvent*) override { m_Owner.ReportGeometry(); }
    void moveEvent(QMoveEvent*) override { m_Owner.ReportGeometry(); }
    // The key filter has routed the key already.
    void keyPressEvent(QKeyEvent* event) override { event->accept(); }
    void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }

private:
    QtWindow& m_Owner;
};

} // namespace

// ---- QtWindowBase ----

QtWindowBase::QtWindowBase(QtWindowSystem& system, const WindowCreateParams& params)
    : NativeWindow(system, params), m_Qt(system)
{
}

void QtWindowBase::Tag(QWidget* widget)
{
    widget->setProperty(kWindowProperty, QVariant::fromValue(static_cast<void*>(this)));
}

QtWindowBase* QtWindowBase::FromWidget(const QObject* widget)
{
    if (!widget)
    {
        return nullptr;
    }
    QVariant value = widget->property(kWindowProperty);
    return value.isValid() ? static_cast<QtWindowBase*>(value.value<void*>()) : nullptr;
}

void QtWindowBase::SetTimer(uint32_t id, uint32_t milliseconds)
{
    m_Qt.StartTimer(Handle(), id, milliseconds);
}

void QtWindowBase::KillTimer(uint32_t id)
{
    m_Qt.StopTimer(Handle(), id);
}

// ---- QtCanvas ----

QtCanvas::QtCanvas(QtWindowBase& owner, QWidget* parent) : QWidget(parent), m_Owner(owner)
{
    setMouseTracking(true);
    // A click on a client area leaves the focus where it is (a dialog's
    // background, a page's); the window's own handler may take it.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void QtCanvas::Present(const PixelView& image, int x, int y)
{
    if (m_Picture.size() != size())
    {
        QImage resized(size(), QImage::Format_RGB32);
        resized.fill(Qt::black);
        QPainter copy(&resized);
        copy.drawImage(0, 0, m_Picture);
        copy.end();
        m_Picture = resized;
    }
    if (image.IsValid() && !m_Picture.isNull())
    {
        QPainter painter(&m_Picture);
        painter.drawImage(x, y, ToImage(image));
    }
    // Drawn at once, unless a canvas is being painted: a picture presented by
    // its dialog's paint handler is drawn with the dialog.
    if (s_nPaintingCanvases == 0)
    {
        repaint();
    }
    else
    {
        update();
    }
}

void QtCanvas::paintEvent(QPaintEvent*)
{
    ++s_nPaintingCanvases;
    m_Owner.System().SendMessage(m_Owner.Handle(), kWmPaint, 0, 0);
    --s_nPaintingCanvases;
    // The window may have been destroyed by its own paint handler: it is freed later, but draws nothing more.
    if (m_Owner.IsDestroyed())
    {
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    if (!m_Picture.isNull())
    {
        painter.drawImage(0, 0, m_Picture);
    }
}

void QtCanvas::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

void QtCanvas::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

void QtCanvas::Mouse(QMouseEvent* event, bool press, bool move)
{
    if (m_Owner.IsDestroyed())
    {
        return;
    }
    QPoint local = event->position().toPoint();
    bool left = event->buttons() & Qt::LeftButton;
    bool right = event->buttons() & Qt::RightButton;
    m_Owner.Qt().NoteMouse(m_Owner.ClientToScreen({local.x(), local.y()}), left, right);
    uintptr_t keys = (left ? kMkLButton : 0u) | (right ? kMkRButton : 0u);
    uint32_t message = kWmMouseMove;
    if (!move)
    {
        if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        {
            return;
        }
        bool isLeft = event->button() == Qt::LeftButton;
        message = press ? (isLeft ? kWmLButtonDown : kWmRButtonDown) : (isLeft ? kWmLButtonUp : kWmRButtonUp);
    }
    m_Owner.System().DeliverInput(m_Owner.Handle(), message, keys, MakeLParam(local.x(), local.y()));
}

// ---- QtWindow ----

QtWindow::QtWindow(QtWindowSystem& system, const WindowCreateParams& params)
    : QtWindowBase(system, params), m_nStyle(params.m_nStyle & ~kWsVisible)
{
    auto* top = new QtTopLevel(*this);
    m_pTop = top;
    Tag(top);
    top->setWindowTitle(FromCp932(params.m_strTitle));
    // The frame's boxes are the style's: a close box with the system menu, the others with their bits.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    // A palette (a caption and a sizing frame, but neither a minimise nor a
    // maximise box) draws its frame itself: window managers may add boxes to
    // theirs that the palette does not have.
    bool ownFrame = (params.m_nStyle & kWsCaption) == kWsCaption && (params.m_nStyle & kWsThickFrame) &&
                    !(params.m_nStyle & (kWsMinimizeBox | kWsMaximizeBox));
    if (ownFrame)
    {
        flags = Qt::Window | Qt::FramelessWindowHint;
        m_OwnFrame = ComputeFrameInsets(kWsCaption | kWsThickFrame, false, system.Metrics());
    }
    else if (params.m_nStyle & kWsSysMenu)
    {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (params.m_nStyle & kWsMinimizeBox)
    {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (params.m_nStyle & kWsMaximizeBox)
    {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    // An owned window stays above its owner and hides and shows with it: the
    // window manager knows the owner as its transient parent. Qt's X11
    // platform tells it only for windows of a dialog or tool kind, so a
    // palette is a tool window and any other owned window a dialog; a palette
    // shown beside its editor window leaves the activation there. A window
    // with a minimise box (an editor window, whose owner is hidden) goes into
    // the task bar on its own and stays a window of the plain kind.
    auto* owner = dynamic_cast<QtWindow*>(system.Resolve(params.m_hParent));
    if (owner && !(params.m_nStyle & kWsMinimizeBox))
    {
        flags = (flags & ~Qt::WindowType_Mask) | (ownFrame ? Qt::Tool : Qt::Dialog);
        top->setAttribute(Qt::WA_ShowWithoutActivating, ownFrame);
    }
    if (owner)
    {
        top->setParent(owner->TopLevel(), flags);
        owner->TopLevel()->winId();
        top->winId();
        if (top->windowHandle() && owner->TopLevel()->windowHandle())
        {
            top->windowHandle()->setTransientParent(owner->TopLevel()->windowHandle());
        }
    }
    else
    {
        top->setWindowFlags(flags);
    }
    if (ownFrame)
    {
        OwnFrameHooks hooks{[this] { return (m_nStyle & kWsSysMenu) != 0; }, [this] { RequestClose(); }};
        m_pCaption = new QtCaptionBar(*top, std::move(hooks));
        m_pCaption->setFixedHeight(system.Metrics().m_nCaptionHeight);
        Tag(m_pCaption);
        int corner = m_OwnFrame.m_nTop;
        for (Qt::Edge side : {Qt::TopEdge, Qt::BottomEdge, Qt::LeftEdge, Qt::RightEdge})
        {
            m_Edges.push_back(new QtFrameEdge(*top, side, corner));
            Tag(m_Edges.back());
        }
    }
    m_pClient = new QtCanvas(*this, top);
    Tag(m_pClient);
    if (params.m_pMenuBar)
    {
        SetMenuBar(params.m_pMenuBar);
    }
    FrameInsets insets = Insets();
    Rect client{params.m_WindowRect.m_nLeft + insets.m_nLeft, params.m_WindowRect.m_nTop + insets.m_nTop,
                std::max(params.m_WindowRect.m_nWidth - insets.m_nLeft - insets.m_nRight, 0),
                std::max(params.m_WindowRect.m_nHeight - insets.m_nTop - insets.m_nBottom, 0)};
    PlaceTopLevel(client);
    // The core reports the first size; later changes are reported from here.
    m_LastReported = {m_Origin.m_nX, m_Origin.m_nY, m_pClient->width(), m_pClient->height()};
}

QtWindow::~QtWindow()
{
    m_ToolBar.reset();
    m_StatusBar.reset();
    delete m_pTop.data();
}

void QtWindow::RequestClose()
{
    // A disabled window takes no input, its close box included.
    if (!IsDestroyed() && IsEnabled())
    {
        System().SendMessage(Handle(), kWmClose, 0, 0);
    }
}

void QtWindow::LayOutOwnFrame()
{
    if (!m_pCaption)
    {
        return;
    }
    const FrameInsets& frame = m_OwnFrame;
    int width = m_pTop->width();
    int height = m_pTop->height();
    m_pCaption->setGeometry(frame.m_nLeft, frame.m_nBottom, std::max(width - frame.m_nLeft - frame.m_nRight, 0),
                            frame.m_nTop - frame.m_nBottom);
    // Top, bottom, left, right.
    m_Edges[0]->setGeometry(0, 0, width, frame.m_nBottom);
    m_Edges[1]->setGeometry(0, height - frame.m_nBottom, width, frame.m_nBottom);
    m_Edges[2]->setGeometry(0, 0, frame.m_nLeft, height);
    m_Edges[3]->setGeometry(width - frame.m_nRight, 0, frame.m_nRight, height);
}

void QtWindow::PostCommand(int command)
{
    System().PostMessage(Handle(), kWmCommand, MakeWParam(command, 0), 0);
}

int QtWindow::TitleWidth() const
{
    // The window manager's icon and three buttons with their margins, and
    // room for a caption font a little larger than the application's.
    constexpr int kCaptionButtonsRoom = 128;
    if ((m_nStyle & kWsCaption) != kWsCaption || !m_pTop || m_pTop->windowTitle().isEmpty())
    {
        return 0;
    }
    int width = 0;
    if (m_pCaption)
    {
        width = m_pCaption->WidthFor(m_pTop->windowTitle());
    }
    else
    {
        QFont font = QApplication::font();
        font.setBold(true);
        width = QFontMetrics(font).horizontalAdvance(m_pTop->windowTitle()) + kCaptionButtonsRoom;
    }
    // A long title is cut rather than the window made wider than the screen.
    FrameInsets insets = Insets();
    return std::min(width, System().DesktopRect().m_nWidth - insets.m_nLeft - insets.m_nRight);
}

void QtWindow::PlaceTopLevel(const Rect& requested)
{
    // A window is never so narrow that its title is cut, while the screen has room for it.
    Rect client = requested;
    client.m_nWidth = std::max(client.m_nWidth, TitleWidth());
    int menuHeight = m_pMenuBar ? System().Metrics().m_nMenuBarHeight : 0;
    const FrameInsets& frame = m_OwnFrame;
    m_Origin = {client.m_nLeft, client.m_nTop};
    if (m_pMenuBar)
    {
        m_pMenuBar->setGeometry(frame.m_nLeft, frame.m_nTop, client.m_nWidth, menuHeight);
    }
    m_pClient->setGeometry(frame.m_nLeft, frame.m_nTop + menuHeight, client.m_nWidth, client.m_nHeight);
    int width = client.m_nWidth + frame.m_nLeft + frame.m_nRight;
    int height = client.m_nHeight + menuHeight + frame.m_nTop + frame.m_nBottom;
    if (!(m_nStyle & kWsThickFrame))
    {
        // Without a sizing frame only the program sizes the window.
        m_pTop->setFixedSize(width, height);
    }
    m_pTop->setGeometry(client.m_nLeft - frame.m_nLeft, client.m_nTop - menuHeight - frame.m_nTop, width, height);
    LayOutOwnFrame();
}

void QtWindow::Show(bool show)
{
    // The windows it kept from the focus take it again before it goes, so
    // that the desktop may give them the activation it leaves behind.
    if (!show)
    {
        Qt().FollowFocusRefusals(Handle());
    }
    m_pTop->setVisible(show);
    if (show)
    {
        Qt().FollowFocusRefusals();
        // Shown again while the dialog in front of it keeps it disabled (the
        // windows hidden for a nested dialog, back once it has closed): the
        // window manager put it on top, the dialog comes back above it.
        if (RefusesFocus())
        {
            Qt().RaiseDialogOf(Handle());
        }
    }
}

bool QtWindow::IsVisible() const
{
    return m_pTop->isVisible();
}

void QtWindow::SetMinimized(bool minimized)
{
    Qt::WindowStates state = m_pTop->windowState();
    m_pTop->setWindowState(minimized ? state | Qt::WindowMinimized : state & ~Qt::WindowMinimized);
}

bool QtWindow::IsMinimized() const
{
    return m_pTop->windowState() & Qt::WindowMinimized;
}

std::string QtWindow::Text() const
{
    return ToCp932(m_pTop->windowTitle());
}

void QtWindow::SetText(std::string_view text)
{
    m_pTop->setWindowTitle(FromCp932(text));
    if (m_pClient->width() < TitleWidth())
    {
        SetWindowRect(WindowRect());
    }
}

void QtWindow::SetStyle(uint32_t style)
{
    Rect outer = WindowRect();
    if (style & kWsVisible)
    {
        Show(true);
    }
    bool gainsSizingFrame = !(m_nStyle & kWsThickFrame) && (style & kWsThickFrame);
    // A disabled window keeps its widgets enabled, and so its look: the
    // system's event filter keeps the author's input from it.
    m_nStyle = style & ~kWsVisible;
    if (gainsSizingFrame)
    {
        m_pTop->setMinimumSize(0, 0);
        m_pTop->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    SetWindowRect(outer);
    if (gainsSizingFrame)
    {
        System().FollowTrackSizes(Handle());
    }
    Qt().FollowFocusRefusals();
}

bool QtWindow::RefusesFocus() const
{
    return m_pTop && m_pTop->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus);
}

void QtWindow::SetRefusesFocus(bool refuses)
{
    if (!m_pTop || RefusesFocus() == refuses)
    {
        return;
    }
    // Told to the window system without the window being made anew (setWindowFlags would hide it).
    Qt::WindowFlags flags = m_pTop->windowFlags();
    m_pTop->overrideWindowFlags(flags.setFlag(Qt::WindowDoesNotAcceptFocus, refuses));
    if (QWindow* native = m_pTop->windowHandle())
    {
        native->setFlag(Qt::WindowDoesNotAcceptFocus, refuses);
    }
}

void QtWindow::SetMenuBar(const Menu* menu)
{
    Rect outer = m_pMenuBar || menu ? WindowRect() : Rect{};
    delete m_pMenuBar;
    m_pMenuBar = nullptr;
    if (menu)
    {
        m_pMenuBar = MakeMenuBar(m_pTop, *menu, [this](int command) { PostCommand(command); });
        m_pMenuBar->show();
    }
    if (outer.m_nWidth > 0)
    {
        SetWindowRect(outer);
    }
}

Rect QtWindow::WindowRect() const
{
    FrameInsets insets = Insets();
    return {m_Origin.m_nX - insets.m_nLeft, m_Origin.m_nY - insets.m_nTop,
            m_pClient->width() + insets.m_nLeft + insets.m_nRight,
            m_pClient->height() + insets.m_nTop + insets.m_nBottom};
}

void QtWindow::SetWindowRect(const Rect& rect)
{
    FrameInsets insets = Insets();
    PlaceTopLevel({rect.m_nLeft + insets.m_nLeft, rect.m_nTop + insets.m_nTop,
                   std::max(rect.m_nWidth - insets.m_nLeft - insets.m_nRight, 0),
                   std::max(rect.m_nHeight - insets.m_nTop - insets.m_nBottom, 0)});
    ReportGeometry();
}

Rect QtWindow::ClientRect() const
{
    return {0, 0, m_pClient->width(), m_pClient->height()};
}

void QtWindow::ReportGeometry()
{
    if (IsDestroyed() || !m_pTop)
    {
        return;
    }
    // The window manager may have moved or sized the top level: follow it.
    int menuHeight = m_pMenuBar ? System().Metrics().m_nMenuBarHeight : 0;
    const FrameInsets& frame = m_OwnFrame;
    QRect top = m_pTop->geometry();
    m_Origin = {top.x() + frame.m_nLeft, top.y() + frame.m_nTop + menuHeight};
    int width = std::max(top.width() - frame.m_nLeft - frame.m_nRight, 0);
    int height = std::max(top.height() - frame.m_nTop - frame.m_nBottom - menuHeight, 0);
    if (m_pClient->width() != width || m_pClient->height() != height)
    {
        m_pClient->setGeometry(frame.m_nLeft, frame.m_nTop + menuHeight, width, height);
        if (m_pMenuBar)
        {
            m_pMenuBar->setGeometry(frame.m_nLeft, frame.m_nTop, width, menuHeight);
        }
        LayOutOwnFrame();
    }
    Rect now{m_Origin.m_nX, m_Origin.m_nY, m_pClient->width(), m_pClient->height()};
    Rect before = m_LastReported;
    m_LastReported = now;
    if (before.m_nLeft != now.m_nLeft || before.m_nTop != now.m_nTop)
    {
        System().SendMessage(Handle(), kWmMove, 0, MakeLParam(now.m_nLeft, now.m_nTop));
    }
    if (before.m_nWidth != now.m_nWidth || before.m_nHeight != now.m_nHeight)
    {
        System().SendMessage(Handle(), kWmSize, 0, MakeLParam(now.m_nWidth, now.m_nHeight));
    }
}

void QtWindow::FollowFocus()
{
    m_pClient->setFocus(Qt::OtherFocusReason);
}

void QtWindow::FollowActivation()
{
    // The toolkit's own report of this window's activation is not answered:
    // asking again would answer its late reports of two windows activated one
    // after the other with each other's activation, for ever. Any other
    // activation is asked of the toolkit, even of a window it takes for the
    // active one: a window shown since may have taken the activation in a
    // report still to come.
    if (!m_pTop->isVisible() || Qt().IsReportingActivation(Handle()))
    {
        return;
    }
    // A window that takes no activation from the desktop is answered as the
    // desktop's activation of it would be: its dialog comes to the front in
    // its place, once this activation is done.
    if (RefusesFocus())
    {
        Qt().CallOnMainThread([&system = Qt(), window = Handle()] { system.OnNativeActivation(window); });
        return;
    }
    m_pTop->activateWindow();
    m_pTop->raise();
}

void QtWindow::FollowTrackSizes(const MinMaxInfo& info)
{
    if (!(m_nStyle & kWsThickFrame) || !m_pTop)
    {
        return;
    }
    // The limits are of the whole window; the top-level widget is the client
    // area and the menu bar, with the frame when the window draws its own.
    int menuHeight = m_pMenuBar ? System().Metrics().m_nMenuBarHeight : 0;
    int frameWidth = m_OwnFrame.m_nLeft + m_OwnFrame.m_nRight;
    int frameHeight = m_OwnFrame.m_nTop + m_OwnFrame.m_nBottom + menuHeight;
    Point minimum = ClientSizeOf(info.m_nMinTrackWidth, info.m_nMinTrackHeight);
    Point maximum = ClientSizeOf(info.m_nMaxTrackWidth, info.m_nMaxTrackHeight);
    int maxWidth = maximum.m_nX > 0 ? std::max({maximum.m_nX, minimum.m_nX, TitleWidth()}) + frameWidth
                                    : QWIDGETSIZE_MAX;
    int maxHeight = maximum.m_nY > 0 ? std::max(maximum.m_nY, minimum.m_nY) + frameHeight : QWIDGETSIZE_MAX;
    m_pTop->setMinimumSize(minimum.m_nX + frameWidth, minimum.m_nY > 0 ? minimum.m_nY + frameHeight : 0);
    m_pTop->setMaximumSize(maxWidth, maxHeight);
    ReportGeometry();
}

void QtWindow::Retire()
{
    Qt().StopTimers(Handle());
    if (m_pTop)
    {
        Qt().FollowFocusRefusals(Handle());
        m_pTop->hide();
    }
}

void QtWindow::Invalidate()
{
    m_pClient->update();
}

void QtWindow::Present(const PixelView& image, int x, int y)
{
    m_pClient->Present(image, x, y);
}

void QtWindow::TrackPopupMenu(const Menu& menu, Point screen, WindowHandle target)
{
    int chosen = RunPopupMenu(m_pTop, menu, screen);
    if (chosen != 0)
    {
        System().PostMessage(target ? target : Handle(), kWmCommand, MakeWParam(chosen, 0), 0);
    }
}

void QtWindow::SetIcon(const PixelView& image)
{
    m_pTop->setWindowIcon(image.IsValid() ? QIcon(QPixmap::fromImage(ToImage(image))) : QIcon());
}

ToolBar* QtWindow::CreateToolBar()
{
    if (!m_ToolBar)
    {
        m_ToolBar = std::make_unique<QtToolBar>(m_pClient, [this](int command) { PostCommand(command); });
    }
    return m_ToolBar.get();
}

StatusBar* QtWindow::CreateStatusBar()
{
    if (!m_StatusBar)
    {
        m_StatusBar = std::make_unique<QtStatusBar>(m_pClient);
    }
    return m_StatusBar.get();
}

// ---- QtChildWindow ----

QtChildWindow::QtChildWindow(QtWindowSystem& system, const WindowCreateParams& params, QWidget* container)
    : QtWindowBase(system, params), m_nStyle(params.m_nStyle & ~kWsVisible)
{
    MakeControl(params);
    m_pWidget = MakeControlWidget(*this, container);
    if (m_pWidget)
    {
        m_pView = dynamic_cast<QtControlView*>(m_pWidget.data());
        Control()->SetView([this] {
            if (m_pView && m_pWidget)
            {
                m_pView->Sync();
            }
        });
        // The widget and its parts are ours: keys and focus changes in them reach this window.
        for (QWidget* part : m_pWidget->findChildren<QWidget*>())
        {
            Tag(part);
        }
    }
    else
    {
        m_strText = params.m_strTitle;
        m_pCanvas = new QtCanvas(*this, container);
        m_pWidget = m_pCanvas;
        // A picture is drawn on, not clicked: its dialog gets the mouse (the maps of the editors).
        if (params.m_strClass == kClassStatic && !(params.m_nStyle & kSsNotify))
        {
            m_pCanvas->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
    }
    Tag(m_pWidget);
    // A child window takes its own clicks, also those it does nothing with (a
    // disabled control's): they never reach its dialog as the dialog's own.
    // A static lets them through, as on the desktop.
    if (params.m_strClass != kClassStatic)
    {
        m_pWidget->setAttribute(Qt::WA_NoMousePropagation);
    }
    const Rect& r = params.m_WindowRect;
    m_pWidget->setGeometry(r.m_nLeft, r.m_nTop, std::max(r.m_nWidth, 0), std::max(r.m_nHeight, 0));
    m_pWidget->setEnabled(!(m_nStyle & kWsDisabled));
    m_pWidget->hide();
}

QtChildWindow::~QtChildWindow()
{
    delete m_pWidget.data();
}

void QtChildWindow::Show(bool show)
{
    if (m_pWidget)
    {
        m_pWidget->setVisible(show);
    }
}

bool QtChildWindow::IsVisible() const
{
    return m_pWidget && m_pWidget->isVisible();
}

std::string QtChildWindow::Text() const
{
    return Control() ? Control()->Text() : m_strText;
}

void QtChildWindow::SetText(std::string_view text)
{
    if (Control())
    {
        Control()->SetText(text);
    }
    else
    {
        m_strText = text;
    }
}

void QtChildWindow::SetStyle(uint32_t style)
{
    if (style & kWsVisible)
    {
        Show(true);
    }
    m_nStyle = style & ~kWsVisible;
    if (m_pWidget)
    {
        m_pWidget->setEnabled(!(m_nStyle & kWsDisabled));
    }
    if (Control())
    {
        Control()->Changed();
    }
}

Rect QtChildWindow::WindowRect() const
{
    if (!m_pWidget)
    {
        return {};
    }
    QRect r = m_pWidget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void QtChildWindow::SetWindowRect(const Rect& rect)
{
    if (!m_pWidget)
    {
        return;
    }
    Rect before = WindowRect();
    m_pWidget->setGeometry(rect.m_nLeft, rect.m_nTop, std::max(rect.m_nWidth, 0), std::max(rect.m_nHeight, 0));
    Rect now = WindowRect();
    if (before.m_nLeft != now.m_nLeft || before.m_nTop != now.m_nTop)
    {
        System().SendMessage(Handle(), kWmMove, 0, MakeLParam(now.m_nLeft, now.m_nTop));
    }
    if (before.m_nWidth != now.m_nWidth || before.m_nHeight != now.m_nHeight)
    {
        System().SendMessage(Handle(), kWmSize, 0, MakeLParam(now.m_nWidth, now.m_nHeight));
    }
}

Rect QtChildWindow::ClientRect() const
{
    return m_pWidget ? Rect{0, 0, m_pWidget->width(), m_pWidget->height()} : Rect{};
}

void QtChildWindow::Invalidate()
{
    if (m_pWidget)
    {
        m_pWidget->update();
    }
}

void QtChildWindow::Present(const PixelView& image, int x, int y)
{
    if (m_pCanvas)
    {
        m_pCanvas->Present(image, x, y);
    }
}

void QtChildWindow::FollowFocus()
{
    if (m_pWidget)
    {
        m_pWidget->setFocus(Qt::OtherFocusReason);
    }
}

void QtChildWindow::Retire()
{
    Qt().StopTimers(Handle());
    if (m_pWidget)
    {
        m_pWidget->hide();
    }
}

} // namespace platform
