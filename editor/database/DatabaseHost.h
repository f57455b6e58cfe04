#pragma once

// What the database sheet asks of the window that opens it: the stage editor
// window, or a stand-in in the tests. The host keeps the object that owns the
// open sheet, gives the sheet its parent window and the editor's shared
// bitmaps, and hears when the sheet has closed.

#include "common/graphics/DibBitmap.h"
#include "common/window/ModelessSheet.h"
#include "editor/framework/EditorBitmaps.h"
#include "platform/window/WindowHandle.h"

#include <memory>

class DatabaseHost
{
public:
    virtual ~DatabaseHost() = default;

    // The window the sheet and its pages belong to.
    virtual platform::WindowHandle DatabaseParent() const = 0;
    // Where the host keeps the owner of the open sheet (the sheet itself).
    // The editor's loop deletes it and empties the holder once the author
    // has closed the sheet; the host deletes it when it goes itself.
    virtual std::unique_ptr<PropSheetOwner>& DatabaseHolder() = 0;
    // A shared bitmap as the editor loaded it (EditorBitmapSlot); null, or a
    // bitmap never created, when it could not be read. The pages only read it.
    virtual const DibBitmap* SharedBitmap(int slot) const = 0;
    // The sheet has closed (its first page's window is being destroyed):
    // check the stage against the changed database, show and enable the
    // editor windows again.
    virtual void OnDatabaseClosed() = 0;
};
