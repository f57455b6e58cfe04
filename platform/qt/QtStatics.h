#pragma once

// Static texts on Qt. Pictures are canvases (QtWindow.h) that show what the
// program presents to them.

#include "platform/qt/QtControls.h"

#include <QLabel>

namespace platform
{

class StaticModel;
class QtChildWindow;

class QtLabel : public QLabel, public QtControlView
{
public:
    QtLabel(QtChildWindow& owner, StaticModel& model, QWidget* parent);
    void Sync() override;

private:
    StaticModel& m_Model;
};

} // namespace platform
