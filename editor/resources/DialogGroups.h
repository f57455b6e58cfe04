#pragma once

// The groups of dialog templates, one file each; DialogTemplates.cpp lists them.

#include "editor/resources/DialogTemplate.h"

// The editor framework's own dialogs: the value and the text input.
const std::vector<DialogTemplate>& FrameworkDialogTemplates();
// The stage editor window and its map chip palette.
const std::vector<DialogTemplate>& StageEditorDialogTemplates();
// The world-map editor window, its palettes and its settings dialog.
const std::vector<DialogTemplate>& WorldMapEditorDialogTemplates();
// The event editor's dialogs: the event dialog and the event palette.
const std::vector<DialogTemplate>& EventDialogTemplates();
// The action-kind dialog and the dialogs of the actions.
const std::vector<DialogTemplate>& ActionDialogTemplates();
// The stage editor's enemies: the enemy palette, the placement and the movement-AI dialogs.
const std::vector<DialogTemplate>& EnemyDialogTemplates();
// The pages of the database sheet built so far (class, friend, enemy, land) and their entry dialogs.
const std::vector<DialogTemplate>& DatabasePageTemplates();
// The item and skill pages of the database sheet.
const std::vector<DialogTemplate>& EffectPageTemplates();
// The first three system pages of the database sheet.
const std::vector<DialogTemplate>& SystemSettingsPageTemplates();
// The last system page of the database (menus, music, name lists) and its attribute and category dialogs.
const std::vector<DialogTemplate>& NameListDialogTemplates();
