#pragma once

// Up-down controls on Qt: two arrow buttons that repeat while held. They take
// no focus, as the system's do; the buddy keeps it.

#include "platform/qt/QtControls.h"

#include <QWidget>

class QToolButton;

namespace platform
{

class UpDownModel;
class QtChildWindow;

class QtUpDown : public QWidget, public QtControlView
{
public:
    QtUpDown(QtChildWindow& owner, UpDownModel& model, QWidget* parent);
    void Sync() override {}
    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* MakeArrow(bool up);

    QtChildWindow& m_Owner;
    UpDownModel& m_Model;
    QToolButton* m_pUp;
    QToolButton* m_pDown;
};

} // namespace platform
