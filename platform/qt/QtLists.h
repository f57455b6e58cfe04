#pragma once

// List boxes and drop-down combo boxes on Qt. A list box shows rows of
// kListRowHeight pixels below a border of kListBorder pixels, as the dialogs
// count them; the author's choice of a row tells the model, the program's
// never reaches it.

#include "platform/qt/QtControls.h"

#include <QComboBox>
#include <QListWidget>

namespace platform
{

class ListBoxModel;
class ComboBoxModel;
class QtChildWindow;

class QtListBox : public KeyAccepting<QListWidget>, public QtControlView
{
public:
    QtListBox(QtChildWindow& owner, ListBoxModel& model, QWidget* parent);
    void Sync() override;

private:
    QtChildWindow& m_Owner;
    ListBoxModel& m_Model;
};

class QtComboBox : public KeyAccepting<QComboBox>, public QtControlView
{
public:
    QtComboBox(QtChildWindow& owner, ComboBoxModel& model, QWidget* parent);
    void Sync() override;

private:
    QtChildWindow& m_Owner;
    ComboBoxModel& m_Model;
};

} // namespace platform
