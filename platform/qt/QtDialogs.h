#pragma once

// Message boxes and file dialogs of the editor: QMessageBox and QFileDialog.

#include "platform/window/Dialogs.h"
#include "platform/window/WindowSystem.h"

#include <QString>
#include <vector>

class QDialog;

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

    // The program is ending: every box and dialog open now is closed without
    // a choice, and every later one is answered so at once, without being
    // shown. Call it on the thread that shows them.
    void EndAll();

private:
    // Runs the dialog modally and gives its result; QDialog::Rejected, without
    // showing it, once EndAll was called.
    int Run(QDialog& dialog);

    WindowSystem& m_System;
    bool m_bEnded = false;
    std::vector<QDialog*> m_Open; // innermost last
};

} // namespace platform
