#pragma once

// List boxes and drop-down combo boxes on Qt. A list box shows rows of
// kListRowHeight pixels below a border of kListBorder pixels, as the dialogs
// count them; the author's choice of a row tells the model, the program's
// never reaches it. The right button is the dialog's: pressed and released
// anywhere over a list box, on a row or below the rows, it reaches the list's
// parent as kWmRButtonDown and kWmRButtonUp at the pointer, and the list
// itself neither selects nor opens anything for it. A row wider than the
// list shows its whole text as its tool tip; a list of style kWsHScroll also
// shows a horizontal scroll bar while a row is wider than it, its range as
// wide as the widest row.

#include "platform/qt/QtControls.h"

#include <QComboBox>
#include <QListWidget>
#include <string>
#include <vector>

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

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // The room a row leaves on either side of its text.
    int TextMargin() const;
    // The width of the widest row, margins included; a closing row of
    // dashes is left out.
    int WidestRow(const std::vector<std::string>& rows) const;
    // Whether the row's text is wider than the list shows it.
    bool IsRowCut(const QListWidgetItem& row) const;
    // Hands a right-button press or release to the parent window.
    void ForwardRightButton(QMouseEvent* event, bool press);

    QtChildWindow& m_Owner;
    ListBoxModel& m_Model;
    bool m_bScrollsAcross = false; // the rows are as wide as the widest
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
