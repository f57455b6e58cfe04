#pragma once

// The action-kind dialog (170, "イベントのアクション"): the chooser the event
// dialog opens when the author adds or edits an action. It shows one button
// per kind of event command; a click sets the action's code and opens that
// kind's own dialog, whose result (1 OK, 0 Cancel) becomes the chooser's.
// Stage clear and game over have no dialog: choosing them only sets the code.
//
// For an action that already has a kind the chooser never shows: it opens the
// kind's dialog at once (stage clear and game over end at once with 1). While
// the event dialog edits the start event only the kinds that make sense before
// any stage (variables, music, money, items, the companion shop and the party)
// can be chosen for a new action.
//
// Every dialog edits the action in place, an element of the event dialog's
// working action list. When the author cancels the edit of an action that
// already existed, RunActionKindDialog puts the action back as it was: the
// code and the argument counts the chooser and the kind's dialog set on the
// way are undone with the rest.

#include "common/data/Event.h"
#include "common/data/EventVocabulary.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/PlainControl.h"

#include <cstdint>

class DibBitmap;
class EventDialog;
class StageRecord;

enum : int
{
    kIdActionKindDialog = 170,
    // The button of command code k is kIdFirstKindButton + k - 1 (codes 1 to 17, in ActionKindTable).
    kIdFirstKindButton = 1267,
};

// What an action's dialog edits and where it stands; the chooser hands its own to the kind's dialog.
struct ActionEditContext
{
    EventCommand* m_pCommand = nullptr; // the action, edited in place
    int m_bNewAction = 0;               // 1: just inserted, the kind's defaults are written
    int m_bStartEvent = 0;              // 1: the start event is edited
    platform::WindowHandle m_hParent;   // the event dialog's window
    EditorApp* m_pApp = nullptr;
    WindowBase* m_pAnchor = nullptr;          // what the dialogs are placed over: the action list
    const StageRecord* m_pStage = nullptr;    // whose position groups the dialogs offer; may be null
    const DibBitmap* m_pEventBitmap = nullptr; // "bmp\Event.bmp", the graphics offered; may be null
};

// Opens the dialog of one kind on the context's action; its result.
using ActionDialogOpener = int (*)(const ActionEditContext& context);

struct ActionKind
{
    uint16_t m_nButtonId = 0;               // 0: no button (the empty command)
    uint16_t m_nDialogId = 0;               // 0: the kind has no dialog
    ActionDialogOpener m_pOpen = nullptr;   // null: the kind has no dialog
    int32_t m_bStartEvent = 0;              // the kind may be chosen in the start event
};

// One entry per command code, in code order.
extern const ActionKind ActionKindTable[kEventCommandCount];

class ActionKindDialog : public DialogBase
{
public:
    explicit ActionKindDialog(const ActionEditContext& context);

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    EventCommand& Command() { return *m_Context.m_pCommand; }
    const ActionEditContext& Context() const { return m_Context; }

private:
    ActionEditContext m_Context;
    CheckedVector<PlainControl> m_Buttons;
};

// The event dialog's runner: the chooser on the selected action of its action
// list; 1 when the action was set, 0 when the author cancelled (an existing
// action is then as it was before).
int RunActionKindDialog(EventDialog& dialog);
