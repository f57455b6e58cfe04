#pragma once

// The dialog service of tests: records every box and dialog and answers from a
// script. Installed for its lifetime.

#include "platform/window/Dialogs.h"

#include <deque>

namespace platform
{

class ScriptedDialogs : public DialogService
{
public:
    struct Box
    {
        WindowHandle m_hOwner = nullptr;
        std::string m_strText;
        std::string m_strCaption;
        uint32_t m_nType = 0;
    };

    struct FileAnswer
    {
        bool m_bChosen = false;
        std::vector<std::string> m_Paths;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Answers of the next boxes, in order; once used up a box is dismissed.
    void AnswerBoxes(std::initializer_list<int> answers) { m_BoxAnswers.insert(m_BoxAnswers.end(), answers); }
    // The next file or folder dialog chooses these paths (none: cancelled).
    void AnswerFileDialog(std::vector<std::string> paths);
    void SetActiveWindow(WindowHandle window) { m_hActive = window; }

    const std::vector<Box>& Boxes() const { return m_Boxes; }
    const std::vector<FileDialogRequest>& FileRequests() const { return m_FileRequests; }
    const std::vector<std::string>& FolderRequests() const { return m_FolderStarts; }

    int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type) override;
    WindowHandle ActiveWindow() override { return m_hActive; }
    bool OpenFile(const FileDialogRequest& request, std::vector<std::string>& paths) override;
    bool SaveFile(const FileDialogRequest& request, std::string& path) override;
    bool BrowseFolder(WindowHandle owner, std::string_view startFolder, std::string_view title,
                      std::string& path) override;

private:
    FileAnswer NextFileAnswer();

    DialogService* m_pPrevious;
    std::vector<Box> m_Boxes;
    std::deque<int> m_BoxAnswers;
    std::vector<FileDialogRequest> m_FileRequests;
    std::vector<std::string> m_FolderStarts;
    std::deque<FileAnswer> m_FileAnswers;
    WindowHandle m_hActive = nullptr;
};

} // namespace platform
