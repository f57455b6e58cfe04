// The editor's dialogs on real Qt widgets, offscreen: built from their
// templates, run in the real modal loop and driven with QTest as the author
// would drive them.
#include "platform/qt/QtButtons.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtUpDown.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/DialogNavigation.h"
#include "platform/window/EditModel.h"
#include "platform/window/ScriptedDialogs.h"
#include "platform/window/ScrollBarModel.h"
#include "platform/window/UpDownModel.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QStyleOptionButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

using platform::WindowHandle;
using Log = std::vector<std::string>;

using QtDialogTest = QtEditorTest;

TEST_F(QtDialogTest, TypingTwelveIntoTheValueDialogAndClickingOkEndsTheRunWithOne)
{
    for (bool byEnter : {false, true})
    {
        SCOPED_TRACE(byEnter ? "Enter" : "click");
        ProbeDialog dialog(*FindDialogTemplate(122), nullptr, &m_App);
        ProbeControl value(kControlTextEdit, 1077);
        value.m_strValue = "5";
        dialog.m_Probes = {&value};
        dialog.m_Plain = PlainControls({1006, 1007});
        bool shown = false;
        // The author acts once the modal loop runs.
        QTimer::singleShot(0, [&] {
            auto* edit = qobject_cast<QLineEdit*>(Widget(dialog, 1077));
            auto* ok = qobject_cast<QPushButton*>(Widget(dialog, 1006));
            ASSERT_TRUE(edit && ok);
            shown = edit->isVisible() && dialog.Native()->IsVisible();
            EXPECT_EQ(edit->text(), "5");
            EXPECT_EQ(edit->selectedText(), "5"); // the focus came with the text selected
            EXPECT_EQ(ok->text(), "OK");
            EXPECT_EQ(qobject_cast<QPushButton*>(Widget(dialog, 1007))->text(), QString::fromUtf8(u8"ｷｬﾝｾﾙ"));
            EXPECT_NE(dynamic_cast<platform::QtUpDown*>(Widget(dialog, 1078)), nullptr);
            QTest::keyClicks(edit, "12");
            QTest::keyClick(edit, Qt::Key_Escape); // command 2: this dialog stays
            EXPECT_TRUE(dialog.Handle());
            if (byEnter)
            {
                QTest::keyClick(edit, Qt::Key_Return);
            }
            else
            {
                QTest::mouseClick(ok, Qt::LeftButton);
            }
        });
        EXPECT_EQ(dialog.RunModal(0), 1);
        EXPECT_TRUE(shown);
        EXPECT_EQ(value.m_strValue, "12");
        EXPECT_EQ(dialog.m_Commands, (std::vector<int>{2, 1006}));
        EXPECT_EQ(dialog.Handle(), nullptr);
    }
}

TEST_F(QtDialogTest, EscAndTheCloseBoxLeaveAModelessPaletteOpen)
{
    ProbeDialog palette(PaletteTemplate(), nullptr, &m_App);
    palette.m_bLeaveClose = true;
    palette.RunModeless(0);
    ASSERT_TRUE(palette.Handle());
    // The keyboard of the registered dialogs, as the editor's loop applies it.
    m_System.SetMessageFilter([&](WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
        for (WindowBase* registered : m_App.m_Windows)
        {
            if (registered->Handle() &&
                platform::IsDialogMessage(registered->Handle(), {window, message, wParam, lParam}))
            {
                return true;
            }
        }
        return false;
    });
    QTest::keyClick(Widget(palette, 1241), Qt::Key_Escape);
    static_cast<platform::QtWindow*>(palette.Native())->TopLevel()->close();
    m_System.PumpMessages();
    EXPECT_EQ(palette.m_Commands, (std::vector<int>{2, 2}));
    ASSERT_TRUE(palette.Handle());
    EXPECT_TRUE(static_cast<platform::QtWindow*>(palette.Native())->TopLevel()->isVisible());
}

const DialogTemplate& EveryKindTemplate()
{
    static const DialogTemplate dialog{9010, "コントロール", 240, 200, kModalDialog, {
        {kDlgCheckBox,   1101, 8, 8, 60, 10, "確認"},
        {kDlgThreeState, 1102, 8, 20, 60, 10, "三つ"},
        {kDlgGroupBox,   1103, 80, 4, 70, 40, "種類"},
        {kDlgRadio,      1104, 86, 14, 50, 10, "甲", platform::kWsGroup | platform::kWsTabStop},
        {kDlgRadio,      1105, 86, 26, 50, 10, "乙"},
        {kDlgText,       1106, 8, 50, 60, 10, "名前&&値"},
        {kDlgPicture,    1107, 160, 8, 32, 32},
        {kDlgEdit,       1108, 8, 62, 60, 12},
        {kDlgUpDown,     1109, 68, 62, 10, 12},
        {kDlgMultiEdit,  1110, 8, 80, 100, 30},
        {kDlgListBox,    1111, 120, 50, 60, 60},
        {kDlgComboBox,   1112, 120, 120, 60, 80},
        {kDlgHScrollBar, 1113, 8, 120, 100, 10},
        {kDlgButton,     1006, 8, 180, 46, 14, "OK"},
    }};
    return dialog;
}

TEST_F(QtDialogTest, EveryKindOfControlMirrorsItsModelAndOnlyTheAuthorsChoicesNotify)
{
    ScriptedModalRuns runs;
    ProbeDialog dialog(EveryKindTemplate(), nullptr, &m_App);
    Log log;
    ProbeControl list(kControlListBox, 1111, &log);
    ProbeControl combo(kControlComboBox, 1112, &log);
    ProbeControl edit(kControlTextEdit, 1108, &log);
    dialog.m_Probes = {&list, &combo, &edit};
    runs.Answer([&](DialogBase& shown) {
        // The widget of each kind.
        EXPECT_NE(qobject_cast<QCheckBox*>(static_cast<platform::QtCheckButton*>(Widget(shown, 1101))->Button()),
                  nullptr);
        EXPECT_NE(qobject_cast<QGroupBox*>(Widget(shown, 1103)), nullptr);
        EXPECT_NE(qobject_cast<QRadioButton*>(static_cast<platform::QtCheckButton*>(Widget(shown, 1104))->Button()),
                  nullptr);
        auto* label = qobject_cast<QLabel*>(Widget(shown, 1106));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(u8"名前&値"));
        EXPECT_NE(dynamic_cast<platform::QtCanvas*>(Widget(shown, 1107)), nullptr);
        auto* line = qobject_cast<QLineEdit*>(Widget(shown, 1108));
        auto* lines = qobject_cast<QPlainTextEdit*>(Widget(shown, 1110));
        auto* rows = qobject_cast<QListWidget*>(Widget(shown, 1111));
        auto* choices = qobject_cast<QComboBox*>(Widget(shown, 1112));
        auto* bar = qobject_cast<QScrollBar*>(Widget(shown, 1113));
        ASSERT_TRUE(line && lines && rows && choices && bar);

        // The program fills and selects: the widgets show it, nobody is told.
        // The list shows its rows once it draws again (every command stops
        // its drawing until the dialog ends its update).
        m_System.SendMessage(m_System.GetDlgItem(shown.Handle(), 1102), platform::kBmSetCheck,
                             platform::kBstIndeterminate, 0);
        for (const char* text : {"一", "二", "三"})
        {
            m_System.SendMessage(list.Handle(), platform::kLbAddString, 0, reinterpret_cast<intptr_t>(text));
            m_System.SendMessage(combo.Handle(), platform::kCbAddString, 0, reinterpret_cast<intptr_t>(text));
        }
        m_System.SendMessage(list.Handle(), platform::kLbSetCurSel, 2, 0);
        m_System.SendMessage(combo.Handle(), platform::kCbSetCurSel, 0, 0);
        EXPECT_EQ(rows->count(), 0);
        m_System.SendMessage(list.Handle(), platform::kWmSetRedraw, 1, 0);
        auto* three = qobject_cast<QCheckBox*>(static_cast<platform::QtCheckButton*>(Widget(shown, 1102))->Button());
        EXPECT_EQ(three->checkState(), Qt::PartiallyChecked);
        EXPECT_EQ(rows->count(), 3);
        EXPECT_EQ(rows->currentRow(), 2);
        EXPECT_EQ(rows->item(1)->text(), QString::fromUtf8(u8"二"));
        EXPECT_EQ(choices->currentIndex(), 0);
        // Filled again with the same rows while it does not draw: the list keeps its rows.
        QListWidgetItem* second = rows->item(1);
        m_System.SendMessage(list.Handle(), platform::kWmSetRedraw, 0, 0);
        m_System.SendMessage(list.Handle(), platform::kLbResetContent, 0, 0);
        EXPECT_EQ(rows->count(), 3);
        for (const char* text : {"一", "二", "三"})
        {
            m_System.SendMessage(list.Handle(), platform::kLbAddString, 0, reinterpret_cast<intptr_t>(text));
        }
        m_System.SendMessage(list.Handle(), platform::kLbSetCurSel, 2, 0);
        m_System.SendMessage(list.Handle(), platform::kWmSetRedraw, 1, 0);
        EXPECT_EQ(rows->item(1), second);
        EXPECT_EQ(rows->currentRow(), 2);
        log.clear();

        // The author chooses: each choice is reported once.
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualItemRect(rows->item(0)).center());
        QTest::keyClick(choices, Qt::Key_Down);
        EXPECT_EQ(m_System.SendMessage(list.Handle(), platform::kLbGetCurSel, 0, 0), 0);
        EXPECT_EQ(m_System.SendMessage(combo.Handle(), platform::kCbGetCurSel, 0, 0), 1);
        EXPECT_EQ(log, (Log{"change 1111", "begin 1111", "change 1112", "begin 1111"}));

        // Check boxes and radio buttons check as their model says; the author clicks on the box.
        auto clickBox = [&](int id) {
            QAbstractButton* button = static_cast<platform::QtCheckButton*>(Widget(shown, id))->Button();
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
        };
        clickBox(1101);
        EXPECT_EQ(ModelOf<platform::ButtonModel>(shown, 1101)->Check(), platform::kBstChecked);
        clickBox(1102);
        EXPECT_EQ(three->checkState(), Qt::Unchecked); // after the third state comes the first
        clickBox(1105);
        clickBox(1104);
        EXPECT_TRUE(static_cast<platform::QtCheckButton*>(Widget(shown, 1104))->Button()->isChecked());
        EXPECT_FALSE(static_cast<platform::QtCheckButton*>(Widget(shown, 1105))->Button()->isChecked());

        // Typing: the edit reports each change; Backspace goes through the model too.
        log.clear();
        QTest::keyClicks(line, "ab");
        QTest::keyClick(line, Qt::Key_Backspace);
        EXPECT_EQ(ModelOf<platform::EditModel>(shown, 1108)->Text(), "a");
        std::erase(log, "begin 1111");
        EXPECT_EQ(log, (Log{"change 1108", "change 1108", "change 1108"}));
        QTest::keyClicks(lines, "ab");
        QTest::keyClick(lines, Qt::Key_Return);
        QKeyEvent kanji(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(u8"漢"));
        QCoreApplication::sendEvent(lines, &kanji);
        EXPECT_EQ(ModelOf<platform::EditModel>(shown, 1110)->Text(), "ab\r\n漢");
        EXPECT_EQ(lines->toPlainText(), QString::fromUtf8(u8"ab\n漢"));

        // The up-down's arrow: the buddy shows the step.
        m_System.SendMessage(m_System.GetDlgItem(shown.Handle(), 1109), platform::kUdmSetRange, 0,
                             platform::MakeLParam(9, 0));
        QTest::mouseClick(static_cast<platform::QtUpDown*>(Widget(shown, 1109))->UpButton(), Qt::LeftButton);
        EXPECT_EQ(line->text(), "1");

        // A scroll bar the dialog does not move stays where it is.
        platform::ScrollInfo range;
        range.m_nMask = platform::kSifRange | platform::kSifPage;
        range.m_nMax = 20;
        range.m_nPage = 5;
        platform::SetScrollInfo(m_System.GetDlgItem(shown.Handle(), 1113), platform::kSbCtl, range, true);
        EXPECT_EQ(bar->maximum(), 16);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(bar->value(), 0);
        QTest::mouseClick(qobject_cast<QPushButton*>(Widget(shown, 1006)), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.RunModal(0), 1);
}

TEST_F(QtDialogTest, TheLayoutsScrollBarShowsWhereTheDialogLeftIt)
{
    ProbeDialog view(ViewTemplate(), nullptr, &m_App);
    view.SetLayout(200, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
    view.RunModeless(0);
    WindowHandle handle = m_System.GetDlgItem(view.Handle(), kIdHorizontalBar);
    auto* bar = qobject_cast<QScrollBar*>(Widget(view, kIdHorizontalBar));
    ASSERT_NE(bar, nullptr);
    platform::ScrollInfo range;
    range.m_nMask = platform::kSifRange | platform::kSifPage;
    range.m_nMax = 20;
    range.m_nPage = 20;
    platform::SetScrollInfo(handle, platform::kSbCtl, range, true);
    EXPECT_EQ(bar->maximum(), 1);
    int paints = view.m_nPaints;
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar->value(), 1);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); // clamped: no redraw
    EXPECT_EQ(bar->value(), 1);
    EXPECT_EQ(view.m_nPaints - paints, 1);
    view.Close(0);
}

TEST_F(QtDialogTest, WithBothLayoutBarsTheRightEndOfTheHorizontalOneCanBeReached)
{
    ProbeDialog view(ViewTemplate(), nullptr, &m_App);
    view.SetLayout(200, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3);
    view.RunModeless(0);
    auto* horizontal = qobject_cast<QScrollBar*>(Widget(view, kIdHorizontalBar));
    auto* vertical = qobject_cast<QScrollBar*>(Widget(view, kIdVerticalBar));
    ASSERT_TRUE(horizontal && vertical);
    EXPECT_FALSE(horizontal->geometry().intersects(vertical->geometry()));
    EXPECT_EQ(horizontal->geometry().right() + 1, vertical->geometry().left());
    // The pointer at the horizontal bar's last pixel is over that bar, not under the other.
    QWidget* client = horizontal->parentWidget();
    QPoint rightArrow(horizontal->geometry().right(), horizontal->geometry().center().y());
    EXPECT_EQ(client->childAt(rightArrow), horizontal);
    view.Close(0);
}

TEST_F(QtDialogTest, ASpinAttachedAgainToItsMovedEditStandsBesideIt)
{
    ProbeDialog dialog(*FindDialogTemplate(122), nullptr, &m_App);
    dialog.RunModeless(0);
    QWidget* edit = Widget(dialog, 1077);
    QWidget* spin = Widget(dialog, 1078);
    ASSERT_TRUE(edit && spin);
    auto beside = [&]
    {
        EXPECT_EQ(spin->geometry().left(), edit->geometry().right() + 1);
        EXPECT_EQ(spin->geometry().top(), edit->geometry().top());
        EXPECT_EQ(spin->height(), edit->height());
    };
    beside();
    // The dialog lays its edit out elsewhere and gives the spin the edit again.
    platform::NativeWindow* field = m_System.Resolve(Item(dialog, 1077));
    platform::Rect rect = field->WindowRect();
    field->SetWindowRect({rect.m_nLeft + 90, rect.m_nTop + 40, rect.m_nWidth + spin->width(), rect.m_nHeight});
    m_System.SendMessage(Item(dialog, 1078), platform::kUdmSetBuddy, platform::HandleParam(Item(dialog, 1077)), 0);
    beside();
    EXPECT_EQ(edit->width(), rect.m_nWidth);
    dialog.Close(0);
}

TEST_F(QtDialogTest, ADisabledDialogLooksAsBeforeButTakesNoClicks)
{
    static const DialogTemplate form{
        9010,
        "無効",
        160,
        100,
        kModalDialog,
        {
            {kDlgText, 1030, 7, 7, 60, 8, "ラベル"},
            {kDlgListBox, 1233, 7, 20, 100, 50, "", platform::kWsBorder | platform::kWsVScroll},
            {kDlgButton, 1066, 7, 76, 44, 14, "新規"},
            {kDlgButton, 1067, 60, 76, 44, 14, "ｸﾘｱ", platform::kWsDisabled},
        }};
    ProbeDialog dialog(form, nullptr, &m_App);
    dialog.RunModeless(0);
    ASSERT_TRUE(dialog.Handle());
    for (const char* row : {"行1", "行2"})
    {
        m_System.SendMessage(Item(dialog, 1233), platform::kLbAddString, 0, reinterpret_cast<intptr_t>(row));
    }
    QWidget* client = static_cast<platform::QtWindow*>(dialog.Native())->ClientWidget();
    auto* button = qobject_cast<QPushButton*>(Widget(dialog, 1066));
    ASSERT_NE(button, nullptr);
    const QImage enabled = client->grab().toImage();

    // Disabled while a dialog of its own runs: its texts and rows stay as they were drawn.
    dialog.Native()->Enable(false);
    EXPECT_EQ(client->grab().toImage(), enabled);
    EXPECT_FALSE(Widget(dialog, 1067)->isEnabled()) << "a control disabled by itself stays greyed";
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(dialog.m_Commands, std::vector<int>{});

    dialog.Native()->Enable(true);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(dialog.m_Commands, std::vector<int>{1066});
    dialog.Close(0);
}

// The darkest grey of the label beside a check box's or radio button's mark,
// as the dialog's client area shows it (on the dialog's grey face).
int DarkestLabelGrey(QWidget* client, QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents =
        qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
    QRect label = button->style()->subElementRect(contents, &option, button);
    label.translate(button->mapTo(client, QPoint(0, 0)));
    const QImage image = client->grab().toImage();
    int darkest = 255;
    for (int y = label.top(); y <= label.bottom(); ++y)
    {
        for (int x = label.left(); x <= label.right(); ++x)
        {
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
        }
    }
    return darkest;
}

TEST_F(QtDialogTest, TheLabelOfADisabledCheckBoxOrRadioButtonIsAGreyThatCanBeRead)
{
    static const DialogTemplate form{9010, "無効", 160, 60, kModalDialog, {
        {kDlgCheckBox, 1101, 7, 7, 140, 10, "キャラにこのイベントを所持させる"},
        {kDlgRadio, 1104, 7, 24, 140, 10, "クリアしなくても通行可能"},
    }};
    ProbeDialog dialog(form, nullptr, &m_App);
    dialog.RunModeless(0);
    ASSERT_TRUE(dialog.Handle());
    QWidget* client = static_cast<platform::QtWindow*>(dialog.Native())->ClientWidget();
    for (int id : {1101, 1104})
    {
        SCOPED_TRACE(id);
        QAbstractButton* button = static_cast<platform::QtCheckButton*>(Widget(dialog, id))->Button();
        int enabled = DarkestLabelGrey(client, button);
        m_System.Resolve(Item(dialog, id))->Enable(false);
        ASSERT_FALSE(button->isEnabled());
        int disabled = DarkestLabelGrey(client, button);
        EXPECT_LT(enabled, 64);        // black
        EXPECT_GT(disabled, enabled);  // greyed
        EXPECT_LE(disabled, 128);      // and plain on the face of grey 192
    }
    dialog.Close(0);
}

TEST(QtControlFontTest, TheControlFontDrawsJapanese)
{
    QFontMetrics metrics(platform::ControlFont());
    for (char32_t character : {U'値', U'入', U'ｷ', U'ゴ'})
    {
        EXPECT_TRUE(metrics.inFontUcs4(character)) << static_cast<uint32_t>(character);
    }
}

} // namespace
