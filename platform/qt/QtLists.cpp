#include "platform/qt/QtLists.h"

#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/window/ListModels.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

namespace platform
{

namespace
{

// Whether the widget's texts are the model's rows.
template <class Widget, class Text>
bool SameRows(const Widget& widget, const std::vector<std::string>& rows, Text text)
{
    if (widget.count() != static_cast<int>(rows.size()))
    {
        return false;
    }
    for (int i = 0; i < widget.count(); ++i)
    {
        if (text(i) != FromCp932(rows[static_cast<size_t>(i)]))
        {
            return false;
        }
    }
    return true;
}

// A closing row of dashes says nothing more when cut.
bool IsRule(const QString& text)
{
    return !text.isEmpty() && text.count('-') == text.size();
}

} // namespace

// ---- QtListBox ----

QtListBox::QtListBox(QtChildWindow& owner, ListBoxModel& model, QWidget* parent)
    : KeyAccepting<QListWidget>(parent), m_Owner(owner), m_Model(model)
{
    setFont(ControlFont());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kListBorder);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_Owner.IsDestroyed())
        {
            return;
        }
        m_Model.UserSelect(row);
        if (row < 0)
        {
            Sync(); // nothing new was chosen: the model's row stays
        }
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserDoubleClick(row(item));
        }
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int top) {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserScroll(top);
        }
    });
    Sync();
}

void QtListBox::Sync()
{
    // While the list does not redraw (its owner refills it) the widget stays
    // as it was; it shows the model once drawing is on again. A refill that
    // gave the same rows thus keeps the rows, and a double-click whose first
    // click caused the refill still finds the row it began on.
    setUpdatesEnabled(m_Model.IsRedrawOn());
    if (!m_Model.IsRedrawOn())
    {
        return;
    }
    QSignalBlocker block(this);
    QSignalBlocker blockBar(verticalScrollBar());
    const std::vector<std::string>& rows = m_Model.Items();
    bool scrollsAcross = (m_Owner.Style() & kWsHScroll) != 0;
    if (!SameRows(*this, rows, [this](int i) { return item(i)->text(); }) || scrollsAcross != m_bScrollsAcross)
    {
        m_bScrollsAcross = scrollsAcross;
        setHorizontalScrollBarPolicy(scrollsAcross ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        clear();
        // The rows are of one size: as wide as the list, or as the widest row where the list scrolls across.
        QSize size(scrollsAcross ? WidestRow(rows) : 0, kListRowHeight);
        for (const std::string& row : rows)
        {
            auto* entry = new QListWidgetItem(FromCp932(row), this);
            entry->setSizeHint(size);
        }
    }
    if (m_Model.Selection() >= 0)
    {
        setCurrentRow(m_Model.Selection());
    }
    else
    {
        setCurrentRow(-1);
        clearSelection();
    }
    verticalScrollBar()->setValue(m_Model.TopIndex());
}

void QtListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
    {
        ForwardRightButton(event, true);
        return;
    }
    KeyAccepting<QListWidget>::mousePressEvent(event);
}

void QtListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
    {
        ForwardRightButton(event, false);
        return;
    }
    KeyAccepting<QListWidget>::mouseReleaseEvent(event);
}

void QtListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A quick second right click is one more press.
    if (event->button() == Qt::RightButton)
    {
        ForwardRightButton(event, true);
        return;
    }
    KeyAccepting<QListWidget>::mouseDoubleClickEvent(event);
}

void QtListBox::contextMenuEvent(QContextMenuEvent* event)
{
    // The dialog opens the list's menu when the button is let go.
    event->accept();
}

int QtListBox::TextMargin() const
{
    return style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
}

int QtListBox::WidestRow(const std::vector<std::string>& rows) const
{
    int widest = 0;
    for (const std::string& row : rows)
    {
        QString text = FromCp932(row);
        if (!IsRule(text))
        {
            widest = std::max(widest, fontMetrics().horizontalAdvance(text));
        }
    }
    return widest > 0 ? widest + 2 * TextMargin() : 0;
}

bool QtListBox::IsRowCut(const QListWidgetItem& row) const
{
    const QString text = row.text();
    if (text.isEmpty() || IsRule(text))
    {
        return false;
    }
    // The row's text stands between a margin on either side, within the list's view.
    return fontMetrics().horizontalAdvance(text) > viewport()->width() - 2 * TextMargin();
}

bool QtListBox::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
    {
        auto* help = static_cast<QHelpEvent*>(event);
        QListWidgetItem* row = itemAt(help->pos());
        if (row && IsRowCut(*row))
        {
            QToolTip::showText(help->globalPos(), row->text(), viewport(), visualItemRect(row));
        }
        else
        {
            QToolTip::hideText();
        }
        return true;
    }
    return KeyAccepting<QListWidget>::viewportEvent(event);
}

void QtListBox::ForwardRightButton(QMouseEvent* event, bool press)
{
    event->accept();
    QWidget* container = parentWidget();
    NativeWindow* parent = m_Owner.IsDestroyed() ? nullptr : m_Owner.System().Resolve(m_Owner.Parent());
    if (!container || !parent)
    {
        return;
    }
    // The parent's client coordinates: the list lies in its parent's container.
    QPoint local = container->mapFromGlobal(event->globalPosition().toPoint());
    bool left = event->buttons() & Qt::LeftButton;
    bool right = event->buttons() & Qt::RightButton;
    m_Owner.Qt().NoteMouse(parent->ClientToScreen({local.x(), local.y()}), left, right);
    uintptr_t keys = (left ? kMkLButton : 0u) | (right ? kMkRButton : 0u);
    m_Owner.System().DeliverInput(parent->Handle(), press ? kWmRButtonDown : kWmRButtonUp, keys,
                                  MakeLParam(local.x(), local.y()));
}

// ---- QtComboBox ----

QtComboBox::QtComboBox(QtChildWindow& owner, ComboBoxModel& model, QWidget* parent)
    : KeyAccepting<QComboBox>(parent), m_Owner(owner), m_Model(model)
{
    setFont(ControlFont());
    setMaxVisibleItems(12);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserSelect(row);
        }
    });
    Sync();
}

void QtComboBox::Sync()
{
    QSignalBlocker block(this);
    const std::vector<std::string>& rows = m_Model.Items();
    if (!SameRows(*this, rows, [this](int i) { return itemText(i); }))
    {
        clear();
        for (const std::string& row : rows)
        {
            addItem(FromCp932(row));
        }
    }
    setCurrentIndex(m_Model.Selection());
}

} // namespace platform
