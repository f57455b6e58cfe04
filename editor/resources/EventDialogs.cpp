#include "editor/resources/DialogGroups.h"
#include "platform/window/ControlMessages.h"

const std::vector<DialogTemplate>& EventDialogTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        // The event: its name and holder flag on top, the page list at the left, and the current page's
        // appearance and occurrence conditions, graphic and actions in the frame beside it.
        {167, "イベント", 530, 341, kModalDialog, {
            {kDlgButton,    1066,   7,   7,  38, 14, "挿入"},
            {kDlgButton,    1067,  48,   7,  38, 14, "削除"},
            {kDlgListBox,   1254,   7,  24,  79, 310},
            {kDlgText,      0,     96,   9,  40,  8, "イベント名"},
            {kDlgEdit,      1044, 138,   7, 130, 14},
            {kDlgCheckBox,  1037, 280,   8, 160, 10, "キャラにこのイベントを所持させる"},
            {kDlgGroupBox,  0,     92,  26, 431, 288, "ページデータ"},
            {kDlgGroupBox,  0,     98,  38, 212, 124, "出現条件"},
            {kDlgText,      0,    104,  52,  36,  8, "ターン数"},
            {kDlgEdit,      1260, 142,  50,  40, 14},
            {kDlgUpDown,    1261, 171,  50,  11, 14},
            {kDlgText,      0,    186,  52, 120,  8, "※「0」ならターン数の条件はなし"},
            {kDlgCheckBox,  1036, 104,  70, 120, 10, "イベント変数を条件にする"},
            {kDlgEdit,      1255, 116,  84,  50, 14},
            {kDlgUpDown,    1256, 155,  84,  11, 14},
            {kDlgComboBox,  1257, 172,  84,  60, 100},
            {kDlgComboBox,  1249, 104, 104, 120, 150},
            {kDlgButton,    1250, 226, 104,  12, 13, "_"},
            {kDlgText,      0,    242, 106,  10,  8, "が"},
            {kDlgEdit,      1251, 116, 122,  50, 14},
            {kDlgUpDown,    1252, 155, 122,  11, 14},
            {kDlgComboBox,  1253, 172, 122,  60, 100},
            {kDlgCheckBox,  1035, 104, 144, 120, 10, "ステージ初挑戦時のみ出現"},
            {kDlgGroupBox,  0,     98, 166, 212, 104, "発生条件"},
            {kDlgText,      0,    104, 180,  40,  8, "タイミング"},
            {kDlgComboBox,  1262, 146, 178, 158, 200},
            {kDlgText,      0,    104, 198,  56,  8, "特殊コマンド名"},
            {kDlgEdit,      1045, 162, 196,  40, 14},
            {kDlgText,      0,    104, 216,  18,  8, "対象"},
            {kDlgComboBox,  1263, 124, 214,  84, 100},
            {kDlgText,      0,    210, 216,  10,  8, "に"},
            {kDlgComboBox,  1264, 124, 232,  84, 100},
            {kDlgText,      0,    210, 234,  10,  8, "が"},
            {kDlgComboBox,  1268, 222, 232,  50, 60},
            {kDlgText,      0,    276, 234,  20,  8, "発生"},
            {kDlgText,      0,    104, 252,  48,  8, "位置グループ"},
            {kDlgComboBox,  1267, 154, 250, 118, 100},
            {kDlgText,      0,    104, 282,  44,  8, "グラフィック"},
            {kDlgComboBox,  1032, 150, 280,  50, 150},
            {kDlgPicture,   1070, 210, 276,  32, 32},
            {kDlgGroupBox,  0,    316,  38, 201, 270, "アクション"},
            {kDlgListBox,   1266, 322,  50, 189, 230},
            {kDlgButton,    1068, 322, 286,  40, 14, "挿入"},
            {kDlgButton,    1265, 366, 286,  40, 14, "編集"},
            {kDlgButton,    1069, 410, 286,  40, 14, "削除"},
            {kDlgDefButton, 1006, 420, 320,  46, 14, "OK"},
            {kDlgButton,    1007, 472, 320,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        // The event palette: the list's buttons, the templates, the two placement options.
        {166, "イベントパレット", 211, 283, kPaletteDialog & ~platform::kWsSysMenu, {
            {kDlgButton,    1066,   7,   7,  38, 14, "挿入"},
            {kDlgButton,    1226,  48,   7,  38, 14, "編集"},
            {kDlgButton,    1067,  89,   7,  38, 14, "削除"},
            {kDlgButton,    11071, 150,  7,  54, 14, "ﾃﾞｰﾀ数"},
            {kDlgGroupBox,  1053,   4,  24, 203, 231, "イベント一覧(テンプレート)"},
            {kDlgListBox,   1241,  10,  36, 191, 214},
            {kDlgCheckBox,  1037,   7, 259,  98, 10, "配置済みなら編集"},
            {kDlgCheckBox,  1035, 108, 259,  98, 10, "配置直前に編集"},
            {kDlgPicture,   1075,   0,   0,   0,  0},
        }},
    };
    return templates;
}
