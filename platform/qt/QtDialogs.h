#pragma once

// Message boxes and file dialogs of the editor: QMessageBox and QFileDialog.

#include "platform/window/Dialogs.h"
#include "platform/window/WindowSystem.h"

#include <QString>

namespace platform
{

// A filter as the callers write it, in the form QFileDialog reads ("Desc (*.a *.b);;...").
QString ToQtFileFilter(std::string_view filter);

class QtDialogs : public DialogService
{
public:
    explicit QtDialogs(WindowSystem& system) : m_System(system) {}

    int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type) override;
    WindowHandle ActiveWindow() override { return m_System.ActiveWindow(); }
    bool OpenFile(const FileDialogRequest& request, std::vector<std::string>& paths) override;
    bool SaveFile(const FileDialogRequest& request, std::string& path) override;
    bool BrowseFolder(WindowHandle owner, std::string_view startFolder, std::string_view title,
                      std::string& path) override;

private:
    WindowSystem& m_System;
};

} // namespace platform
