#include "editor/resources/DialogGroups.h"
#include "editor/resources/StageEditorIds.h"
#include "platform/window/ControlMessages.h"

using namespace platform;

namespace
{

// The stage editor window: a map of 640 x 480 pixels that can be made
// smaller, with a caption, a close box and a minimise box.
constexpr uint32_t kEditorWindowDialog = kPaletteDialog | kWsMinimizeBox;

} // namespace

const std::vector<DialogTemplate>& StageEditorDialogTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        // The stage editor window: the map view fills the client area; the
        // window adds its menu, tool bar, status bar and scroll bars.
        {kDialogStageEditor, "Tarnwick", 427, 320, kEditorWindowDialog, {
            {kDlgPicture, kIdMapView, 0, 0, 427, 320},
        }},
        // The position groups: the list with its buttons in a frame.
        {146, "位置グループの設定", 222, 225, kModalDialog, {
            {kDlgGroupBox,  1054,   7,   7, 208, 190, "位置グループ"},
            {kDlgButton,    1066,  14,  20,  44,  14, "新規"},
            {kDlgButton,    1226,  62,  20,  44,  14, "編集"},
            {kDlgButton,    1067, 110,  20,  44,  14, "ｸﾘｱ"},
            {kDlgButton,    11071, 158, 20,  50,  14, "ﾃﾞｰﾀ数"},
            {kDlgListBox,   1233,  14,  38, 194, 152, "", kWsBorder | kWsVScroll},
            {kDlgDefButton, 1006, 110, 204,  50,  14, "OK"},
            {kDlgButton,    1007, 165, 204,  50,  14, "ｷｬﾝｾﾙ"},
        }},
        // One position group: the map fills the window above a row of its
        // name, centre and buttons, which the dialog places itself.
        {147, "位置グループの編集", 402, 281, kModalDialog, {
            {kDlgPicture,    1075,   0,   0, 427, 320},
            {kDlgHScrollBar, 1196,   0, 320, 427,  10},
            {kDlgVScrollBar, 1197, 427,   0,  10, 320},
            {kDlgText,       1030,   0,   0,  56,   8, "位置グループ名"},
            {kDlgEdit,       1044,   0,   0,  80,  14},
            {kDlgText,       1232,   0,   0,  46,   8, "中心座標  X"},
            {kDlgEdit,       1227,   0,   0,  30,  14},
            {kDlgUpDown,     1228,   0,   0,  11,  14},
            {kDlgText,       1231,   0,   0,   8,   8, "Y"},
            {kDlgEdit,       1229,   0,   0,  30,  14},
            {kDlgUpDown,     1230,   0,   0,  11,  14},
            {kDlgDefButton,  1006,   0,   0,  50,  14, "OK"},
            {kDlgButton,     1007,   0,   0,  50,  14, "ｷｬﾝｾﾙ"},
        }},
        // The stage's settings at the left, its three explanation lists at the right.
        {144, "ステージの設定", 401, 321, kModalDialog, {
            {kDlgText,      1030,   7,   9,  40,   8, "ステージ名"},
            {kDlgEdit,      1044,  50,   7, 144,  14},
            {kDlgText,      902,    7,  29,  20,   8, "横幅"},
            {kDlgEdit,      1210,  30,  27,  36,  14},
            {kDlgUpDown,    1212,  55,  27,  11,  14},
            {kDlgText,      903,   76,  29,  20,   8, "縦幅"},
            {kDlgEdit,      1211,  99,  27,  36,  14},
            {kDlgUpDown,    1166, 124,  27,  11,  14},
            {kDlgText,      1082,   7,  49,  60,   8, "味方の初期位置"},
            {kDlgComboBox,  1234,  70,  47, 124, 100},
            {kDlgText,      1040,   7,  69,  20,   8, "BGM"},
            {kDlgEdit,      1215,  30,  67, 100,  14},
            {kDlgButton,    1216, 134,  67,  28,  14, "参照"},
            {kDlgButton,    1217, 166,  67,  28,  14, "再生"},
            {kDlgText,      906,    7,  91, 150,   8, "ステージクリア時の報酬"},
            {kDlgEdit,      1218, 150,  89,  44,  14},
            {kDlgUpDown,    1169, 183,  89,  11,  14},
            {kDlgText,      911,    7, 111, 150,   8, "一度クリアしている場合の報酬の修正(%)"},
            {kDlgEdit,      1314, 160, 109,  34,  14},
            {kDlgUpDown,    1174, 183, 109,  11,  14},
            {kDlgText,      908,    7, 131, 150,   8, "初挑戦時の獲得EXの修正(%)"},
            {kDlgEdit,      1232, 160, 129,  34,  14},
            {kDlgUpDown,    1171, 183, 129,  11,  14},
            {kDlgText,      909,    7, 151, 150,   8, "一度クリアしている場合の獲得EXの修正(%)"},
            {kDlgEdit,      1233, 160, 149,  34,  14},
            {kDlgUpDown,    1172, 183, 149,  11,  14},
            {kDlgGroupBox,  1054, 205,   7, 189,  96, "勝利条件の説明"},
            {kDlgButton,    1219, 211,  18,  36,  14, "挿入"},
            {kDlgButton,    1220, 250,  18,  36,  14, "編集"},
            {kDlgButton,    1221, 289,  18,  36,  14, "削除"},
            {kDlgListBox,   1222, 211,  35, 177,  62},
            {kDlgGroupBox,  1055, 205, 106, 189,  96, "敗北条件の説明"},
            {kDlgButton,    1223, 211, 117,  36,  14, "挿入"},
            {kDlgButton,    1224, 250, 117,  36,  14, "編集"},
            {kDlgButton,    1225, 289, 117,  36,  14, "削除"},
            {kDlgListBox,   1226, 211, 134, 177,  62},
            {kDlgGroupBox,  1056, 205, 205, 189,  96, "その他（特別ルール等）の説明"},
            {kDlgButton,    1227, 211, 216,  36,  14, "挿入"},
            {kDlgButton,    1228, 250, 216,  36,  14, "編集"},
            {kDlgButton,    1229, 289, 216,  36,  14, "削除"},
            {kDlgListBox,   1230, 211, 233, 177,  62},
            {kDlgPicture,   1075,   7, 290,  10,  10},
            {kDlgMultiEdit, 1011,  20, 290,  40,  20},
            {kDlgText,      1026,  64, 290,  20,   8, "Test"},
            {kDlgDefButton, 1006, 290, 303,  50,  14, "OK"},
            {kDlgButton,    1007, 344, 303,  50,  14, "ｷｬﾝｾﾙ"},
        }},
        // One explanation page: its text, and the cursor's target when it is chosen.
        {145, "説明", 275, 181, kModalDialog, {
            {kDlgText,      1030,   7,   9,  36,   8, "テキスト"},
            {kDlgEdit,      1223,  46,   7, 222,  14},
            {kDlgGroupBox,  0,      7,  28, 261, 125, "選択した時の処理"},
            {kDlgText,      1069,  14,  42,  90,   8, "カーソルを合わせる対象"},
            {kDlgComboBox,  1226, 108,  40, 100, 100},
            {kDlgText,      1070,  14,  60,  90,   8, "敵"},
            {kDlgComboBox,  1224, 108,  58, 150, 100},
            {kDlgText,      1071,  14,  78,  90,   8, "位置グループ"},
            {kDlgComboBox,  1227, 108,  76, 150, 100},
            {kDlgText,      0,     14,  98,   8,   8, "X"},
            {kDlgEdit,      1297,  26,  96,  36,  14},
            {kDlgUpDown,    1298,  51,  96,  11,  14},
            {kDlgText,      0,     70,  98,   8,   8, "Y"},
            {kDlgEdit,      1201,  82,  96,  36,  14},
            {kDlgUpDown,    1202, 107,  96,  11,  14},
            {kDlgText,      1068,  14, 130,  90,   8, "表示する位置グループ"},
            {kDlgComboBox,  1225, 108, 128, 150, 100},
            {kDlgPicture,   1075,   7, 160,  10,  10},
            {kDlgDefButton, 1006, 160, 160,  50,  14, "OK"},
            {kDlgButton,    1007, 218, 160,  50,  14, "ｷｬﾝｾﾙ"},
        }},
        // The editor's own options.
        // The first check box is three lines high: its second line breaks once more.
        {193, "エディットオプション", 311, 149, kModalDialog, {
            {kDlgCheckBox,  1370,   7,   7, 297,  28,
             "ステージロード時にイベントパレットデータをロードしない。\n"
             "（ロード前のイベントパレットを保持。常に同じイベントパレットを使用したい人にはオススメ）"},
            {kDlgGroupBox,  65535,  7,  42, 297,  76, "テストプレイ用のゲームプログラムのパス"},
            {kDlgCheckBox,  1373,  14,  56,  80,  10, "自動で取得"},
            {kDlgEdit,      1372,  14,  72, 240,  14},
            {kDlgButton,    1371, 258,  72,  40,  14, "参照"},
            {kDlgPicture,   1075,   7, 126,  10,  10},
            {kDlgDefButton, 1006, 196, 128,  50,  14, "OK"},
            {kDlgButton,    1007, 254, 128,  50,  14, "ｷｬﾝｾﾙ"},
        }},
        // The conversion of bitmaps onto the project's palette: the files at
        // the left, the input's transparent colour and the output at the right.
        {188, "ビットマップ変換ツール", 299, 159, kModalDialog, {
            {kDlgText,      0,      7,   7, 285,   8, "指定したビットマップをTarnwickで利用可能なビットマップに変換します。"},
            {kDlgButton,    1008,   7,  20,  64,  14, "ファイルの指定"},
            {kDlgButton,    1007,  75,  20,  40,  14, "変換"},
            {kDlgListBox,   1328,   7,  38, 140, 114},
            {kDlgGroupBox,  0,    154,  20, 138,  50, "入力側の（変換前の）透過色"},
            {kDlgCheckBox,  1334, 160,  32, 120,  10, "透過色を使用している"},
            {kDlgText,      0,    160,  50,  24,   8, "透過色"},
            {kDlgEdit,      1329, 186,  48,  36,  14},
            {kDlgUpDown,    1330, 211,  48,  11,  14},
            {kDlgGroupBox,  0,    154,  74, 138,  56, "出力先のパス"},
            {kDlgCheckBox,  1331, 160,  86, 126,  10, "入力と同じ（※上書きする）"},
            {kDlgEdit,      1332, 160, 102,  94,  14},
            {kDlgButton,    1333, 258, 102,  28,  14, "参照"},
            {kDlgPicture,   1075, 154, 140,  10,  10},
        }},
        // The map chip palette: eight chips a row.
        {kDialogMapChipPalette, "マップチップパレット", 171, 171, kPaletteDialog, {
            {kDlgPicture, kIdMapView, 0, 0, 171, 171},
        }},
    };
    return templates;
}
