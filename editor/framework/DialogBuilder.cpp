#include "editor/framework/DialogBuilder.h"

#include "platform/window/ControlMessages.h"
#include "platform/window/DialogNavigation.h"

#include <algorithm>

using namespace platform;

namespace
{

constexpr char kStateProperty[] = "tkDialogState";
// A drop-down combo box's height when closed, in dialog units; the template's height is the open list's.
constexpr int kComboClosedHeight = 14;

intptr_t DialogWindowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    NativeWindow* native = ResolveWindow(window);
    if (!native)
    {
        return 0;
    }
    if (message == kWmCreate)
    {
        native->SetProp(kStateProperty, reinterpret_cast<void*>(lParam));
        return 0;
    }
    auto* state = static_cast<DialogWindowState*>(native->GetProp(kStateProperty));
    if (state && !state->m_bDetached && state->m_pDialogProc)
    {
        if (message == kWmNotify)
        {
            state->m_nAnswer = 0;
            state->m_pDialogProc(window, message, wParam, lParam);
            return state->m_nAnswer;
        }
        if (intptr_t handled = state->m_pDialogProc(window, message, wParam, lParam))
        {
            return handled;
        }
    }
    switch (message)
    {
    case kWmClose:
        // The close box asks the dialog to cancel; only the dialog closes itself.
        native->System().SendMessage(window, kWmCommand, MakeWParam(kIdCancel, kBnClicked),
                                     static_cast<intptr_t>(HandleParam(native->System().GetDlgItem(window, kIdCancel))));
        return 0;
    case kWmInitDialog:
        return 1;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

Rect CentredOn(const Rect& over, int width, int height)
{
    return {over.m_nLeft + (over.m_nWidth - width) / 2, over.m_nTop + (over.m_nHeight - height) / 2, width, height};
}

// The class and the style of a control of that kind (kWsChild and kWsVisible included).
struct DialogItemClass
{
    std::string_view m_strClass;
    uint32_t m_nStyle = 0;
};

DialogItemClass ClassOfDialogItem(DialogItemKind kind)
{
    constexpr uint32_t kControl = kWsChild | kWsVisible;
    switch (kind)
    {
    case kDlgButton: return {kClassButton, kControl | kWsTabStop | kBsPushButton};
    case kDlgDefButton: return {kClassButton, kControl | kWsTabStop | kBsDefPushButton};
    case kDlgCheckBox: return {kClassButton, kControl | kWsTabStop | kBsAutoCheckBox};
    case kDlgThreeState: return {kClassButton, kControl | kWsTabStop | kBsAuto3State};
    case kDlgRadio: return {kClassButton, kControl | kBsAutoRadioButton};
    case kDlgGroupBox: return {kClassButton, kControl | kBsGroupBox};
    case kDlgText: return {kClassStatic, kControl | kWsGroup | kSsLeft};
    case kDlgPicture: return {kClassStatic, kControl | kSsBlackFrame | kSsSunken};
    case kDlgEdit: return {kClassEdit, kControl | kWsTabStop | kEsAutoHScroll};
    case kDlgMultiEdit:
        return {kClassEdit, kControl | kWsTabStop | kEsMultiline | kEsAutoVScroll | kEsWantReturn};
    case kDlgListBox: return {kClassListBox, kControl | kWsTabStop | kLbsNotify | kLbsNoIntegralHeight};
    case kDlgComboBox: return {kClassComboBox, kControl | kWsTabStop | kCbsDropDownList};
    case kDlgUpDown:
        return {kClassUpDown, kControl | kUdsSetBuddyInt | kUdsAlignRight | kUdsAutoBuddy | kUdsArrowKeys};
    case kDlgHScrollBar: return {kClassScrollBar, kControl | kSbsHorz};
    case kDlgVScrollBar: return {kClassScrollBar, kControl | kSbsVert};
    }
    return {kClassStatic, kControl};
}

} // namespace

WindowHandle CreateDialogWindow(WindowSystem& system, const DialogTemplate& dialog, WindowHandle parent,
                                DialogWindowState& state, intptr_t parameter)
{
    state.m_bEnded = false;
    state.m_nResult = 0;
    WindowCreateParams params;
    params.m_strTitle = dialog.m_pszCaption;
    params.m_nStyle = dialog.m_nStyle & ~kWsVisible;
    params.m_hParent = parent;
    params.m_pProcedure = &DialogWindowProcedure;
    params.m_nCreateParam = reinterpret_cast<intptr_t>(&state);
    int width = DialogUnitsToPixelsX(dialog.m_nWidth);
    int height = DialogUnitsToPixelsY(dialog.m_nHeight);
    if (params.m_nStyle & kWsChild)
    {
        params.m_WindowRect = {0, 0, width, height};
    }
    else
    {
        FrameInsets frame = ComputeFrameInsets(params.m_nStyle, false, system.Metrics());
        width += frame.m_nLeft + frame.m_nRight;
        height += frame.m_nTop + frame.m_nBottom;
        NativeWindow* owner = system.Resolve(system.TopLevelOf(parent));
        params.m_WindowRect = CentredOn(owner ? owner->WindowRect() : system.DesktopRect(), width, height);
    }
    WindowHandle window = system.CreateWindow(params);
    if (!window)
    {
        return nullptr;
    }
    for (const DialogItemTemplate& item : dialog.m_Items)
    {
        DialogItemClass kind = ClassOfDialogItem(item.m_nKind);
        WindowCreateParams control;
        control.m_strClass = kind.m_strClass;
        control.m_strTitle = item.m_pszText ? item.m_pszText : "";
        control.m_nStyle = kind.m_nStyle | item.m_nStyle;
        if (item.m_bHidden)
        {
            control.m_nStyle &= ~kWsVisible;
        }
        control.m_hParent = window;
        control.m_nId = item.m_nId;
        int itemHeight = item.m_nKind == kDlgComboBox ? std::min(item.m_nHeight, kComboClosedHeight) : item.m_nHeight;
        control.m_WindowRect = {DialogUnitsToPixelsX(item.m_nX), DialogUnitsToPixelsY(item.m_nY),
                                DialogUnitsToPixelsX(item.m_nWidth), DialogUnitsToPixelsY(itemHeight)};
        if (!system.CreateWindow(control) || !system.IsWindow(window))
        {
            system.DestroyWindow(window);
            return nullptr;
        }
    }
    system.SendMessage(window, kWmInitDialog, HandleParam(NextTabStop(window, nullptr)), parameter);
    return system.IsWindow(window) ? window : nullptr;
}

void ShowDialogWindow(WindowHandle dialog, bool activate)
{
    NativeWindow* native = ResolveWindow(dialog);
    if (!native)
    {
        return;
    }
    WindowSystem& system = native->System();
    native->Show(true);
    if (!activate)
    {
        // Shown beside the active window: the first control is the one it
        // focuses once the author activates it, by its caption or its frame too.
        const WindowHandle remembered = system.RememberedFocus(dialog);
        if (!native->IsChild() && (!system.IsWithin(remembered, dialog) || remembered == dialog))
        {
            if (WindowHandle first = NextTabStop(dialog, nullptr))
            {
                system.RememberFocus(first);
            }
        }
        return;
    }
    if (!native->IsChild())
    {
        system.SetActiveWindow(dialog);
    }
    if (!system.IsWithin(system.Focus(), dialog) || system.Focus() == dialog)
    {
        if (WindowHandle first = NextTabStop(dialog, nullptr))
        {
            FocusDialogControl(first);
        }
    }
}

void EndDialog(WindowHandle dialog, int result)
{
    if (DialogWindowState* state = DialogStateOf(dialog))
    {
        state->m_bEnded = true;
        state->m_nResult = result;
    }
}

DialogWindowState* DialogStateOf(WindowHandle dialog)
{
    NativeWindow* native = ResolveWindow(dialog);
    return native ? static_cast<DialogWindowState*>(native->GetProp(kStateProperty)) : nullptr;
}

void SetDialogAnswer(WindowHandle dialog, intptr_t answer)
{
    if (DialogWindowState* state = DialogStateOf(dialog))
    {
        state->m_nAnswer = answer;
    }
}
