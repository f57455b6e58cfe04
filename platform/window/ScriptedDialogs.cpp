#include "platform/window/ScriptedDialogs.h"

namespace platform
{

ScriptedDialogs::ScriptedDialogs() : m_pPrevious(SetDialogService(this))
{
}

ScriptedDialogs::~ScriptedDialogs()
{
    SetDialogService(m_pPrevious);
}

void ScriptedDialogs::AnswerFileDialog(std::vector<std::string> paths)
{
    FileAnswer answer;
    answer.m_bChosen = !paths.empty();
    answer.m_Paths = std::move(paths);
    m_FileAnswers.push_back(std::move(answer));
}

int ScriptedDialogs::MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type)
{
    m_Boxes.push_back({owner, std::string(text), std::string(caption), type});
    if (m_BoxAnswers.empty())
    {
        return DismissedAnswer(type);
    }
    int answer = m_BoxAnswers.front();
    m_BoxAnswers.pop_front();
    return answer;
}

ScriptedDialogs::FileAnswer ScriptedDialogs::NextFileAnswer()
{
    if (m_FileAnswers.empty())
    {
        return {};
    }
    FileAnswer answer = std::move(m_FileAnswers.front());
    m_FileAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::OpenFile(const FileDialogRequest& request, std::vector<std::string>& paths)
{
    m_FileRequests.push_back(request);
    FileAnswer answer = NextFileAnswer();
    paths = answer.m_Paths;
    return answer.m_bChosen;
}

bool ScriptedDialogs::SaveFile(const FileDialogRequest& request, std::string& path)
{
    m_FileRequests.push_back(request);
    FileAnswer answer = NextFileAnswer();
    path = answer.m_bChosen ? answer.m_Paths.front() : std::string();
    return answer.m_bChosen;
}

bool ScriptedDialogs::BrowseFolder(WindowHandle, std::string_view startFolder, std::string_view, std::string& path)
{
    m_FolderStarts.emplace_back(startFolder);
    FileAnswer answer = NextFileAnswer();
    path = answer.m_bChosen ? answer.m_Paths.front() : std::string();
    return answer.m_bChosen;
}

} // namespace platform
