#pragma once

// Edits on Qt: a line edit, or a plain-text edit for a multi-line one.
// Typed characters (and Backspace) reach the model as kWmChar through the
// window, so its character filter sees them; committed input-method text goes
// through the window's input-method hook. What the widget edits itself
// (pasting, cutting, undoing) comes back as the author's replacement of the
// text; caret and selection follow the widget.

#include "platform/qt/QtControls.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace platform
{

class EditModel;
class QtChildWindow;

class QtEdit : public QLineEdit, public QtControlView
{
public:
    QtEdit(QtChildWindow& owner, EditModel& model, QWidget* parent);
    void Sync() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void TakeSelection();

    QtChildWindow& m_Owner;
    EditModel& m_Model;
};

class QtMultiEdit : public QPlainTextEdit, public QtControlView
{
public:
    QtMultiEdit(QtChildWindow& owner, EditModel& model, QWidget* parent);
    void Sync() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void TakeSelection();

    QtChildWindow& m_Owner;
    EditModel& m_Model;
};

} // namespace platform
