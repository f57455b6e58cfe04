#include "platform/qt/QtEdits.h"

#include "platform/qt/QtKeys.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "platform/window/EditModel.h"
#include "platform/window/WindowSystem.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTextBlock>
#include <functional>

namespace platform
{

namespace
{

// What a key does in an edit once the key filter has routed its key-down:
// typed characters and Backspace go to the window as kWmChar; Delete was done
// by the key-down; true when the key is finished.
bool TypeThroughWindow(QtChildWindow& owner, QKeyEvent* event, bool multiline)
{
    if (owner.IsDestroyed())
    {
        return true;
    }
    WindowHandle handle = owner.Handle();
    if (TypesText(event))
    {
        for (uint32_t code : CharCodesOf(event->text()))
        {
            owner.System().RouteChar(handle, code);
        }
        return true;
    }
    switch (event->key())
    {
    case Qt::Key_Backspace:
        owner.System().RouteChar(handle, kVkBack);
        return true;
    case Qt::Key_Delete:
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (multiline && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        {
            owner.System().RouteChar(handle, '\r');
        }
        return true;
    default:
        return false;
    }
}

// The committed text of an input-method event goes through the window; the
// composition stays with the widget, whose own handling is given.
void CommitThroughWindow(QtChildWindow& owner, QInputMethodEvent* event,
                         const std::function<void(QInputMethodEvent*)>& widgetHandles)
{
    owner.SetComposing(!event->preeditString().isEmpty());
    if (event->commitString().isEmpty() || owner.IsDestroyed())
    {
        widgetHandles(event);
        return;
    }
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    widgetHandles(&composing);
    owner.System().CommitText(owner.Handle(), ToCp932(event->commitString()));
}

} // namespace

// ---- QtEdit ----

QtEdit::QtEdit(QtChildWindow& owner, EditModel& model, QWidget* parent)
    : QLineEdit(parent), m_Owner(owner), m_Model(model)
{
    setFont(ControlFont());
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_Owner.IsDestroyed())
        {
            return;
        }
        std::string cp932 = ToCp932(text);
        int caret = ByteOfQtIndex(cp932, cursorPosition(), false);
        m_Model.UserReplace(cp932, caret, caret);
    });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { TakeSelection(); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { TakeSelection(); });
    Sync();
}

void QtEdit::TakeSelection()
{
    if (m_Owner.IsDestroyed())
    {
        return;
    }
    const std::string& text = m_Model.Text();
    if (hasSelectedText())
    {
        m_Model.SetSelection(ByteOfQtIndex(text, selectionStart(), false), ByteOfQtIndex(text, selectionEnd(), false));
    }
    else
    {
        int caret = ByteOfQtIndex(text, cursorPosition(), false);
        m_Model.SetSelection(caret, caret);
    }
}

void QtEdit::Sync()
{
    QSignalBlocker block(this);
    const std::string& text = m_Model.Text();
    QString shown = FromCp932(text);
    if (this->text() != shown)
    {
        setText(shown);
    }
    setReadOnly(m_Model.IsReadOnly());
    int start = QtIndexOfByte(text, m_Model.SelectionStart(), false);
    int end = QtIndexOfByte(text, m_Model.SelectionEnd(), false);
    if (start == end)
    {
        setCursorPosition(start);
    }
    else
    {
        setSelection(start, end - start);
    }
}

void QtEdit::keyPressEvent(QKeyEvent* event)
{
    // The key filter has routed the key-down; what is left is the edit's own work.
    if (!TypeThroughWindow(m_Owner, event, false))
    {
        QLineEdit::keyPressEvent(event);
    }
    event->accept();
}

void QtEdit::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    event->accept();
}

void QtEdit::inputMethodEvent(QInputMethodEvent* event)
{
    CommitThroughWindow(m_Owner, event, [this](QInputMethodEvent* e) { QLineEdit::inputMethodEvent(e); });
}

// ---- QtMultiEdit ----

QtMultiEdit::QtMultiEdit(QtChildWindow& owner, EditModel& model, QWidget* parent)
    : QPlainTextEdit(parent), m_Owner(owner), m_Model(model)
{
    setFont(ControlFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_Owner.IsDestroyed())
        {
            return;
        }
        std::string cp932 = ToCp932(toPlainText().replace(u'\n', QStringLiteral("\r\n")));
        int caret = ByteOfQtIndex(cp932, textCursor().position(), true);
        m_Model.UserReplace(cp932, caret, caret);
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { TakeSelection(); });
    connect(this, &QPlainTextEdit::selectionChanged, this, [this] { TakeSelection(); });
    Sync();
}

void QtMultiEdit::TakeSelection()
{
    if (m_Owner.IsDestroyed())
    {
        return;
    }
    const std::string& text = m_Model.Text();
    QTextCursor cursor = textCursor();
    m_Model.SetSelection(ByteOfQtIndex(text, cursor.selectionStart(), true),
                       ByteOfQtIndex(text, cursor.selectionEnd(), true));
}

void QtMultiEdit::Sync()
{
    QSignalBlocker block(this);
    const std::string& text = m_Model.Text();
    QString shown = FromCp932(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (toPlainText() != shown)
    {
        setPlainText(shown);
    }
    setReadOnly(m_Model.IsReadOnly());
    QTextCursor cursor = textCursor();
    cursor.setPosition(QtIndexOfByte(text, m_Model.SelectionStart(), true));
    cursor.setPosition(QtIndexOfByte(text, m_Model.SelectionEnd(), true), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void QtMultiEdit::keyPressEvent(QKeyEvent* event)
{
    if (!TypeThroughWindow(m_Owner, event, true))
    {
        QPlainTextEdit::keyPressEvent(event);
    }
    event->accept();
}

void QtMultiEdit::inputMethodEvent(QInputMethodEvent* event)
{
    CommitThroughWindow(m_Owner, event, [this](QInputMethodEvent* e) { QPlainTextEdit::inputMethodEvent(e); });
}

} // namespace platform
