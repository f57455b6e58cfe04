#include "editor/framework/DialogBase.h"

#include "common/services/MessageBoxes.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/ModalRuns.h"
#include "editor/framework/PropSheet.h"
#include "platform/window/DialogNavigation.h"
#include "platform/window/ScrollBarModel.h"

#include <algorithm>

DialogBase::DialogBase(WindowBase* centreOn, int centreOnClient) : WindowBase(centreOn, centreOnClient)
{
}

DialogBase::~DialogBase()
{
    // Messages of a window still open reach this object no more.
    m_State.m_bDetached = true;
    if (platform::WindowSystem* system = platform::SystemOfWindow(Handle()))
    {
        system->DestroyWindow(Handle());
        m_hWnd = nullptr;
        RestoreOtherWindows();
    }
    if (m_bModeless && !OwnerApp().RemoveWindow(this))
    {
        ShowError("ウインドウの破棄に失敗！");
    }
    if (m_pLeaveClass)
    {
        m_pLeaveClass(this);
    }
}

void DialogBase::Init(int resourceId, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app)
{
    m_nKind = kind;
    m_bModeless = 0;
    m_nShowFlags = 0;
    m_nEndResult = 0;
    m_bInitialised = 0;
    WindowBase::Init(resourceId, parent, app);
    m_bStartMaximised = startMaximised;
}

const DialogTemplate* DialogBase::Template() const
{
    return m_pTemplate ? m_pTemplate : FindDialogTemplate(m_nResourceId);
}

EditorApp& DialogBase::OwnerApp() const
{
    return m_pApp ? *m_pApp : ::App;
}

bool DialogBase::IsListed() const
{
    for (const WindowBase* window : OwnerApp().m_Windows)
    {
        if (window == this)
        {
            return true;
        }
    }
    return false;
}

// ---- the slots ----

intptr_t DialogBase::WindowProc(platform::WindowHandle, uint32_t, uintptr_t, intptr_t)
{
    return 0;
}

void DialogBase::OnCommand(uintptr_t wParam, intptr_t)
{
    int id = platform::LowWord(wParam);
    int code = platform::HighWord(wParam);
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        Control* control = m_Controls.At(i);
        if (control->Id() != id)
        {
            continue;
        }
        int32_t kind = control->Kind();
        bool isEdit = kind == kControlNumberEdit || kind == kControlTextEdit;
        if ((isEdit && code == platform::kEnUpdate) || (kind == kControlComboBox && code == platform::kCbnSelChange) ||
            (kind == kControlListBox && code == platform::kLbnSelChange))
        {
            control->OnChange();
            break;
        }
        if ((isEdit && code == platform::kEnKillFocus) || (kind == kControlListBox && code == platform::kLbnKillFocus))
        {
            control->OnKillFocus();
            break;
        }
    }
    // The lists stop drawing until the command is done (their EndUpdate draws them again).
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        Control* control = m_Controls.At(i);
        if (control->Kind() == kControlListBox)
        {
            platform::SendWindowMessage(control->Handle(), platform::kWmSetRedraw, 0, 0);
            control->BeginUpdate();
        }
    }
}

int DialogBase::OnMessage(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    int result = WindowBase::OnMessage(window, message, wParam, lParam);
    switch (message)
    {
    case platform::kWmInitDialog:
        OnInitDialog(wParam, lParam);
        break;
    case platform::kWmHScroll:
    case platform::kWmVScroll:
    {
        ScrollBar& bar = message == platform::kWmHScroll ? m_HScroll : m_VScroll;
        platform::WindowHandle from = platform::HandleFromParam(static_cast<uintptr_t>(lParam));
        if (from && from == bar.Handle())
        {
            Scroll(bar, wParam);
        }
        break;
    }
    case platform::kWmKeyDown:
        // The keyboard hook's copies of a modal dialog's keys.
        if (!m_bModeless && (lParam & platform::kKeyReposted))
        {
            for (int i = 0; i < m_Controls.Count(); ++i)
            {
                m_Controls.At(i)->OnKey(wParam, lParam, CtrlStateOf(message, wParam, lParam));
            }
        }
        break;
    case platform::kWmSize:
        PlaceLayoutBars(platform::LowWord(static_cast<uintptr_t>(lParam)),
                        platform::HighWord(static_cast<uintptr_t>(lParam)));
        break;
    case platform::kWmNotify:
    {
        auto* header = reinterpret_cast<const platform::NotifyHeader*>(lParam);
        for (int i = 0; i < m_Controls.Count(); ++i)
        {
            if (int answer = m_Controls.At(i)->OnNotify(wParam, header))
            {
                SetDialogAnswer(window, answer);
                break;
            }
        }
        break;
    }
    case platform::kWmDestroy:
        RestoreOtherWindows();
        break;
    default:
        break;
    }
    return result;
}

int DialogBase::OnInitDialog(uintptr_t, intptr_t)
{
    // Listed once, however often it is run: the destructor takes out one entry.
    if (m_bModeless && !IsListed())
    {
        OwnerApp().AddWindow(this);
    }
    platform::NativeWindow* native = Native();
    if (m_bStartMaximised && native)
    {
        native->System().SendMessage(Handle(), platform::kWmSysCommand, platform::kScMaximize, 0);
        UpdateLayout();
        m_nStyle &= ~platform::kWsMaximize;
        native->SetStyle(native->Style() & ~platform::kWsMaximize);
        SetClientSize(m_Client.m_nWidth, m_Client.m_nHeight - (m_nStatusKind == 2 ? kStatusBarHeight : 0));
    }
    else
    {
        UpdateLayout();
    }
    if (m_RequestedClient.m_nWidth > 0 && m_RequestedClient.m_nHeight > 0)
    {
        SetClientSize(m_RequestedClient.m_nWidth, m_RequestedClient.m_nHeight);
    }
    if (m_nScrollFlags & 1)
    {
        AttachLayoutBar(m_HScroll, kIdHorizontalBar, true);
    }
    if (m_nScrollFlags & 2)
    {
        AttachLayoutBar(m_VScroll, kIdVerticalBar, false);
    }
    PlaceWindow();
    if (!m_bModeless && !m_KeyboardHook.Install(Handle()))
    {
        ShowError("KeyboardHookに失敗!");
    }
    return 0;
}

// ---- the layout's scroll bars ----

void DialogBase::AttachLayoutBar(ScrollBar& bar, int id, bool horizontal)
{
    platform::WindowSystem* system = System();
    if (!system || !Handle())
    {
        return;
    }
    if (!system->GetDlgItem(Handle(), id))
    {
        platform::WindowCreateParams params;
        params.m_strClass = platform::kClassScrollBar;
        params.m_nStyle = platform::kWsChild | platform::kWsVisible | (horizontal ? platform::kSbsHorz : platform::kSbsVert);
        params.m_hParent = Handle();
        params.m_nId = id;
        system->CreateWindow(params);
    }
    bar.Binding().m_nId = ControlIdBits(id);
    bar.Attach(this, bar.Binding());
    BindControl(&bar);
    platform::Rect client;
    GetClientRect(client);
    PlaceLayoutBars(client.m_nWidth, client.m_nHeight);
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifPos;
    info.m_nPos = 0;
    platform::SetScrollInfo(bar.Handle(), platform::kSbCtl, info, true);
}

void DialogBase::PlaceLayoutBars(int clientWidth, int clientHeight)
{
    platform::WindowSystem* system = System();
    if (!system)
    {
        return;
    }
    platform::FrameMetrics metrics = system->Metrics();
    // Between the tool bar's rows at the top and the status bar at the bottom.
    int top = m_nToolbarRows * kToolBarRowHeight;
    int bottom = clientHeight - (m_nStatusKind == 1 || m_nStatusKind == 2 ? kStatusBarHeight : 0);
    // With both bars the horizontal one ends where the vertical one begins.
    int width = clientWidth - (m_VScroll.Native() ? metrics.m_nVScrollWidth : 0);
    if (platform::NativeWindow* bar = m_HScroll.Native())
    {
        bar->SetWindowRect({0, bottom - metrics.m_nHScrollHeight, std::max(width, 0), metrics.m_nHScrollHeight});
    }
    if (platform::NativeWindow* bar = m_VScroll.Native())
    {
        bar->SetWindowRect({clientWidth - metrics.m_nVScrollWidth, top, metrics.m_nVScrollWidth, bottom - top});
    }
}

void DialogBase::Scroll(ScrollBar& bar, uintptr_t wParam)
{
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifAll;
    platform::GetScrollInfo(bar.Handle(), platform::kSbCtl, info);
    int old = info.m_nPos;
    switch (platform::LowWord(wParam))
    {
    case platform::kSbLineUp: info.m_nPos -= 1; break;
    case platform::kSbLineDown: info.m_nPos += 1; break;
    case platform::kSbPageUp: info.m_nPos -= static_cast<int>(info.m_nPage); break;
    case platform::kSbPageDown: info.m_nPos += static_cast<int>(info.m_nPage); break;
    case platform::kSbThumbTrack: info.m_nPos = info.m_nTrackPos; break;
    case platform::kSbTop: info.m_nPos = info.m_nMin; break;
    case platform::kSbBottom: info.m_nPos = info.m_nMax; break;
    default: break; // the thumb let go and the end of a scroll keep the position
    }
    info.m_nMask = platform::kSifPos;
    platform::SetScrollInfo(bar.Handle(), platform::kSbCtl, info, true);
    info.m_nMask = platform::kSifPos;
    platform::GetScrollInfo(bar.Handle(), platform::kSbCtl, info);
    if (info.m_nPos != old)
    {
        OnPaint();
    }
}

// ---- runs ----

void DialogBase::HideOtherWindows()
{
    if (m_nShowFlags & kShowFlagHideOthers)
    {
        OwnerApp().ShowAllWindows(0);
    }
    if (m_nShowFlags & kShowFlagDisableOthers)
    {
        OwnerApp().EnableAllWindows(0);
    }
}

void DialogBase::RestoreOtherWindows()
{
    if (m_nShowFlags & kShowFlagHideOthers)
    {
        OwnerApp().ShowAllWindows(1);
    }
    if (m_nShowFlags & kShowFlagDisableOthers)
    {
        OwnerApp().EnableAllWindows(1);
    }
}

int DialogBase::RunModal(int showFlags)
{
    if (Handle())
    {
        return 0;
    }
    Close(0);
    m_bModeless = 0;
    m_nShowFlags = showFlags;
    HideOtherWindows();
    int result = RunDialogBox();
    m_hWnd = nullptr;
    RestoreOtherWindows();
    // The owner became the active window while it was hidden: shown again, it
    // is asked for once more, ahead of the windows shown with it.
    if (platform::WindowSystem* system = System(); system && (m_nShowFlags & kShowFlagHideOthers))
    {
        if (platform::WindowHandle owner = system->TopLevelOf(m_hParent))
        {
            system->SetActiveWindow(owner);
        }
    }
    return result;
}

int DialogBase::RunDialogBox()
{
    platform::WindowSystem* system = System();
    const DialogTemplate* dialog = Template();
    if (!system || !dialog)
    {
        ShowError("ウインドウの生成に失敗！");
        return 0;
    }
    m_State = DialogWindowState();
    m_State.m_pDialogProc = m_pProcedure;
    // The owner takes no input while its modal dialog runs.
    platform::NativeWindow* owner = system->Resolve(system->TopLevelOf(m_hParent));
    platform::WindowHandle ownerHandle = owner ? owner->Handle() : nullptr;
    bool disabledOwner = owner && owner->IsEnabled();
    if (disabledOwner)
    {
        owner->Enable(false);
    }
    platform::WindowHandle window = CreateDialogWindow(*system, *dialog, m_hParent, m_State);
    if (!window)
    {
        if (disabledOwner && system->Resolve(ownerHandle))
        {
            owner->Enable(true);
        }
        ShowError("ウインドウの生成に失敗！");
        return 0;
    }
    if (!m_State.m_bEnded)
    {
        ShowDialogWindow(window);
        if (ModalRunner* runner = CurrentModalRunner())
        {
            runner->Run(*this);
        }
        else
        {
            system->RunModalLoop([this] { return m_State.m_bEnded; },
                                 [window](const platform::WindowMessage& message) {
                                     return platform::IsDialogMessage(window, message);
                                 });
        }
    }
    if (disabledOwner && system->Resolve(ownerHandle))
    {
        owner->Enable(true);
    }
    system->DestroyWindow(window);
    if (system->Resolve(ownerHandle))
    {
        system->SetActiveWindow(ownerHandle);
    }
    return m_State.m_nResult;
}

void DialogBase::RunModeless(int showFlags)
{
    Close(0);
    platform::WindowSystem* system = System();
    if (Handle() || !system)
    {
        return;
    }
    m_bModeless = 1;
    m_nShowFlags = showFlags;
    HideOtherWindows();
    const DialogTemplate* dialog = Template();
    m_State = DialogWindowState();
    m_State.m_pDialogProc = m_pProcedure;
    platform::WindowHandle window = dialog ? CreateDialogWindow(*system, *dialog, m_hParent, m_State) : nullptr;
    if (!window)
    {
        // No window will be destroyed to bring the others back.
        RestoreOtherWindows();
        ShowError("ウインドウの生成に失敗！");
        return;
    }
    m_hWnd = window;
    ShowDialogWindow(window, !(showFlags & kShowFlagNoActivate));
}

void DialogBase::Close(int result)
{
    m_nEndResult = result;
    m_Controls.clear();
    platform::WindowHandle window = Handle();
    if (m_bModeless)
    {
        if (platform::WindowSystem* system = platform::SystemOfWindow(window))
        {
            system->DestroyWindow(window);
        }
        m_hWnd = nullptr;
    }
    else if (window)
    {
        EndDialog(window, result);
    }
}

// ---- data transfer ----

void DialogBase::DataToControls()
{
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        m_Controls.At(i)->DataToControl();
    }
}

void DialogBase::DataToControlsExcept(const Control* control)
{
    DataToControlsExcept(control ? static_cast<int>(control->Id()) : -1);
}

void DialogBase::DataToControlsExcept(int id)
{
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        if (m_Controls.At(i)->Id() != id)
        {
            m_Controls.At(i)->DataToControl();
        }
    }
}

void DialogBase::DataToControlsFrom(int id)
{
    BeginUpdate(id);
    DataToControls();
    EndUpdate();
}

void DialogBase::DataToOtherControls(int id, const Control* control)
{
    BeginUpdate(id);
    DataToControlsExcept(control);
    EndUpdate();
}

void DialogBase::ControlsToData()
{
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        m_Controls.At(i)->ControlToData();
    }
}

void DialogBase::ControlsToDataExceptLists()
{
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        if (m_Controls.At(i)->Kind() != kControlListBox)
        {
            m_Controls.At(i)->ControlToData();
        }
    }
}

// ---- the bound lists ----

namespace
{
ListBoxBase* AsList(Control* control)
{
    return control->Kind() == kControlListBox ? dynamic_cast<ListBoxBase*>(control) : nullptr;
}
} // namespace

int DialogBase::OfferListCommand(int id)
{
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        ListBoxBase* list = AsList(m_Controls.At(i));
        if (list && (list->OnAccelCommand(id) || list->OnMenuCommand(id)))
        {
            return 1;
        }
    }
    return 0;
}

void DialogBase::EndListUpdates()
{
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        if (ListBoxBase* list = AsList(m_Controls.At(i)))
        {
            list->EndUpdate();
        }
    }
}

int DialogBase::OpenListPopup(const std::function<void(ListBoxBase& list)>& hit)
{
    platform::WindowSystem* system = System();
    platform::Point cursor;
    if (!system || !IsActive() || !system->GetCursorPos(cursor))
    {
        return 0;
    }
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        ListBoxBase* list = AsList(m_Controls.At(i));
        if (list && list->SelectAtPoint(cursor))
        {
            if (hit)
            {
                hit(*list);
            }
            if (const platform::Menu* menu = list->PopupMenu())
            {
                TrackPopup(*menu);
            }
            return 1;
        }
    }
    return 0;
}

// ---- a page of a property sheet ----

platform::WindowHandle DialogBase::CreateSheetPage(platform::WindowHandle sheet)
{
    platform::WindowSystem* system = platform::SystemOfWindow(sheet);
    const DialogTemplate* dialog = Template();
    if (!system || !dialog || Handle())
    {
        return nullptr;
    }
    // A page has no frame of its own: whatever its template says, it is a child of the sheet.
    DialogTemplate page = *dialog;
    page.m_nStyle = kChildDialog;
    m_bModeless = 1;
    m_nShowFlags = 0;
    m_hSheet = sheet;
    m_Controls.clear();
    m_State = DialogWindowState();
    m_State.m_pDialogProc = m_pProcedure;
    platform::WindowHandle window = CreateDialogWindow(*system, page, sheet, m_State);
    m_hWnd = window;
    if (!window)
    {
        // A page whose window went already is no longer one of the application's windows.
        OwnerApp().RemoveWindow(this);
        m_bModeless = 0;
    }
    return window;
}

bool DialogBase::IsCurrentSheetPage() const
{
    platform::WindowHandle current = platform::HandleFromParam(
        static_cast<uintptr_t>(platform::SendWindowMessage(m_hSheet, platform::kPsmGetCurrentPageHwnd, 0, 0)));
    return current && current == Handle();
}

// ---- the bound controls ----

void DialogBase::AttachPlainControls(CheckedVector<PlainControl>& controls)
{
    for (int i = 0; i < controls.Count(); ++i)
    {
        PlainControl& control = controls.At(i);
        control.Control::Attach(this, control.BoundId());
        BindControl(&control);
    }
}

uint16_t DialogBase::FindCommandControl(uintptr_t wParam) const
{
    int id = platform::LowWord(wParam);
    int code = platform::HighWord(wParam);
    for (int i = 0; i < m_Controls.Count(); ++i)
    {
        const Control* control = m_Controls.At(i);
        if (control->Id() != id)
        {
            continue;
        }
        switch (control->Kind())
        {
        case kControlPlain:
            if (code == platform::kBnClicked)
            {
                return control->Id();
            }
            break;
        case kControlNumberEdit:
        case kControlTextEdit:
            if (code == platform::kEnUpdate)
            {
                return control->Id();
            }
            break;
        case kControlCheckBox:
            return control->Id();
        case kControlComboBox:
            if (code == platform::kCbnSelChange)
            {
                return control->Id();
            }
            break;
        default:
            break;
        }
    }
    return 0;
}

void DialogBase::SetTabOrder(const int* ids)
{
    platform::WindowSystem* system = System();
    if (!system || !ids || ids[0] == 0)
    {
        return;
    }
    for (const int* id = ids; id[1] != 0; ++id)
    {
        system->SetWindowOrder(system->GetDlgItem(Handle(), id[1]), system->GetDlgItem(Handle(), id[0]));
    }
}

// ---- the standard handlers ----

void DialogBase::OnOkCancel(uintptr_t wParam, intptr_t lParam)
{
    if (CanHandleNotify(wParam))
    {
        DialogBase::OnCommand(wParam, lParam);
    }
    switch (platform::LowWord(wParam))
    {
    case kIdDialogOk:
        ControlsToData();
        Close(1);
        break;
    case kIdDialogCancel:
        Close(0);
        break;
    default:
        break;
    }
}

intptr_t DialogBase::CloseOnWmClose(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    if (message == platform::kWmClose)
    {
        Close(0);
        return 1;
    }
    return handled ? 1 : 0;
}

intptr_t DialogBase::CloseOnWmCloseWithListPopup(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                                 intptr_t lParam)
{
    if (message == platform::kWmRButtonUp)
    {
        OnMessage(window, message, wParam, lParam);
        if (IsInitialised())
        {
            OpenListPopup();
        }
        return 1;
    }
    return CloseOnWmClose(window, message, wParam, lParam);
}

intptr_t DialogBase::CloseAndRedraw(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    if (message == platform::kWmClose)
    {
        Close(0);
    }
    if (message == platform::kWmClose || message == platform::kWmDestroy || handled)
    {
        OnPaint();
        return 1;
    }
    return 0;
}

int ScaleByOneAndThreeQuarters(int value)
{
    return static_cast<int>(value * 1.75);
}

void DialogBase::HideItem(int id)
{
    platform::WindowSystem* system = System();
    if (platform::NativeWindow* control = system ? system->Resolve(system->GetDlgItem(Handle(), id)) : nullptr)
    {
        control->Show(false);
    }
}
