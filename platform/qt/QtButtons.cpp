#include "platform/qt/QtButtons.h"

#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "platform/window/ButtonModel.h"

#include <QFontMetrics>
#include <QPalette>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>

namespace platform
{

namespace
{

// The grey of a disabled check box's or radio button's label.
const QColor kDisabledLabelColour(112, 112, 112);

} // namespace

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
    // The label stands on the dialog's grey face, where the style's own
    // disabled text, a lighter grey, cannot be read: a darker grey instead.
    QPalette palette = m_pButton->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    {
        palette.setColor(QPalette::Disabled, role, kDisabledLabelColour);
    }
    m_pButton->setPalette(palette);
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
    m_pButton->setText(FittedText());
}

QString QtCheckButton::FittedText() const
{
    QString text = FromCp932(m_Model.Text());
    QStyleOptionButton option;
    option.initFrom(m_pButton);
    bool radio = !m_pBox;
    QStyle* style = m_pButton->style();
    int mark =
        style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, &option, m_pButton) +
        style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, &option,
                           m_pButton);
    int room = width() - mark;
    QFontMetrics metrics(m_pButton->font());
    if (room <= 0 || metrics.horizontalAdvance(text) <= room)
    {
        return text;
    }
    // Japanese breaks between any two characters; a line with a space breaks at its last one.
    QStringList lines;
    for (const QString& line : text.split(u'\n'))
    {
        QString rest = line;
        while (metrics.horizontalAdvance(rest) > room)
        {
            int fits = 1;
            while (fits < rest.size() && metrics.horizontalAdvance(rest.left(fits + 1)) <= room)
            {
                ++fits;
            }
            int space = static_cast<int>(rest.left(fits + 1).lastIndexOf(u' '));
            int cut = space > 0 ? space : fits;
            lines << rest.left(cut);
            rest = rest.mid(space > 0 ? cut + 1 : cut);
        }
        lines << rest;
    }
    return lines.join(u'\n');
}

void QtCheckButton::Sync()
{
    QSignalBlocker block(m_pButton);
    m_pButton->setText(FittedText());
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
