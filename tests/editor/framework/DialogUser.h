#pragma once

// What the author does to a dialog's controls on the dummy backend, for
// fixtures that drive whole dialogs: find a control, read its rows, text and
// state, click, choose, pick and type. A fixture mixes it in and says which
// window system its dialogs live in.

#include "editor/framework/DialogBase.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "platform/window/WindowSystem.h"

#include <string>
#include <vector>

class DialogUser
{
public:
    virtual ~DialogUser() = default;

    platform::WindowHandle Item(const DialogBase& dialog, int id) { return Windows().GetDlgItem(dialog.Handle(), id); }
    std::vector<std::string> RowsOf(const DialogBase& dialog, int id)
    {
        return platform::ModelOf<platform::ItemListModel>(Item(dialog, id))->Items();
    }
    int SelectionOf(const DialogBase& dialog, int id)
    {
        return platform::ModelOf<platform::ItemListModel>(Item(dialog, id))->Selection();
    }
    std::string TextOf(const DialogBase& dialog, int id)
    {
        return platform::ModelOf<platform::ControlModel>(Item(dialog, id))->Text();
    }
    bool IsEnabled(const DialogBase& dialog, int id) { return Windows().Resolve(Item(dialog, id))->IsEnabled(); }
    void Click(const DialogBase& dialog, int id)
    {
        platform::ModelOf<platform::ButtonModel>(Item(dialog, id))->UserClick();
    }
    void Choose(const DialogBase& dialog, int id, int row)
    {
        platform::ModelOf<platform::ComboBoxModel>(Item(dialog, id))->UserSelect(row);
    }
    void Pick(const DialogBase& dialog, int id, int row)
    {
        platform::ModelOf<platform::ListBoxModel>(Item(dialog, id))->UserSelect(row);
    }
    void Type(const DialogBase& dialog, int id, const std::string& text)
    {
        platform::ModelOf<platform::EditModel>(Item(dialog, id))->SetText(text);
    }

protected:
    virtual platform::WindowSystem& Windows() = 0;
};
