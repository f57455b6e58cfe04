#pragma once

// How a modal dialog waits for its end once it is shown. Without a runner it
// runs the window system's modal loop, with the dialog keyboard as the loop's
// pre-translate step. A test installs ScriptedModalRuns to answer dialogs in
// place of the author, however deep inside a command they are opened: each
// modal run takes the next answer, which drives the dialog's controls as the
// author would (platform/window/*Model.h user actions) and usually ends it.
// A dialog its answer left open, or one run after the answers are used up,
// is closed with 0, so a test never waits.

#include <functional>
#include <string>
#include <vector>

class DialogBase;

class ModalRunner
{
public:
    virtual ~ModalRunner() = default;
    // Called once the modal dialog is shown; returns when it has ended.
    virtual void Run(DialogBase& dialog) = 0;
};

// The runner in use (null: the modal loop). Returns the previous one.
ModalRunner* SetModalRunner(ModalRunner* runner);
ModalRunner* CurrentModalRunner();

class ScriptedModalRuns : public ModalRunner
{
public:
    using Script = std::function<void(DialogBase& dialog)>;

    struct RunRecord
    {
        int m_nDialogId = 0;
        std::string m_strTitle; // CP932, as the dialog showed it
        int m_nResult = 0;
        bool m_bAnswered = false;
    };

    // Installs itself for its lifetime.
    ScriptedModalRuns();
    ~ScriptedModalRuns() override;
    ScriptedModalRuns(const ScriptedModalRuns&) = delete;
    ScriptedModalRuns& operator=(const ScriptedModalRuns&) = delete;

    // The answer of the next modal run, after those already given.
    void Answer(Script answer) { m_Answers.push_back(std::move(answer)); }
    // Every run so far, in the order the dialogs were opened.
    const std::vector<RunRecord>& Runs() const { return m_Runs; }

    void Run(DialogBase& dialog) override;

private:
    ModalRunner* m_pPrevious;
    std::vector<Script> m_Answers;
    size_t m_nNext = 0;
    std::vector<RunRecord> m_Runs;
};
