#pragma once

// The command and resource ids of the world-map editor window: its menu
// (155), its pop-up menu on the map (163), its tool bar and its palettes (the
// map chips' 154, the events' 158 with menu 160), and the world-map settings
// dialog (153). The commands it shares with the stage editor window (save,
// undo, redo, the palettes, clearing, the pop-up's event commands) keep the
// stage editor's ids (StageEditorIds.h).

#include "editor/resources/StageEditorIds.h"

enum WorldMapCommand : int
{
    kCmdWorldSaveAndQuit = 40054,
    kCmdWorldQuit = 40055,
    kCmdWorldSettings = 40056,
    // The event palette's menu.
    kCmdWorldPaletteLoad = 40057,
    kCmdWorldPaletteSave = 40016,
    kCmdWorldPaletteDefault = 40058,
    // The template list's insert key (Ctrl+I) and pop-up item ("新規挿入"), which do nothing there.
    kCmdListInsertKey = 40069,
    kCmdListInsertItem = 40070,
};

enum : int
{
    kDialogWorldMapEditor = 152,
    kDialogWorldMapSettings = 153,
    kDialogWorldChipPalette = 154,
    kDialogWorldEventPalette = 158,
    kDialogWorldMapEvent = 161,
    kMenuWorldMapEditor = 155,
    kMenuWorldEventPalette = 160,
    kMenuWorldMapPopup = 163,
    kToolBarWorldMapEditor = 152, // the tool bar of window 152
    // The event palette's controls.
    kIdWorldTemplateList = 1241,
    kIdWorldTemplateInsert = 1066,
    kIdWorldTemplateEdit = 1226,
    kIdWorldTemplateDelete = 1067,
    kIdWorldTemplateCount = 11071,
    kIdWorldEditPlaced = 1037,
    kIdWorldEditBeforePlacing = 1035,
    kIdWorldAutoStageNumber = 1036,
    // The settings dialog's controls.
    kIdWorldWidth = 1210,
    kIdWorldWidthSpin = 1212,
    kIdWorldHeight = 1211,
    kIdWorldHeightSpin = 1166,
    kIdWorldStartX = 1213,
    kIdWorldStartXSpin = 1214,
    kIdWorldStartY = 1215,
    kIdWorldStartYSpin = 1216,
    kIdWorldBackColour = 1257,
    kIdWorldBackColourSpin = 1258,
    kIdWorldColourSample = 1259,
    kIdWorldUseBackImage = 1035,
    kIdWorldBackImage = 1255,
    kIdWorldBackImageBrowse = 1256,
    // The event dialog's controls.
    kIdWorldEventName = 1044,
    kIdWorldPageList = 1254,
    kIdWorldPageInsert = 1066,
    kIdWorldPageDelete = 1067,
    kIdWorldPageKind = 1033,
    kIdWorldPageGraphic = 1032,
    kIdWorldPagePreview = 1070,
    kIdWorldPageStageNumber = 1245,
    kIdWorldPageStageNumberSpin = 1246,
    kIdWorldPagePassable = 1036,
    kIdWorldPageReplayable = 1037,
    kIdWorldPageGameClear = 1244,
    kIdWorldPageNeedStage = 1242,
    kIdWorldPageNeedStageSpin = 1243,
    kIdWorldPageVariable = 1249,
    kIdWorldPageRenameVariable = 1250,
    kIdWorldPageVariableValue = 1251,
    kIdWorldPageVariableValueSpin = 1252,
    kIdWorldPageCompare = 1253,
    kIdWorldPageStageFile = 1247,
    kIdWorldPageStageFileBrowse = 1248,
    kIdWorldEventPlaceholder = 1075,
};
