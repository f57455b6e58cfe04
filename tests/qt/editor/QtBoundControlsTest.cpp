// The bound controls on real Qt widgets, offscreen, typed into with key
// events and clicked as the author would: numeric fields with their spins,
// text fields with their limits, combo boxes and check boxes.
#include "common/services/Log.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"
#include "platform/qt/QtButtons.h"
#include "platform/qt/QtUpDown.h"
#include "platform/window/Beep.h"
#include "platform/window/EditModel.h"
#include "platform/window/UpDownModel.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace
{

using platform::WindowHandle;

enum : int
{
    kIdInt = 1201,
    kIdIntSpin = 1202,
    kIdDouble = 1203,
    kIdDoubleSpin = 1204,
    kIdLine = 1205,
    kIdLines = 1206,
    kIdCombo = 1207,
    kIdThreeState = 1208,
};

const DialogTemplate& FieldsDialog()
{
    static const DialogTemplate dialog{9020, "入力", 240, 170, kModalDialog, {
        {kDlgEdit,       kIdInt,         8,   8,  60, 14, "", platform::kEsNumber},
        {kDlgUpDown,     kIdIntSpin,     68,  8,  11, 14},
        {kDlgEdit,       kIdDouble,      8,  26,  60, 14},
        {kDlgUpDown,     kIdDoubleSpin,  68, 26,  11, 14},
        {kDlgEdit,       kIdLine,        8,  44, 120, 14},
        {kDlgMultiEdit,  kIdLines,       8,  62, 220, 50},
        {kDlgComboBox,   kIdCombo,       8, 116,  80, 60},
        {kDlgThreeState, kIdThreeState, 100, 116, 60, 10, "三つ"},
        {kDlgButton,     1006,          180,   8, 46, 14, "OK"},
    }};
    return dialog;
}

class QtBoundControlsTest : public QtEditorTest
{
protected:
    // Runs the fields dialog: bind attaches and binds the wrappers when its
    // window is made (before the data is shown), act plays the author.
    void Run(const std::function<void(DialogBase&)>& bind, const std::function<void(DialogBase&)>& act)
    {
        ScriptedModalRuns runs;
        ProbeDialog dialog(FieldsDialog(), nullptr, &m_App);
        dialog.m_OnInit = [&](ProbeDialog& shown) { bind(shown); };
        runs.Answer([&](DialogBase& shown) {
            m_pDialog = &shown;
            act(shown);
            m_pDialog = nullptr;
        });
        dialog.RunModal(0);
    }
    template <class Wrapper, class Binding>
    static void Bind(DialogBase& dialog, Wrapper& wrapper, const Binding& binding)
    {
        wrapper.Attach(&dialog, binding);
        dialog.BindControl(&wrapper);
    }
    // A decimal field (-100 to 100 in steps of 0.1) and an integer field
    // (-1000 to 1000) in one dialog; act plays the author.
    void RunNumberFields(NumberEdit<double>& edit, double& value, NumberEdit<int>& counts, int& whole,
                         const std::function<void()>& act)
    {
        edit.Binding().Set(kIdDouble, &value, -100.0, 100.0, 0, kIdDoubleSpin, 0.1);
        counts.Binding().Set(kIdInt, &whole, -1000, 1000, 0, kIdIntSpin, 1);
        Run(
            [&](DialogBase& dialog) {
                Bind(dialog, edit, edit.Binding());
                Bind(dialog, counts, counts.Binding());
            },
            [&](DialogBase&) { act(); });
    }

    QLineEdit* Line(int id) const { return qobject_cast<QLineEdit*>(Widget(*m_pDialog, id)); }
    QPlainTextEdit* Lines(int id) const { return qobject_cast<QPlainTextEdit*>(Widget(*m_pDialog, id)); }
    platform::EditModel* Edit(int id) const { return ModelOf<platform::EditModel>(*m_pDialog, id); }
    // The field has the focus, as after the author clicked into it.
    void FocusOn(int id) { m_System.SetFocus(Item(*m_pDialog, id)); }
    // The author moves on to the OK button.
    void Leave() { FocusOn(1006); }
    // Ctrl+A, then the text typed key by key.
    void Retype(QWidget* widget, const QString& text)
    {
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        Type(widget, text);
    }
    static void Type(QWidget* widget, const QString& text) { TypeKeys(widget, text); }
    void ClickSpin(int id, bool up)
    {
        auto* spin = static_cast<platform::QtUpDown*>(Widget(*m_pDialog, id));
        QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
    }
    void SetCaret(int id, int byte)
    {
        m_System.SendMessage(Item(*m_pDialog, id), platform::kEmSetSel, static_cast<uintptr_t>(byte), byte);
    }

    platform::BeepRecorder m_Beeps;
    DialogBase* m_pDialog = nullptr;
};

// ---- numeric fields ----

TEST_F(QtBoundControlsTest, AnIntegerFieldKeepsItsTextANumberWithinItsLimitsAndStoresOnlyValuesWithinThem)
{
    const struct
    {
        int m_nMinimum;
        int m_nMaximum;
        const char* m_pszTyped;
        const char* m_pszShown; // while the field has the focus
        int m_nStored;
        const char* m_pszLeft; // once the focus moved on
    } cases[] = {
        {1, 99, "0", "1", 1, "1"},
        {1, 99, "150", "99", 99, "99"},
        {1, 99, "42", "42", 42, "42"},
        {1, 99, "-", "-", 1, "1"}, // a lone minus stays on screen, but stores the minimum
        {1, 99, "-0", "-0", 1, "1"},
        {1, 99, "-5", "1", 1, "1"},
        {0, 200, "007", "7", 7, "7"},
        {1, 99, "5a!", "5", 5, "5"}, // a letter and a sign are refused
        {-50, 50, "-12", "-12", -12, "-12"},
        {-50, 50, "-", "-", 0, "0"},
        {-10, -1, "-0", "-0", -1, "-1"},
        {1, 99, "99999999999", "99", 99, "99"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszTyped);
        int value = 5;
        NumberEdit<int> edit;
        edit.Binding().Set(kIdInt, &value, c.m_nMinimum, c.m_nMaximum, 0, kIdIntSpin, 1);
        Run([&](DialogBase& dialog) { Bind(dialog, edit, edit.Binding()); },
            [&](DialogBase&) {
                EXPECT_FALSE(platform::ResolveWindow(Item(*m_pDialog, kIdInt))->Style() & platform::kEsNumber);
                EXPECT_EQ(Line(kIdInt)->text(), QString::number(std::clamp(5, c.m_nMinimum, c.m_nMaximum)));
                FocusOn(kIdInt);
                Retype(Line(kIdInt), c.m_pszTyped);
                EXPECT_EQ(Line(kIdInt)->text(), c.m_pszShown);
                edit.ControlToData(); // Enter on the default button stores with the field still focused
                EXPECT_EQ(value, c.m_nStored);
                Leave();
                EXPECT_EQ(Line(kIdInt)->text(), c.m_pszLeft);
                value = 0;
                edit.ControlToData();
                EXPECT_EQ(value, c.m_nStored);
            });
    }
}

TEST_F(QtBoundControlsTest, AnEmptiedFieldStaysEmptyWhileFocusedAndShowsZeroOrTheMinimumWhenLeft)
{
    const struct
    {
        int m_nMinimum;
        int m_nMaximum;
        const char* m_pszLeft;
        const char* m_pszAfterUp;   // a click on the up arrow of the empty field
        const char* m_pszAfterDown; // ... and on the down arrow
    } cases[] = {
        {1, 99, "1", "2", "1"},
        {-5, 5, "0", "1", "-1"},
        {-9, -2, "-2", "-2", "-2"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_nMinimum);
        int value = c.m_nMinimum + 1;
        NumberEdit<int> edit;
        edit.Binding().Set(kIdInt, &value, c.m_nMinimum, c.m_nMaximum, 0, kIdIntSpin, 1);
        Run([&](DialogBase& dialog) { Bind(dialog, edit, edit.Binding()); },
            [&](DialogBase&) {
                auto empty = [&] {
                    FocusOn(kIdInt);
                    QTest::keyClick(Line(kIdInt), Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClick(Line(kIdInt), Qt::Key_Backspace);
                    EXPECT_EQ(Line(kIdInt)->text(), "");
                    EXPECT_TRUE(edit.IsEmpty());
                };
                empty();
                Leave();
                EXPECT_EQ(Line(kIdInt)->text(), c.m_pszLeft);
                empty();
                ClickSpin(kIdIntSpin, true);
                EXPECT_EQ(Line(kIdInt)->text(), c.m_pszAfterUp);
                empty();
                ClickSpin(kIdIntSpin, false);
                EXPECT_EQ(Line(kIdInt)->text(), c.m_pszAfterDown);
            });
    }
}

TEST_F(QtBoundControlsTest, ADoubleFieldShowsTheDecimalsOfItsUnitAndReadsTheTypedValueRoundedToThem)
{
    double value = 0;
    NumberEdit<double> edit;
    edit.Binding().Set(kIdDouble, &value, 0.0, 100.0, 0, kIdDoubleSpin, 0.1);
    Run([&](DialogBase& dialog) { Bind(dialog, edit, edit.Binding()); },
        [&](DialogBase&) {
            EXPECT_EQ(edit.Decimals(), 1);
            EXPECT_EQ(Line(kIdDouble)->text(), "0.0");
            FocusOn(kIdDouble);
            Retype(Line(kIdDouble), "12.3456");
            EXPECT_EQ(Line(kIdDouble)->text(), "12.3456"); // the typing stays on screen
            EXPECT_EQ(edit.GetValue(), 12.3);
            Leave();
            EXPECT_EQ(Line(kIdDouble)->text(), "12.3");
            ClickSpin(kIdDoubleSpin, true);
            EXPECT_EQ(Line(kIdDouble)->text(), "12.4");
            edit.ControlToData();
            EXPECT_DOUBLE_EQ(value, 12.4);
            const std::string tiny = "0." + std::string(400, '0') + "1";

            const struct
            {
                const char* m_pszTyped;
                const char* m_pszShown;
                double m_dStored;
                const char* m_pszLeft;
            } cases[] = {
                {"150", "100.0", 100.0, "100.0"},
                {"7.", "7.", 7.0, "7.0"},
                {"-", "-", 0.0, "0.0"},
                {"-3", "0.0", 0.0, "0.0"},
                {"-0.04", "-0.04", 0.0, "0.0"},
                {"99.97", "99.97", 100.0, "100.0"}, // read rounded to one decimal
                {tiny.c_str(), tiny.c_str(), 0.0, "0.0"}, // too small for a double: 0, not the maximum
            };
            for (const auto& c : cases)
            {
                SCOPED_TRACE(c.m_pszTyped);
                FocusOn(kIdDouble);
                Retype(Line(kIdDouble), c.m_pszTyped);
                EXPECT_EQ(Line(kIdDouble)->text(), c.m_pszShown);
                edit.ControlToData();
                EXPECT_DOUBLE_EQ(value, c.m_dStored);
                Leave();
                EXPECT_EQ(Line(kIdDouble)->text(), c.m_pszLeft);
            }
        });
}

TEST_F(QtBoundControlsTest, TheSpinStepsByTheUnitWithinTheLimitsAndLeavesOtherSpinsAlone)
{
    int count = 97;
    double rate = 99.5;
    NumberEdit<int> counts;
    NumberEdit<double> rates;
    // A descriptor of its own, not the wrapper's: the spin is the one attached.
    NumberEditBinding<int> countBinding;
    countBinding.Set(kIdInt, &count, 1, 99, 0, kIdIntSpin, 2);
    rates.Binding().Set(kIdDouble, &rate, -1.0, 100.0, 0, kIdDoubleSpin, 0.25);
    Run(
        [&](DialogBase& dialog) {
            Bind(dialog, counts, countBinding);
            Bind(dialog, rates, rates.Binding());
        },
        [&](DialogBase&) {
            EXPECT_EQ(Line(kIdDouble)->text(), "99.50");
            const struct
            {
                int m_nSpin;
                bool m_bUp;
                int m_nField;
                const char* m_pszShown;
            } clicks[] = {
                {kIdIntSpin, true, kIdInt, "99"},        {kIdIntSpin, true, kIdInt, "99"},
                {kIdIntSpin, false, kIdInt, "97"},       {kIdDoubleSpin, true, kIdDouble, "99.75"},
                {kIdDoubleSpin, true, kIdDouble, "100.00"}, {kIdDoubleSpin, true, kIdDouble, "100.00"},
                {kIdDoubleSpin, false, kIdDouble, "99.75"},
            };
            for (const auto& click : clicks)
            {
                ClickSpin(click.m_nSpin, click.m_bUp);
                EXPECT_EQ(Line(click.m_nField)->text(), click.m_pszShown);
            }
            EXPECT_EQ(Line(kIdInt)->text(), "97"); // the other field's spin did not move it
            // The up-down control's own position never moves: the field steps.
            EXPECT_EQ(ModelOf<platform::UpDownModel>(*m_pDialog, kIdIntSpin)->Position(), 1);
            // A spin click of another id is not the field's.
            platform::NotifyUpDown other;
            other.m_Header.m_nCode = platform::kUdnDeltaPos;
            other.m_nDelta = 1;
            EXPECT_EQ(counts.OnNotify(kIdDoubleSpin, &other.m_Header), 0);
            EXPECT_EQ(counts.OnNotify(kIdIntSpin, &other.m_Header), 1);
            EXPECT_EQ(Line(kIdInt)->text(), "99");
            // Disabling the field disables its spin.
            counts.Enable(0);
            EXPECT_FALSE(Line(kIdInt)->isEnabled());
            EXPECT_FALSE(Widget(*m_pDialog, kIdIntSpin)->isEnabled());
        });
    EXPECT_EQ(count, 97); // nothing stored without ControlToData
}

TEST_F(QtBoundControlsTest, ACharacterThatIsNoPartOfANumberIsRefusedWithABeepAndADecimalFieldTakesACommaAsItsPoint)
{
    double value = 0;
    int whole = 3;
    NumberEdit<double> edit;
    NumberEdit<int> counts;
    RunNumberFields(edit, value, counts, whole, [&] {
        const struct
        {
            int m_nField;
            const char* m_pszTyped;
            bool m_bPasted;
            const char* m_pszShown;
            int m_nBeeps;
        } cases[] = {
            {kIdDouble, "2,5", false, "2.5", 0},
            {kIdDouble, "2,5", true, "2.5", 0},
            {kIdDouble, "2a", false, "2", 1},
            {kIdDouble, "2.5.", false, "2.5", 1}, // a second point
            {kIdDouble, "2,5,", false, "2.5", 1},
            {kIdDouble, "4-", false, "4", 1},     // a minus behind a digit
            {kIdDouble, "1 5", false, "15", 1},
            {kIdDouble, "2,5a", true, "", 1},     // a paste with a letter: none of it
            {kIdDouble, "1.2.3", true, "", 1},
            {kIdInt, "2.5", false, "25", 1},      // an integer has no point
            {kIdInt, "2,5", false, "25", 1},
            {kIdInt, "7!", false, "7", 1},
            {kIdInt, "2,5", true, "", 1},
            {kIdInt, "-12", true, "-12", 0},
        };
        for (const auto& c : cases)
        {
            SCOPED_TRACE(std::string(c.m_pszTyped) + (c.m_bPasted ? " pasted" : " typed"));
            QLineEdit* line = Line(c.m_nField);
            FocusOn(c.m_nField);
            QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(line, Qt::Key_Backspace);
            m_Beeps.Clear();
            if (c.m_bPasted)
            {
                QGuiApplication::clipboard()->setText(c.m_pszTyped);
                QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
            }
            else
            {
                Type(line, c.m_pszTyped);
            }
            EXPECT_EQ(line->text(), c.m_pszShown);
            EXPECT_EQ(m_Beeps.Count(), c.m_nBeeps);
        }
        // The German keypad's decimal key types a comma; the value read is 2.5.
        FocusOn(kIdDouble);
        QTest::keyClick(Line(kIdDouble), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Line(kIdDouble), Qt::Key_2);
        QTest::keyClick(Line(kIdDouble), Qt::Key_Comma, Qt::KeypadModifier);
        QTest::keyClick(Line(kIdDouble), Qt::Key_5);
        EXPECT_EQ(Line(kIdDouble)->text(), "2.5");
        edit.ControlToData();
        EXPECT_EQ(value, 2.5);
    });
}

TEST_F(QtBoundControlsTest, FullWidthDigitsAndPointCommittedByTheInputMethodAreTypedAsAscii)
{
    double value = 0;
    int whole = 3;
    NumberEdit<double> edit;
    NumberEdit<int> counts;
    RunNumberFields(edit, value, counts, whole, [&] {
        const struct
        {
            int m_nField;
            const char8_t* m_pszCommitted;
            const char* m_pszShown;
            int m_nBeeps;
        } cases[] = {
            {kIdDouble, u8"１２．５", "12.5", 0},
            {kIdDouble, u8"－３", "-3", 0},
            {kIdDouble, u8"1２,5", "12.5", 0}, // half-width characters as typed
            {kIdDouble, u8"ａ", "", 1},        // a full-width letter is refused
            {kIdDouble, u8"１ａ２", "", 1},    // ... and the digits committed with it
            {kIdInt, u8"１２．５", "", 1},     // an integer has no point
            {kIdInt, u8"－０", "-0", 0},
        };
        for (const auto& c : cases)
        {
            SCOPED_TRACE(c.m_pszShown);
            QLineEdit* line = Line(c.m_nField);
            FocusOn(c.m_nField);
            QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(line, Qt::Key_Backspace);
            m_Beeps.Clear();
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8(c.m_pszCommitted));
            QCoreApplication::sendEvent(line, &commit);
            EXPECT_EQ(line->text(), c.m_pszShown);
            EXPECT_EQ(m_Beeps.Count(), c.m_nBeeps);
        }
    });
}

// ---- text fields ----

TEST_F(QtBoundControlsTest, ADoubleByteNameOfTwelveCutsTheThirteenthCharacterOrBeepsWhenItWouldBreakTheLine)
{
    std::string name = "";
    TextEdit edit;
    edit.Binding().Set(kIdLine, &name, 12, 1);
    Run([&](DialogBase& dialog) { Bind(dialog, edit, edit.Binding()); },
        [&](DialogBase&) {
            EXPECT_EQ(edit.ByteCount(), 25);
            QLineEdit* line = Line(kIdLine);
            FocusOn(kIdLine);
            const QString twelve = QString::fromUtf8(u8"あいうえおかきくけこさし");
            Type(line, twelve);
            Type(line, QString::fromUtf8(u8"す")); // 26 bytes: cut to 24 when read, silently
            EXPECT_EQ(line->text(), twelve);
            EXPECT_EQ(m_Beeps.Count(), 0);

            // Eleven double-byte characters and one single-byte one are 23 bytes;
            // a thirteenth character still fits in 24 bytes, but breaks the line.
            const QString eleven = twelve.left(11) + "a";
            Retype(line, eleven);
            EXPECT_EQ(line->text(), eleven);
            Type(line, "b");
            EXPECT_EQ(m_Beeps.Count(), 1);
            EXPECT_EQ(line->text(), eleven);
            EXPECT_EQ(line->cursorPosition(), 12);
            edit.ControlToData();
            EXPECT_EQ(name, platform::ToCp932(eleven));
        });
}

TEST_F(QtBoundControlsTest, ASingleByteFieldDropsTheByteBeyondItsLimitWithoutABeep)
{
    std::string path(260, 'a');
    TextEdit edit;
    edit.Binding().Set(kIdLine, &path, 260, 0);
    Run([&](DialogBase& dialog) { Bind(dialog, edit, edit.Binding()); },
        [&](DialogBase&) {
            EXPECT_EQ(edit.LineWidth(), 1024);
            FocusOn(kIdLine);
            QTest::keyClick(Line(kIdLine), Qt::Key_End);
            Type(Line(kIdLine), "b");
            edit.ControlToData();
            EXPECT_EQ(path, std::string(260, 'a'));
            EXPECT_EQ(m_Beeps.Count(), 0);
        });
}

TEST_F(QtBoundControlsTest, AMessageOfThirtyCharactersByFourLinesWrapsJoinsAndRefuses)
{
    const std::string a30(30, 'a');
    const std::string b29(29, 'b');
    const struct Case
    {
        const char* m_pszName;
        std::string m_strText;
        int m_nCaret; // byte
        std::function<void(QPlainTextEdit*)> m_Keys;
        std::string m_strAfter;
        int m_nCaretAfter;
        int m_nBeeps;
    } cases[] = {
        {"a 31st character moves the overflow to the start of the next line", a30 + "\r\nbbb", 10,
         [](QPlainTextEdit* w) { Type(w, "X"); }, std::string(10, 'a') + "X" + std::string(19, 'a') + "\r\nabbb", 11,
         0},
        {"typed at the end of a full line, the character itself moves", a30 + "\r\nbbb", 30,
         [](QPlainTextEdit* w) { Type(w, "X"); }, a30 + "\r\nXbbb", 33, 0},
        {"the overflow of the last line makes a new one", "c\r\n" + a30, 33,
         [](QPlainTextEdit* w) { Type(w, "X"); }, "c\r\n" + a30 + "\r\nX", 36, 0},
        {"double-byte characters count one each", std::string(28, 'a'), 28,
         [](QPlainTextEdit* w) { Type(w, QString::fromUtf8(u8"あい")); }, std::string(28, 'a') + "あい", 32, 0},
        {"a fifth line is refused", "1\r\n2\r\n3\r\n4", 10,
         [](QPlainTextEdit* w) { QTest::keyClick(w, Qt::Key_Return); }, "1\r\n2\r\n3\r\n4", 10, 1},
        {"a caret between the break's two bytes moves behind them", "ab\r\ncd\r\nef\r\ngh", 1,
         [](QPlainTextEdit* w) { QTest::keyClick(w, Qt::Key_Return); }, "ab\r\ncd\r\nef\r\ngh", 4, 1},
        {"a fifth line made by wrapping is refused", "1\r\n2\r\n3\r\n" + a30, 39,
         [](QPlainTextEdit* w) { Type(w, "X"); }, "1\r\n2\r\n3\r\n" + a30, 39, 1},
        {"Backspace joining onto a line of 29 after a break is undone", "c\r\n" + b29 + "\r\nd", 34,
         [](QPlainTextEdit* w) { QTest::keyClick(w, Qt::Key_Backspace); }, "c\r\n" + b29 + "\r\nd", 32, 0},
        {"on the first line 29 characters may take one more", b29 + "\r\nd", 31,
         [](QPlainTextEdit* w) { QTest::keyClick(w, Qt::Key_Backspace); }, b29 + "d", 29, 0},
        {"but not on a first line of 30", a30 + "\r\nd", 32,
         [](QPlainTextEdit* w) { QTest::keyClick(w, Qt::Key_Backspace); }, a30 + "\r\nd", 30, 0},
        {"the empty text is accepted", "x", 1, [](QPlainTextEdit* w) { QTest::keyClick(w, Qt::Key_Backspace); }, "",
         0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        m_Beeps.Clear();
        std::string message = c.m_strText;
        TextEdit edit;
        edit.Binding().m_nId = kIdLines;
        edit.Binding().m_pText = &message;
        edit.Binding().m_nLineWidth = 30;
        edit.Binding().m_nMaxLines = 4;
        edit.Binding().m_bDoubleByte = 1;
        Run([&](DialogBase& dialog) { Bind(dialog, edit, edit.Binding()); },
            [&](DialogBase&) {
                EXPECT_EQ(edit.ByteCount(), 512); // a read count of 0 is 512 and never reads more
                FocusOn(kIdLines);
                SetCaret(kIdLines, c.m_nCaret);
                c.m_Keys(Lines(kIdLines));
                EXPECT_EQ(Edit(kIdLines)->Text(), c.m_strAfter);
                EXPECT_EQ(Lines(kIdLines)->toPlainText(), platform::FromCp932(c.m_strAfter).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
                EXPECT_EQ(Edit(kIdLines)->SelectionStart(), c.m_nCaretAfter);
                EXPECT_EQ(Edit(kIdLines)->SelectionEnd(), c.m_nCaretAfter);
                EXPECT_EQ(m_Beeps.Count(), c.m_nBeeps);
                EXPECT_EQ(edit.LastAccepted(), c.m_strAfter);
                edit.ControlToData();
                EXPECT_EQ(message, c.m_strAfter);
            });
    }
    EXPECT_EQ(TextEdit::CountLines(""), 0);
    EXPECT_EQ(TextEdit::CountLines("a\r\n"), 2);
}

TEST_F(QtBoundControlsTest, AStoredTextBeyondTheLimitsShowsAsMuchOfItAsFitsWithoutABeep)
{
    std::string name = "abcdefghijklm"; // thirteen characters in a field of twelve
    std::string message = "1\r\n2\r\n3\r\n4\r\n5";
    TextEdit nameEdit;
    TextEdit messageEdit;
    nameEdit.Binding().Set(kIdLine, &name, 12, 1);
    messageEdit.Binding().m_nId = kIdLines;
    messageEdit.Binding().m_pText = &message;
    messageEdit.Binding().m_nLineWidth = 30;
    messageEdit.Binding().m_nMaxLines = 4;
    messageEdit.Binding().m_bDoubleByte = 1;
    Run(
        [&](DialogBase& dialog) {
            Bind(dialog, nameEdit, nameEdit.Binding());
            Bind(dialog, messageEdit, messageEdit.Binding());
        },
        [&](DialogBase& dialog) {
            EXPECT_EQ(Line(kIdLine)->text(), "abcdefghijkl");
            EXPECT_EQ(Edit(kIdLines)->Text(), "1\r\n2\r\n3\r\n4");
            EXPECT_EQ(m_Beeps.Count(), 0);
            // Shown again while the dialog ignores its controls' notifications, the same.
            name = "nopqrstuvwxyz";
            dialog.DataToControlsFrom(1006);
            EXPECT_EQ(Line(kIdLine)->text(), "nopqrstuvwxy");
            EXPECT_EQ(nameEdit.LastAccepted(), "nopqrstuvwxy");
            dialog.ControlsToData();
        });
    EXPECT_EQ(name, "nopqrstuvwxy");
    EXPECT_EQ(message, "1\r\n2\r\n3\r\n4");
}

// In a dialog that keeps untouched values (the database pages), a field the
// author left as it was shown stores nothing (a value beyond the
// limits, more decimals than shown, a text longer than the field takes, all
// stay as given, focused and left or not); a field changed and then changed
// back to the text first shown stores what it shows.
TEST_F(QtBoundControlsTest, FieldsLeftAsShownStoreNothingAndFieldsChangedBackStoreWhatTheyShow)
{
    int32_t count = 150;
    double rate = 5.25;
    std::string name = "abcdefghijklm";
    NumberEdit<int> countEdit;
    NumberEdit<double> rateEdit;
    TextEdit nameEdit;
    countEdit.Binding().Set(kIdInt, &count, 0, 100, 0, kIdIntSpin, 1);
    rateEdit.Binding().Set(kIdDouble, &rate, 0.0, 99.9, 0, kIdDoubleSpin, 0.1);
    nameEdit.Binding().Set(kIdLine, &name, 12, 1);
    QString shownRate;
    Run(
        [&](DialogBase& dialog) {
            dialog.SetKeepsUntouchedValues(1);
            Bind(dialog, countEdit, countEdit.Binding());
            Bind(dialog, rateEdit, rateEdit.Binding());
            Bind(dialog, nameEdit, nameEdit.Binding());
        },
        [&](DialogBase& dialog) {
            EXPECT_EQ(Line(kIdInt)->text(), "100");
            shownRate = Line(kIdDouble)->text();
            EXPECT_EQ(shownRate.size(), 3);
            for (int id : {kIdInt, kIdDouble, kIdLine})
            {
                FocusOn(id);
                Leave();
            }
            dialog.ControlsToData();
            EXPECT_EQ(count, 150);
            EXPECT_EQ(rate, 5.25);
            EXPECT_EQ(name, "abcdefghijklm");

            Retype(Line(kIdInt), "7");
            Retype(Line(kIdDouble), "6");
            Retype(Line(kIdLine), "x");
            dialog.ControlsToData();
            EXPECT_EQ(count, 7);
            EXPECT_EQ(rate, 6.0);
            EXPECT_EQ(name, "x");
            Retype(Line(kIdInt), "100");
            Retype(Line(kIdDouble), shownRate);
            Retype(Line(kIdLine), "abcdefghijkl");
            dialog.ControlsToData();
        });
    EXPECT_EQ(count, 100);
    EXPECT_EQ(rate, shownRate.toDouble());
    EXPECT_EQ(name, "abcdefghijkl");
}

// ---- combo boxes and check boxes ----

const char* const kLetters[] = {"A", "B", "C", ""};
const char* const kNothing[] = {"", "X", ""};

TEST_F(QtBoundControlsTest, AComboBoxShowsAndStoresItsValueByBaseOrValueTable)
{
    const std::vector<int32_t> table{0, 5, 9};
    const struct
    {
        const char* m_pszName;
        const char* const* m_pItems;
        int32_t m_nBase;
        const std::vector<int32_t>* m_pValues;
        int32_t m_nBound;
        int m_nShownRow;
        int m_nKeysDown; // the author's arrow keys: down (positive) or up
        int32_t m_nStored;
    } cases[] = {
        {"base 1: value 3 is C; choosing A stores 1", kLetters, 1, nullptr, 3, 2, -2, 1},
        {"value table: 5 is B; choosing C stores 9", kLetters, 0, &table, 5, 1, 1, 9},
        {"a value not in the table selects nothing and stores base - 1", kLetters, 7, &table, 4, -1, 0, 6},
        {"a value beyond the rows selects nothing and stores base - 1", kLetters, 3, nullptr, 10, -1, 0, 2},
        {"a value below the base selects nothing", kLetters, 1, nullptr, 0, -1, 0, 0},
        {"a table whose first text is empty fills an empty list", kNothing, 4, nullptr, 4, -1, 0, 3},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        int32_t value = c.m_nBound;
        ComboBox box;
        box.Binding().SetItemTable(kIdCombo, &value, c.m_pItems, c.m_nBase);
        box.Binding().m_pValueTable = c.m_pValues;
        Run([&](DialogBase& dialog) { Bind(dialog, box, box.Binding()); },
            [&](DialogBase&) {
                auto* combo = qobject_cast<QComboBox*>(Widget(*m_pDialog, kIdCombo));
                ASSERT_NE(combo, nullptr);
                EXPECT_EQ(combo->count(), c.m_pItems == kNothing ? 0 : 3);
                EXPECT_EQ(combo->currentIndex(), c.m_nShownRow);
                for (int i = 0; i < std::abs(c.m_nKeysDown); ++i)
                {
                    QTest::keyClick(combo, c.m_nKeysDown > 0 ? Qt::Key_Down : Qt::Key_Up);
                }
                box.ControlToData();
                EXPECT_EQ(value, c.m_nStored);
                EXPECT_EQ(box.GetSelectedData(), c.m_nStored);
            });
    }
}

TEST_F(QtBoundControlsTest, ANewItemVectorKeepsTheRowOrWithAValueTableTheBoundValue)
{
    std::vector<std::string> names{"甲", "乙", "丙"};
    std::vector<std::string> more{"甲", "乙", "丙", "丁", ""};
    std::vector<int32_t> ids{3, 6, 9, 12, 15};
    int32_t byRow = 1;
    int32_t byTable = 9;
    ComboBox rows;
    ComboBox tabled;
    rows.Binding().Set(kIdCombo, &byRow, &names, 0, nullptr);
    Run([&](DialogBase& dialog) { Bind(dialog, rows, rows.Binding()); },
        [&](DialogBase&) {
            auto* combo = qobject_cast<QComboBox*>(Widget(*m_pDialog, kIdCombo));
            QTest::keyClick(combo, Qt::Key_Down);
            EXPECT_EQ(combo->currentIndex(), 2);
            rows.SetItemVector(&more);
            EXPECT_EQ(combo->count(), 5);
            EXPECT_EQ(combo->itemText(4), "");
            EXPECT_EQ(combo->currentIndex(), 2);
            EXPECT_EQ(byRow, 1); // the bound value is not changed
            rows.SetItemTable(kLetters);
            EXPECT_EQ(combo->currentText(), "C");
        });
    tabled.Binding().Set(kIdCombo, &byTable, &names, 0, &ids);
    Run([&](DialogBase& dialog) { Bind(dialog, tabled, tabled.Binding()); },
        [&](DialogBase&) {
            auto* combo = qobject_cast<QComboBox*>(Widget(*m_pDialog, kIdCombo));
            EXPECT_EQ(combo->currentIndex(), 2);
            QTest::keyClick(combo, Qt::Key_Up);
            tabled.SetItemVector(&more);
            EXPECT_EQ(combo->currentIndex(), 2); // the bound value's row again
            // SelectData selects the row of the value it is given.
            tabled.SelectData(12);
            EXPECT_EQ(combo->currentIndex(), 3);
            EXPECT_EQ(tabled.GetSelectedData(), 12);
            tabled.SelectData(4);
            EXPECT_EQ(combo->currentIndex(), -1);
        });
}

TEST_F(QtBoundControlsTest, ARowOutsideTheValueTableIsReportedAndStoresMinusOne)
{
    std::vector<int32_t> ids{3, 6};
    int32_t value = 6;
    CheckedVector<ComboBox> boxes(1);
    boxes.At(0).Binding().SetItemTable(kIdCombo, &value, kLetters, 0);
    boxes.At(0).Binding().m_pValueTable = &ids;
    Run([&](DialogBase& dialog) { Bind(dialog, boxes.At(0), boxes.At(0).Binding()); },
        [&](DialogBase&) {
            auto* combo = qobject_cast<QComboBox*>(Widget(*m_pDialog, kIdCombo));
            QTest::keyClick(combo, Qt::Key_Down);
            EXPECT_EQ(combo->currentIndex(), 2);
            InitErrorLog(1, "EC_Editor.txt"); // the box shows only while the error log is on
            boxes.At(0).ControlToData();
            InitErrorLog(0, "EC_Editor.txt");
            EnableComboBoxById(boxes, kIdCombo, 0);
            EXPECT_FALSE(combo->isEnabled());
            EnableComboBoxById(boxes, kIdLine, 1); // no such combo box: nothing
            EXPECT_FALSE(combo->isEnabled());
        });
    EXPECT_EQ(value, -1);
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strText, "コンボボックスのPosToDataに失敗！");
}

TEST_F(QtBoundControlsTest, ACheckBoxShowsItsValueAndStoresWhatTheAuthorClicked)
{
    int32_t state = 2;
    CheckBox box;
    box.Binding().Set(kIdThreeState, &state);
    Run([&](DialogBase& dialog) { Bind(dialog, box, box.Binding()); },
        [&](DialogBase&) {
            QAbstractButton* button = static_cast<platform::QtCheckButton*>(Widget(*m_pDialog, kIdThreeState))->Button();
            auto* check = qobject_cast<QCheckBox*>(button);
            ASSERT_NE(check, nullptr);
            EXPECT_EQ(check->checkState(), Qt::PartiallyChecked);
            const int after[] = {0, 1, 2};
            for (int expected : after)
            {
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
                box.ControlToData();
                EXPECT_EQ(state, expected);
            }
        });
}

} // namespace
