// The bound list box on real Qt widgets, offscreen: the author picks a row
// with the mouse, types Ctrl+I into the list of a modal dialog, and OK or
// Cancel decides whether the dialog's data gets the edited list.
#include "tests/editor/framework/ListTestSupport.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace
{

using Values = std::vector<int32_t>;

class QtListBoxTest : public QtEditorTest
{
protected:
    QListWidget* List(const DialogBase& dialog) const
    {
        return qobject_cast<QListWidget*>(Widget(dialog, kIdTestList));
    }
    QStringList Rows(const DialogBase& dialog) const
    {
        QStringList rows;
        for (int i = 0; i < List(dialog)->count(); ++i)
        {
            rows << List(dialog)->item(i)->text();
        }
        return rows;
    }
    // Ctrl+I into the widget, the copies the keyboard hook posts handled while the keys are held.
    void CtrlI(QWidget* widget)
    {
        QTest::keyPress(widget, Qt::Key_I, Qt::ControlModifier);
        m_System.PumpMessages();
        QTest::keyRelease(widget, Qt::Key_I, Qt::ControlModifier);
        m_System.PumpMessages();
    }
};

TEST_F(QtListBoxTest, ARowInsertedWithCtrlIReachesTheBoundVectorOnlyThroughOk)
{
    const QString trailer(64, '-');
    const struct
    {
        const char* m_pszWhat;
        int m_nButton;
        bool m_bWithoutLists;
        Values m_Bound;
        bool m_bFieldStored;
    } cases[] = {
        {"OK stores every control", 1006, false, {10, 0, 20}, true},
        {"Cancel stores nothing", 1007, false, {10, 20}, false},
        {"the commit without lists stores the field only", 1006, true, {10, 20}, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        CheckedVector<int32_t> bound{10, 20};
        CheckedVector<int32_t> working;
        int32_t record = -1;
        ListDialog dialog(&m_App);
        dialog.m_nMode = 1; // insert and delete, command set 1: Ctrl+I is 40069
        dialog.m_bCommitWithoutLists = c.m_bWithoutLists;
        dialog.m_List.Binding().Set(kIdTestList, &bound, &working, &record, 0, 0, 99, 0, 1, 0, ValueRowText);
        ProbeControl field(kControlTextEdit, kIdTestField);
        field.m_strValue = "5";
        dialog.m_Probes = {&field};
        std::string typed;
        QTimer::singleShot(0, [&] {
            QListWidget* list = List(dialog);
            auto* edit = qobject_cast<QLineEdit*>(Widget(dialog, kIdTestField));
            ASSERT_TRUE(list && edit);
            EXPECT_EQ(Rows(dialog), (QStringList{platform::FromCp932("値10"), platform::FromCp932("値20"), trailer}));
            EXPECT_EQ(list->currentRow(), 0);
            // Typed into the field, Ctrl+I is no list command.
            m_System.SetFocus(Item(dialog, kIdTestField));
            CtrlI(edit);
            EXPECT_EQ(dialog.m_Commands, std::vector<int>{});
            EXPECT_EQ(working.size(), 2u);
            // The author picks row 1 and types Ctrl+I into the list.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
            EXPECT_EQ(record, 20);
            CtrlI(list);
            EXPECT_EQ(dialog.m_Commands, std::vector<int>{40069});
            EXPECT_EQ(dialog.m_nListCommands, 1);
            EXPECT_EQ(Rows(dialog), (QStringList{platform::FromCp932("値10"), platform::FromCp932("値0"),
                                                 platform::FromCp932("値20"), trailer}));
            EXPECT_EQ(list->currentRow(), 1);
            EXPECT_EQ(record, 0);
            EXPECT_EQ(bound.size(), 2u);
            TypeKeys(edit, "7");
            typed = platform::ToCp932(edit->text());
            EXPECT_NE(typed, "5");
            QTest::mouseClick(qobject_cast<QPushButton*>(Widget(dialog, c.m_nButton)), Qt::LeftButton);
        });
        EXPECT_EQ(dialog.RunModal(0), c.m_nButton == 1006 ? 1 : 0);
        EXPECT_EQ(Values(bound.begin(), bound.end()), c.m_Bound);
        EXPECT_EQ(field.m_strValue, c.m_bFieldStored ? typed : "5");
    }
}

} // namespace
