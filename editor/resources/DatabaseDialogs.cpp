#include "editor/database/ParameterIds.h"
#include "editor/resources/DialogGroups.h"
#include "platform/window/ControlMessages.h"

using namespace platform;

namespace
{

// Labels carry no id of their own.
constexpr int kStatic = -1;

// The nine parameter rows of a page: a label and the row's controls, one row
// every 15 units from the top given. Each row is {label, edits with their spins}.
struct ParameterColumn
{
    int m_nX;
    const int* m_pEdits;
    const int* m_pSpins;
};

const char* const kParameterLabels[9] = {"HP", "SP", "こうげき", "まもり", "まりょく", "ていこう", "わざ", "はんのう", "はやさ"};

void AddParameterRows(std::vector<DialogItemTemplate>& items, int labelX, int top,
                      std::initializer_list<ParameterColumn> columns)
{
    for (int k = 0; k < 9; ++k)
    {
        int y = top + k * 15;
        items.push_back({kDlgText, kStatic, labelX, y + 2, 40, 10, kParameterLabels[k]});
        for (const ParameterColumn& column : columns)
        {
            items.push_back({kDlgEdit, column.m_pEdits[k], column.m_nX, y, 30, 12});
            items.push_back({kDlgUpDown, column.m_pSpins[k], column.m_nX + 30, y, 10, 12});
        }
    }
}

constexpr int kLandEffects[9] = {11037, 11038, 11039, 11040, 11041, 11042, 11043, 11044, 11045};
constexpr int kLandEffectSpins[9] = {11060, 11061, 11062, 11063, 11064, 11065, 11066, 11067, 11068};

// A table page: the record list with the three buttons every table page has
// under it, and the record's name (1044) at the top of the right side.
DialogTemplate TablePage(int dialogId, const char* caption, int listId, const char* nameLabel)
{
    DialogTemplate page{dialogId, caption, 401, 341, kChildDialog, {}};
    page.m_Items = {
        {kDlgListBox, listId,  7,   7,   110, 300, "", kWsVScroll},
        {kDlgButton,  1066,    7,   312, 34,  14,  "新規"},
        {kDlgButton,  1067,    45,  312, 34,  14,  "ｸﾘｱ"},
        {kDlgButton,  11071,   83,  312, 34,  14,  "ﾃﾞｰﾀ数"},
        {kDlgText,    kStatic, 125, 9,   40,  10,  nameLabel},
        {kDlgEdit,    1044,    170, 7,   80,  12},
    };
    return page;
}

DialogTemplate ClassPageTemplate()
{
    DialogTemplate page = TablePage(111, "クラス", 1029, "クラス名");
    std::vector<DialogItemTemplate>& items = page.m_Items;
    items.insert(items.end(), {
        {kDlgText,     kStatic, 125, 25, 40, 10, "グラフィック"},
        {kDlgComboBox, 1032,    170, 23, 40, 120, "", kWsVScroll},
        {kDlgPicture,  1070,    215, 23, 32, 32},
        {kDlgText,     kStatic, 125, 63, 40, 10, "移動力"},
        {kDlgEdit,     1033,    170, 61, 30, 12},
        {kDlgUpDown,   1057,    200, 61, 10, 12},
        {kDlgCheckBox, 1035,    215, 61, 40, 12, "飛行"},
        {kDlgText,     kStatic, 125, 79, 40, 10, "EX修正(%)"},
        {kDlgEdit,     1034,    170, 77, 30, 12},
        {kDlgUpDown,   1064,    200, 77, 10, 12},
        {kDlgText,     kStatic, 125, 95, 40, 10, "限界レベル"},
        {kDlgEdit,     1053,    170, 93, 30, 12},
        {kDlgUpDown,   1065,    200, 93, 10, 12},
        {kDlgText,     kStatic, 170, 114, 40, 10, "初期値"},
        {kDlgText,     kStatic, 215, 114, 40, 10, "最終値"},
    });
    AddParameterRows(items, 125, 126,
                     {{170, kParameterInitialIds, kParameterInitialSpins},
                      {215, kParameterFinalIds, kParameterFinalSpins}});
    items.insert(items.end(), {
        {kDlgText,     kStatic, 125, 264, 150, 20, "※最終値が「0」なら、初期値と同じ（成長しない）"},
        {kDlgGroupBox, kStatic, 275,   4, 119, 152, "スキル習得値"},
        {kDlgListBox,  1073,    281,  16, 107, 116, "", kWsVScroll},
        {kDlgButton,   1076,    354, 136,  34,  14, "編集"},
        {kDlgGroupBox, kStatic, 275, 160, 119, 152, "属性耐性(%)"},
        {kDlgListBox,  1074,    281, 172, 107, 116, "", kWsVScroll},
        {kDlgButton,   1077,    354, 292,  34,  14, "編集"},
    });
    return page;
}

// The columns of a character page, a row for each parameter from the top
// given: the computed values (1097 ..), the initial and final values, and
// what the class alone gives ("参考値"); the notes on 0 below them.

void AddCharacterParameters(std::vector<DialogItemTemplate>& items, int top)
{
    items.insert(items.end(), {
        {kDlgText, kStatic, 178, top - 12, 40, 10, "初期値"},
        {kDlgText, kStatic, 222, top - 12, 40, 10, "最終値"},
        {kDlgText, kStatic, 264, top - 12, 30, 10, "参考値"},
    });
    AddParameterRows(items, 125, top,
                     {{178, kParameterInitialIds, kParameterInitialSpins},
                      {222, kParameterFinalIds, kParameterFinalSpins}});
    for (int k = 0; k < 9; ++k)
    {
        items.push_back({kDlgText, kCharacterValueIds[k], 158, top + k * 15 + 2, 16, 10, "999"});
        items.push_back({kDlgText, kCharacterReferenceIds[k], 266, top + k * 15 + 2, 16, 10, "999"});
    }
    items.insert(items.end(), {
        {kDlgText, kStatic, 125, top + 137, 165, 10, "※初期値が「0」なら、クラスの設定に準ずる"},
        {kDlgText, kStatic, 125, top + 148, 165, 10, "※最終値が「0」なら、初期値と同じ（成長しない）"},
    });
}

// A character page: the name with its random flag, the class and the level
// at the top given, the parameters, the two equipment slots, and the group of
// the character's own list with its three buttons on the right; that list
// takes the style bits given besides its vertical scroll bar.
DialogTemplate CharacterPage(int dialogId, const char* caption, int listId, int classTop, const char* group,
                             const int (&entryIds)[4], uint32_t entryListStyle = 0)
{
    DialogTemplate page = TablePage(dialogId, caption, listId, "名前");
    std::vector<DialogItemTemplate>& items = page.m_Items;
    items.insert(items.end(), {
        {kDlgCheckBox, 12076,   255, 7, 100, 12, "ランダムで名前を決定"},
        {kDlgText,     kStatic, 125, classTop + 2, 40, 10, "クラス"},
        {kDlgComboBox, 1117,    170, classTop, 80, 120, "", kWsVScroll},
        {kDlgText,     kStatic, 258, classTop + 2, 30, 10, "レベル"},
        {kDlgEdit,     1116,    290, classTop, 30, 12},
        {kDlgUpDown,   1064,    320, classTop, 10, 12},
    });
    int top = classTop + 32;
    AddCharacterParameters(items, top);
    int equipment = top + 162;
    items.insert(items.end(), {
        {kDlgText,     kStatic, 125, equipment + 2, 40, 10, "武器"},
        {kDlgComboBox, 1114,    170, equipment, 110, 120, "", kWsVScroll},
        {kDlgText,     kStatic, 125, equipment + 18, 40, 10, "その他"},
        {kDlgComboBox, 1115,    170, equipment + 16, 110, 120, "", kWsVScroll},
        {kDlgGroupBox, kStatic, 300, classTop + 16, 96, 312 - classTop - 16, group},
        {kDlgListBox,  entryIds[0], 305, classTop + 28, 86, 312 - classTop - 62, "", kWsVScroll | entryListStyle},
        {kDlgButton,   entryIds[1], 305, 292, 26, 14, "挿入"},
        {kDlgButton,   entryIds[2], 335, 292, 26, 14, "編集"},
        {kDlgButton,   entryIds[3], 365, 292, 26, 14, "削除"},
    });
    return page;
}

DialogTemplate FriendPageTemplate()
{
    DialogTemplate page = CharacterPage(110, "味方キャラ", 1121, 51, "習得スキル", {1074, 1069, 1077, 1071});
    page.m_Items.insert(page.m_Items.end(), {
        {kDlgCheckBox, 1035, 125, 23, 97, 10, "最初から仲間屋へ登録"},
        {kDlgCheckBox, 1065, 225, 23, 73, 10, "何回でも雇える"},
        {kDlgCheckBox, 1053, 300, 23, 60, 10, "放出不可能"},
        {kDlgCheckBox, 1072, 125, 37, 60, 10, "ランダム成長"},
        {kDlgCheckBox, 1073, 200, 37, 85, 10, "ランダムスキル習得"},
    });
    return page;
}

DialogTemplate EnemyPageTemplate()
{
    // A battle-AI row names a category, a skill and two priorities: wider
    // than the list, which scrolls across to show it.
    DialogTemplate page = CharacterPage(127, "敵キャラ", 1179, 77, "戦闘AI", {1111, 1068, 1110, 1070}, kWsHScroll);
    page.m_Items.insert(page.m_Items.end(), {
        {kDlgText,      kStatic, 125, 25, 40, 10, "説明"},
        {kDlgMultiEdit, 12057,   170, 23, 215, 36},
        {kDlgCheckBox,  1072,    125, 63, 60, 10, "ランダム成長"},
    });
    return page;
}

DialogTemplate LandPageTemplate()
{
    DialogTemplate page = TablePage(123, "地形", 1129, "地形名");
    std::vector<DialogItemTemplate>& items = page.m_Items;
    items.insert(items.end(), {
        {kDlgText,     kStatic, 125, 25, 40, 10, "説明"},
        {kDlgEdit,     12057,   170, 23, 210, 12},
        {kDlgText,     kStatic, 125, 41, 40, 10, "消費移動量"},
        {kDlgEdit,     1085,    170, 39, 30, 12},
        {kDlgUpDown,   1086,    200, 39, 10, 12},
        {kDlgCheckBox, 1035,    220, 39, 50, 12, "移動不可"},
        {kDlgText,     kStatic, 125, 57, 40, 10, "グラフィック"},
        {kDlgComboBox, 1032,    170, 55, 40, 150, "", kWsVScroll},
        {kDlgPicture,  1070,    220, 55, 22, 22},
        {kDlgGroupBox, kStatic, 125, 82, 150, 172, "能力値への影響"},
        {kDlgCheckBox, 1302,    133, 94, 70, 10, "％で指定↓"},
    });
    AddParameterRows(items, 133, 110, {{180, kLandEffects, kLandEffectSpins}});
    items.insert(items.end(), {
        {kDlgText,     kStatic, 125, 264, 40, 10, "特殊効果"},
        {kDlgComboBox, 1079,    170, 262, 90, 60},
        {kDlgEdit,     1130,    265, 262, 30, 12},
        {kDlgUpDown,   1087,    295, 262, 10, 12},
        {kDlgText,     kStatic, 125, 282, 40, 10, "背景"},
        {kDlgEdit,     1046,    170, 280, 160, 12},
        {kDlgButton,   1132,    335, 279, 34, 14, "参照"},
    });
    return page;
}

// What the item and skill pages share below their own fields: the graphic
// with its 128 x 48 preview and its colour, the sound with 参照 and 再生, and
// the description, from the top given.
void AddEffectRows(std::vector<DialogItemTemplate>& items, int top)
{
    items.insert(items.end(), {
        {kDlgText,     kStatic, 125, top + 2,  40, 10, "グラフィック"},
        {kDlgComboBox, 1032,    170, top,      40, 150, "", kWsVScroll},
        {kDlgPicture,  1070,    215, top,      86, 32},
        {kDlgText,     kStatic, 125, top + 38, 40, 10, "色"},
        {kDlgComboBox, 1090,    170, top + 36, 130, 120},
        {kDlgText,     kStatic, 125, top + 54, 40, 10, "効果音"},
        {kDlgEdit,     1134,    170, top + 52, 150, 12},
        {kDlgButton,   1133,    323, top + 51, 30, 14, "参照"},
        {kDlgButton,   1139,    356, top + 51, 30, 14, "再生"},
        {kDlgText,     kStatic, 125, top + 70, 40, 10, "説明"},
        {kDlgEdit,     12057,   170, top + 68, 215, 12},
    });
}

// A label, an edit and its spin on one row.
void AddNumberRow(std::vector<DialogItemTemplate>& items, int x, int y, const char* label, int edit, int spin)
{
    items.push_back({kDlgText, kStatic, x, y + 2, 45, 10, label});
    items.push_back({kDlgEdit, edit, x + 47, y, 32, 12});
    items.push_back({kDlgUpDown, spin, x + 79, y, 10, 12});
}

DialogTemplate ItemPageTemplate()
{
    DialogTemplate page = TablePage(125, "アイテム", 1142, "アイテム名");
    std::vector<DialogItemTemplate>& items = page.m_Items;
    AddNumberRow(items, 125, 23, "値段", 1143, 1144);
    AddNumberRow(items, 260, 23, "最大所持数", 1145, 1146);
    items.insert(items.end(), {
        {kDlgText,     kStatic, 125, 37, 120, 10, "※0なら売却不可"},
        {kDlgText,     kStatic, 125, 52, 40, 10, "カテゴリー"},
        {kDlgComboBox, 1081,    170, 50, 80, 120, "", kWsVScroll},
        {kDlgText,     kStatic, 260, 52, 40, 10, "種類"},
        {kDlgComboBox, 1083,    300, 50, 85, 80},
        {kDlgText,     kStatic, 125, 68, 40, 10, "属性"},
        {kDlgComboBox, 1088,    170, 66, 80, 120, "", kWsVScroll},
    });
    AddNumberRow(items, 125, 84, "命中率(%)", 1140, 1141);
    AddNumberRow(items, 260, 84, "必殺率(%)", 1137, 1138);
    items.insert(items.end(), {
        {kDlgGroupBox, kStatic, 125, 100, 150, 160, "効果値"},
        {kDlgCheckBox, 1302,    133, 111, 70, 10, "％で指定↓"},
    });
    AddParameterRows(items, 133, 124, {{180, kLandEffects, kLandEffectSpins}});
    AddEffectRows(items, 264 - 2);
    return page;
}

DialogTemplate SkillPageTemplate()
{
    DialogTemplate page = TablePage(124, "スキル", 1074, "スキル名");
    std::vector<DialogItemTemplate>& items = page.m_Items;
    AddNumberRow(items, 260, 7, "消費SP", 1152, 1153);
    items.insert(items.end(), {
        {kDlgText,     kStatic, 125, 25, 40, 10, "カテゴリー"},
        {kDlgComboBox, 1081,    170, 23, 80, 120, "", kWsVScroll},
        {kDlgText,     kStatic, 260, 25, 40, 10, "種類"},
        {kDlgComboBox, 1083,    300, 23, 85, 100},
        {kDlgText,     kStatic, 125, 41, 40, 10, "対象"},
        {kDlgComboBox, 1085,    170, 39, 80, 80, "", kWsDisabled},
        {kDlgText,     kStatic, 260, 41, 40, 10, "属性"},
        {kDlgComboBox, 1088,    300, 39, 85, 120, "", kWsVScroll},
        {kDlgCheckBox, 1035,    125, 55, 60, 10, "クイック可"},
    });
    AddNumberRow(items, 125, 68, "命中率(%)", 1140, 1141);
    AddNumberRow(items, 260, 68, "必殺率(%)", 1137, 1138);
    items.push_back({kDlgText, kStatic, 125, 84, 120, 10, "※0なら武器の命中率"});
    AddNumberRow(items, 260, 84, "効果値", 11083, 11082);
    items.push_back({kDlgGroupBox, kStatic, 125, 100, 130, 148, "サブ効果"});
    AddParameterRows(items, 133, 112, {{180, kLandEffects, kLandEffectSpins}});
    items.insert(items.end(), {
        {kDlgText,     kStatic, 262, 102, 40, 10, "特殊効果"},
        {kDlgComboBox, 1079,    262, 114, 80, 60},
        {kDlgEdit,     1130,    345, 114, 30, 12},
        {kDlgUpDown,   1087,    375, 114, 10, 12},
    });
    AddNumberRow(items, 262, 140, "習得確率(%)", 1142, 1143);
    AddNumberRow(items, 262, 156, "＋習得値×", 1144, 1145);
    AddNumberRow(items, 262, 172, "習得LV", 1146, 1147);
    AddNumberRow(items, 262, 188, "～", 1148, 1149);
    AddNumberRow(items, 262, 204, "－習得値×", 1150, 1151);
    AddEffectRows(items, 252);
    return page;
}

} // namespace

const std::vector<DialogTemplate>& DatabasePageTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        ClassPageTemplate(),
        FriendPageTemplate(),
        EnemyPageTemplate(),
        LandPageTemplate(),
        // One skill a friend learns, and at which level.
        {126, "習得スキル", 160, 66, kModalDialog, {
            {kDlgText,      kStatic, 7,   9,  30, 8,   "スキル"},
            {kDlgComboBox,  1125,    40,  7,  110, 150, "", kWsVScroll},
            {kDlgText,      kStatic, 7,   27, 30, 8,   "習得LV"},
            {kDlgEdit,      1116,    40,  25, 30, 12},
            {kDlgUpDown,    1064,    70,  25, 10, 12},
            {kDlgDefButton, 1006,    50,  45, 46, 14,  "OK"},
            {kDlgButton,    1007,    104, 45, 46, 14,  "ｷｬﾝｾﾙ"},
        }},
        // One battle action of an enemy and the conditions under which it is a candidate.
        {132, "戦闘AI", 240, 200, kModalDialog, {
            {kDlgText,      kStatic, 7,   9,   40,  8,   "行動"},
            {kDlgComboBox,  1180,    50,  7,   60,  60},
            {kDlgText,      kStatic, 7,   25,  40,  8,   "使用スキル"},
            {kDlgComboBox,  1181,    50,  23,  120, 150, "", kWsVScroll},
            {kDlgText,      kStatic, 7,   41,  40,  8,   "優先レベル"},
            {kDlgEdit,      1182,    50,  39,  30,  12},
            {kDlgUpDown,    1184,    80,  39,  10,  12},
            {kDlgText,      kStatic, 100, 41,  30,  8,   "優先値"},
            {kDlgEdit,      1183,    135, 39,  30,  12},
            {kDlgUpDown,    1185,    165, 39,  10,  12},
            {kDlgGroupBox,  kStatic, 7,   56,  226, 118, "条件(全条件を満たせば、使用候補になる)"},
            {kDlgListBox,   1186,    13,  68,  214, 84,  "", kWsVScroll},
            {kDlgButton,    1192,    13,  155, 40,  14,  "挿入"},
            {kDlgButton,    1193,    57,  155, 40,  14,  "編集"},
            {kDlgButton,    1194,    101, 155, 40,  14,  "削除"},
            {kDlgDefButton, 1006,    133, 180, 46,  14,  "OK"},
            {kDlgButton,    1007,    187, 180, 46,  14,  "ｷｬﾝｾﾙ"},
        }},
        // One condition as a sentence: [whose] の [value] が [number] [comparison].
        {133, "戦闘AI 条件", 270, 62, kModalDialog, {
            {kDlgComboBox,  1187,    7,   7,  40, 40},
            {kDlgText,      kStatic, 49,  9,  10, 8,  "の"},
            {kDlgComboBox,  1188,    60,  7,  60, 150, "", kWsVScroll},
            {kDlgText,      kStatic, 122, 9,  10, 8,  "が"},
            {kDlgEdit,      11083,   133, 7,  34, 12},
            {kDlgUpDown,    11082,   167, 7,  10, 12},
            {kDlgComboBox,  1189,    182, 7,  50, 100},
            {kDlgCheckBox,  1035,    133, 22, 60, 10, "↑％で指定"},
            {kDlgDefButton, 1006,    160, 42, 46, 14, "OK"},
            {kDlgButton,    1007,    214, 42, 46, 14, "ｷｬﾝｾﾙ"},
        }},
    };
    return templates;
}

const std::vector<DialogTemplate>& EffectPageTemplates()
{
    static const std::vector<DialogTemplate> templates = {SkillPageTemplate(), ItemPageTemplate()};
    return templates;
}
