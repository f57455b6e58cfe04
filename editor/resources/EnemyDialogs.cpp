#include "editor/resources/DialogGroups.h"
#include "platform/window/ControlMessages.h"

namespace
{

// The enemy palette: a palette without a close box (it goes only when another palette opens).
constexpr uint32_t kPaletteWithoutCloseBox = kPaletteDialog & ~platform::kWsSysMenu;

} // namespace

const std::vector<DialogTemplate>& EnemyDialogTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        // The enemy palette: the list's buttons on top, the numbered placements below.
        {141, "敵パレット", 211, 259, kPaletteWithoutCloseBox, {
            {kDlgButton,    1066,   7,   7,  38, 14, "挿入"},
            {kDlgButton,    1226,  48,   7,  38, 14, "編集"},
            {kDlgButton,    1067,  89,   7,  38, 14, "削除"},
            {kDlgButton,    11071, 150,  7,  54, 14, "ﾃﾞｰﾀ数"},
            {kDlgGroupBox,  1053,   4,  24, 203, 231, "敵一覧"},
            {kDlgListBox,   1201,  10,  36, 191, 214},
            {kDlgPicture,   1075,   0,   0,   0,  0},
        }},
        // One placement: its group and its enemy, and its movement AI as a list with its buttons.
        {169, "敵", 221, 201, kModalDialog, {
            {kDlgText,      0,      7,   9,  30,  8, "グループ"},
            {kDlgEdit,      1199,  40,   7,  40, 14},
            {kDlgUpDown,    1200,  69,   7,  11, 14, "Spin1"},
            {kDlgText,      0,     86,   9, 130,  8, "※「0」ならグループなし（常に出現）"},
            {kDlgText,      0,      7,  27,  30,  8, "データ"},
            {kDlgComboBox,  1198,  40,  25, 120, 150},
            {kDlgGroupBox,  1054,   7,  44, 207, 130, "移動AI"},
            {kDlgListBox,   1112,  13,  56, 195,  94},
            {kDlgButton,    1068,  13, 154,  40, 14, "挿入"},
            {kDlgButton,    1069,  57, 154,  40, 14, "編集"},
            {kDlgButton,    11072, 101, 154, 40, 14, "削除"},
            {kDlgDefButton, 1006, 115, 180,  46, 14, "OK"},
            {kDlgButton,    1007, 168, 180,  46, 14, "ｷｬﾝｾﾙ"},
            {kDlgPicture,   1075,   0,   0,   0,  0},
        }},
        // One movement-AI entry as a sentence: [range] で [target] に [mode], the skill and the goal below.
        {142, "移動AI", 281, 105, kModalDialog, {
            {kDlgComboBox,  1202,   7,   7,  90, 100},
            {kDlgText,      0,     99,   9,  10,  8, "で"},
            {kDlgComboBox,  1203, 111,   7, 110, 150},
            {kDlgText,      0,    223,   9,  10,  8, "に"},
            {kDlgComboBox,  1180, 235,   7,  40, 60},
            {kDlgText,      0,      7,  30,  40,  8, "使用スキル"},
            {kDlgComboBox,  1181,  50,  28,  90, 150},
            {kDlgText,      0,    146,  26, 128, 16, "※戦闘AIの設定でスキルを習得させていなければ使用出来ない。"},
            {kDlgText,      0,      7,  52,  40,  8, "目的地"},
            {kDlgComboBox,  1182,  50,  50,  90, 150},
            {kDlgText,      0,    146,  50, 128, 16, "※位置データが5点以上のものは設定出来ない。"},
            {kDlgDefButton, 1006, 170,  84,  46, 14, "OK"},
            {kDlgButton,    1007, 228,  84,  46, 14, "ｷｬﾝｾﾙ"},
            {kDlgPicture,   1075,   0,   0,   0,  0},
        }},
    };
    return templates;
}
