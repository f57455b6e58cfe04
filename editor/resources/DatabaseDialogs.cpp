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

constexpr int kClassInitial[9] = {1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043, 21071};
constexpr int kClassInitialSpins[9] = {1054, 1056, 1058, 1059, 1060, 1061, 1062, 1063, 21072};
constexpr int kClassFinal[9] = {1045, 1046, 1047, 1048, 1049, 1050, 1051, 1052, 1078};
constexpr int kClassFinalSpins[9] = {1055, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088};
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
    AddParameterRows(items, 125, 126, {{170, kClassInitial, kClassInitialSpins}, {215, kClassFinal, kClassFinalSpins}});
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

} // namespace

const std::vector<DialogTemplate>& DatabasePageTemplates()
{
    static const std::vector<DialogTemplate> templates = {ClassPageTemplate(), LandPageTemplate()};
    return templates;
}
