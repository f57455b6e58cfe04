#pragma once

// The command ids of the stage editor window: its menu (104), its pop-up menu
// on the map (165), its tool bar (139), its accelerator table (132) and the
// map chip palette's tool bar (137).

enum StageCommand : int
{
    // The stage file.
    kCmdNewStage = 40017,
    kCmdOpenStage = 40018,
    kCmdOpenStageKey = 40062, // Ctrl+O
    kCmdSaveStage = 40015,
    kCmdSaveStageKey = 40026, // Ctrl+S
    kCmdSaveStageAs = 40016,
    kCmdDefaultStage = 40087,
    // History.
    kCmdUndo = 40060,
    kCmdUndoKey = 40063, // Ctrl+Z
    kCmdRedo = 40061,
    kCmdRedoKey = 40064, // Ctrl+Y
    // Palettes: the menu's items and the tool bar's buttons.
    kCmdMenuMapChips = 40052,
    kCmdMenuEnemies = 40051,
    kCmdMenuEvents = 40050,
    kCmdBarMapChips = 40044,
    kCmdBarEnemies = 40045,
    kCmdBarEvents = 40046,
    // Clearing the stage.
    kCmdClearChips = 40066,
    kCmdClearEnemies = 40067,
    kCmdClearEvents = 40068,
    // The stage's settings and the other editors.
    kCmdStageSettings = 40013,
    kCmdPositionGroups = 40048,
    kCmdTestPlay = 40049,
    kCmdTestPlayKey = 40108, // Ctrl+T
    kCmdWorldMap = 40053,
    kCmdDatabase = 40021,
    kCmdStartEvent = 40105,
    kCmdEditOptions = 40107,
    kCmdBitmapTool = 40106,
    // The pop-up menu of the event palette's mode.
    kCmdEventEdit = 40059,
    kCmdEventNew = 40028,
    kCmdEventCopy = 40024,
    kCmdEventCut = 40027,
    kCmdEventPaste = 40025,
    kCmdEventDelete = 40029,
    // Keys of table 132 that the lists use and the map leaves alone.
    kCmdListCut = 40030,
    kCmdListCopy = 40031,
    kCmdListPaste = 40032,
    kCmdListNew = 40033,
    kCmdListAdd = 40082,
    kCmdListClear = 40083,
    // The event palette's menu.
    kCmdLoadPalette = 40057,
    kCmdSavePalette = 40016,
    kCmdDefaultPalette = 40058,
    // The map chip palette's tools.
    kCmdToolPen = 40041,
    kCmdToolLine = 40047,
    kCmdToolRectangle = 40042,
    kCmdToolFill = 40043,
};

// Resource ids.
enum : int
{
    kDialogStageEditor = 134,
    kDialogMapChipPalette = 103,
    kMenuStageEditor = 104,
    kMenuStagePopup = 165,
    kMenuEventPalette = 168,
    kToolBarStageEditor = 139,
    kToolBarMapChipPalette = 137,
    kAcceleratorsStageEditor = 132,
    // The control that shows a map or a palette, in every window that draws one.
    kIdMapView = 1075,
};
