#pragma once

// The list of the project's global variables as the event editor's combo
// boxes show it, and renaming the chosen one. A name changes at once, in
// GValInfo itself: no OK of the dialog around is waited for, and no Cancel
// takes it back (the names are written when the editor ends).

#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"

#include <string>
#include <vector>

// Row 0 "変数条件なし", then one row a variable: "007 " and its name.
void BuildVariableNameRows(std::vector<std::string>& rows);

// Asks for a new name of the variable the combo box has chosen (titled
// "変数名の入力", at most 10 characters, a double-byte one counting one),
// placed over the button. On OK the rows are built again and the combo box shows them
// with the same variable chosen; 1. Row 0, no row or a row beyond the
// variables beeps and asks nothing; 0, as after Cancel.
int RenameChosenVariable(DialogBase& dialog, ComboBox& variables, const Control& button,
                         std::vector<std::string>& rows);
