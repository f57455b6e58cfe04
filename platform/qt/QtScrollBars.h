#pragma once

// Scroll-bar controls on Qt. The bar never moves by itself: each request of
// the author goes to the model (and so to the parent), and the bar then shows
// the position the parent left; while the thumb is dragged it follows the mouse.

#include "platform/qt/QtControls.h"

#include <QScrollBar>

namespace platform
{

class ScrollBarModel;
class QtChildWindow;

class QtScrollBarControl : public KeyAccepting<QScrollBar>, public QtControlView
{
public:
    QtScrollBarControl(QtChildWindow& owner, ScrollBarModel& model, QWidget* parent);
    void Sync() override;

private:
    void OnAction(int action);

    QtChildWindow& m_Owner;
    ScrollBarModel& m_Model;
};

} // namespace platform
