#include "platform/qt/QtWindowSystem.h"

#include "platform/core/Cp932.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QAbstractButton>
#include <QComboBox>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimerEvent>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <mutex>

namespace platform
{

namespace
{

std::mutex g_RegistryMutex;

QString FromCp932(std::string_view text)
{
    return QString::fromStdString(ToUtf8(text));
}

std::string ToCp932(const QString& text)
{
    return FromUtf8(text.toStdString());
}

// A message travelling through Qt's queue.
class PostedMessage : public QEvent
{
public:
    static QEvent::Type Kind()
    {
        static const int kind = QEvent::registerEventType();
        return static_cast<QEvent::Type>(kind);
    }
    PostedMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
        : QEvent(Kind()), m_hWindow(window), m_nMessage(message), m_wParam(wParam), m_lParam(lParam)
    {
    }
    WindowHandle m_hWindow;
    uint32_t m_nMessage;
    uintptr_t m_wParam;
    intptr_t m_lParam;
};

uint32_t KeyCode(const QKeyEvent* event)
{
    int key = event->key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
    {
        return static_cast<uint32_t>(key);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
    {
        return kVkF1 + static_cast<uint32_t>(key - Qt::Key_F1);
    }
    switch (key)
    {
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Space: return kVkSpace;
    case Qt::Key_Backspace: return kVkBack;
    case Qt::Key_Tab: return kVkTab;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_PageUp: return kVkPrior;
    case Qt::Key_PageDown: return kVkNext;
    case Qt::Key_Home: return kVkHome;
    case Qt::Key_End: return kVkEnd;
    case Qt::Key_Insert: return kVkInsert;
    case Qt::Key_Delete: return kVkDelete;
    case Qt::Key_Shift: return kVkShift;
    case Qt::Key_Control: return kVkControl;
    default: return 0;
    }
}

intptr_t KeyModifiers(const QKeyEvent* event)
{
    intptr_t bits = 0;
    if (event->modifiers() & Qt::ShiftModifier)
    {
        bits |= kKeyShift;
    }
    if (event->modifiers() & Qt::ControlModifier)
    {
        bits |= kKeyControl;
    }
    if (event->modifiers() & Qt::AltModifier)
    {
        bits |= kKeyAlt;
    }
    return bits;
}

QIcon StandardIcon(int image)
{
    static const QStyle::StandardPixmap kMap[kStdImageCount] = {
        QStyle::SP_DialogDiscardButton, QStyle::SP_FileDialogContentsView, QStyle::SP_DialogApplyButton,
        QStyle::SP_ArrowBack,           QStyle::SP_ArrowForward,           QStyle::SP_TrashIcon,
        QStyle::SP_FileIcon,            QStyle::SP_DialogOpenButton,       QStyle::SP_DialogSaveButton,
        QStyle::SP_FileDialogInfoView,  QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogHelpButton,
        QStyle::SP_FileDialogListView,  QStyle::SP_BrowserReload,          QStyle::SP_ComputerIcon,
    };
    return QApplication::style()->standardIcon(kMap[std::clamp(image, 0, kStdImageCount - 1)]);
}

QImage ToImage(const PixelView& view)
{
    QImage image(view.m_nWidth, view.m_nHeight, QImage::Format_RGB32);
    for (int y = 0; y < view.m_nHeight; ++y)
    {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < view.m_nWidth; ++x)
        {
            line[x] = 0xFF000000u | view.Rgb(x, y);
        }
    }
    return image;
}

void FillMenu(QMenu* target, const std::vector<MenuItem>& items, const std::function<void(int)>& chosen)
{
    for (const MenuItem& item : items)
    {
        if (item.m_bSeparator)
        {
            target->addSeparator();
            continue;
        }
        if (!item.m_SubItems.empty())
        {
            FillMenu(target->addMenu(FromCp932(item.m_strText)), item.m_SubItems, chosen);
            continue;
        }
        QAction* action = target->addAction(FromCp932(item.m_strText));
        action->setCheckable(item.m_bChecked);
        action->setChecked(item.m_bChecked);
        action->setEnabled(!item.m_bGrayed);
        int command = item.m_nCommand;
        QObject::connect(action, &QAction::triggered, [chosen, command] { chosen(command); });
    }
}

} // namespace

// ---- widgets ----

class QtTopLevel : public QWidget
{
public:
    explicit QtTopLevel(QtWindow& owner) : m_Owner(owner) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        m_Owner.m_System.Dispatch(&m_Owner, kWmClose, 0, 0);
    }
    void resizeEvent(QResizeEvent*) override { m_Owner.ReportGeometry(); }
    void moveEvent(QMoveEvent*) override { m_Owner.ReportGeometry(); }
    void keyPressEvent(QKeyEvent* event) override { Key(event, kWmKeyDown); }
    void keyReleaseEvent(QKeyEvent* event) override { Key(event, kWmKeyUp); }

private:
    void Key(QKeyEvent* event, uint32_t message)
    {
        uint32_t code = KeyCode(event);
        if (code != 0)
        {
            m_Owner.m_System.DeliverPosted(&m_Owner, message, code, KeyModifiers(event));
        }
    }
    QtWindow& m_Owner;
};

class QtClientArea : public QWidget
{
public:
    QtClientArea(QtWindow& owner, QWidget* parent) : QWidget(parent), m_Owner(owner)
    {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        m_Owner.m_bPainting = true;
        m_Owner.m_System.Dispatch(&m_Owner, kWmPaint, 0, 0);
        m_Owner.m_bPainting = false;
        if (m_Owner.m_bDestroyed)
        {
            return;
        }
        QPainter painter(this);
        m_Owner.PaintClient(painter);
    }
    void mousePressEvent(QMouseEvent* event) override { Mouse(event, true); }
    void mouseReleaseEvent(QMouseEvent* event) override { Mouse(event, false); }
    void mouseMoveEvent(QMouseEvent* event) override { Mouse(event, false, true); }
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }

private:
    void Mouse(QMouseEvent* event, bool press, bool move = false)
    {
        QPoint local = event->position().toPoint();
        Point screen = m_Owner.ClientToScreen({local.x(), local.y()});
        bool left = event->buttons() & Qt::LeftButton;
        bool right = event->buttons() & Qt::RightButton;
        m_Owner.m_System.NoteMouse(screen, left, right);
        uintptr_t keys = (left ? kMkLButton : 0u) | (right ? kMkRButton : 0u);
        intptr_t where = MakeLParam(local.x(), local.y());
        uint32_t message = kWmMouseMove;
        if (!move)
        {
            bool isLeft = event->button() == Qt::LeftButton;
            if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
            {
                return;
            }
            message = press ? (isLeft ? kWmLButtonDown : kWmRButtonDown) : (isLeft ? kWmLButtonUp : kWmRButtonUp);
        }
        m_Owner.m_System.DeliverPosted(&m_Owner, message, keys, where);
    }
    QtWindow& m_Owner;
};

class QtToolBar : public ToolBar
{
public:
    QtToolBar(QtWindow& owner, QWidget* parent) : m_Owner(owner), m_pBar(new QToolBar(parent))
    {
        m_pBar->setIconSize(QSize(16, 15));
        m_pBar->setMovable(false);
        m_pBar->setGeometry(0, 0, parent->width(), 28);
        m_pBar->show();
    }
    int AddStandardImages() override
    {
        int first = static_cast<int>(m_Images.size());
        for (int i = 0; i < kStdImageCount; ++i)
        {
            m_Images.push_back(StandardIcon(i));
        }
        return first;
    }
    int AddImages(const PixelView& strip, int count) override
    {
        int first = static_cast<int>(m_Images.size());
        QImage all = ToImage(strip);
        for (int i = 0; i < count; ++i)
        {
            m_Images.push_back(QIcon(QPixmap::fromImage(all.copy(i * 16, 0, 16, 15))));
        }
        return first;
    }
    void AddButton(const ToolButton& button) override
    {
        if (button.m_nStyle & ToolButton::kStyleSeparator)
        {
            m_Actions.push_back(m_pBar->addSeparator());
            return;
        }
        QAction* action = m_pBar->addAction(button.m_nImage >= 0 && button.m_nImage < static_cast<int>(m_Images.size())
                                                ? m_Images[button.m_nImage]
                                                : QIcon(),
                                            QString());
        action->setCheckable(button.m_nStyle & ToolButton::kStyleCheck);
        action->setChecked(button.m_nState & ToolButton::kStateChecked);
        action->setEnabled(button.m_nState & ToolButton::kStateEnabled);
        int command = button.m_nCommand;
        QtWindow* owner = &m_Owner;
        QObject::connect(action, &QAction::triggered, [owner, command] {
            owner->System().PostMessage(owner, kWmCommand, MakeWParam(command, 0), 0);
        });
        m_Actions.push_back(action);
    }
    int ButtonCount() const override { return static_cast<int>(m_Actions.size()); }
    Rect ButtonRect(int index) const override
    {
        QAction* action = At(index);
        QWidget* widget = action ? m_pBar->widgetForAction(action) : nullptr;
        if (!widget)
        {
            return {};
        }
        QRect r = widget->geometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    void SetTip(int index, std::string_view text) override
    {
        if (QAction* action = At(index))
        {
            action->setToolTip(FromCp932(text));
        }
    }
    std::string Tip(int index) const override
    {
        QAction* action = At(index);
        return action ? ToCp932(action->toolTip()) : std::string();
    }
    void OnOwnerSize(int width, int) override { m_pBar->setGeometry(0, 0, width, m_pBar->height()); }

private:
    QAction* At(int index) const
    {
        if (index < 0)
        {
            index = ButtonCount() - 1;
        }
        return index >= 0 && index < ButtonCount() ? m_Actions[index] : nullptr;
    }
    QtWindow& m_Owner;
    QToolBar* m_pBar;
    std::vector<QIcon> m_Images;
    std::vector<QAction*> m_Actions;
};

class QtStatusBar : public StatusBar
{
public:
    explicit QtStatusBar(QWidget* parent) : m_pBar(new QStatusBar(parent))
    {
        m_pBar->setSizeGripEnabled(false);
        m_pBar->show();
    }
    void Move(const Rect& rect) override { m_pBar->setGeometry(rect.m_nLeft, rect.m_nTop, rect.m_nWidth, rect.m_nHeight); }
    Rect Placement() const override
    {
        QRect r = m_pBar->geometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    void SetText(std::string_view text) override { m_pBar->showMessage(FromCp932(text)); }

private:
    QStatusBar* m_pBar;
};

// ---- QtWindow ----

QtWindow::QtWindow(QtWindowSystem& system, const WindowCreateParams& params)
    : m_System(system), m_hParent(params.m_hParent), m_pProcedure(params.m_pProcedure),
      m_nStyle(params.m_nStyle & ~kWsVisible)
{
    auto* top = new QtTopLevel(*this);
    m_pTop.reset(top);
    top->setWindowTitle(FromCp932(params.m_strTitle));
    if (params.m_hParent)
    {
        if (auto* parent = dynamic_cast<QtWindow*>(params.m_hParent))
        {
            top->setParent(parent->TopLevel(), Qt::Window);
        }
    }
    m_pClient = new QtClientArea(*this, top);
    if (params.m_pMenuBar)
    {
        SetMenuBar(params.m_pMenuBar);
    }
    FrameInsets insets = Insets();
    Rect client{params.m_WindowRect.m_nLeft + insets.m_nLeft, params.m_WindowRect.m_nTop + insets.m_nTop,
                std::max(params.m_WindowRect.m_nWidth - insets.m_nLeft - insets.m_nRight, 0),
                std::max(params.m_WindowRect.m_nHeight - insets.m_nTop - insets.m_nBottom, 0)};
    PlaceTopLevel(client);
}

QtWindow::~QtWindow()
{
    m_ToolBar.reset();
    m_StatusBar.reset();
    m_pTop.reset();
}

WindowSystem& QtWindow::System()
{
    return m_System;
}

QWidget* QtWindow::ClientWidget() const
{
    return m_pClient;
}

void QtWindow::PlaceTopLevel(const Rect& client)
{
    int menuHeight = m_pMenuBar ? m_System.Metrics().m_nMenuBarHeight : 0;
    m_Origin = {client.m_nLeft, client.m_nTop};
    if (m_pMenuBar)
    {
        m_pMenuBar->setGeometry(0, 0, client.m_nWidth, menuHeight);
    }
    m_pClient->setGeometry(0, menuHeight, client.m_nWidth, client.m_nHeight);
    m_pTop->setGeometry(client.m_nLeft, client.m_nTop - menuHeight, client.m_nWidth, client.m_nHeight + menuHeight);
}

void QtWindow::Show(bool show)
{
    m_pTop->setVisible(show);
}

bool QtWindow::IsVisible() const
{
    return m_pTop->isVisible();
}

void QtWindow::Enable(bool enable)
{
    SetStyle(enable ? (m_nStyle & ~kWsDisabled) : (m_nStyle | kWsDisabled));
}

void QtWindow::SetTitle(std::string_view text)
{
    m_pTop->setWindowTitle(FromCp932(text));
}

void QtWindow::SetStyle(uint32_t style)
{
    Rect outer = WindowRect();
    if (style & kWsVisible)
    {
        Show(true);
    }
    m_nStyle = style & ~kWsVisible;
    m_pTop->setEnabled(!(m_nStyle & kWsDisabled));
    SetWindowRect(outer);
}

void QtWindow::SetMenuBar(const Menu* menu)
{
    Rect outer = m_pMenuBar || menu ? WindowRect() : Rect{};
    delete m_pMenuBar;
    m_pMenuBar = nullptr;
    if (menu)
    {
        m_pMenuBar = new QMenuBar(m_pTop.get());
        QtWindow* self = this;
        for (const MenuItem& item : menu->m_Items)
        {
            QMenu* sub = m_pMenuBar->addMenu(FromCp932(item.m_strText));
            FillMenu(sub, item.m_SubItems,
                     [self](int command) { self->System().PostMessage(self, kWmCommand, MakeWParam(command, 0), 0); });
        }
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
    if (m_bDestroyed)
    {
        return;
    }
    // The window manager may have moved or sized the top level: follow it.
    int menuHeight = m_pMenuBar ? m_System.Metrics().m_nMenuBarHeight : 0;
    QRect top = m_pTop->geometry();
    m_Origin = {top.x(), top.y() + menuHeight};
    if (m_pClient->width() != top.width() || m_pClient->height() != top.height() - menuHeight)
    {
        m_pClient->setGeometry(0, menuHeight, top.width(), std::max(top.height() - menuHeight, 0));
        if (m_pMenuBar)
        {
            m_pMenuBar->setGeometry(0, 0, top.width(), menuHeight);
        }
    }
    Rect now{m_Origin.m_nX, m_Origin.m_nY, m_pClient->width(), m_pClient->height()};
    Rect before = m_LastReported;
    m_LastReported = now;
    if (before.m_nLeft != now.m_nLeft || before.m_nTop != now.m_nTop)
    {
        m_System.Dispatch(this, kWmMove, 0, MakeLParam(now.m_nLeft, now.m_nTop));
    }
    if (before.m_nWidth != now.m_nWidth || before.m_nHeight != now.m_nHeight)
    {
        m_System.Dispatch(this, kWmSize, 0, MakeLParam(now.m_nWidth, now.m_nHeight));
    }
}

void QtWindow::Activate()
{
    m_pTop->activateWindow();
    m_pTop->raise();
}

void QtWindow::Invalidate()
{
    m_pClient->update();
}

void QtWindow::Present(const PixelView& image, int x, int y)
{
    if (m_Picture.size() != m_pClient->size())
    {
        QImage resized(m_pClient->size(), QImage::Format_RGB32);
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
    if (!m_bPainting)
    {
        m_pClient->repaint();
    }
}

void QtWindow::PaintClient(QPainter& painter)
{
    painter.fillRect(m_pClient->rect(), QColor(192, 192, 192));
    if (!m_Picture.isNull())
    {
        painter.drawImage(0, 0, m_Picture);
    }
}

void QtWindow::SetTimer(uint32_t id, uint32_t milliseconds)
{
    KillTimer(id);
    m_Timers[id] = m_System.StartTimer(milliseconds);
}

void QtWindow::KillTimer(uint32_t id)
{
    auto it = m_Timers.find(id);
    if (it != m_Timers.end())
    {
        m_System.StopTimer(it->second);
        m_Timers.erase(it);
    }
}

void QtWindow::TrackPopupMenu(const Menu& menu, Point screen)
{
    QMenu popup(m_pTop.get());
    int chosen = 0;
    FillMenu(&popup, menu.m_Items, [&chosen](int command) { chosen = command; });
    popup.exec(QPoint(screen.m_nX, screen.m_nY));
    if (chosen != 0)
    {
        m_System.PostMessage(this, kWmCommand, MakeWParam(chosen, 0), 0);
    }
}

ToolBar* QtWindow::CreateToolBar()
{
    if (!m_ToolBar)
    {
        m_ToolBar = std::make_unique<QtToolBar>(*this, m_pClient);
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

QWidget* QtWindow::FindItem(int id) const
{
    for (QWidget* child : m_pTop->findChildren<QWidget*>())
    {
        QVariant value = child->property("tkItemId");
        if (value.isValid() && value.toInt() == id)
        {
            return child;
        }
    }
    return nullptr;
}

std::string QtWindow::ItemText(int id) const
{
    QWidget* item = FindItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(item))
    {
        return ToCp932(edit->text());
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(item))
    {
        return ToCp932(text->toPlainText());
    }
    if (auto* label = qobject_cast<QLabel*>(item))
    {
        return ToCp932(label->text());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(item))
    {
        return ToCp932(button->text());
    }
    if (auto* combo = qobject_cast<QComboBox*>(item))
    {
        return ToCp932(combo->currentText());
    }
    auto it = m_ItemTexts.find(id);
    return it == m_ItemTexts.end() ? std::string() : it->second;
}

void QtWindow::SetItemText(int id, std::string_view text)
{
    QWidget* item = FindItem(id);
    QString value = FromCp932(text);
    if (auto* edit = qobject_cast<QLineEdit*>(item))
    {
        edit->setText(value);
    }
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(item))
    {
        plain->setPlainText(value);
    }
    else if (auto* label = qobject_cast<QLabel*>(item))
    {
        label->setText(value);
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(item))
    {
        button->setText(value);
    }
    else if (auto* combo = qobject_cast<QComboBox*>(item))
    {
        combo->setEditText(value);
    }
    else
    {
        m_ItemTexts[id] = text;
    }
}

void QtWindow::Destroy()
{
    m_System.Forget(this);
}

// ---- QtWindowSystem ----

class QtWindowSystem::Poster : public QObject
{
public:
    explicit Poster(QtWindowSystem& system) : m_System(system) {}
    bool event(QEvent* event) override
    {
        if (event->type() == PostedMessage::Kind())
        {
            auto* posted = static_cast<PostedMessage*>(event);
            m_System.DeliverPosted(posted->m_hWindow, posted->m_nMessage, posted->m_wParam, posted->m_lParam);
            return true;
        }
        if (event->type() == QEvent::Timer)
        {
            m_System.OnTimer(static_cast<QTimerEvent*>(event)->timerId());
            return true;
        }
        return QObject::event(event);
    }

private:
    QtWindowSystem& m_System;
};

QtWindowSystem::QtWindowSystem() : m_pPoster(std::make_unique<Poster>(*this)), m_GuiThread(std::this_thread::get_id())
{
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, m_pPoster.get(), [this](Qt::ApplicationState state) {
        uintptr_t active = state == Qt::ApplicationActive ? 1 : 0;
        std::vector<QtWindow*> windows;
        {
            std::lock_guard lock(g_RegistryMutex);
            for (auto& w : m_Windows)
            {
                windows.push_back(w.get());
            }
        }
        for (QtWindow* window : windows)
        {
            Dispatch(window, kWmActivateApp, active, 0);
        }
    });
}

QtWindowSystem::~QtWindowSystem()
{
    FreeDestroyed();
    std::vector<std::unique_ptr<QtWindow>> open;
    {
        std::lock_guard lock(g_RegistryMutex);
        open.swap(m_Windows);
    }
    // A child's widget belongs to its parent's: the children, made later, go first.
    for (auto it = open.rbegin(); it != open.rend(); ++it)
    {
        it->reset();
    }
}

void QtWindowSystem::FreeDestroyed()
{
    // Only outside every dispatch: a destroyed window's widgets may still be inside their own event handlers.
    if (m_nDepth != 0)
    {
        return;
    }
    std::vector<std::unique_ptr<QtWindow>> gone;
    {
        std::lock_guard lock(g_RegistryMutex);
        gone.swap(m_Destroyed);
    }
    // Children were forgotten before their parents.
    for (auto& window : gone)
    {
        window.reset();
    }
}

WindowHandle QtWindowSystem::CreateWindow(const WindowCreateParams& params)
{
    auto window = std::make_unique<QtWindow>(*this, params);
    QtWindow* raw = window.get();
    {
        std::lock_guard lock(g_RegistryMutex);
        m_Windows.push_back(std::move(window));
    }
    if (Dispatch(raw, kWmCreate, 0, params.m_nCreateParam) == -1)
    {
        Forget(raw);
        return nullptr;
    }
    raw->ReportGeometry();
    if (params.m_nStyle & kWsVisible)
    {
        raw->Show(true);
    }
    return raw;
}

bool QtWindowSystem::IsWindow(WindowHandle window) const
{
    std::lock_guard lock(g_RegistryMutex);
    return window && std::any_of(m_Windows.begin(), m_Windows.end(), [&](const auto& w) { return w.get() == window; });
}

QtWindow* QtWindowSystem::FromWidget(const QWidget* widget) const
{
    std::lock_guard lock(g_RegistryMutex);
    for (const auto& w : m_Windows)
    {
        if (widget && w->TopLevel() == widget)
        {
            return w.get();
        }
    }
    return nullptr;
}

intptr_t QtWindowSystem::Dispatch(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!IsWindow(window))
    {
        return 0;
    }
    ++m_nDepth;
    WindowProcedure procedure = window->Procedure();
    intptr_t result =
        procedure ? procedure(window, message, wParam, lParam) : DefaultProcedure(window, message, wParam, lParam);
    --m_nDepth;
    return result;
}

void QtWindowSystem::DeliverPosted(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!Filtered(window, message, wParam, lParam))
    {
        Dispatch(window, message, wParam, lParam);
    }
}

bool QtWindowSystem::PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!IsWindow(window))
    {
        return false;
    }
    QCoreApplication::postEvent(m_pPoster.get(), new PostedMessage(window, message, wParam, lParam));
    return true;
}

intptr_t QtWindowSystem::SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (std::this_thread::get_id() == m_GuiThread)
    {
        return Dispatch(window, message, wParam, lParam);
    }
    intptr_t result = 0;
    QMetaObject::invokeMethod(
        m_pPoster.get(), [&] { result = Dispatch(window, message, wParam, lParam); }, Qt::BlockingQueuedConnection);
    return result;
}

void QtWindowSystem::PostQuit(int code)
{
    m_bQuit = true;
    m_nQuitCode = code;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(m_pPoster->thread()))
    {
        dispatcher->wakeUp();
    }
}

int QtWindowSystem::RunMessageLoop(const std::function<bool()>& idle)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    while (!m_bQuit)
    {
        QCoreApplication::sendPostedEvents();
        bool handled = dispatcher->processEvents(QEventLoop::AllEvents);
        FreeDestroyed();
        if (m_bQuit)
        {
            break;
        }
        if (handled)
        {
            continue;
        }
        if (idle && idle())
        {
            continue;
        }
        dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    m_bQuit = false;
    return m_nQuitCode;
}

void QtWindowSystem::PumpMessages()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
    FreeDestroyed();
}

int QtWindowSystem::StartTimer(uint32_t milliseconds)
{
    return m_pPoster->startTimer(static_cast<int>(std::max<uint32_t>(milliseconds, 1)));
}

void QtWindowSystem::StopTimer(int qtId)
{
    m_pPoster->killTimer(qtId);
}

void QtWindowSystem::OnTimer(int qtId)
{
    std::vector<std::pair<QtWindow*, uint32_t>> due;
    {
        std::lock_guard lock(g_RegistryMutex);
        for (auto& w : m_Windows)
        {
            for (const auto& [id, timer] : w->m_Timers)
            {
                if (timer == qtId)
                {
                    due.emplace_back(w.get(), id);
                }
            }
        }
    }
    for (auto& [window, id] : due)
    {
        DeliverPosted(window, kWmTimer, id, 0);
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

WindowHandle QtWindowSystem::ActiveWindow()
{
    return FromWidget(QApplication::activeWindow());
}

void QtWindowSystem::Forget(QtWindow* window)
{
    if (!IsWindow(window) || window->m_bDestroyed)
    {
        return;
    }
    ++m_nDepth;
    Dispatch(window, kWmDestroy, 0, 0);
    std::vector<QtWindow*> children;
    {
        std::lock_guard lock(g_RegistryMutex);
        for (auto& w : m_Windows)
        {
            if (w->Parent() == window)
            {
                children.push_back(w.get());
            }
        }
    }
    for (QtWindow* child : children)
    {
        Forget(child);
    }
    // Out of the registry before it is hidden: nothing the hiding sets off may reach it.
    {
        std::lock_guard lock(g_RegistryMutex);
        auto it = std::find_if(m_Windows.begin(), m_Windows.end(), [&](const auto& w) { return w.get() == window; });
        if (it != m_Windows.end())
        {
            m_Destroyed.push_back(std::move(*it));
            m_Windows.erase(it);
        }
    }
    for (const auto& [id, timer] : window->m_Timers)
    {
        StopTimer(timer);
    }
    window->m_Timers.clear();
    window->m_bDestroyed = true;
    window->TopLevel()->hide();
    --m_nDepth;
    FreeDestroyed();
}

FrameMetrics QtWindowSystem::NativeMetrics() const
{
    QStyle* style = QApplication::style();
    FrameMetrics m;
    m.m_nCaptionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
    m.m_nSizeFrameWidth = m.m_nSizeFrameHeight = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    m.m_nDialogFrameWidth = m.m_nDialogFrameHeight = style->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
    static const int menuHeight = QMenuBar().sizeHint().height();
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
