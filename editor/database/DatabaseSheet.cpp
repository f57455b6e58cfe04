#include "editor/database/DatabaseSheet.h"

#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "editor/database/ClassPage.h"
#include "editor/database/EnemyPage.h"
#include "editor/database/FriendPage.h"
#include "editor/database/ItemPage.h"
#include "editor/database/LandPage.h"
#include "editor/database/SkillPage.h"
#include "editor/database/SystemPage4.h"
#include "editor/database/SystemPages.h"

#include <new>

namespace
{

using MakePage = std::unique_ptr<DatabasePage> (*)(DatabaseSheet& sheet);

template <class Page>
std::unique_ptr<DatabasePage> Make(DatabaseSheet& sheet)
{
    return std::make_unique<Page>(sheet);
}

// The page of each tab, in tab order.
const MakePage kMakePage[kDatabasePageCount] = {
    &Make<ClassPage>,
    &Make<FriendPage>,
    &Make<EnemyPage>,
    &Make<SkillPage>,
    &Make<ItemPage>,
    &Make<LandPage>,
    &Make<SystemPage1>,
    &Make<SystemPage2>,
    &Make<SystemPage3>,
    &Make<SystemPage4>,
};

} // namespace

DatabaseSheet::DatabaseSheet(DatabaseHost& host, EditorApp* app)
    : PropSheet(1, host.DatabaseParent(), app ? app : &App), m_pHost(&host), m_pApplication(app ? app : &App)
{
}

DatabaseSheet::~DatabaseSheet()
{
    Destroy();
    for (std::unique_ptr<DatabasePage>& page : m_PageObjects)
    {
        page.reset();
    }
}

int DatabaseSheet::Create()
{
    for (int i = 0; i < kDatabasePageCount; ++i)
    {
        try
        {
            m_PageObjects[i] = kMakePage[i](*this);
        }
        catch (const std::bad_alloc&)
        {
            ShowOutOfMemory();
            return 0;
        }
    }
    for (std::unique_ptr<DatabasePage>& page : m_PageObjects)
    {
        AddPage(page.get());
    }
    if (!PropSheet::Create())
    {
        return 0;
    }
    return SetCaption("データベースの設定");
}

void DatabaseSheet::SaveAll()
{
    WriteErrorLogF("In SaveAll");
    DatabaseSaveErrors errors;
    for (int pass = 0; pass < 2; ++pass)
    {
        for (DatabasePageIndex index : kDatabaseSaveOrder)
        {
            if (DatabasePage* page = m_PageObjects[index].get())
            {
                page->Save(errors);
            }
        }
    }
    // The current page takes the saved tables now, so that what the author
    // edits after the save is never replaced by them; the others when shown.
    const platform::WindowHandle current = CurrentPage();
    for (std::unique_ptr<DatabasePage>& page : m_PageObjects)
    {
        if (!page)
        {
            continue;
        }
        if (current && page->Handle() == current)
        {
            page->ReloadNow();
        }
        else
        {
            page->MarkForReload();
        }
    }
    if (!errors.Empty())
    {
        ShowError(errors.Text());
    }
}

DatabasePage* DatabaseSheet::Page(int index) const
{
    return index >= 0 && index < kDatabasePageCount ? m_PageObjects[index].get() : nullptr;
}

int CreateDatabaseSheet(DatabaseHost& host, EditorApp* app)
{
    std::unique_ptr<PropSheetOwner>& holder = host.DatabaseHolder();
    holder.reset();
    try
    {
        auto sheet = std::make_unique<DatabaseSheet>(host, app);
        DatabaseSheet& made = *sheet;
        holder = std::move(sheet);
        made.Register(&holder);
        if (made.Create())
        {
            return 1;
        }
    }
    catch (const std::bad_alloc&)
    {
        ShowOutOfMemory();
    }
    holder.reset();
    return 0;
}

DatabaseSheet* HeldDatabaseSheet(DatabaseHost& host)
{
    return static_cast<DatabaseSheet*>(host.DatabaseHolder().get());
}
