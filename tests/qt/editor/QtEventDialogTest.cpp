// The event dialog on real Qt widgets, offscreen, clicked and typed into as
// the author would, on an event of one page without actions.
#include "common/data/DataStream.h"
#include "common/project/ProjectFiles.h"
#include "editor/event/EventDialog.h"
#include "editor/stage/StageEditState.h"
#include "platform/window/Beep.h"
#include "tests/qt/editor/QtEditorFixture.h"
#include "tests/qt/editor/QtPopupWatch.h"

#include "TempFolder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace
{

std::vector<unsigned char> Image(const Event& event)
{
    Event copy = event;
    DataWriter out;
    copy.Save(out);
    return out.Bytes();
}

class QtEventDialogTest : public QtEditorTest
{
protected:
    void SetUp() override
    {
        QtEditorTest::SetUp();
        ResetProjectData();
        Stage.m_Event.resize(1);
        Stage.m_Event.At(0).m_strName = "扉";
    }
    void TearDown() override
    {
        ResetProjectData();
        QtEditorTest::TearDown();
    }

    int Run(const std::function<void(DialogBase&)>& act)
    {
        ScriptedModalRuns runs;
        runs.Answer(act);
        EventEditRequest request;
        request.m_pEvent = &Stage.m_Event.At(0);
        request.m_pHistory = &m_History;
        return RunEventDialog(nullptr, &m_App, request);
    }
    void Click(const DialogBase& dialog, int id)
    {
        auto* button = qobject_cast<QPushButton*>(Widget(dialog, id));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QStringList Rows(const DialogBase& dialog, int id)
    {
        QStringList rows;
        auto* list = qobject_cast<QListWidget*>(Widget(dialog, id));
        for (int i = 0; list && i < list->count(); ++i)
        {
            rows << list->item(i)->text();
        }
        return rows;
    }

    TempFolder m_Folder;
    platform::BeepRecorder m_Beeps;
    StageEditState m_History;
};

TEST_F(QtEventDialogTest, PagesAndTheSpecialCommandNameAsTheAuthorUsesThem)
{
    const QString trailer(64, '-');
    const std::vector<unsigned char> before = Image(Stage.m_Event.At(0));
    int result = Run([&](DialogBase& dialog) {
        EXPECT_EQ(Rows(dialog, kIdPageList), (QStringList{platform::FromCp932("1 ｱｸｼｮﾝ×0"), trailer}));
        EXPECT_EQ(Rows(dialog, kIdActionList), (QStringList{trailer}));
        Click(dialog, kIdPageDelete);
        EXPECT_EQ(m_Beeps.Count(), 1);
        Click(dialog, kIdPageInsert);
        EXPECT_EQ(Rows(dialog, kIdPageList), (QStringList{platform::FromCp932("1 ｱｸｼｮﾝ×0"),
                                                          platform::FromCp932("2 ｱｸｼｮﾝ×0"), trailer}));

        auto* timing = qobject_cast<QComboBox*>(Widget(dialog, kIdPageTiming));
        auto* name = qobject_cast<QLineEdit*>(Widget(dialog, kIdPageCommandName));
        ASSERT_TRUE(timing && name);
        EXPECT_EQ(timing->count(), 22);
        EXPECT_FALSE(name->isEnabled());
        timing->setCurrentIndex(3);
        EXPECT_TRUE(name->isEnabled());
        name->setFocus();
        TypeKeys(name, QString::fromUtf8(u8"ｱﾀｯｸ"));
        timing->setCurrentIndex(16);
        EXPECT_FALSE(name->isEnabled());
        EXPECT_EQ(name->text(), QString::fromUtf8(u8"ｱﾀｯｸ"));
        EXPECT_EQ(EventDialog::Running()->CurrentPage().m_strCommandName, "ｱﾀｯｸ");
        Click(dialog, kIdDialogCancel);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(HexBytes(Image(Stage.m_Event.At(0))), HexBytes(before));
    EXPECT_EQ(m_History.UndoLists().Count(), 0);
}

TEST_F(QtEventDialogTest, OkWithoutEditsWritesTheSameEventAfterOneUndoPoint)
{
    const std::vector<unsigned char> before = Image(Stage.m_Event.At(0));
    int undoPointsWhileOpen = -1;
    int result = Run([&](DialogBase& dialog) {
        undoPointsWhileOpen = m_History.UndoLists().Count();
        Click(dialog, kIdDialogOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(undoPointsWhileOpen, 0);
    EXPECT_EQ(HexBytes(Image(Stage.m_Event.At(0))), HexBytes(before));
    ASSERT_EQ(m_History.UndoLists().Count(), 1);
    EXPECT_EQ(HexBytes(Image(m_History.UndoLists().m_Events.back().At(0))), HexBytes(before));
    EXPECT_EQ(m_Beeps.Count(), 0);
}

TEST_F(QtEventDialogTest, ARightClickOnTheActionListOrBelowItsRowsOpensItsMenu)
{
    Stage.m_Event.At(0).m_Page.At(0).m_Action.resize(2);
    Run(
        [&](DialogBase& dialog)
        {
            auto* list = qobject_cast<QListWidget*>(Widget(dialog, kIdActionList));
            ASSERT_NE(list, nullptr);
            ASSERT_EQ(list->count(), 3);
            EXPECT_FALSE(RightClickPopup(list, RowPoint(list, 1)).isEmpty());
            EXPECT_EQ(list->currentRow(), 1);
            // Below the last row the menu opens too, for the selection there is.
            QPoint below(4, list->visualItemRect(list->item(2)).bottom() + 20);
            ASSERT_LT(below.y(), list->viewport()->height());
            EXPECT_FALSE(RightClickPopup(list, below).isEmpty());
            EXPECT_EQ(list->currentRow(), 1);
            Click(dialog, kIdDialogCancel);
        });
}

} // namespace
