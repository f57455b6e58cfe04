#pragma once

// The controls of a dialog on Qt: each control window's model
// (platform/window/ControlModel.h) mirrored onto a widget of its family
// (QtButtons, QtStatics, QtEdits, QtLists, QtScrollBars, QtUpDown, QtTabs).
// The model is the truth: a view shows it again after every change, with the
// widget's signals blocked, and the widget's signals from the author become
// the model's user actions, which raise the notifications at once.

#include <QFont>
#include <QKeyEvent>

class QWidget;

namespace platform
{

class QtChildWindow;

// A widget that shows a control's model.
class QtControlView
{
public:
    virtual ~QtControlView() = default;
    // Shows the model's state again.
    virtual void Sync() = 0;
};

// A widget of a control that keeps every key it is given: the system's key
// filter routed the key already, and a key the widget ignored would travel on
// to its parent and be routed a second time.
template <class Widget>
class KeyAccepting : public Widget
{
public:
    using Widget::Widget;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        Widget::keyPressEvent(event);
        event->accept();
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        Widget::keyReleaseEvent(event);
        event->accept();
    }
};

// The widget of the window's control model in the container, tagged with the
// window; null for a window without a model and for a picture (a canvas).
QWidget* MakeControlWidget(QtChildWindow& owner, QWidget* container);

// The font of every control: a Japanese Gothic face of 12 pixels where one is installed.
QFont ControlFont();

} // namespace platform
