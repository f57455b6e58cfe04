#include "platform/qt/QtWindowSystem.h"

#include "platform/qt/QtKeys.h"
#include "platform/qt/QtWindow.h"
#include "platform/sanitizer/ThreadHandOver.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTimerEvent>
#include <optional>

namespace platform
{

// The Qt side of the system: the application-wide event filter, the wake-up
// event and the timers.
class QtWindowSystem::Bridge : public QObject
{
public:
    explicit Bridge(QtWindowSystem& system) : m_System(system) { qApp->installEventFilter(this); }
    ~Bridge() override { qApp->removeEventFilter(this); }

    static QEvent::Type WakeKind()
    {
        static const int kind = QEvent::registerEventType();
        return static_cast<QEvent::Type>(kind);
    }

    // A call posted from any thread to be run on the main thread.
    class CallEvent : public QEvent
    {
    public:
        explicit CallEvent(std::function<void()> call) : QEvent(Kind()), m_Call(std::move(call)) {}
        static QEvent::Type Kind()
        {
            static const int kind = QEvent::registerEventType();
            return static_cast<QEvent::Type>(kind);
        }
        std::function<void()> m_Call;
    };

    bool event(QEvent* event) override
    {
        AcquireOnReceipt(); // the event may have been posted on another thread
        if (event->type() == WakeKind())
        {
            m_System.OnWake();
            return true;
        }
        if (event->type() == CallEvent::Kind())
        {
            static_cast<CallEvent*>(event)->m_Call();
            return true;
        }
        if (event->type() == QEvent::Timer)
        {
            m_System.OnTimer(static_cast<QTimerEvent*>(event)->timerId());
            return true;
        }
        return QObject::event(event);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        AcquireOnReceipt(); // every event passes here first, those posted on other threads too
        switch (event->type())
        {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return InDisabledWindow(watched) || FilterKey(watched, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            if (QtWindowBase* window = Ours(watched); window && !InDisabledWindow(watched))
            {
                m_System.SetFocus(window->Handle());
            }
            return false;
        case QEvent::WindowActivate:
            if (QtWindowBase* window = Ours(watched); window && !window->IsChild())
            {
                m_System.OnNativeActivation(window->Handle());
            }
            return false;
        // A disabled window takes no input, but looks as it did: its widgets
        // stay enabled, and what the author does to them ends here. A click
        // on it brings its dialog to the front again.
        case QEvent::MouseButtonPress:
            if (QtWindowBase* window = DisabledWindowOf(watched))
            {
                m_System.RaiseDialogOf(window->Handle());
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
            return InDisabledWindow(watched);
        case QEvent::ShortcutOverride:
            if (InDisabledWindow(watched))
            {
                return true;
            }
            NotePopupKey(watched, static_cast<QKeyEvent*>(event));
            return false;
        default:
            return false;
        }
    }

private:
    // The disabled top-level window of ours that the widget lies in; null when none.
    QtWindowBase* DisabledWindowOf(QObject* watched) const
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        QtWindowBase* window = widget ? Ours(widget->window()) : nullptr;
        return window && !window->IsChild() && !window->IsEnabled() ? window : nullptr;
    }
    bool InDisabledWindow(QObject* watched) const { return DisabledWindowOf(watched) != nullptr; }

    // A live window of this system that the widget belongs to.
    QtWindowBase* Ours(QObject* watched) const
    {
        QtWindowBase* window = QtWindowBase::FromWidget(watched);
        return window && !window->IsDestroyed() && m_System.Resolve(window->Handle()) == window ? window : nullptr;
    }

    // A key pressed while a pop-up is open (a combo box's list, a menu) is the
    // pop-up's. Qt's pop-ups act on some keys (Return and Esc in a combo
    // box's list) as soon as the key's shortcut override reaches them, and
    // close: the key's press that follows is theirs all the same.
    void NotePopupKey(QObject* watched, const QKeyEvent* event)
    {
        if (watched->isWidgetType() && QApplication::activePopupWidget())
        {
            m_PopupKey = {event->key(), event->timestamp()};
        }
    }
    // Whether the key press belongs to a pop-up: one that is open, or one that closed on its override.
    bool IsPopupKeyPress(QObject* watched, const QKeyEvent* event)
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        {
            return false;
        }
        bool closedOnIt = m_PopupKey && m_PopupKey->m_nKey == event->key() && m_PopupKey->m_nTime == event->timestamp();
        m_PopupKey.reset();
        return closedOnIt || QApplication::activePopupWidget();
    }

    // Every key reaches the core before the widget; a key the core consumed
    // never reaches the widget. A pop-up's key press is left to Qt while the
    // pop-up is open, and goes nowhere once it has closed it.
    bool FilterKey(QObject* watched, QKeyEvent* event)
    {
        if (IsPopupKeyPress(watched, event))
        {
            return !QApplication::activePopupWidget();
        }
        QtWindowBase* window = Ours(watched);
        uint32_t key = window ? VirtualKeyOf(event) : 0;
        if (key == 0)
        {
            return false;
        }
        uint32_t message = event->type() == QEvent::KeyPress ? kWmKeyDown : kWmKeyUp;
        return m_System.RouteKey(window->Handle(), message, key, KeyFlagsOf(event));
    }

    QtWindowSystem& m_System;
    struct PopupKey
    {
        int m_nKey;
        quint64 m_nTime;
    };
    // The key whose shortcut override reached an open pop-up, until the next key press.
    std::optional<PopupKey> m_PopupKey;
};

QtWindowSystem::QtWindowSystem() : m_pBridge(std::make_unique<Bridge>(*this))
{
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, m_pBridge.get(),
                     [this](Qt::ApplicationState state) { SetAppActive(state == Qt::ApplicationActive); });
    m_PreviousBeep = SetBeepSound([](uint32_t) { QApplication::beep(); });
}

QtWindowSystem::~QtWindowSystem()
{
    SetBeepSound(std::move(m_PreviousBeep));
    Shutdown();
    for (const auto& [qtId, target] : m_Timers)
    {
        m_pBridge->killTimer(qtId);
    }
}

std::unique_ptr<NativeWindow> QtWindowSystem::MakeWindow(const WindowCreateParams& params)
{
    if (params.m_nStyle & kWsChild)
    {
        auto* parent = dynamic_cast<QtWindowBase*>(Resolve(params.m_hParent));
        if (!parent || !parent->Container())
        {
            return nullptr;
        }
        return std::make_unique<QtChildWindow>(*this, params, parent->Container());
    }
    return std::make_unique<QtWindow>(*this, params);
}

void QtWindowSystem::OnNativeActivation(WindowHandle window)
{
    // The desktop activated a disabled window (a click on it, or the window
    // manager's choice when another one closed or appeared): as with the
    // system's own windows, the enabled window it owns, the modal dialog that
    // keeps it disabled, comes to the front in its place. Qt's own modal boxes
    // keep their windows in front themselves.
    NativeWindow* native = Resolve(window);
    if (native && !native->IsEnabled() && !QApplication::activeModalWidget())
    {
        if (NativeWindow* popup = Resolve(EnabledPopupOf(window)))
        {
            SetActiveWindow(popup->Handle());
            return;
        }
    }
    WindowHandle outer = m_hReporting;
    m_hReporting = window;
    SetActiveWindow(window);
    m_hReporting = outer;
}

void QtWindowSystem::RaiseDialogOf(WindowHandle window)
{
    // The window manager raised the clicked window, maybe over the dialogs:
    // they come back above it, each above the one that owns it, up to the
    // dialog that keeps it disabled. The activation stays with that dialog.
    NativeWindow* clicked = Resolve(window);
    std::vector<QtWindow*> dialogs;
    for (NativeWindow* up = Resolve(EnabledPopupOf(window)); up && !IsOwnedBy(clicked, up); up = Resolve(up->Parent()))
    {
        if (auto* dialog = dynamic_cast<QtWindow*>(up); dialog && dialog->IsVisible())
        {
            dialogs.push_back(dialog);
        }
    }
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
    {
        (*it)->TopLevel()->raise();
    }
}

void QtWindowSystem::FollowFocusRefusals(WindowHandle going)
{
    for (NativeWindow* native : Windows())
    {
        if (auto* window = dynamic_cast<QtWindow*>(native); window && window->Handle() != going)
        {
            window->SetRefusesFocus(!window->IsEnabled() && EnabledPopupOf(window->Handle(), going));
        }
    }
}

WindowHandle QtWindowSystem::EnabledPopupOf(WindowHandle window, WindowHandle going) const
{
    // A palette is beside its window, not the window in front of it.
    return WindowSystem::EnabledPopupOf(window,
                                        [going](const NativeWindow& candidate)
                                        {
                                            auto* top = dynamic_cast<const QtWindow*>(&candidate);
                                            return candidate.Handle() == going || (top && top->IsToolWindow());
                                        });
}

bool QtWindowSystem::IsOwnedBy(const NativeWindow* window, const NativeWindow* owner) const
{
    for (const NativeWindow* up = window; up; up = Resolve(up->Parent()))
    {
        if (up == owner)
        {
            return true;
        }
    }
    return false;
}

void QtWindowSystem::OnWake()
{
    // The one pending wake-up is taken before the queue is read: a later post wakes again.
    WakeConsumed();
    DrainPosted();
}

void QtWindowSystem::WakeNative()
{
    auto* wake = new QEvent(Bridge::WakeKind());
    ReleaseBeforePost();
    QCoreApplication::postEvent(m_pBridge.get(), wake);
}

void QtWindowSystem::CallOnMainThread(std::function<void()> call)
{
    auto* event = new Bridge::CallEvent(std::move(call));
    ReleaseBeforePost();
    QCoreApplication::postEvent(m_pBridge.get(), event);
}

void QtWindowSystem::PollNativeEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtWindowSystem::WaitForNativeEvents()
{
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(m_pBridge->thread()))
    {
        dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void QtWindowSystem::StartTimer(WindowHandle window, uint32_t id, uint32_t milliseconds)
{
    StopTimer(window, id);
    int qtId = m_pBridge->startTimer(static_cast<int>(std::max<uint32_t>(milliseconds, 1)));
    if (qtId != 0)
    {
        m_Timers[qtId] = {window, id};
    }
}

void QtWindowSystem::StopTimer(WindowHandle window, uint32_t id)
{
    for (auto it = m_Timers.begin(); it != m_Timers.end(); ++it)
    {
        if (it->second.first == window && it->second.second == id)
        {
            m_pBridge->killTimer(it->first);
            m_Timers.erase(it);
            return;
        }
    }
}

void QtWindowSystem::StopTimers(WindowHandle window)
{
    for (auto it = m_Timers.begin(); it != m_Timers.end();)
    {
        if (it->second.first == window)
        {
            m_pBridge->killTimer(it->first);
            it = m_Timers.erase(it);
        }
        else
        {
            ++it;
        }
    }
}

void QtWindowSystem::OnTimer(int qtId)
{
    auto it = m_Timers.find(qtId);
    if (it != m_Timers.end())
    {
        auto [window, id] = it->second;
        DeliverInput(window, kWmTimer, id, 0);
    }
}

void QtWindowSystem::NoteMouse(Point screen, bool left, bool right)
{
    m_bMouseKnown = true;
    m_Cursor = screen;
    m_bButtons[0] = left;
    m_bButtons[1] = right;
}

bool QtWindowSystem::GetCursorPos(Point& screen)
{
    if (m_bMouseKnown)
    {
        screen = m_Cursor;
        return true;
    }
    QPoint p = QCursor::pos();
    screen = {p.x(), p.y()};
    return true;
}

bool QtWindowSystem::IsMouseButtonDown(int button)
{
    if (button < 0 || button > 1)
    {
        return false;
    }
    Qt::MouseButtons held = QGuiApplication::mouseButtons();
    return m_bButtons[button] || (held & (button == 0 ? Qt::LeftButton : Qt::RightButton));
}

FrameMetrics QtWindowSystem::NativeMetrics() const
{
    QStyle* style = QApplication::style();
    FrameMetrics m;
    m.m_nCaptionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
    m.m_nSizeFrameWidth = m.m_nSizeFrameHeight = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    m.m_nDialogFrameWidth = m.m_nDialogFrameHeight = style->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
    // The height of a bar with an item: an empty bar wants none.
    static const int menuHeight = []
    {
        QMenuBar bar;
        bar.addMenu(QStringLiteral("M"));
        return bar.sizeHint().height();
    }();
    m.m_nMenuBarHeight = menuHeight;
    m.m_nHScrollHeight = m.m_nVScrollWidth = style->pixelMetric(QStyle::PM_ScrollBarExtent);
    return m;
}

Rect QtWindowSystem::NativeDesktopRect() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
    {
        return {0, 0, 1024, 768};
    }
    QRect r = screen->availableGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace platform
