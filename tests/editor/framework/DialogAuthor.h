#pragma once

// What the tests of the editor's dialogs on the dummy backend do as the
// author would: read a control's rows, selection and text, and click, choose,
// pick, type and give list commands, each through the control's model.

#include "editor/framework/DialogBase.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"

#include <string>
#include <vector>

class DialogAuthor
{
public:
    // The window system is only kept: a fixture may pass one of its members not yet made.
    explicit DialogAuthor(platform::DummyWindowSystem& system) : m_Windows(system) {}

    platform::WindowHandle Item(const DialogBase& dialog, int id) { return m_Windows.GetDlgItem(dialog.Handle(), id); }
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
    bool IsEnabled(const DialogBase& dialog, int id) { return m_Windows.Resolve(Item(dialog, id))->IsEnabled(); }
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
    // A shortcut or pop-up command while the list has the focus.
    void ListCommand(const DialogBase& dialog, int list, int command)
    {
        m_Windows.SetFocus(Item(dialog, list));
        m_Windows.SendMessage(dialog.Handle(), platform::kWmCommand, platform::MakeWParam(command, 1), 0);
    }

private:
    platform::DummyWindowSystem& m_Windows;
};
