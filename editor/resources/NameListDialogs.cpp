#include "editor/resources/DialogGroups.h"
#include "platform/window/ControlMessages.h"

using namespace platform;

namespace
{

// Labels carry no id of their own.
constexpr int kStatic = -1;

struct CommandBox
{
    int m_nId;
    const char* m_pszLabel;
};

// A group of menu-command check boxes, two a row, row by row.
void AddCommandGroup(std::vector<DialogItemTemplate>& items, int x, int y, const char* caption,
                     std::initializer_list<CommandBox> boxes, int hidden = 0)
{
    int rows = (static_cast<int>(boxes.size()) + 1) / 2;
    items.push_back({kDlgGroupBox, kStatic, x, y, 190, 16 + rows * 14, caption, 0, hidden});
    int n = 0;
    for (const CommandBox& box : boxes)
    {
        items.push_back({kDlgCheckBox, box.m_nId, x + 8 + (n % 2) * 90, y + 12 + (n / 2) * 14, 84, 10,
                         box.m_pszLabel, 0, hidden});
        ++n;
    }
}

// A name list in its group: "挿入", "編集" and "削除" above the list.
void AddNameList(std::vector<DialogItemTemplate>& items, int y, const char* caption, int list, int insert, int edit,
                 int erase)
{
    items.push_back({kDlgGroupBox, kStatic, 204, y, 190, 100, caption});
    items.push_back({kDlgButton, insert, 212, y + 12, 40, 14, "挿入"});
    items.push_back({kDlgButton, edit, 256, y + 12, 40, 14, "編集"});
    items.push_back({kDlgButton, erase, 300, y + 12, 40, 14, "削除"});
    items.push_back({kDlgListBox, list, 212, y + 30, 174, 64, "", kWsVScroll});
}

struct MusicSlot
{
    const char* m_pszLabel;
    int m_nEdit;
    int m_nBrowse;
    int m_nPlay;
};

DialogTemplate SystemPage4Template()
{
    DialogTemplate page{191, "システム4", 401, 341, kChildDialog, {}};
    std::vector<DialogItemTemplate>& items = page.m_Items;
    AddCommandGroup(items, 7, 4, "編成メニュー",
                    {{1027, "ステータス"}, {1029, "そうび"}, {1030, "リーダー"}, {1031, "おみせ"},
                     {1032, "やとう"}, {1033, "ふっかつ"}, {1034, "ほうしゅつ"}, {1035, "もちもの"},
                     {1036, "セーブ"}, {1037, "しゅつげき"}, {1038, "なんいど"}, {1039, "しゅうりょう"}});
    // The placement menu is kept as it is: its group and boxes are never shown.
    AddCommandGroup(items, 7, 108, "マップの配置メニュー",
                    {{1044, "はいち"}, {1046, "いちこうかん"}, {1047, "とりけす"}, {1048, "マップをみる"},
                     {1049, "じょうけんをみる"}, {1050, "せんとうかいし"}},
                    1);
    AddCommandGroup(items, 7, 108, "マップのキャラメニュー",
                    {{1051, "特殊コマンド"}, {1053, "たたかう"}, {1054, "たいき"}, {1055, "スキル"},
                     {1056, "もちもの"}});
    AddCommandGroup(items, 7, 170, "マップの全体メニュー",
                    {{1063, "サーチ"}, {1065, "じょうけんをみる"}, {1070, "もちもの"}, {1071, "ターンしゅうりょう"}});
    AddCommandGroup(items, 7, 218, "バトルのキャラメニュー",
                    {{1058, "こうげき"}, {1060, "スキル"}, {1061, "クイック"}, {1062, "もちもの"}});

    items.push_back({kDlgGroupBox, kStatic, 7, 266, 190, 72, "BGM"});
    const MusicSlot slots[] = {
        {"ステージ", 1284, 1285, 1286},
        {"戦闘", 1281, 1282, 1283},
        {"ワールドマップ", 1278, 1279, 1280},
        {"タイトル", 1287, 1288, 1289},
    };
    int y = 278;
    for (const MusicSlot& slot : slots)
    {
        items.push_back({kDlgText, kStatic, 13, y + 2, 52, 8, slot.m_pszLabel});
        items.push_back({kDlgEdit, slot.m_nEdit, 65, y, 70, 12, "", kEsReadOnly});
        items.push_back({kDlgButton, slot.m_nBrowse, 137, y, 26, 12, "参照"});
        items.push_back({kDlgButton, slot.m_nPlay, 165, y, 26, 12, "再生"});
        y += 14;
    }

    AddNameList(items, 4, "属性", 1074, 1067, 1077, 1069);
    AddNameList(items, 108, "スキルのカテゴリー", 1073, 1066, 1076, 1068);
    AddNameList(items, 212, "アイテムのカテゴリー", 1081, 1082, 1083, 1084);
    return page;
}

// An attribute's or a category's name (one character) and symbol, with the symbol's picture.
DialogTemplate SymbolEntryTemplate(int id, const char* caption)
{
    return {id, caption, 131, 83, kModalDialog, {
        {kDlgText,      kStatic, 7,  9,  36, 8,   "名称"},
        {kDlgEdit,      1044,    46, 7,  24, 12},
        {kDlgText,      kStatic, 7,  29, 36, 8,   "シンボル"},
        {kDlgComboBox,  1068,    46, 27, 40, 120, "", kWsVScroll},
        {kDlgPicture,   1069,    92, 27, 11, 11},
        {kDlgDefButton, 1006,    14, 60, 46, 14,  "OK"},
        {kDlgButton,    1007,    70, 60, 46, 14,  "ｷｬﾝｾﾙ"},
    }};
}

} // namespace

const std::vector<DialogTemplate>& NameListDialogTemplates()
{
    static const std::vector<DialogTemplate> templates = {
        SystemPage4Template(),
        SymbolEntryTemplate(118, "カテゴリーの種類"),
        SymbolEntryTemplate(119, "属性の種類"),
    };
    return templates;
}
