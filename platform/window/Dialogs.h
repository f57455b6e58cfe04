#pragma once

// Message boxes and the file and folder dialogs as a service of the platform.
// Each program installs its backend's service at start-up (Qt in the editor,
// SDL in the game); tests install ScriptedDialogs. Every text is CP932.

#include "platform/window/NativeWindow.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// What a file dialog is asked for.
struct FileDialogRequest
{
    WindowHandle m_hOwner = nullptr;
    std::string m_strInitialFolder; // stored form, relative to the project folder or absolute
    std::string m_strTitle;
    // Pairs of description and patterns, each ended by a zero byte (patterns
    // separated by ';'); a description alone takes the patterns from its
    // parentheses: "StageFile ( *.stg_* )".
    std::string m_strFilter;
    std::string m_strDefaultExtension;
    std::string m_strInitialName; // the name a save dialog proposes
    bool m_bMultiSelect = false;
    bool m_bMustExist = true;
    bool m_bOverwritePrompt = false;
};

// One entry of a converted filter.
struct FileFilter
{
    std::string m_strDescription;
    std::vector<std::string> m_Patterns;
};

// Splits a filter as the callers write it into its entries.
std::vector<FileFilter> ParseFileFilter(std::string_view filter);
// True when the file name (no folder) matches one of the patterns ('*' and '?'; letter case ignored).
bool MatchesFileFilter(std::string_view name, const FileFilter& filter);

class DialogService
{
public:
    virtual ~DialogService() = default;
    // A modal box; returns the button pressed (kIdOk, kIdCancel, kIdYes, kIdNo).
    virtual int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type) = 0;
    // The window a box without a named owner belongs to (null when none).
    virtual WindowHandle ActiveWindow() = 0;
    // Full paths (stored form, CP932) of the chosen files; false when cancelled.
    virtual bool OpenFile(const FileDialogRequest& request, std::vector<std::string>& paths) = 0;
    virtual bool SaveFile(const FileDialogRequest& request, std::string& path) = 0;
    // The chosen folder's full path; false when cancelled.
    virtual bool BrowseFolder(WindowHandle owner, std::string_view startFolder, std::string_view title,
                              std::string& path) = 0;
};

// The service in use; never null: without an installed one, boxes go to the
// standard error stream and answer as if closed (kIdOk, kIdNo or kIdCancel),
// and dialogs are cancelled.
DialogService& Dialogs();
// Installs a service (null: back to the fallback). Returns the previous one.
DialogService* SetDialogService(DialogService* service);

// The answer a box gets when it is closed without a choice.
int DismissedAnswer(uint32_t type);

} // namespace platform
