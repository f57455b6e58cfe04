// The value and the text input dialogs on real Qt widgets, offscreen, each run
// through its Run in the real modal loop and answered with keys and clicks.
#include "editor/framework/InputDialogs.h"
#include "platform/qt/QtUpDown.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace
{

using QtInputDialogsTest = QtEditorTest;

// What the author does once the dialog is shown.
using Answer = std::function<void(QtEditorTest& test, DialogBase& dialog, QLineEdit* edit)>;

void Click(QtEditorTest& test, DialogBase& dialog, int id);

struct Author
{
    static Answer TypeThenEnter(QString text)
    {
        return [text](QtEditorTest&, DialogBase&, QLineEdit* edit) {
            TypeKeys(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        };
    }
    static Answer TypeThenClick(QString text, int button)
    {
        return [text, button](QtEditorTest& test, DialogBase& dialog, QLineEdit* edit) {
            TypeKeys(edit, text);
            Click(test, dialog, button);
        };
    }
    static Answer TypeThenClose(QString text)
    {
        return [text](QtEditorTest&, DialogBase& dialog, QLineEdit* edit) {
            TypeKeys(edit, text);
            static_cast<platform::QtWindow*>(dialog.Native())->TopLevel()->close();
        };
    }
};

void Click(QtEditorTest& test, DialogBase& dialog, int id)
{
    QWidget* widget = test.Widget(dialog, id);
    if (auto* button = qobject_cast<QPushButton*>(widget))
    {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    else if (auto* spin = dynamic_cast<platform::QtUpDown*>(widget))
    {
        QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    }
}

// Plays the answer once the running dialog of the class is shown, checking
// what it shows first: the prompt as its title and the whole text selected.
template <class Dialog>
void AnswerWhenShown(QtEditorTest& test, const char* prompt, QString startText, Answer answer, bool& answered)
{
    QTimer::singleShot(0, [&test, prompt, startText, answer = std::move(answer), &answered] {
        Dialog* dialog = Dialog::Running();
        ASSERT_NE(dialog, nullptr);
        auto* edit = qobject_cast<QLineEdit*>(test.Widget(*dialog, kIdInputEdit));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(dialog->Native()->Text(), prompt ? prompt : "");
        EXPECT_EQ(static_cast<platform::QtWindow*>(dialog->Native())->TopLevel()->windowTitle(),
                  platform::FromCp932(prompt ? prompt : ""));
        EXPECT_EQ(edit->text(), startText);
        EXPECT_EQ(edit->selectedText(), startText);
        answered = true;
        answer(test, *dialog, edit);
    });
}

TEST_F(QtInputDialogsTest, TheValueDialogStoresOnlyOnOkAndOnlyAValueWithinItsRange)
{
    const struct
    {
        const char* m_pszName;
        int m_nStart;
        int m_nMinimum;
        int m_nMaximum;
        Answer m_Answer;
        int m_nResult;
        int m_nValue;
    } cases[] = {
        {"typed, then Enter", 5, 1, 999, Author::TypeThenEnter("250"), 1, 250},
        {"a lone minus confirmed with Enter stores the minimum", 5, 1, 99, Author::TypeThenEnter("-"), 1, 1},
        {"a number above the maximum, then OK", 5, 1, 99, Author::TypeThenClick("150", kIdDialogOk), 1, 99},
        {"a lone minus, then OK", 5, 0, 10, Author::TypeThenClick("-", kIdDialogOk), 1, 0},
        {"the spin steps within the range", 98, 1, 99,
         [](QtEditorTest& test, DialogBase& dialog, QLineEdit*) {
             Click(test, dialog, kIdInputSpin);
             Click(test, dialog, kIdInputSpin);
             Click(test, dialog, kIdDialogOk);
         },
         1, 99},
        {"Cancel after typing", 5, 1, 99, Author::TypeThenClick("42", kIdDialogCancel), 0, 5},
        {"Cancel after a spin click", 5, 1, 99,
         [](QtEditorTest& test, DialogBase& dialog, QLineEdit*) {
             Click(test, dialog, kIdInputSpin);
             Click(test, dialog, kIdDialogCancel);
         },
         0, 5},
        {"the close box after typing", 5, 1, 99, Author::TypeThenClose("-"), 0, 5},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        int value = c.m_nStart;
        bool answered = false;
        AnswerWhenShown<ValueInputDialog>(*this, "データ数", QString::number(c.m_nStart), c.m_Answer, answered);
        EXPECT_EQ(ValueInputDialog::Run(nullptr, &m_App, &value, c.m_nMinimum, c.m_nMaximum, "データ数", nullptr, 0),
                  c.m_nResult);
        EXPECT_TRUE(answered);
        EXPECT_EQ(value, c.m_nValue);
        EXPECT_EQ(ValueInputDialog::Running(), nullptr);
    }
}

TEST_F(QtInputDialogsTest, TheTextDialogKeepsANameOfTenAndStoresItOnlyOnOk)
{
    const struct
    {
        const char* m_pszName;
        const char* m_pszPrompt;
        Answer m_Answer;
        int m_nResult;
        std::string m_strText;
    } cases[] = {
        {"typed over the old name, then Enter", "変数名の入力", Author::TypeThenEnter(QString::fromUtf8(u8"残り時間")), 1,
         "残り時間"},
        {"the eleventh character is cut", "変数名の入力",
         Author::TypeThenClick(QString::fromUtf8(u8"あいうえおかきくけこさ"), kIdDialogOk), 1, "あいうえおかきくけこ"},
        {"Cancel after typing", "変数名の入力", Author::TypeThenClick("abc", kIdDialogCancel), 0, "old"},
        {"the close box after typing", "変数名の入力", Author::TypeThenClose("abc"), 0, "old"},
        {"no prompt: no title", nullptr, Author::TypeThenEnter("x"), 1, "x"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        std::string text = "old";
        bool answered = false;
        AnswerWhenShown<TextInputDialog>(*this, c.m_pszPrompt, "old", c.m_Answer, answered);
        EXPECT_EQ(TextInputDialog::Run(nullptr, &m_App, &text, 10, 1, c.m_pszPrompt, nullptr, 0), c.m_nResult);
        EXPECT_TRUE(answered);
        EXPECT_EQ(text, c.m_strText);
        EXPECT_EQ(TextInputDialog::Running(), nullptr);
    }
}

} // namespace
