#include "editor/resources/ListEditResources.h"

#include "common/window/Accelerators.h"
#include "editor/resources/MenuItems.h"

#include <map>

using platform::MenuItem;

namespace
{

const ListCommandSet kSets[] = {
    {0, 1, 132, {40030, 40031, 40032, 40082, 0, 40083, 0}, 170, {40027, 40024, 40025, 0, 0, 40081, 0}},
    {1, 1, 117, {40030, 40031, 40032, 0, 40069, 0, 40034}, 116, {40027, 40024, 40025, 0, 40070, 0, 40029}},
    {0, 2, 133, {40040, 40035, 40038, 40084, 0, 40085, 0}, 171, {40075, 40076, 40077, 0, 0, 40086, 0}},
    {1, 2, 130, {40040, 40035, 40038, 0, 40071, 0, 40039}, 169, {40075, 40076, 40077, 0, 40078, 0, 40079}},
    {0, 3, 134, {40101, 40093, 40098, 40104, 0, 40100, 0}, 0, {}},
    {1, 3, 131, {40101, 40093, 40098, 0, 40094, 0, 40099}, 174, {40088, 40089, 40090, 0, 40091, 0, 40092}},
};

// The entries each table of a command set carries beside the list's own,
// which the windows that hold those lists take as their file and undo
// commands: Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+T (0: none), Ctrl+Y and Ctrl+Z.
struct FileCommands
{
    int m_nSet;
    int m_nNew, m_nOpen, m_nSave, m_nTest, m_nRedo, m_nUndo;
};

const FileCommands kFileCommands[] = {
    {1, 40033, 40062, 40026, 40108, 40064, 40063},
    {2, 40036, 40074, 40037, 0, 40072, 40073},
    {3, 40095, 40096, 40097, 0, 40102, 40103},
};

AcceleratorTable MakeTable(const ListCommandSet& set, const FileCommands& file)
{
    const uint32_t ctrl = platform::kKeyControl;
    const ListCommandIds& ids = set.m_Shortcut;
    int growOrInsert = ids[kListAdd] ? ids[kListAdd] : ids[kListInsert];
    int clearOrDelete = ids[kListClear] ? ids[kListClear] : ids[kListDelete];
    AcceleratorTable table = {
        {'X', ctrl, ids[kListCut]},
        {'C', ctrl, ids[kListCopy]},
        {'V', ctrl, ids[kListPaste]},
        {'I', ctrl, growOrInsert},
        {platform::kVkDelete, 0, clearOrDelete},
        {'N', ctrl, file.m_nNew},
        {'O', ctrl, file.m_nOpen},
        {'S', ctrl, file.m_nSave},
    };
    if (file.m_nTest)
    {
        table.push_back({'T', ctrl, file.m_nTest});
    }
    table.push_back({'Y', ctrl, file.m_nRedo});
    table.push_back({'Z', ctrl, file.m_nUndo}); // always the last entry
    return table;
}

platform::Menu Popup(std::initializer_list<MenuItem> items)
{
    return platform::Menu{std::vector<MenuItem>(items)};
}

platform::Menu MapEventPopup()
{
    return Popup({MenuCommand(40059, "編集"), MenuCommand(40028, "新規作成"), MenuSeparator(),
                  MenuCommand(40027, "切り取り"), MenuCommand(40024, "コピー"), MenuCommand(40025, "貼り付け"),
                  MenuSeparator(), MenuCommand(40029, "削除")});
}

} // namespace

const ListCommandSet* FindListCommandSet(int mode, int set)
{
    for (const ListCommandSet& entry : kSets)
    {
        if (entry.m_nMode == mode && entry.m_nSet == set)
        {
            return &entry;
        }
    }
    return nullptr;
}

void RegisterListAcceleratorTables()
{
    static const bool registered = [] {
        for (const ListCommandSet& set : kSets)
        {
            for (const FileCommands& file : kFileCommands)
            {
                if (file.m_nSet == set.m_nSet)
                {
                    RegisterAcceleratorTable(set.m_nAcceleratorTable, MakeTable(set, file));
                }
            }
        }
        return true;
    }();
    (void)registered;
}

const platform::Menu* FindPopupMenu(int id)
{
    static const std::map<int, platform::Menu> menus = {
        {116, Popup({MenuCommand(40027, "切り取り"), MenuCommand(40024, "コピー"), MenuCommand(40025, "貼り付け"),
                     MenuSeparator(), MenuCommand(40070, "新規挿入"), MenuSeparator(), MenuCommand(40029, "削除")})},
        {170, Popup({MenuCommand(40027, "切り取り"), MenuCommand(40024, "コピー"), MenuCommand(40025, "貼り付け"),
                     MenuSeparator(), MenuCommand(40081, "データのクリア")})},
        {169, Popup({MenuCommand(40075, "切り取り"), MenuCommand(40076, "コピー"), MenuCommand(40077, "貼り付け"),
                     MenuSeparator(), MenuCommand(40078, "新規作成"), MenuSeparator(), MenuCommand(40079, "削除")})},
        {171, Popup({MenuCommand(40075, "切り取り"), MenuCommand(40076, "コピー"), MenuCommand(40077, "貼り付け"),
                     MenuSeparator(), MenuCommand(40086, "データのクリア")})},
        {174, Popup({MenuCommand(40088, "切り取り"), MenuCommand(40089, "コピー"), MenuCommand(40090, "貼り付け"),
                     MenuSeparator(), MenuCommand(40091, "新規作成"), MenuSeparator(), MenuCommand(40092, "削除")})},
        // The stage editor's and the world-map editor's maps in the event mode.
        {165, MapEventPopup()},
        {163, MapEventPopup()},
    };
    auto it = menus.find(id);
    return it == menus.end() ? nullptr : &it->second;
}
