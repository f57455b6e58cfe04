// Every text a dialog template gives is readable in full on Qt at the control
// font: each label, check box, radio button, push button and group box of
// every template is measured against its own rectangle. A list's row wider
// than its list shows its whole text as the row's tool tip: the battle-AI
// rows of the sample's enemies, each read where the list shows it. The
// battle-AI list also scrolls across to the end of its widest row; the enemy
// list, made without a horizontal scroll bar, never shows one.
#include "common/project/ProjectFiles.h"
#include "editor/database/EnemyPage.h"
#include "editor/framework/DialogBuilder.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolTip>
#include <filesystem>

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

class QtListRowFitTest : public QtDatabaseTest
{
protected:
    // The enemy page over the sample's database, shown on screen.
    const EnemyPage& ShowSampleEnemies()
    {
        namespace fs = std::filesystem;
        for (const char* name : {"System", "Land", "Skill", "Item", "Class", "Friend", "Enemy"})
        {
            fs::copy_file(fs::path(TK_SAMPLE_DIR) / "data" / "database" / (std::string(name) + ".dat"),
                          fs::path("data") / "database" / (std::string(name) + ".dat"));
        }
        LoadProjectData();
        Open();
        ShowPage(kPageEnemy);
        const EnemyPage& page = *static_cast<EnemyPage*>(Sheet().Page(kPageEnemy));
        List(page, kIdBattleAiList)->window()->show();
        m_System.PumpMessages();
        return page;
    }
    // Chooses the enemy of that row and lets its battle-AI list lay out its rows.
    void ChooseEnemy(const EnemyPage& page, int enemy)
    {
        List(page, kIdEnemyList)->scrollToItem(List(page, kIdEnemyList)->item(enemy));
        ClickRow(page, kIdEnemyList, enemy);
        ASSERT_EQ(List(page, kIdEnemyList)->currentRow(), enemy);
        QApplication::processEvents(); // the delayed layout of the new rows
        m_System.PumpMessages();
    }
};

// The tool tip shown while the pointer rests on a row; empty when none shows.
QString TextReadOver(QListWidget& list, int row)
{
    QToolTip::hideText(); // a tip goes after a short delay
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
    QRect rect = list.visualItemRect(list.item(row));
    QHelpEvent rest(QEvent::ToolTip, rect.center(), list.viewport()->mapToGlobal(rect.center()));
    QApplication::sendEvent(list.viewport(), &rest);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST_F(QtListRowFitTest, EveryBattleAiRowOfTheSampleIsReadableWhole)
{
    const EnemyPage& page = ShowSampleEnemies();
    QListWidget& list = *List(page, kIdBattleAiList);
    QFontMetrics metrics(list.font());
    int cut = 0;
    for (int enemy = 0; enemy + 1 < List(page, kIdEnemyList)->count(); ++enemy)
    {
        ChooseEnemy(page, enemy);
        for (int row = 0; row + 1 < list.count(); ++row)
        {
            const QString text = list.item(row)->text();
            list.scrollToItem(list.item(row));
            const QString read = TextReadOver(list, row);
            if (read.isEmpty())
            {
                // No tip: the row fits, with room for its margins.
                EXPECT_LE(metrics.horizontalAdvance(text) + 2, list.viewport()->width())
                    << "enemy " << enemy << " row " << row << " cut: " << text.toStdString();
                continue;
            }
            ++cut;
            EXPECT_EQ(read, text) << "enemy " << enemy << " row " << row;
        }
        // The closing row of dashes says nothing: it has no tip.
        EXPECT_EQ(TextReadOver(list, list.count() - 1), QString()) << "enemy " << enemy;
    }
    EXPECT_GT(cut, 0) << "the sample has rows wider than the list";
}

TEST_F(QtListRowFitTest, TheBattleAiListScrollsAcrossToItsWidestRowAndTheEnemyListNever)
{
    const EnemyPage& page = ShowSampleEnemies();
    QListWidget& list = *List(page, kIdBattleAiList);
    QListWidget& enemies = *List(page, kIdEnemyList);
    QScrollBar& bar = *list.horizontalScrollBar();
    QFontMetrics metrics(list.font());
    // The delegate's margin on either side of a row's text.
    const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    int wide = 0;
    for (int enemy = 0; enemy + 1 < enemies.count(); ++enemy)
    {
        ChooseEnemy(page, enemy);
        // The enemy list's closing row of dashes is wider than it, and it shows no bar.
        EXPECT_FALSE(enemies.horizontalScrollBar()->isVisible()) << "enemy " << enemy;
        int widestRow = -1;
        int widest = 0;
        for (int row = 0; row + 1 < list.count(); ++row)
        {
            if (int width = metrics.horizontalAdvance(list.item(row)->text()); width > widest)
            {
                widest = width;
                widestRow = row;
            }
        }
        if (widest + 2 * margin <= list.viewport()->width())
        {
            EXPECT_FALSE(bar.isVisible()) << "enemy " << enemy << ": every row fits";
            continue;
        }
        ++wide;
        ASSERT_TRUE(bar.isVisible()) << "enemy " << enemy << ": a row is wider than the list";
        QListWidgetItem* row = list.item(widestRow);
        list.scrollToItem(row);
        EXPECT_GT(list.visualItemRect(row).left() + margin + widest, list.viewport()->width())
            << "enemy " << enemy << ": the widest row is cut before scrolling";
        bar.setValue(bar.maximum());
        m_System.PumpMessages();
        int end = list.visualItemRect(row).left() + margin + widest;
        EXPECT_LE(end, list.viewport()->width()) << "enemy " << enemy << ": " << row->text().toStdString();
        // No more room than the widest row asks: the closing dashes do not widen the range.
        EXPECT_GE(end + margin + 1, list.viewport()->width()) << "enemy " << enemy;
        bar.setValue(0);
    }
    EXPECT_GT(wide, 0) << "the sample has enemies with rows wider than the list";

    // A new enemy's one attack row fits: its list has no bar, the dashes under it notwithstanding.
    ClickButton(page, kIdDatabaseNew);
    QApplication::processEvents();
    m_System.PumpMessages();
    ASSERT_EQ(list.count(), 2);
    EXPECT_LT(metrics.horizontalAdvance(list.item(0)->text()) + 2 * margin, list.viewport()->width());
    EXPECT_FALSE(bar.isVisible());
}

} // namespace
