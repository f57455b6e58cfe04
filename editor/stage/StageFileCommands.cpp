// The stage editor's file commands: a new stage, opening and saving a stage
// file, and the choice of the default stage. The data steps are the project
// layer's (NewStage, OpenStage, SaveStage, with EditConfig's rule that keeps
// the event palette); this file adds the dialogs, the file name and the
// boxes. Stage files live in "data\stg" with the extension "stg_276"; files
// of older versions keep their own number and are read by the same loader.

#include "common/data/DataFilePaths.h"
#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "common/services/DialogItems.h"
#include "common/services/MessageBoxes.h"
#include "common/services/Paths.h"
#include "editor/stage/StageEditorWindow.h"

namespace
{

constexpr const char* kStageFolder = "data\\stg";

// The open dialog on the stage folder: any version of a stage file.
bool ChooseStageFile(platform::WindowHandle owner, std::string& path, const char* title)
{
    return OpenFileDialog(owner, path, kMaxPathBytes, kStageFolder, title,
                          FileDialogFilter("StageFile ( *.stg_* )", "*.stg_*"), "stg_*", 0, nullptr) != 0;
}

} // namespace

int StageEditorWindow::NewStage()
{
    ::NewStage();
    StageEdit.m_strStageFile.clear();
    return 1;
}

int StageEditorWindow::OpenStage()
{
    std::string path;
    if (!ChooseStageFile(Handle(), path, "読み込むファイルの選択"))
    {
        return 0;
    }
    if (!::OpenStage(path))
    {
        // Missing, or not a whole stage: the stage and its name stay as they were.
        ShowErrorF("%s が読み込めません！", path.c_str());
        return 0;
    }
    StageEdit.m_strStageFile = path;
    return 1;
}

int StageEditorWindow::SaveStage(int overwrite)
{
    const std::string extension = StageFileExtension();
    const std::string& current = StageEdit.m_strStageFile;
    std::string path;
    std::string currentExtension;
    GetExtension(currentExtension, current);
    if (overwrite && !current.empty() && currentExtension == extension)
    {
        path = current;
    }
    else
    {
        // A stage of an older version is offered under this version's extension.
        if (overwrite && !current.empty())
        {
            ReplaceExtension(path, current, extension.c_str());
        }
        std::string description;
        std::string pattern;
        FormatString(description, "StageFile ( *.%s )", extension.c_str());
        FormatString(pattern, "*.%s", extension.c_str());
        if (!SaveFileDialog(Handle(), path, "data\\stg\\", "保存先のファイルの選択", FileDialogFilter(description, pattern),
                            extension, 1))
        {
            return 0;
        }
    }
    std::string written = StageSaveName(path);
    std::string error;
    if (!::SaveStage(path, &error))
    {
        // Nothing was written over the file; the stage keeps its name and its edits.
        ShowErrorF("%s を保存できませんでした！\n%s", written.c_str(), error.c_str());
        return 0;
    }
    StageEdit.m_strStageFile = written;
    return 1;
}

int StageEditorWindow::ChooseDefaultStage()
{
    return ChooseEditConfigFile(Handle(), kStageFolder, "デフォルトステージの選択",
                                FileDialogFilter("StageFile ( *.stg_* )", "*.stg_*"), "stg_*", EditConfig.m_strDefaultStage);
}

int ChooseEditConfigFile(platform::WindowHandle owner, std::string_view folder, std::string_view title,
                         std::string_view filter, std::string_view extension, std::string& setting)
{
    std::string path;
    if (!OpenFileDialog(owner, path, kMaxPathBytes, folder, title, filter, extension, 0, nullptr))
    {
        return 0;
    }
    if (!MakeRelativePath(path))
    {
        return 0;
    }
    setting = path;
    std::string error;
    if (!SaveRecordFile(EditConfig, DataFilePaths[kPathEditConfig], &error))
    {
        ShowErrorF("%s を保存できませんでした！\n%s", DataFilePaths[kPathEditConfig], error.c_str());
    }
    return 1;
}
