#pragma once

// What the editor's message loop asks of an open modeless property sheet (the
// editor framework's property-sheet wrapper, which implements this), and the
// object that owns such a sheet (the database). The loop reaches both through
// the application object's sheet list.

#include "platform/window/WindowSystem.h"

class ModelessSheet
{
public:
    virtual ~ModelessSheet() = default;

    // The sheet's window; null when it has none.
    virtual platform::WindowHandle SheetWindow() const = 0;
    // The page the sheet shows now; null once the author has closed the sheet
    // (OK or Cancel leave the window until the loop destroys it).
    virtual platform::WindowHandle CurrentPage() const = 0;
    // Destroys the sheet's window.
    virtual void Destroy() = 0;
    // The sheet's own keyboard navigation among its pages and controls; true when it used the message.
    virtual bool IsSheetMessage(const platform::WindowMessage& message) = 0;
    // Redraws every page (the idle step, while the view holds the sheet open).
    virtual void RedrawPages() = 0;
};

// An object that owns a modeless sheet: deleting it deletes the sheet.
class PropSheetOwner
{
public:
    virtual ~PropSheetOwner() = default;
};
