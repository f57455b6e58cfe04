#include "platform/qt/QtUpDown.h"

#include "platform/qt/QtWindow.h"
#include "platform/window/UpDownModel.h"

#include <QToolButton>

namespace platform
{

QtUpDown::QtUpDown(QtChildWindow& owner, UpDownModel& model, QWidget* parent)
    : QWidget(parent), m_Owner(owner), m_Model(model), m_pUp(MakeArrow(true)), m_pDown(MakeArrow(false))
{
    setFocusPolicy(Qt::NoFocus);
}

QToolButton* QtUpDown::MakeArrow(bool up)
{
    auto* button = new QToolButton(this);
    bool horizontal = (m_Model.Style() & kUdsHorz) != 0;
    button->setArrowType(horizontal ? (up ? Qt::RightArrow : Qt::LeftArrow) : (up ? Qt::UpArrow : Qt::DownArrow));
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, up] {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserStep(up);
        }
    });
    connect(button, &QToolButton::released, this, [this] {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserRelease();
        }
    });
    return button;
}

void QtUpDown::resizeEvent(QResizeEvent*)
{
    if (m_Model.Style() & kUdsHorz)
    {
        int half = width() / 2;
        m_pDown->setGeometry(0, 0, half, height());
        m_pUp->setGeometry(half, 0, width() - half, height());
    }
    else
    {
        int half = height() / 2;
        m_pUp->setGeometry(0, 0, width(), half);
        m_pDown->setGeometry(0, half, width(), height() - half);
    }
}

} // namespace platform
