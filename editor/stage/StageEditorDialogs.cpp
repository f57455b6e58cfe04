// The other editors' windows as the stage editor opens them. The world-map
// event dialog has no window yet: its function makes none.

#include "editor/stage/StageEditorDialogs.h"

#include "common/window/Accelerators.h"
#include "common/window/EditorApp.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/event/EventDialog.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/framework/ListBox.h"
#include "editor/stage/BitmapConvertDialog.h"
#include "editor/stage/EditOptionsDialog.h"
#include "editor/stage/EnemyPalette.h"
#include "editor/stage/EventPalette.h"
#include "editor/stage/PositionGroupDialogs.h"
#include "editor/stage/StageEditorWindow.h"
#include "editor/stage/StageMapView.h"
#include "editor/stage/StageSettingsDialog.h"
#include "editor/stage/WorldMapEditorWindow.h"
#include "editor/stage/WorldMapEventDialog.h"

namespace
{

// The palettes' limits, client pixels.
constexpr int kPaletteMinSide = 100;
constexpr int kPaletteMaxWidth = 640;
constexpr int kPaletteMaxHeight = 480;
// Below the top of the stage editor window.
constexpr int kPaletteDropBelowEditor = 10;
// The lists' keys: Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+I and Delete; and their pop-up.
constexpr int kPaletteListAccelerators = 117;
constexpr int kPaletteListPopup = 116;

} // namespace

void LayOutPaletteBeside(DialogBase& palette, StageEditorWindow& window, int withMenu)
{
    const DialogTemplate* dialog = palette.Template();
    int width = dialog ? DialogUnitsToPixelsX(dialog->m_nWidth) : kPaletteMinSide;
    int height = dialog ? DialogUnitsToPixelsY(dialog->m_nHeight) : kPaletteMinSide;
    palette.SetLayout(width, height, kPaletteMinSide, kPaletteMinSide, kPaletteMaxWidth, kPaletteMaxHeight,
                      dialog ? dialog->m_nStyle : kPaletteDialog, withMenu, 0, 0, 0, 0);
    // Beside the stage editor: its left edge plus its client width, a little below its top.
    platform::Rect editor = window.WindowRectangle();
    int clientWidth = editor.m_nWidth;
    if (platform::NativeWindow* native = window.Native())
    {
        editor = native->WindowRect();
        clientWidth = native->ClientRect().m_nWidth;
    }
    palette.SetInitialPosition(editor.m_nLeft + clientWidth, editor.m_nTop + kPaletteDropBelowEditor);
}

intptr_t StageListPalette::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    if (message == platform::kWmRButtonUp && IsInitialised() && OpenListPopup())
    {
        UpdatePenState();
    }
    return message == platform::kWmClose || handled ? 1 : 0;
}

void StageListPalette::SetUpPaletteList(ListBoxBase& list)
{
    RegisterListAcceleratorTables();
    AddAccelerators(list.Handle(), kPaletteListAccelerators);
    list.LeaveCommandsToOwner(kPaletteListPopup);
    list.SetCurSel(StageEdit.m_nPaletteRow, 1);
}

std::unique_ptr<StageEnemyPalette> MakeEnemyPalette(StageEditorWindow& window)
{
    return std::make_unique<EnemyPalette>(window);
}

std::unique_ptr<StageEventPalette> MakeEventPalette(StageEditorWindow& window)
{
    return std::make_unique<EventPalette>(window);
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

void RunEditOptionsDialog(StageEditorWindow& window)
{
    RunEditOptionsDialog(window.Handle(), &App);
}

void RunBitmapConversionTool(StageEditorWindow& window)
{
    RunBitmapConvertDialog(window.Handle(), &App);
}

std::unique_ptr<EditorWindow> MakeWorldMapEditor(StageEditorWindow& window)
{
    auto editor = std::make_unique<WorldMapEditorWindow>(window);
    if (!editor->HasBitmaps())
    {
        // Its box named the bitmap; the stage editor goes on with its edits.
        return nullptr;
    }
    return editor;
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
    return standIn ? standIn(window, showFlags) : RunWorldMapEventDialogModal(window, showFlags, &App);
}

void SetWorldMapEventDialogStandIn(WorldMapEventDialogStandIn standIn)
{
    EventDialogStandIn() = std::move(standIn);
}

namespace
{

// The database as the stage editor window holds it: the host of the sheet.
// The editor's loop deletes the sheet once the author closed it; the sheet's
// end then tells the window. A sheet deleted with its holder (the window
// opens the database again, or goes itself) tells nothing.
class StageDatabaseHost : public StageDatabase, public DatabaseHost
{
public:
    explicit StageDatabaseHost(StageEditorWindow& window) : m_pWindow(&window) {}
    ~StageDatabaseHost() override
    {
        m_bGoing = true;
        m_Holder.reset();
    }

    bool Create() override { return CreateDatabaseSheet(*this, &App) != 0; }
    ModelessSheet* Sheet() const override { return static_cast<DatabaseSheet*>(m_Holder.get()); }

    platform::WindowHandle DatabaseParent() const override { return m_pWindow->Handle(); }
    std::unique_ptr<PropSheetOwner>& DatabaseHolder() override { return m_Holder; }
    const DibBitmap* SharedBitmap(int slot) const override
    {
        return slot >= 0 && slot < kEditorBitmapCount ? &EditorBitmaps[slot] : nullptr;
    }
    void OnDatabaseClosed() override
    {
        if (!m_bGoing)
        {
            m_pWindow->OnDatabaseClosed();
        }
    }

private:
    StageEditorWindow* m_pWindow;
    bool m_bGoing = false;
    std::unique_ptr<PropSheetOwner> m_Holder;
};

} // namespace

std::unique_ptr<StageDatabase> MakeDatabaseSheet(StageEditorWindow& window)
{
    return std::make_unique<StageDatabaseHost>(window);
}
