// The other editors' windows as the stage editor opens them. The event
// palette, the stage settings, the position groups, the edit options,
// the bitmap conversion tool, the world-map editor and the database have no
// window yet: each function makes none.

#include "editor/stage/StageEditorDialogs.h"

#include "common/window/EditorApp.h"
#include "editor/event/EventDialog.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/stage/EnemyPalette.h"
#include "editor/stage/StageEditorWindow.h"

std::unique_ptr<StageEnemyPalette> MakeEnemyPalette(StageEditorWindow& window)
{
    return std::make_unique<EnemyPalette>(window);
}

std::unique_ptr<StageEventPalette> MakeEventPalette(StageEditorWindow&)
{
    return nullptr;
}

int RunEventDialog(StageEditorWindow& window)
{
    EventEditRequest request;
    request.m_pEvent = EditedEvent;
    request.m_nMode = window.m_nEventEditMode;
    request.m_pHistory = window.m_nEventEditMode == kEventEditStage ? &StageEdit : nullptr;
    request.m_pStage = &Stage;
    request.m_pEventBitmap = &EditorBitmaps[kBitmapEvent];
    return RunEventDialog(window.Handle(), &App, request);
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
