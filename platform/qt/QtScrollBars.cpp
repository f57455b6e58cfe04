#include "platform/qt/QtScrollBars.h"

#include "platform/qt/QtWindow.h"
#include "platform/window/ScrollBarModel.h"

#include <QSignalBlocker>
#include <algorithm>

namespace platform
{

QtScrollBarControl::QtScrollBarControl(QtChildWindow& owner, ScrollBarModel& model, QWidget* parent)
    : KeyAccepting<QScrollBar>(model.IsVertical() ? Qt::Vertical : Qt::Horizontal, parent), m_Owner(owner), m_Model(model)
{
    setFocusPolicy((owner.Style() & kWsTabStop) ? Qt::StrongFocus : Qt::NoFocus);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) { OnAction(action); });
    connect(this, &QAbstractSlider::sliderMoved, this, [this](int position) {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserRequest(kSbThumbTrack, position);
        }
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserRequest(kSbThumbPosition, sliderPosition());
        }
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserRequest(kSbEndScroll);
        }
    });
    Sync();
}

void QtScrollBarControl::OnAction(int action)
{
    int code = -1;
    switch (action)
    {
    case SliderSingleStepAdd: code = kSbLineDown; break;
    case SliderSingleStepSub: code = kSbLineUp; break;
    case SliderPageStepAdd: code = kSbPageDown; break;
    case SliderPageStepSub: code = kSbPageUp; break;
    case SliderToMinimum: code = kSbTop; break;
    case SliderToMaximum: code = kSbBottom; break;
    default: return; // the thumb: sliderMoved and sliderReleased
    }
    if (m_Owner.IsDestroyed())
    {
        return;
    }
    m_Model.UserRequest(code);
    if (!m_Owner.IsDestroyed())
    {
        m_Model.UserRequest(kSbEndScroll);
    }
    // The slider takes this position once the action is over, not its own step.
    QSignalBlocker block(this);
    setSliderPosition(m_Model.Info().m_nPos);
}

void QtScrollBarControl::Sync()
{
    QSignalBlocker block(this);
    const ScrollInfo& info = m_Model.Info();
    int page = static_cast<int>(info.m_nPage);
    setRange(info.m_nMin, std::max(info.m_nMax - std::max(page - 1, 0), info.m_nMin));
    setPageStep(std::max(page, 1));
    setSingleStep(1);
    if (!isSliderDown())
    {
        setValue(info.m_nPos);
    }
}

} // namespace platform
