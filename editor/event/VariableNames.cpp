#include "editor/event/VariableNames.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "editor/framework/ControlAnchor.h"
#include "editor/framework/InputDialogs.h"
#include "platform/window/Beep.h"

namespace
{

constexpr int kVariableNameLength = 10;

} // namespace

void BuildVariableNameRows(std::vector<std::string>& rows)
{
    rows.assign(1, "変数条件なし");
    std::string entry;
    for (int i = 1; i < GValInfo.Count(); ++i)
    {
        FormatString(entry, "%03d %s", i, GValInfo.At(i).m_str.c_str());
        rows.push_back(entry);
    }
}

int RenameChosenVariable(DialogBase& dialog, ComboBox& variables, const Control& button,
                         std::vector<std::string>& rows)
{
    const int32_t variable = variables.GetSelectedData();
    if (variable < 1 || variable >= GValInfo.Count())
    {
        platform::MessageBeep(platform::kBeepDefault);
        return 0;
    }
    ControlAnchor anchor(button);
    if (!TextInputDialog::Run(dialog.Handle(), dialog.Owner(), &GValInfo.At(variable).m_str, kVariableNameLength, 1,
                              "変数名の入力", &anchor, 1))
    {
        return 0;
    }
    BuildVariableNameRows(rows);
    variables.SetItemVector(&rows);
    variables.SelectData(variable);
    return 1;
}
