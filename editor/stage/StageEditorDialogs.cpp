// The other editors' windows as the stage editor opens them. The enemy and
// event palettes, the event dialog, the stage settings, the position groups,
// the edit options, the bitmap conversion tool, the world-map editor and the
// database have no window yet: each function makes none.

#include "editor/stage/StageEditorDialogs.h"

#include "editor/stage/StageEditorWindow.h"

std::unique_ptr<StageEnemyPalette> MakeEnemyPalette(StageEditorWindow&)
{
    return nullptr;
}

std::unique_ptr<StageEventPalette> MakeEventPalette(StageEditorWindow&)
{
    return nullptr;
}

int RunEventDialog(StageEditorWindow&)
{
    return 0;
}

int RunStageSettingsDialog(StageEditorWindow&)
{
    return 0;
}

int RunPositionGroupsDialog(StageEditorWindow&)
{
    return 0;
}

void RunEditOptionsDialog(StageEditorWindow&)
{
}

void RunBitmapConversionTool(StageEditorWindow&)
{
}

std::unique_ptr<EditorWindow> MakeWorldMapEditor(StageEditorWindow&)
{
    return nullptr;
}

std::unique_ptr<StageDatabase> MakeDatabaseSheet(StageEditorWindow&)
{
    return nullptr;
}
