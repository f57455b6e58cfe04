#pragma once

// The groups of dialog templates, one file each; DialogTemplates.cpp lists them.

#include "editor/resources/DialogTemplate.h"

// The editor framework's own dialogs: the value input.
const std::vector<DialogTemplate>& FrameworkDialogTemplates();
