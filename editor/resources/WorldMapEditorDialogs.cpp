#include "editor/resources/DialogGroups.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "platform/window/ControlMessages.h"

using namespace platform;

const std::vector<DialogTemplate>& WorldMapEditorDialogTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        // The world-map editor window: the map view fills the client area; the
        // window adds its menu, tool bar, status bar and scroll bars.
        {kDialogWorldMapEditor, "ワールドマップ", 427, 320, kPaletteDialog | kWsMinimizeBox, {
            {kDlgPicture, kIdMapView, 0, 0, 427, 320},
        }},
        // The ten chips, five a row.
        {kDialogWorldChipPalette, "マップチップパレット", 107, 43, kPaletteDialog, {
            {kDlgPicture, kIdMapView, 0, 0, 107, 43},
        }},
        // The event templates with the three placing options.
        {kDialogWorldEventPalette, "イベントパレット", 160, 250, kPaletteDialog, {
            {kDlgGroupBox,  1053,                       4,   4, 152, 170, "イベント一覧(テンプレート)"},
            {kDlgButton,    kIdWorldTemplateInsert,     10,  16,  32,  14, "挿入"},
            {kDlgButton,    kIdWorldTemplateEdit,       45,  16,  32,  14, "編集"},
            {kDlgButton,    kIdWorldTemplateDelete,     80,  16,  32,  14, "削除"},
            {kDlgButton,    kIdWorldTemplateCount,     115,  16,  36,  14, "ﾃﾞｰﾀ数"},
            {kDlgListBox,   kIdWorldTemplateList,       10,  34, 140, 134},
            {kDlgCheckBox,  kIdWorldEditPlaced,          8, 180, 148,  10, "配置済みなら編集"},
            {kDlgCheckBox,  kIdWorldEditBeforePlacing,   8, 194, 148,  10, "配置直前に編集"},
            {kDlgCheckBox,  kIdWorldAutoStageNumber,     8, 208, 148,  10, "ステージ番号を自動で振り分け"},
            {kDlgPicture,   kIdMapView,                  8, 224,  10,  10},
        }},
        // The world map's size, start, background colour and image.
        {kDialogWorldMapSettings, "ワールドマップの設定", 171, 211, kModalDialog, {
            {kDlgText,      902,                     7,   9,  40,   8, "横幅"},
            {kDlgEdit,      kIdWorldWidth,          60,   7,  40,  14},
            {kDlgUpDown,    kIdWorldWidthSpin,      89,   7,  11,  14},
            {kDlgText,      903,                     7,  29,  40,   8, "縦幅"},
            {kDlgEdit,      kIdWorldHeight,         60,  27,  40,  14},
            {kDlgUpDown,    kIdWorldHeightSpin,     89,  27,  11,  14},
            {kDlgText,      904,                     7,  49,  50,   8, "初期位置 X"},
            {kDlgEdit,      kIdWorldStartX,         60,  47,  40,  14},
            {kDlgUpDown,    kIdWorldStartXSpin,     89,  47,  11,  14},
            {kDlgText,      905,                     7,  69,  50,   8, "初期位置 Y"},
            {kDlgEdit,      kIdWorldStartY,         60,  67,  40,  14},
            {kDlgUpDown,    kIdWorldStartYSpin,     89,  67,  11,  14},
            {kDlgText,      906,                     7,  89,  40,   8, "背景色"},
            {kDlgEdit,      kIdWorldBackColour,     60,  87,  40,  14},
            {kDlgUpDown,    kIdWorldBackColourSpin, 89,  87,  11,  14},
            {kDlgPicture,   kIdWorldColourSample,  110,  84,  21,  21},
            {kDlgCheckBox,  kIdWorldUseBackImage,    7, 112, 150,  10, "背景画像を使用する"},
            {kDlgText,      907,                     7, 128,  40,   8, "背景画像"},
            {kDlgEdit,      kIdWorldBackImage,       7, 139, 120,  14},
            {kDlgButton,    kIdWorldBackImageBrowse, 130, 139, 34,  14, "参照"},
            {kDlgText,      65535,                   7, 160, 157,  16, "※背景色→背景画像の順で表示されます。"},
            {kDlgDefButton, 1006,                   30, 190,  50,  14, "OK"},
            {kDlgButton,    1007,                   90, 190,  50,  14, "ｷｬﾝｾﾙ"},
        }},
        // One world-map event: its name and its pages.
        {kDialogWorldMapEvent, "イベント", 331, 305, kModalDialog, {
            {kDlgText,      908,                          7,   9,  40,   8, "イベント名"},
            {kDlgEdit,      kIdWorldEventName,           50,   7, 120,  14},
            {kDlgButton,    kIdWorldPageInsert,           7,  28,  32,  14, "挿入"},
            {kDlgButton,    kIdWorldPageDelete,          42,  28,  32,  14, "削除"},
            {kDlgListBox,   kIdWorldPageList,             7,  46,  90, 230},
            {kDlgGroupBox,  909,                        104,  28, 220, 150, "ページデータ"},
            {kDlgText,      910,                        110,  42,  60,   8, "イベントタイプ"},
            {kDlgComboBox,  kIdWorldPageKind,           175,  40,  70, 100},
            {kDlgText,      911,                        110,  60,  60,   8, "グラフィック"},
            {kDlgComboBox,  kIdWorldPageGraphic,        175,  58,  50, 100},
            {kDlgPicture,   kIdWorldPagePreview,        250,  40,  21,  21},
            {kDlgText,      912,                        110,  78,  60,   8, "ステージ番号"},
            {kDlgEdit,      kIdWorldPageStageNumber,    175,  76,  40,  14},
            {kDlgUpDown,    kIdWorldPageStageNumberSpin, 204, 76,  11,  14},
            {kDlgText,      913,                        110,  93, 210,   8, "※「0」なら番号なし（常にクリア済み）"},
            {kDlgText,      1040,                       110, 108,  60,   8, "ステージ"},
            {kDlgEdit,      kIdWorldPageStageFile,      175, 106, 105,  14},
            {kDlgButton,    kIdWorldPageStageFileBrowse, 284, 106, 34,  14, "参照"},
            {kDlgCheckBox,  kIdWorldPagePassable,       110, 126, 200,  10, "クリアしなくても通行可能"},
            {kDlgCheckBox,  kIdWorldPageReplayable,     110, 140, 200,  10, "クリア後でもプレイ可能"},
            {kDlgText,      914,                        110, 158,  60,   8, "ゲームクリア"},
            {kDlgComboBox,  kIdWorldPageGameClear,      175, 156,  80, 100},
            {kDlgGroupBox,  915,                        104, 184, 220,  92, "出現条件"},
            {kDlgText,      916,                        110, 200,  40,   8, "ステージ"},
            {kDlgEdit,      kIdWorldPageNeedStage,      150, 198,  40,  14},
            {kDlgUpDown,    kIdWorldPageNeedStageSpin,  179, 198,  11,  14},
            {kDlgText,      917,                        194, 200, 126,   8, "をクリアする　※「0」なら常に出現"},
            {kDlgComboBox,  kIdWorldPageVariable,       110, 218, 150, 160},
            {kDlgButton,    kIdWorldPageRenameVariable, 264, 218,  14,  14, "_"},
            {kDlgText,      918,                        110, 240,  10,   8, "が"},
            {kDlgEdit,      kIdWorldPageVariableValue,  124, 238,  60,  14},
            {kDlgUpDown,    kIdWorldPageVariableValueSpin, 173, 238, 11, 14},
            {kDlgComboBox,  kIdWorldPageCompare,        190, 238,  60, 100},
            {kDlgText,      kIdWorldEventPlaceholder,   110, 258,  40,   8, ""},
            {kDlgDefButton, 1006,                       210, 284,  50,  14, "OK"},
            {kDlgButton,    1007,                       270, 284,  50,  14, "ｷｬﾝｾﾙ"},
        }},
    };
    return templates;
}
