#include "platform/qt/QtButtons.h"

#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "platform/window/ButtonModel.h"

#include <QSignalBlocker>

namespace platform
{

// ---- QtPushButton ----

QtPushButton::QtPushButton(QtChildWindow& owner, ButtonModel& model, QWidget* parent)
    : KeyAccepting<QPushButton>(parent), m_Owner(owner), m_Model(model)
{
    setFont(ControlFont());
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserClick();
        }
    });
    Sync();
}

void QtPushButton::Sync()
{
    QSignalBlocker block(this);
    setText(FromCp932(m_Model.Text()));
    setDefault(m_Model.Type() == kBsDefPushButton);
}

// ---- QtCheckButton ----

QtCheckButton::QtCheckButton(QtChildWindow& owner, ButtonModel& model, QWidget* parent)
    : QWidget(parent), m_Owner(owner), m_Model(model)
{
    if (model.IsRadioButton())
    {
        auto* radio = new KeyAccepting<QRadioButton>(this);
        radio->setAutoExclusive(false);
        m_pButton = radio;
    }
    else
    {
        m_pBox = new KeyAccepting<QCheckBox>(this);
        m_pButton = m_pBox;
    }
    m_pButton->setFont(ControlFont());
    setFocusProxy(m_pButton);
    connect(m_pButton, &QAbstractButton::clicked, this, [this] {
        if (!m_Owner.IsDestroyed())
        {
            m_Model.UserClick();
            Sync();
        }
    });
    Sync();
}

void QtCheckButton::resizeEvent(QResizeEvent*)
{
    m_pButton->setGeometry(rect());
}

void QtCheckButton::Sync()
{
    QSignalBlocker block(m_pButton);
    m_pButton->setText(FromCp932(m_Model.Text()));
    if (m_pBox)
    {
        m_pBox->setTristate(m_Model.IsThreeState());
        m_pBox->setCheckState(m_Model.Check() == kBstChecked         ? Qt::Checked
                              : m_Model.Check() == kBstIndeterminate ? Qt::PartiallyChecked
                                                                     : Qt::Unchecked);
    }
    else
    {
        m_pButton->setChecked(m_Model.Check() == kBstChecked);
    }
}

// ---- QtGroupBox ----

QtGroupBox::QtGroupBox(QtChildWindow&, ButtonModel& model, QWidget* parent) : QGroupBox(parent), m_Model(model)
{
    setFont(ControlFont());
    // It only frames the controls inside it: they take the mouse.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    Sync();
}

void QtGroupBox::Sync()
{
    setTitle(FromCp932(m_Model.Text()));
    lower();
}

} // namespace platform
