#pragma once

// The stacking of top-level windows as the program asks the window manager
// for it: a window shown goes on top of the others (the window manager maps
// it there), and so does a window raised. Offscreen there is no window
// manager, so this is what a test can read.

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <vector>

class StackingWatch : public QObject
{
public:
    StackingWatch() { qApp->installEventFilter(this); }
    ~StackingWatch() override { qApp->removeEventFilter(this); }

    // Whether both windows were shown or raised while watched, the upper one last.
    bool IsAbove(const QWidget* upper, const QWidget* lower) const
    {
        auto at = [this](const QWidget* top)
        { return std::find(m_Order.begin(), m_Order.end(), top) - m_Order.begin(); };
        return at(upper) < static_cast<std::ptrdiff_t>(m_Order.size()) && at(upper) > at(lower);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* top = qobject_cast<QWidget*>(watched);
        bool asked = (event->type() == QEvent::Show && !event->spontaneous()) || event->type() == QEvent::ZOrderChange;
        if (asked && top && top->isWindow())
        {
            std::erase(m_Order, top);
            m_Order.push_back(top);
        }
        return false;
    }

private:
    // Bottom first.
    std::vector<QPointer<QWidget>> m_Order;
};
