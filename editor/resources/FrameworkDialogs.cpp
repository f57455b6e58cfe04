#include "editor/resources/DialogGroups.h"
#include "platform/window/ControlMessages.h"

using namespace platform;

const std::vector<DialogTemplate>& FrameworkDialogTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        // The value input: one number with its spin; the prompt becomes the caption.
        {122, "値の入力", 112, 48, kModalDialog, {
            {kDlgEdit,      1077,  8,  8, 96, 14, "", kEsNumber},
            {kDlgUpDown,    1078, 93,  8, 11, 14},
            {kDlgDefButton, 1006,  8, 28, 46, 14, "OK"},
            {kDlgButton,    1007, 58, 28, 46, 14, "ｷｬﾝｾﾙ"},
        }},
    };
    return templates;
}
