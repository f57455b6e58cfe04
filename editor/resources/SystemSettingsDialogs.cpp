// The first three system pages of the database sheet: the game's name,
// random growth and scouting (112); experience, money and the enemies' stat
// correction (128); the battle system and the difficulty (172).
#include "common/data/DatabaseVocabulary.h"
#include "common/data/RecordRules.h"
#include "editor/database/SystemPages.h"
#include "editor/resources/DialogGroups.h"
#include "platform/window/ControlMessages.h"

using namespace platform;

namespace
{

// Labels carry no id of their own.
constexpr int kStatic = -1;

// The nine stat rows, one every 15 units from the top given: the stat's
// name at labelX, its edit at editX and the spin at the edit's right.
void AddStatRows(std::vector<DialogItemTemplate>& items, int labelX, int editX, int top, int firstEdit, int firstSpin)
{
    for (int k = 0; k < kParameterCount; ++k)
    {
        int y = top + k * 15;
        items.push_back({kDlgText, kStatic, labelX, y + 2, 40, 10, AiConditionParamNames.Words()[k]});
        items.push_back({kDlgEdit, firstEdit + k, editX, y, 30, 12});
        items.push_back({kDlgUpDown, firstSpin + k, editX + 30, y, 10, 12});
    }
}

// A random value of the growth group: its minimum and maximum, the scouting
// term after "＋スカウト×", and under them the check box that caps the sum.
void AddRandomRow(std::vector<DialogItemTemplate>& items, int y, const char* label, int minimum, int minimumSpin,
                  int maximum, int maximumSpin, int scout, int scoutSpin, int cap)
{
    items.insert(items.end(), {
        {kDlgText,     kStatic,     13,  y + 2, 105, 10, label},
        {kDlgEdit,     minimum,     120, y,     30,  12},
        {kDlgUpDown,   minimumSpin, 150, y,     10,  12},
        {kDlgText,     kStatic,     163, y + 2, 10,  10, "～"},
        {kDlgEdit,     maximum,     175, y,     30,  12},
        {kDlgUpDown,   maximumSpin, 205, y,     10,  12},
        {kDlgText,     kStatic,     220, y + 2, 50,  10, "＋スカウト×"},
        {kDlgEdit,     scout,       270, y,     36,  12},
        {kDlgUpDown,   scoutSpin,   306, y,     10,  12},
        {kDlgCheckBox, cap,         120, y + 15, 160, 10, "(+スカウト×□)で最大値を超えない"},
    });
}

DialogTemplate SystemPage1Template()
{
    DialogTemplate page{kIdSystemPage1, "システム", 401, 341, kChildDialog, {}};
    std::vector<DialogItemTemplate>& items = page.m_Items;
    items = {
        {kDlgText,     kStatic,  7,   9,  40, 10, "ゲーム名"},
        {kDlgEdit,     1003,    50,   7, 100, 12},
        {kDlgGroupBox, kStatic,  7,  26, 387, 94, "ランダム成長"},
        {kDlgText,     kStatic, 120,  38,  40, 10, "最小値"},
        {kDlgText,     kStatic, 175,  38,  40, 10, "最大値"},
    };
    AddRandomRow(items, 50, "ランダム成長値（合計）", 1152, 1154, 1153, 1155, 1156, 1178, 1035);
    AddRandomRow(items, 82, "ランダムスキル習得値（合計）", 1158, 1159, 1160, 1161, 1162, 1163, 1036);
    items.insert(items.end(), {
        {kDlgCheckBox, 1038,      7, 126, 120, 10, "スカウトを有効にする"},
        {kDlgGroupBox, kStatic,   7, 142, 150, 192, "能力上昇値"},
    });
    AddStatRows(items, 13, 70, 156, kIdSystemGrowthRaise, 1343);
    items.push_back({kDlgText, kStatic, 13, 294, 140, 30, "※上記の値×振り分けられた成長値が実際の上昇値"});
    return page;
}

// A price of a character: its first term, then "＋キャラのLV×" and the per-level term.
void AddPriceRow(std::vector<DialogItemTemplate>& items, int y, const char* label, int baseId, int levelId)
{
    items.insert(items.end(), {
        {kDlgText,     kStatic,     165, y + 2, 55, 10, label},
        {kDlgEdit,     baseId,      220, y,     40, 12},
        {kDlgUpDown,   baseId + 1,  260, y,     10, 12},
        {kDlgText,     kStatic,     273, y + 2, 55, 10, "＋キャラのLV×"},
        {kDlgEdit,     levelId,     330, y,     40, 12},
        {kDlgUpDown,   levelId + 1, 370, y,     10, 12},
    });
}

DialogTemplate SystemPage2Template()
{
    DialogTemplate page{kIdSystemPage2, "システム2", 401, 341, kChildDialog, {}};
    std::vector<DialogItemTemplate>& items = page.m_Items;
    items = {
        {kDlgGroupBox, kStatic, 7, 7, 150, 160, "敵の、クラスに準ずる能力値の修正(%)"},
    };
    AddStatRows(items, 13, 70, 21, kIdSystemEnemyStat, 1361);
    items.insert(items.end(), {
        {kDlgText,     kStatic, 165,  9,  35, 10, "獲得EX ="},
        {kDlgEdit,     1164,    200,  7,  30, 12},
        {kDlgUpDown,   1165,    230,  7,  10, 12},
        {kDlgText,     kStatic, 243,  9, 100, 10, "＋（敵のLV－味方のLV）×"},
        {kDlgEdit,     21185,   345,  7,  30, 12},
        {kDlgUpDown,   21186,   375,  7,  10, 12},
        {kDlgText,     kStatic, 165, 27, 105, 10, "敵のトドメを刺したら、EX×"},
        {kDlgEdit,     1187,    270, 25,  30, 12},
        {kDlgUpDown,   1188,    300, 25,  10, 12},
    });
    AddPriceRow(items, 45, "味方の雇用費", 1170, 1172);
    items.push_back({kDlgCheckBox, 1037, 165, 64, 200, 10, "味方が死んでもステージクリア後に復活"});
    AddPriceRow(items, 79, "味方の復活費", 1174, 1176);
    AddPriceRow(items, 97, "放出時の売値", 1179, 1181);
    items.insert(items.end(), {
        {kDlgText,     kStatic, 165, 117, 90, 10, "アイテムの売値修正(%)"},
        {kDlgEdit,     1183,    260, 115, 30, 12},
        {kDlgUpDown,   1184,    290, 115, 10, 12},
    });
    return page;
}

// A label and a number with its spin on one line of the battle system group.
void AddNumberLine(std::vector<DialogItemTemplate>& items, int y, const char* label, int labelWidth, int edit,
                   int spin)
{
    items.insert(items.end(), {
        {kDlgText,   kStatic, 13,                  y + 2, labelWidth, 10, label},
        {kDlgEdit,   edit,    15 + labelWidth,     y,     30,         12},
        {kDlgUpDown, spin,    45 + labelWidth,     y,     10,         12},
    });
}

DialogTemplate SystemPage3Template()
{
    DialogTemplate page{kIdSystemPage3, "システム3", 403, 341, kChildDialog, {}};
    std::vector<DialogItemTemplate>& items = page.m_Items;
    items = {
        {kDlgGroupBox, kStatic,   7,   7, 255, 327, "バトルシステム"},
        {kDlgText,     kStatic,  13,  21,  80, 10, "戦闘時間"},
        {kDlgEdit,     kIdSystemBattleTime, 100, 19, 30, 12},
        {kDlgUpDown,   1162,    130,  19,  10, 12},
        {kDlgText,     kStatic, 100,  34,  40, 10, "突撃側"},
        {kDlgText,     kStatic, 150,  34,  40, 10, "迎撃側"},
        {kDlgText,     kStatic,  13,  46,  80, 10, "初期行動値"},
        {kDlgEdit,     kIdSystemInitAttacker, 100, 44, 30, 12},
        {kDlgUpDown,   1272,    130,  44,  10, 12},
        {kDlgEdit,     kIdSystemInitDefender, 150, 44, 30, 12},
        {kDlgUpDown,   1274,    180,  44,  10, 12},
        {kDlgText,     kStatic,  13,  61,  80, 10, "速さの修正(%)"},
        {kDlgEdit,     kIdSystemSpeedAttacker, 100, 59, 30, 12},
        {kDlgUpDown,   1160,    130,  59,  10, 12},
        {kDlgEdit,     kIdSystemSpeedDefender, 150, 59, 30, 12},
        {kDlgUpDown,   1159,    180,  59,  10, 12},
        {kDlgText,     kStatic,  13,  76,  80, 10, "行動回数（参考用）"},
        {kDlgEdit,     kIdSystemCountAttacker, 100, 74, 40, 12, "", kEsReadOnly},
        {kDlgEdit,     kIdSystemCountDefender, 150, 74, 40, 12, "", kEsReadOnly},
        {kDlgText,     kStatic,  13,  89, 240, 10, "※突撃側と迎撃側の「はやさ」は同じと仮定"},
        {kDlgCheckBox, kIdSystemDefenderWaits, 13, 100, 240, 10,
         "突撃側が1回行動するまで、迎撃側の行動値を加算しない"},
    };
    AddNumberLine(items, 112, "速さの基本値", 80, 1177, 1178);
    items.push_back({kDlgText, kStatic, 13, 128, 245, 52,
                     "＜説明＞\n"
                     "戦闘時間とは、1回の戦闘で行動値を加算する回数のこと。\n"
                     "実際の速さ＝（速さの基本値＋キャラのはやさ）×速さの修正(%)÷100\n"
                     "加算値＝200×（突撃側の速さ÷（突撃側の速さ＋迎撃側の速さ））※最小値0、最大値200\n"
                     "行動値が1000に達すると、1回行動する。"});
    AddNumberLine(items, 182, "命中率(%)　＝　基本命中率＋（わざ－相手のはんのう）×", 200, 1179, 1180);
    items.push_back({kDlgText, kStatic, 13, 196, 240, 10, "※基本命中率とは、武器またはスキルの命中率のこと"});
    AddNumberLine(items, 208, "必殺率(%)　＝　基本必殺率＋（わざ－相手のはんのう）×", 200, 1185, 1186);
    items.push_back({kDlgText, kStatic, 13, 222, 240, 10, "※基本必殺率が0なら、必殺率は0"});
    AddNumberLine(items, 234, "ダメージ　＝　スキルの威力＋こうげき×", 152, 1181, 1182);
    items.insert(items.end(), {
        {kDlgText,   kStatic, 100, 251, 64, 10, "－相手のまもり×"},
        {kDlgEdit,   1183,    167, 249, 30, 12},
        {kDlgUpDown, 1184,    197, 249, 10, 12},
        {kDlgText,   kStatic,  13, 265, 245, 10, "※この式は回復値の計算式でもある（「－相手のまもり×□」は無視）"},
        {kDlgText,   kStatic,  13, 281,  80, 10, "ダメージの修正(%)"},
        {kDlgEdit,   1173,    100, 279,  30, 12},
        {kDlgUpDown, 1174,    130, 279,  10, 12},
        {kDlgText,   kStatic, 142, 281,  10, 10, "～"},
        {kDlgEdit,   1175,    150, 279,  30, 12},
        {kDlgUpDown, 1176,    180, 279,  10, 12},
    });
    AddNumberLine(items, 296, "HP回復値の修正(%)", 80, 1165, 1166);
    items.insert(items.end(), {
        {kDlgCheckBox, 1036,    13, 314, 200, 10, "スキルが命中しなければSPは消費しない"},
        {kDlgGroupBox, kStatic, 268,  7, 128, 327, "難易度"},
        {kDlgText,     kStatic, 274, 21,  40, 10, "初期値"},
        {kDlgEdit,     1168,    320, 19,  30, 12},
        {kDlgUpDown,   1169,    350, 19,  10, 12},
        {kDlgText,     kStatic, 274, 36,  40, 10, "最大値"},
        {kDlgEdit,     1170,    320, 34,  30, 12},
        {kDlgUpDown,   1171,    350, 34,  10, 12},
        {kDlgCheckBox, 1035,    274, 51,  80, 10, "％で指定↓"},
        {kDlgGroupBox, kStatic, 274, 64, 116, 180, "能力上昇値"},
    });
    AddStatRows(items, 280, 330, 78, kIdSystemDifficultyRaise, 1287);
    items.push_back({kDlgText, kStatic, 280, 216, 105, 20, "※上記の値×難易度が上昇値"});
    return page;
}

} // namespace

const std::vector<DialogTemplate>& SystemSettingsPageTemplates()
{
    static const std::vector<DialogTemplate> templates = {SystemPage1Template(), SystemPage2Template(),
                                                          SystemPage3Template()};
    return templates;
}
