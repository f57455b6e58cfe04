// Every text a dialog template gives is readable in full on Qt at the control
// font: each label, check box, radio button, push button and group box of
// every template is measured against its own rectangle.
#include "editor/framework/DialogBuilder.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>

namespace
{

// The widest line of the text (a mnemonic's "&" takes no room).
int WidestLine(const QFontMetrics& metrics, QString text)
{
    text.remove(QRegularExpression("&(?!&)"));
    int widest = 0;
    for (const QString& line : text.split('\n'))
    {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

// The lines a control of that height shows: one at least (a short control
// shows its one line whole above the descenders), more where they fit.
int LinesShown(const QFontMetrics& metrics, int height)
{
    return std::max(1, (height + 4) / metrics.lineSpacing());
}

// What does not fit in the widget, as "text: why"; empty when it fits.
std::string Overflow(QWidget* widget)
{
    QFontMetrics metrics(widget->font());
    QSize size = widget->size();
    auto report = [&](const QString& text, const char* why) { return (text + ": " + why).toStdString(); };
    if (auto* label = qobject_cast<QLabel*>(widget))
    {
        if (label->text().isEmpty())
        {
            return {};
        }
        if (label->wordWrap())
        {
            int lines =
                metrics.boundingRect(QRect(0, 0, size.width(), 10000), Qt::TextWordWrap, label->text()).height() /
                metrics.lineSpacing();
            return lines > LinesShown(metrics, size.height()) ? report(label->text(), "too many lines") : "";
        }
        return WidestLine(metrics, label->text()) > size.width() ? report(label->text(), "too wide") : "";
    }
    if (auto* box = qobject_cast<QGroupBox*>(widget))
    {
        return WidestLine(metrics, box->title()) + 12 > size.width() ? report(box->title(), "title too wide") : "";
    }
    if (auto* button = qobject_cast<QPushButton*>(widget))
    {
        return WidestLine(metrics, button->text()) + 4 > size.width() ? report(button->text(), "too wide") : "";
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !button->text().isEmpty())
    {
        QStyleOptionButton option;
        option.initFrom(button);
        bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
        int indicator =
            button->style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth,
                                         &option, button) +
            button->style()->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing,
                                         &option, button);
        if (indicator + WidestLine(metrics, button->text()) > size.width())
        {
            return report(button->text(), "too wide");
        }
        int lines = static_cast<int>(button->text().count('\n')) + 1;
        return lines > LinesShown(metrics, size.height()) ? report(button->text(), "too many lines") : "";
    }
    return {};
}

using QtTextFitTest = QtEditorTest;

TEST_F(QtTextFitTest, EveryTemplateTextFitsItsControl)
{
    for (const DialogTemplate* dialog : AllDialogTemplates())
    {
        // A page is measured as a dialog of its own: its controls are the same.
        DialogTemplate shown = *dialog;
        shown.m_nStyle = kModalDialog;
        DialogWindowState state;
        platform::WindowHandle window = CreateDialogWindow(m_System, shown, nullptr, state);
        ASSERT_TRUE(window) << dialog->m_nId;
        auto* native = dynamic_cast<platform::QtWindow*>(m_System.Resolve(window));
        ASSERT_NE(native, nullptr);
        native->Show(true); // the controls take their sizes
        m_System.PumpMessages();
        for (QWidget* widget : native->ClientWidget()->findChildren<QWidget*>())
        {
            std::string overflow = Overflow(widget);
            EXPECT_EQ(overflow, "") << "dialog " << dialog->m_nId;
        }
        m_System.DestroyWindow(window);
        m_System.PumpMessages();
    }
}

} // namespace
