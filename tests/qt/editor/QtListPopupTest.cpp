// Right clicks on the lists of the stage editor's palettes and dialogs on
// real Qt widgets, offscreen, as the author makes them: the row under the
// pointer becomes the selection and the list's pop-up menu opens.
#include "common/data/ProjectData.h"
#include "editor/framework/ModalRuns.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/stage/EnemyPalette.h"
#include "editor/stage/PositionGroupDialogs.h"
#include "editor/stage/StageEditorWindow.h"
#include "tests/qt/editor/QtPopupWatch.h"
#include "tests/qt/editor/QtWholeEditorFixture.h"

#include <QListWidget>

namespace
{

class QtListPopupTest : public QtWholeEditorTest
{
protected:
    StageEditorWindow* Window() const { return CurrentStageEditor(); }
    QListWidget* List(const DialogBase& dialog, int id) const
    {
        auto* child =
            dynamic_cast<platform::QtChildWindow*>(m_System.Resolve(m_System.GetDlgItem(dialog.Handle(), id)));
        return child ? qobject_cast<QListWidget*>(child->Widget()) : nullptr;
    }
};

TEST_F(QtListPopupTest, ARightClickOnARowOfTheEnemyPaletteSelectsItAndOpensItsMenu)
{
    ASSERT_TRUE(Start());
    Stage.m_Enemy.resize(2);
    m_System.SetActiveWindow(Window()->Handle());
    platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdBarEnemies, 0), 0);
    Pump();
    auto* palette = static_cast<EnemyPalette*>(Window()->EnemyPalette());
    ASSERT_NE(palette, nullptr);
    QListWidget* list = List(*palette, kIdEnemyList);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3);
    m_System.SetActiveWindow(palette->Handle());

    // A row of an enemy and the trailing row both open the menu.
    for (int row : {1, 2})
    {
        SCOPED_TRACE(row);
        EXPECT_FALSE(RightClickPopup(list, RowPoint(list, row)).isEmpty());
        Pump();
        EXPECT_EQ(list->currentRow(), row);
    }
}

TEST_F(QtListPopupTest, ARightClickOnARowOfThePositionGroupListSelectsItAndOpensItsMenu)
{
    ASSERT_TRUE(Start());
    Stage.m_GroupPos.resize(4);
    ScriptedModalRuns runs;
    QStringList items;
    int selected = -1;
    runs.Answer(
        [&](DialogBase& dialog)
        {
            QListWidget* list = List(dialog, kIdGroupList);
            ASSERT_NE(list, nullptr);
            ASSERT_GE(list->count(), 3);
            items = RightClickPopup(list, RowPoint(list, 2));
            selected = list->currentRow();
        });
    m_System.SetActiveWindow(Window()->Handle());
    platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdPositionGroups, 0),
                                0);
    Pump();
    ASSERT_EQ(runs.Runs().size(), 1u);
    EXPECT_FALSE(items.isEmpty());
    EXPECT_EQ(selected, 2);
}

} // namespace
