#include "editor/event/ActionKindDialog.h"

#include "editor/event/AmountActionDialogs.h"
#include "editor/event/BasicActionDialogs.h"
#include "editor/event/EventActionDialog.h"
#include "editor/event/EventDialog.h"
#include "editor/event/MapActionDialogs.h"
#include "editor/event/SceneActionDialogs.h"
#include "editor/event/ShopActionDialog.h"
#include "editor/event/StatusActionDialog.h"
#include "editor/framework/ControlAnchor.h"

#include <memory>

// The buttons, the dialogs and the kinds a start event may hold.
const ActionKind ActionKindTable[kEventCommandCount] = {
    {0, 0, nullptr, 0},
    {1267, kIdMessageActionDialog, RunActionDialog<MessageActionDialog>, 0},
    {1268, kIdWaitActionDialog, RunActionDialog<WaitActionDialog>, 0},
    {1269, kIdMapCursorActionDialog, RunActionDialog<MapCursorActionDialog>, 0},
    {1270, kIdEnemyGroupActionDialog, RunActionDialog<EnemyGroupActionDialog>, 0},
    {1271, kIdEventVariableActionDialog, RunActionDialog<EventVariableActionDialog>, 0},
    {1272, kIdVariableActionDialog, RunActionDialog<VariableActionDialog>, 1},
    {1273, kIdMapChipActionDialog, RunActionDialog<MapChipActionDialog>, 0},
    {1274, kIdGraphicChangeDialog, RunActionDialog<GraphicChangeDialog>, 0},
    {1275, kIdBgmChangeDialog, RunActionDialog<BgmChangeDialog>, 1},
    {1276, kIdStatusOperationDialog, RunActionDialog<StatusOperationDialog>, 0},
    {1277, kIdMoneyOperationDialog, RunActionDialog<MoneyOperationDialog>, 1},
    {1278, kIdItemOperationDialog, RunActionDialog<ItemOperationDialog>, 1},
    {1279, kIdShopDialog, RunActionDialog<ShopDialog>, 0},
    {1280, kIdCompanionShopDialog, RunActionDialog<CompanionShopDialog>, 1},
    {1281, kIdPartyChangeDialog, RunActionDialog<PartyChangeDialog>, 1},
    {1282, 0, nullptr, 0},
    {1283, 0, nullptr, 0},
};

namespace
{

std::unique_ptr<ActionKindDialog> s_pRunning;

} // namespace

ActionKindDialog::ActionKindDialog(const ActionEditContext& context)
    : DialogBase(context.m_pAnchor, 0), m_Context(context)
{
    UseClassProcedure(this);
    Init(kIdActionKindDialog, context.m_hParent, 0, kWindowDialog, context.m_pApp);
    for (int code = 1; code < kEventCommandCount; ++code)
    {
        m_Buttons.push_back(PlainControl(ActionKindTable[code].m_nButtonId));
    }
}

int ActionKindDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachPlainControls(m_Buttons);
    for (int code = 1; code < kEventCommandCount; ++code)
    {
        PlainControl& button = m_Buttons.At(code - 1);
        button.SetText(EventCommandTable[code].m_pName);
        button.Enable(!m_Context.m_bStartEvent || ActionKindTable[code].m_bStartEvent);
    }
    if (!m_Context.m_bNewAction)
    {
        // An action that has a kind goes straight to that kind's dialog, whatever its button's state.
        const int32_t code = Command().m_nCode;
        if (IsEventCommandCode(code) && code != kCommandNone)
        {
            platform::SendWindowMessage(Handle(), platform::kWmCommand,
                                        platform::MakeWParam(ActionKindTable[code].m_nButtonId, 0), 0);
        }
    }
    SetInitialised(1);
    return 0;
}

void ActionKindDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnCommand(wParam, lParam);
    const int code = platform::LowWord(wParam) - kIdFirstKindButton + 1;
    if (code <= kCommandNone || code >= kEventCommandCount)
    {
        return;
    }
    const ActionKind& kind = ActionKindTable[code];
    Command().m_nCode = code;
    if (!kind.m_pOpen)
    {
        Command().FitArgumentCounts();
        Close(1);
        return;
    }
    Show(0);
    Close(kind.m_pOpen(m_Context));
}

intptr_t ActionKindDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}

int RunActionKindDialog(EventDialog& dialog)
{
    ListBox<EventCommand>& list = dialog.ActionList();
    const int row = list.GetDataPos();
    if (row < 0 || row >= list.Working().Count())
    {
        return 0;
    }
    const EventCommand before = list.Working().At(row);
    ControlAnchor anchor(list);
    ActionEditContext context;
    context.m_pCommand = &list.Working().At(row);
    context.m_bNewAction = dialog.IsInsertingAction();
    context.m_bStartEvent = dialog.IsStartEventMode() ? 1 : 0;
    context.m_hParent = dialog.Handle();
    context.m_pApp = dialog.Owner();
    context.m_pAnchor = &anchor;
    context.m_pStage = dialog.Request().m_pStage;
    context.m_pEventBitmap = dialog.Request().m_pEventBitmap;
    int result = RunOwnedModal(s_pRunning, 0, context);
    if (!result && !context.m_bNewAction)
    {
        list.Working().At(row) = before;
    }
    // A variable renamed in the action's dialog is renamed in the page's list too.
    dialog.ShowVariableNames();
    return result;
}
