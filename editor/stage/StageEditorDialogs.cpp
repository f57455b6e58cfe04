// The other editors' windows as the stage editor opens them. The enemy and
// event palettes, the edit options, the bitmap conversion tool, the world-map
// event dialog and the database have no window yet: each function makes none.

#include "editor/stage/StageEditorDialogs.h"

#include "common/window/EditorApp.h"
#include "editor/event/EventDialog.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/stage/PositionGroupDialogs.h"
#include "editor/stage/StageEditorWindow.h"
#include "editor/stage/StageMapView.h"
#include "editor/stage/StageSettingsDialog.h"
#include "editor/stage/WorldMapEditorWindow.h"

std::unique_ptr<StageEnemyPalette> MakeEnemyPalette(StageEditorWindow&)
{
    return nullptr;
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

int RunStageSettingsDialog(StageEditorWindow& window)
{
    return RunStageSettingsDialog(window.Handle(), &App, Stage);
}

int RunPositionGroupsDialog(StageEditorWindow& window)
{
    static const StageMapTiles tiles{&EditorBitmaps[kBitmapMapChip], &EditorBitmaps[kBitmapMapChara],
                                     &EditorBitmaps[kBitmapEvent], &EditorBitmaps[kBitmapAccessory]};
    PositionGroupContext context;
    context.m_pStage = &Stage;
    context.m_pSounds = &window;
    context.m_pTiles = &tiles;
    context.m_pAccessory = &EditorBitmaps[kBitmapAccessory];
    context.m_pMapCursor = &StageEdit.m_MapCursor;
    return RunPositionGroupListDialog(window.Handle(), &App, context);
}

void RunEditOptionsDialog(StageEditorWindow&)
{
}

void RunBitmapConversionTool(StageEditorWindow&)
{
}

std::unique_ptr<EditorWindow> MakeWorldMapEditor(StageEditorWindow& window)
{
    return std::make_unique<WorldMapEditorWindow>(window);
}

namespace
{

WorldMapEventDialogStandIn& EventDialogStandIn()
{
    static WorldMapEventDialogStandIn standIn;
    return standIn;
}

} // namespace

int RunWorldMapEventDialog(WorldMapEditorWindow& window, int showFlags)
{
    WorldMapEventDialogStandIn& standIn = EventDialogStandIn();
    return standIn ? standIn(window, showFlags) : 0;
}

void SetWorldMapEventDialogStandIn(WorldMapEventDialogStandIn standIn)
{
    EventDialogStandIn() = std::move(standIn);
}

std::unique_ptr<StageDatabase> MakeDatabaseSheet(StageEditorWindow&)
{
    return nullptr;
}
