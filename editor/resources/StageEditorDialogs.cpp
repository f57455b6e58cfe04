#include "editor/resources/DialogGroups.h"
#include "editor/resources/StageEditorIds.h"
#include "platform/window/ControlMessages.h"

using namespace platform;

namespace
{

// The stage editor window: a map of 640 x 480 pixels that can be made
// smaller, with a caption, a close box and a minimise box.
constexpr uint32_t kEditorWindowDialog = kPaletteDialog | kWsMinimizeBox;

} // namespace

const std::vector<DialogTemplate>& StageEditorDialogTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        // The stage editor window: the map view fills the client area; the
        // window adds its menu, tool bar, status bar and scroll bars.
        {kDialogStageEditor, "Tarnwick", 427, 320, kEditorWindowDialog, {
            {kDlgPicture, kIdMapView, 0, 0, 427, 320},
        }},
        // The map chip palette: eight chips a row.
        {kDialogMapChipPalette, "マップチップパレット", 171, 171, kPaletteDialog, {
            {kDlgPicture, kIdMapView, 0, 0, 171, 171},
        }},
    };
    return templates;
}
