#pragma once

// Dialog windows made from their templates (editor/resources). The dialog
// window's procedure is the builder's: it hands every message to the dialog
// procedure (the class's static procedure) and does what that leaves alone as
// every dialog does: kWmClose becomes the command kIdCancel (2), nothing is
// closed by itself; kWmNotify answers what the dialog left as its answer
// (SetDialogAnswer). The controls are made in template order, each of its
// kind's class and style (DialogTemplate.h), with positions in pixels.

#include "editor/resources/DialogTemplate.h"
#include "platform/window/WindowSystem.h"

// What the builder keeps for one dialog window; owned by the dialog object.
struct DialogWindowState
{
    platform::WindowProcedure m_pDialogProc = nullptr; // the class's static procedure
    bool m_bDetached = false; // the object is going: its procedure is called no more
    bool m_bEnded = false;    // a modal dialog ended (EndDialog)
    int m_nResult = 0;
    intptr_t m_nAnswer = 0; // the answer to the kWmNotify being handled
};

// The dialog window of the template, with its controls, after kWmInitDialog
// (wParam the first control with kWsTabStop, lParam the parameter). Hidden;
// a template of kChildDialog makes a child of the parent. Null when the window
// cannot be made.
platform::WindowHandle CreateDialogWindow(platform::WindowSystem& system, const DialogTemplate& dialog,
                                          platform::WindowHandle parent, DialogWindowState& state,
                                          intptr_t parameter = 0);

// Shows the dialog window and, unless a control inside it has the focus
// already, gives the focus to its first control with kWsTabStop (a top-level
// dialog becomes the active window). Shown without activation (a palette
// beside its editor window), the window that is active keeps the activation
// and the focus; the first control with kWsTabStop is the one the dialog
// gives the focus to when it is activated later, unless it has one already.
void ShowDialogWindow(platform::WindowHandle dialog, bool activate = true);

// Ends a modal dialog with the result: its run stops and returns the result.
void EndDialog(platform::WindowHandle dialog, int result);

// The state of a dialog window made by the builder; null for any other window.
DialogWindowState* DialogStateOf(platform::WindowHandle dialog);

// The answer the dialog gives to the kWmNotify it is handling (an up-down's step refused: nonzero).
void SetDialogAnswer(platform::WindowHandle dialog, intptr_t answer);
