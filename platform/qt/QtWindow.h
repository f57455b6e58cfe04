#pragma once

// Windows of the Qt backend. A top-level window is a widget holding an
// optional menu bar and the client area (a canvas); tool bar and status bar
// are children of the client area. A child window (a control) is a widget in
// its parent's client area: a canvas for a plain child, a line edit for an
// edit. Every widget that takes keys or focus is tagged with its window, so
// the system's key filter knows where a key went; such widgets accept every
// key they are given, so a key never travels on to their parent.

#include "platform/qt/QtBars.h"
#include "platform/qt/QtControls.h"
#include "platform/window/NativeWindow.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

class QMenuBar;

namespace platform
{
class QtCaptionBar;
class QtFrameEdge;
} // namespace platform

namespace platform
{

class QtWindowSystem;

// What every window of the Qt backend has.
class QtWindowBase : public NativeWindow
{
public:
    QtWindowBase(QtWindowSystem& system, const WindowCreateParams& params);

    QtWindowSystem& Qt() const { return m_Qt; }
    // Where the window's children are placed.
    virtual QWidget* Container() const = 0;
    // The window a widget was tagged with; null for widgets of no window of ours.
    static QtWindowBase* FromWidget(const QObject* widget);

    void SetTimer(uint32_t id, uint32_t milliseconds) override;
    void KillTimer(uint32_t id) override;

protected:
    void Tag(QWidget* widget);

private:
    QtWindowSystem& m_Qt;
};

// A widget that shows what its window presented and reports paints and the mouse.
class QtCanvas : public QWidget
{
public:
    QtCanvas(QtWindowBase& owner, QWidget* parent);

    void Present(const PixelView& image, int x, int y);
    const QImage& Picture() const { return m_Picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { Mouse(event, true, false); }
    void mouseReleaseEvent(QMouseEvent* event) override { Mouse(event, false, false); }
    void mouseMoveEvent(QMouseEvent* event) override { Mouse(event, false, true); }
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void Mouse(QMouseEvent* event, bool press, bool move);

    QtWindowBase& m_Owner;
    QImage m_Picture;
    // Canvases whose paint handler runs now.
    static inline int s_nPaintingCanvases = 0;
};

class QtWindow : public QtWindowBase, public NativeFrame
{
public:
    QtWindow(QtWindowSystem& system, const WindowCreateParams& params);
    ~QtWindow() override;

    void Show(bool show) override;
    bool IsVisible() const override;
    void SetMinimized(bool minimized) override;
    bool IsMinimized() const override;
    std::string Text() const override;
    void SetText(std::string_view text) override;
    uint32_t Style() const override { return m_nStyle; }
    void SetStyle(uint32_t style) override;
    Rect WindowRect() const override;
    void SetWindowRect(const Rect& rect) override;
    Rect ClientRect() const override;
    void Invalidate() override;
    void Present(const PixelView& image, int x, int y) override;
    NativeFrame* Frame() override { return this; }
    void FollowFocus() override;
    void FollowActivation() override;
    void FollowTrackSizes(const MinMaxInfo& info) override;
    void Retire() override;
    QWidget* Container() const override { return m_pClient; }

    bool HasMenuBar() const override { return m_pMenuBar != nullptr; }
    void SetMenuBar(const Menu* menu) override;
    void TrackPopupMenu(const Menu& menu, Point screen, WindowHandle target) override;
    ToolBar* CreateToolBar() override;
    StatusBar* CreateStatusBar() override;
    void SetIcon(const PixelView& image) override;

    QWidget* TopLevel() const { return m_pTop; }
    QWidget* ClientWidget() const { return m_pClient; }
    // The picture presented so far (client size).
    const QImage& Picture() const { return m_pClient->Picture(); }
    // The toolkit moved or sized the window: the layout follows, and kWmMove and kWmSize report it.
    void ReportGeometry();
    // The close box was clicked: the window is asked to close, unless it is disabled.
    void RequestClose();
    // A palette draws its caption and sizing frame itself (QtOwnFrame.h);
    // its top level is then the whole window.
    bool HasOwnFrame() const { return m_pCaption != nullptr; }
    // An owned palette: a tool window beside its owner, shown without taking the activation.
    bool IsToolWindow() const { return m_pTop && m_pTop->windowType() == Qt::Tool; }
    // Whether the window takes no focus from the desktop (QtWindowSystem::FollowFocusRefusals).
    bool RefusesFocus() const;
    void SetRefusesFocus(bool refuses);

private:
    void PlaceTopLevel(const Rect& client);
    void LayOutOwnFrame();
    void PostCommand(int command);
    // The narrowest client area under which the caption bar shows the whole
    // title beside the frame's icon and buttons, but no wider than leaves the
    // window within the screen's available width; 0 without a caption.
    int TitleWidth() const;

    uint32_t m_nStyle;
    QPointer<QWidget> m_pTop;
    QtCanvas* m_pClient = nullptr;
    QMenuBar* m_pMenuBar = nullptr;
    QtCaptionBar* m_pCaption = nullptr;
    std::vector<QtFrameEdge*> m_Edges; // top, bottom, left, right
    FrameInsets m_OwnFrame;            // the frame the window draws itself; none when the window manager draws it
    std::unique_ptr<QtToolBar> m_ToolBar;
    std::unique_ptr<QtStatusBar> m_StatusBar;
    Rect m_LastReported{-1, -1, -1, -1};
    Point m_Origin; // the client area's top-left corner on the screen
};

// A child window: a widget in its parent's client area. A control shows its
// model on a widget of its family (QtControls.h); a plain child and a picture
// are canvases.
class QtChildWindow : public QtWindowBase
{
public:
    QtChildWindow(QtWindowSystem& system, const WindowCreateParams& params, QWidget* container);
    ~QtChildWindow() override;

    void Show(bool show) override;
    bool IsVisible() const override;
    std::string Text() const override;
    void SetText(std::string_view text) override;
    uint32_t Style() const override { return m_nStyle; }
    void SetStyle(uint32_t style) override;
    Rect WindowRect() const override;
    void SetWindowRect(const Rect& rect) override;
    Rect ClientRect() const override;
    void Invalidate() override;
    void Present(const PixelView& image, int x, int y) override;
    bool IsComposing() const override { return m_bComposing; }
    void SetComposing(bool composing) { m_bComposing = composing; }
    void FollowFocus() override;
    void Retire() override;
    QWidget* Container() const override { return m_pWidget; }

    QWidget* Widget() const { return m_pWidget; }

private:
    uint32_t m_nStyle;
    std::string m_strText; // a plain child's text
    QPointer<QWidget> m_pWidget;
    QtCanvas* m_pCanvas = nullptr;       // a plain child or a picture
    QtControlView* m_pView = nullptr;    // a control
    bool m_bComposing = false;
};

} // namespace platform
