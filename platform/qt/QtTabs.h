#pragma once

// Tab controls on Qt: a tab bar along the top edge, kTabRowHeight pixels
// high, over a framed panel where the program puts what the tabs show. The
// author's choice of a tab tells the model, which may keep the old one. The
// tabs have the narrow margins beside their titles that the dialogs were laid
// out for, so that the ten of the database sheet stand whole in one row.

#include "platform/qt/QtControls.h"

#include <QWidget>

class QTabBar;
class QFrame;

namespace platform
{

class TabModel;
class QtChildWindow;

class QtTabControl : public QWidget, public QtControlView
{
public:
    QtTabControl(QtChildWindow& owner, TabModel& model, QWidget* parent);
    void Sync() override;
    QTabBar* Bar() const { return m_pBar; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QtChildWindow& m_Owner;
    TabModel& m_Model;
    QTabBar* m_pBar;
    QFrame* m_pPanel;
};

} // namespace platform
