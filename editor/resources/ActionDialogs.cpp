#include "editor/resources/DialogGroups.h"

namespace
{

// An amount of one item or friend: the items, the companion shop and the party lay out alike.
DialogTemplate CountDialog(int id, const char* caption, int comboId)
{
    return {id, caption, 172, 49, kModalDialog, {
        {kDlgComboBox,  comboId,    7,  7, 100, 150},
        {kDlgText,      0,        110,  9,  16,  8, "を +"},
        {kDlgEdit,      1307,     128,  7,  36, 14},
        {kDlgUpDown,    1305,     153,  7,  11, 14},
        {kDlgDefButton, 1006,      66, 28,  46, 14, "OK"},
        {kDlgButton,    1007,     119, 28,  46, 14, "ｷｬﾝｾﾙ"},
    }};
}

} // namespace

const std::vector<DialogTemplate>& ActionDialogTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        // The action kinds: one button a kind, in command order down two columns; the buttons take the
        // commands' names when the dialog opens.
        {170, "イベントのアクション", 268, 160, kModalDialog, {
            {kDlgButton, 1267,   7,   7, 124, 14},
            {kDlgButton, 1268,   7,  24, 124, 14},
            {kDlgButton, 1269,   7,  41, 124, 14},
            {kDlgButton, 1270,   7,  58, 124, 14},
            {kDlgButton, 1271,   7,  75, 124, 14},
            {kDlgButton, 1272,   7,  92, 124, 14},
            {kDlgButton, 1273,   7, 109, 124, 14},
            {kDlgButton, 1274,   7, 126, 124, 14},
            {kDlgButton, 1275,   7, 143, 124, 14},
            {kDlgButton, 1276, 137,   7, 124, 14},
            {kDlgButton, 1277, 137,  24, 124, 14},
            {kDlgButton, 1278, 137,  41, 124, 14},
            {kDlgButton, 1279, 137,  58, 124, 14},
            {kDlgButton, 1280, 137,  75, 124, 14},
            {kDlgButton, 1281, 137,  92, 124, 14},
            {kDlgButton, 1282, 137, 109, 124, 14},
            {kDlgButton, 1283, 137, 126, 124, 14},
        }},
        // The message: four lines of thirty characters.
        {171, "メッセージの表示", 264, 77, kModalDialog, {
            {kDlgMultiEdit, 1268,   7,  7, 250, 44},
            {kDlgDefButton, 1006, 158, 56,  46, 14, "OK"},
            {kDlgButton,    1007, 211, 56,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        {186, "ウエイト", 160, 49, kModalDialog, {
            {kDlgText,      0,       7,  9,  48,  8, "ウエイト時間"},
            {kDlgEdit,      1315,   57,  7,  40, 14},
            {kDlgUpDown,    1316,   86,  7,  11, 14},
            {kDlgText,      0,     102,  9,  50,  8, "※60≒1秒"},
            {kDlgDefButton, 1006,   54, 28,  46, 14, "OK"},
            {kDlgButton,    1007,  107, 28,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        {176, "敵グループの操作", 150, 49, kModalDialog, {
            {kDlgText,      0,       7,  9,  40,  8, "敵グループ"},
            {kDlgEdit,      1323,   49,  7,  36, 14},
            {kDlgUpDown,    1324,   74,  7,  11, 14},
            {kDlgText,      0,      89,  9,  10,  8, "を"},
            {kDlgComboBox,  1322,  101,  7,  42, 60},
            {kDlgDefButton, 1006,   44, 28,  46, 14, "OK"},
            {kDlgButton,    1007,   97, 28,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        {185, "イベント変数の操作", 160, 49, kModalDialog, {
            {kDlgText,      0,       7,  9,  56,  8, "イベント変数を"},
            {kDlgComboBox,  1308,   65,  7,  30, 100},
            {kDlgEdit,      1307,   99,  7,  54, 14},
            {kDlgUpDown,    1305,  142,  7,  11, 14},
            {kDlgDefButton, 1006,   54, 28,  46, 14, "OK"},
            {kDlgButton,    1007,  107, 28,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        // The map cursor: the target, then the group or the cell it names.
        {174, "マップカーソルの移動", 154, 85, kModalDialog, {
            {kDlgText,      0,       7,  9,  48,  8, "対象"},
            {kDlgComboBox,  1187,   57,  7,  90, 100},
            {kDlgText,      0,       7, 27,  48,  8, "位置グループ"},
            {kDlgComboBox,  1317,   57, 25,  90, 100},
            {kDlgText,      0,       7, 45,   8,  8, "X"},
            {kDlgEdit,      1318,   17, 43,  36, 14},
            {kDlgUpDown,    1319,   42, 43,  11, 14},
            {kDlgText,      0,      60, 45,   8,  8, "Y"},
            {kDlgEdit,      1320,   70, 43,  36, 14},
            {kDlgUpDown,    1321,   95, 43,  11, 14},
            {kDlgDefButton, 1006,   48, 64,  46, 14, "OK"},
            {kDlgButton,    1007,  101, 64,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        // A global variable: the variable with its rename button, the operator and the operand.
        {177, "変数の操作", 238, 49, kModalDialog, {
            {kDlgComboBox,  1309,    7,  7, 110, 150},
            {kDlgButton,    1250,  119,  7,  12, 13, "_"},
            {kDlgText,      0,     135,  9,  10,  8, "を"},
            {kDlgComboBox,  1308,  147,  7,  30, 100},
            {kDlgEdit,      1307,  181,  7,  50, 14},
            {kDlgUpDown,    1305,  220,  7,  11, 14},
            {kDlgDefButton, 1006,  132, 28,  46, 14, "OK"},
            {kDlgButton,    1007,  185, 28,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        // The map chips: where, which land, to which land, and the group of "位置グループ内".
        {178, "マップチップの変更", 236, 85, kModalDialog, {
            {kDlgComboBox,  1325,    7,  7,  90, 100},
            {kDlgText,      0,     100,  9,  10,  8, "の"},
            {kDlgComboBox,  1326,  112,  7,  90, 150},
            {kDlgText,      0,     205,  9,  10,  8, "を"},
            {kDlgComboBox,  1327,  112, 25,  90, 150},
            {kDlgText,      0,     205, 27,  24,  8, "に変更"},
            {kDlgText,      0,       7, 45,  48,  8, "位置グループ"},
            {kDlgComboBox,  1317,   57, 43,  90, 100},
            {kDlgDefButton, 1006,  130, 64,  46, 14, "OK"},
            {kDlgButton,    1007,  183, 64,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        {175, "お金の操作", 120, 49, kModalDialog, {
            {kDlgText,      0,       7,  9,  30,  8, "増減値"},
            {kDlgEdit,      1299,   39,  7,  60, 14},
            {kDlgUpDown,    1300,   88,  7,  11, 14},
            {kDlgDefButton, 1006,   14, 28,  46, 14, "OK"},
            {kDlgButton,    1007,   67, 28,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        CountDialog(181, "持ち物の操作", 1306),
        CountDialog(183, "仲間屋の変更", 1310),
        CountDialog(184, "パーティーの変更", 1310),
        // The event's graphic: the number and the preview of its cell.
        {189, "イベントのグラフィックを変更", 160, 60, kModalDialog, {
            {kDlgText,      0,       7,  9,  40,  8, "グラフィック"},
            {kDlgComboBox,  1032,   49,  7,  50, 150},
            {kDlgPicture,   1070,  110,  7,  32, 32},
            {kDlgDefButton, 1006,   54, 40,  46, 14, "OK"},
            {kDlgButton,    1007,  107, 40,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        // The music of a scene: the scene, the file with its browse and play buttons.
        {179, "BGMの変更", 236, 67, kModalDialog, {
            {kDlgText,      0,       7,  9,  30,  8, "シーン"},
            {kDlgComboBox,  1311,   39,  7,  80, 100},
            {kDlgEdit,      1215,    7, 25, 150, 14},
            {kDlgButton,    1312,  161, 25,  32, 14, "参照"},
            {kDlgButton,    1313,  197, 25,  32, 14, "再生"},
            {kDlgDefButton, 1006,  130, 46,  46, 14, "OK"},
            {kDlgButton,    1007,  183, 46,  46, 14, "ｷｬﾝｾﾙ"},
        }},
        // The status: whom it changes, then what and by how much.
        {180, "ステータスの操作", 236, 133, kModalDialog, {
            {kDlgGroupBox,  0,       7,  3, 222, 62, "対象"},
            {kDlgCheckBox,  1326,   13, 15, 120, 10, "イベント発生対象と同じ"},
            {kDlgComboBox,  1325,   13, 29,  90, 100},
            {kDlgText,      0,     106, 31,  10,  8, "の"},
            {kDlgComboBox,  1327,  118, 29,  90, 100},
            {kDlgText,      0,      13, 47,  48,  8, "位置グループ"},
            {kDlgComboBox,  1317,   63, 45,  90, 100},
            {kDlgGroupBox,  0,       7, 69, 222, 40, "効果"},
            {kDlgComboBox,  1265,   13, 81,  40, 60},
            {kDlgText,      0,      56, 83,  16,  8, "を +"},
            {kDlgEdit,      1307,   74, 81,  40, 14},
            {kDlgUpDown,    1305,  103, 81,  11, 14},
            {kDlgCheckBox,  1035,  120, 83,  60, 10, "％で指定"},
            {kDlgDefButton, 1006,  130, 113, 46, 14, "OK"},
            {kDlgButton,    1007,  183, 113, 46, 14, "ｷｬﾝｾﾙ"},
        }},
        // The shop: the goods with their buttons, and whether the camp menu's shop takes them.
        {182, "お店", 200, 190, kModalDialog, {
            {kDlgGroupBox,  1053,    7,  3, 186, 140, "商品"},
            {kDlgButton,    1066,   13, 15,  40, 14, "挿入"},
            {kDlgButton,    1226,   57, 15,  40, 14, "編集"},
            {kDlgButton,    1067,  101, 15,  40, 14, "削除"},
            {kDlgListBox,   1142,   13, 33, 174, 104},
            {kDlgCheckBox,  1035,    7, 150, 186, 10, "今回の商品を編成メニューの店へ追加"},
            {kDlgDefButton, 1006,   94, 169, 46, 14, "OK"},
            {kDlgButton,    1007,  147, 169, 46, 14, "ｷｬﾝｾﾙ"},
        }},
        {187, "商品", 160, 49, kModalDialog, {
            {kDlgText,      0,       7,  9,  30,  8, "アイテム"},
            {kDlgComboBox,  1306,   39,  7, 114, 150},
            {kDlgDefButton, 1006,   54, 28,  46, 14, "OK"},
            {kDlgButton,    1007,  107, 28,  46, 14, "ｷｬﾝｾﾙ"},
        }},
    };
    return templates;
}
