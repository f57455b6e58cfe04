#include "common/services/DialogItems.h"

#include "common/services/Paths.h"
#include "common/services/TextAndNumbers.h"

#include <algorithm>

namespace
{

constexpr int kItemBuffer = 512;

platform::FileDialogRequest MakeFileDialogRequest(platform::WindowHandle owner, std::string_view initialFolder,
                                                  std::string_view title, std::string_view filter,
                                                  std::string_view defaultExtension)
{
    platform::FileDialogRequest request;
    request.m_hOwner = owner;
    request.m_strInitialFolder = initialFolder;
    request.m_strTitle = title;
    request.m_strFilter = filter;
    request.m_strDefaultExtension = defaultExtension;
    return request;
}

} // namespace

void GetDlgItemString(platform::WindowHandle dialog, int itemId, std::string& text, int maxLength)
{
    text.clear();
    platform::NativeWindow* window = platform::ResolveWindow(dialog);
    if (!window || maxLength <= 0)
    {
        return;
    }
    // The count includes the closing zero and never exceeds the 512-byte buffer.
    int limit = std::min(maxLength, kItemBuffer);
    text = CutMbText(window->ItemText(itemId), static_cast<size_t>(limit - 1));
}

void SetDlgItemString(platform::WindowHandle dialog, int itemId, std::string_view text)
{
    if (platform::NativeWindow* window = platform::ResolveWindow(dialog))
    {
        window->SetItemText(itemId, text);
    }
}

int OpenFileDialog(platform::WindowHandle owner, std::string& buffer, int bufferSize, std::string_view initialFolder,
                   std::string_view title, std::string_view filter, std::string_view defaultExtension,
                   int multiSelect, std::vector<std::string>* paths)
{
    buffer.clear();
    platform::FileDialogRequest request =
        MakeFileDialogRequest(owner, initialFolder, title, filter, defaultExtension);
    request.m_bMultiSelect = multiSelect != 0;
    request.m_bMustExist = true;
    std::vector<std::string> chosen;
    if (!platform::Dialogs().OpenFile(request, chosen) || chosen.empty())
    {
        return 0;
    }
    // The buffer holds the (first) full path; one that does not fit is refused rather than cut.
    if (static_cast<int>(chosen.front().size()) >= bufferSize)
    {
        return 0;
    }
    buffer = chosen.front();
    if (paths)
    {
        *paths = chosen;
    }
    return 1;
}

int SaveFileDialog(platform::WindowHandle owner, std::string& buffer, std::string_view initialFolder,
                   std::string_view title, std::string_view filter, std::string_view defaultExtension,
                   int keepBuffer)
{
    platform::FileDialogRequest request =
        MakeFileDialogRequest(owner, initialFolder, title, filter, defaultExtension);
    request.m_bMustExist = false;
    request.m_bOverwritePrompt = true;
    if (keepBuffer)
    {
        request.m_strInitialName = buffer;
    }
    else
    {
        buffer.clear();
    }
    std::string chosen;
    if (!platform::Dialogs().SaveFile(request, chosen) || chosen.empty() || chosen.size() >= kMaxPathBytes)
    {
        return 0;
    }
    buffer = chosen;
    return 1;
}

int BrowseFolderDialog(platform::WindowHandle owner, std::string& path, std::string_view startFolder,
                       std::string_view title)
{
    path.clear();
    std::string start(startFolder);
    MakeAbsolutePath(start);
    std::string chosen;
    if (!platform::Dialogs().BrowseFolder(owner, start, title, chosen) || chosen.empty() ||
        chosen.size() >= kMaxPathBytes)
    {
        return 0;
    }
    path = chosen;
    return 1;
}
