#pragma once

// The database: one modeless property sheet, "データベースの設定", of ten
// pages in this tab order: classes, friends, enemies, skills, items, lands
// and the four system pages. The sheet owns its pages. OK and Apply save the
// whole database (SaveAll, run by the class page); Cancel drops every edit.
//
// The stage editor opens it with CreateDatabaseSheet: every other editor
// window is hidden and disabled while the sheet is open, and the host hears
// OnDatabaseClosed once it has closed (DatabaseHost).

#include "editor/database/DatabaseHost.h"
#include "editor/database/DatabasePage.h"
#include "editor/framework/PropSheet.h"

#include <memory>

enum DatabasePageIndex : int
{
    kPageClass,
    kPageFriend,
    kPageEnemy,
    kPageSkill,
    kPageItem,
    kPageLand,
    kPageSystem1,
    kPageSystem2,
    kPageSystem3,
    kPageSystem4,
    kDatabasePageCount
};

// A tab: the page's dialog id and its caption (the dialog's title).
struct DatabaseTab
{
    int m_nDialogId;
    const char* m_pszCaption;
};

inline constexpr DatabaseTab kDatabaseTabs[kDatabasePageCount] = {
    {111, "クラス"},   {110, "味方キャラ"}, {127, "敵キャラ"},  {124, "スキル"},    {125, "アイテム"},
    {123, "地形"},     {112, "システム"},   {128, "システム2"}, {172, "システム3"}, {191, "システム4"},
};

// The order of the save steps: the System first, then the lands, skills and
// items that the classes, friends and enemies are checked against.
inline constexpr DatabasePageIndex kDatabaseSaveOrder[kDatabasePageCount] = {
    kPageSystem1, kPageSystem2, kPageSystem3, kPageSystem4, kPageLand,
    kPageSkill,   kPageItem,    kPageClass,   kPageFriend,  kPageEnemy,
};

class DatabaseSheet : public PropSheet
{
public:
    // Belongs to the host's window; app is the application object.
    DatabaseSheet(DatabaseHost& host, EditorApp* app);
    // Destroys the window first, so that the pages hear of its end while
    // they are whole, then deletes the pages in tab order.
    ~DatabaseSheet() override;

    // Makes the ten pages and the sheet window with the caption. 1, or 0 when
    // a page cannot be allocated (the out-of-memory box) or the window cannot
    // be made; the host's window stays either way.
    int Create();

    // Saves the whole database: every page's save step in the save order,
    // the whole sequence twice; the current page then reloads from the saved
    // data at once and every other page is marked to reload. Files
    // that could not be written are named in one error box.
    void SaveAll();

    // The page of a tab; null before Create.
    DatabasePage* Page(int index) const;
    DatabaseHost& Host() const { return *m_pHost; }
    EditorApp* Application() const { return m_pApplication; }

private:
    DatabaseHost* m_pHost;
    EditorApp* m_pApplication;
    std::unique_ptr<DatabasePage> m_PageObjects[kDatabasePageCount];
};

// Makes the sheet into the host's holder, registered with the application
// (so that the editor's loop deletes it once it is closed), and creates it.
// 1 when the sheet is open; otherwise the holder is empty again and 0. The
// database command of the stage editor hides and disables the other editor
// windows before and gives them back when this fails.
int CreateDatabaseSheet(DatabaseHost& host, EditorApp* app = &App);

// The sheet the host holds; null when none.
DatabaseSheet* HeldDatabaseSheet(DatabaseHost& host);
