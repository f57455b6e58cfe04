#include "editor/framework/ModalRuns.h"

#include "editor/framework/DialogBase.h"

namespace
{
ModalRunner* g_pRunner = nullptr;
} // namespace

ModalRunner* SetModalRunner(ModalRunner* runner)
{
    ModalRunner* previous = g_pRunner;
    g_pRunner = runner;
    return previous;
}

ModalRunner* CurrentModalRunner()
{
    return g_pRunner;
}

ScriptedModalRuns::ScriptedModalRuns() : m_pPrevious(SetModalRunner(this))
{
}

ScriptedModalRuns::~ScriptedModalRuns()
{
    SetModalRunner(m_pPrevious);
}

void ScriptedModalRuns::Run(DialogBase& dialog)
{
    size_t index = m_Runs.size();
    RunRecord run;
    run.m_nDialogId = dialog.ResourceId();
    if (platform::NativeWindow* native = dialog.Native())
    {
        run.m_strTitle = native->Text();
    }
    run.m_bAnswered = m_nNext < m_Answers.size();
    m_Runs.push_back(run);
    if (run.m_bAnswered)
    {
        // Moved out first: an answer may open dialogs that take the next answers.
        Script answer = std::move(m_Answers[m_nNext++]);
        answer(dialog);
    }
    if (!dialog.HasEnded())
    {
        dialog.Close(0);
    }
    m_Runs[index].m_nResult = dialog.EndResult();
}
