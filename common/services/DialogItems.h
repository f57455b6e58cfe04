#pragma once

// Texts of dialog items, and the file and folder dialogs, as both programs
// call them. Texts and paths are CP932.

#include "platform/window/Dialogs.h"

#include <string>
#include <string_view>
#include <vector>

// The item's text, cut to fewer than maxLength bytes (at most 511) without
// splitting a character; an empty text when the item is empty.
void GetDlgItemString(platform::WindowHandle dialog, int itemId, std::string& text, int maxLength);
// Sets the item's text ("" for an empty text).
void SetDlgItemString(platform::WindowHandle dialog, int itemId, std::string_view text);

// The open dialog. The buffer (of bufferSize bytes) is cleared, then receives
// the chosen full path; with a list given, the list receives every chosen
// path. 0 when cancelled or when the path does not fit the buffer.
int OpenFileDialog(platform::WindowHandle owner, std::string& buffer, int bufferSize, std::string_view initialFolder,
                   std::string_view title, std::string_view filter, std::string_view defaultExtension,
                   int multiSelect, std::vector<std::string>* paths);
// The save dialog, asking before it overwrites. The buffer is cleared unless
// keepBuffer is set (then it is the name proposed). 1 when a name was chosen.
int SaveFileDialog(platform::WindowHandle owner, std::string& buffer, std::string_view initialFolder,
                   std::string_view title, std::string_view filter, std::string_view defaultExtension,
                   int keepBuffer);
// Chooses a folder, starting at the start folder made absolute. 1 with its full path, 0 when cancelled.
int BrowseFolderDialog(platform::WindowHandle owner, std::string& path, std::string_view startFolder,
                       std::string_view title);

// A file dialog's filter of one kind of file: the description, then its
// pattern, each ended by a zero byte ("StageFile ( *.stg_* )", "*.stg_*").
inline std::string FileDialogFilter(std::string_view description, std::string_view pattern)
{
    std::string filter(description);
    filter.push_back('\0');
    filter += pattern;
    filter.push_back('\0');
    return filter;
}

// The longest path the dialogs hand back.
constexpr int kMaxPathBytes = 260;
