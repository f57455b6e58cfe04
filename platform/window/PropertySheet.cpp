#include "platform/window/PropertySheet.h"

#include "platform/window/ButtonModel.h"
#include "platform/window/DialogNavigation.h"
#include "platform/window/EditModel.h"
#include "platform/window/TabModel.h"

#include <algorithm>
#include <memory>

namespace platform
{

namespace
{

constexpr char kSheetProperty[] = "tkPropertySheet";
constexpr uint32_t kSheetStyle = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame;
constexpr int kMargin = 7;       // around the tab control and the buttons
constexpr int kTabFrame = 4;     // between the tab control's frame and the page
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

struct SheetState
{
    std::vector<PropertySheetPage> m_Pages;
    std::vector<WindowHandle> m_PageWindows; // null until the page is made
    int m_nCurrent = -1;
    bool m_bClosed = false;
    Rect m_PageRect; // where every page stands, in the sheet's client area
};

SheetState* StateOf(WindowHandle sheet)
{
    NativeWindow* native = ResolveWindow(sheet);
    return native ? static_cast<SheetState*>(native->GetProp(kSheetProperty)) : nullptr;
}

WindowSystem& SystemOf(WindowHandle sheet)
{
    return *SystemOfWindow(sheet);
}

intptr_t NotifyPage(WindowHandle sheet, WindowHandle page, int code)
{
    NotifyHeader header;
    header.m_hFrom = sheet.Value();
    header.m_nId = 0;
    header.m_nCode = code;
    return SystemOf(sheet).SendMessage(page, kWmNotify, 0, reinterpret_cast<intptr_t>(&header));
}

void EnableItem(WindowHandle sheet, int id, bool enable)
{
    if (NativeWindow* item = SystemOf(sheet).Resolve(SystemOf(sheet).GetDlgItem(sheet, id)))
    {
        item->Enable(enable);
    }
}

WindowHandle CurrentPage(const SheetState& state)
{
    return state.m_nCurrent >= 0 ? state.m_PageWindows[static_cast<size_t>(state.m_nCurrent)] : nullptr;
}

// Makes the page current: made on first use, placed, told, shown. False when it cannot be made.
bool SelectPage(WindowHandle sheet, SheetState& state, int index)
{
    if (state.m_bClosed || index < 0 || index >= static_cast<int>(state.m_Pages.size()))
    {
        return false;
    }
    WindowSystem& system = SystemOf(sheet);
    if (index != state.m_nCurrent)
    {
        WindowHandle& page = state.m_PageWindows[static_cast<size_t>(index)];
        if (!system.IsWindow(page))
        {
            const PropertySheetPage& made = state.m_Pages[static_cast<size_t>(index)];
            page = made.m_Create ? made.m_Create(sheet) : nullptr;
            if (!page || !StateOf(sheet))
            {
                page = nullptr;
                return false;
            }
            if (NativeWindow* native = system.Resolve(page))
            {
                native->SetWindowRect(state.m_PageRect);
            }
        }
        WindowHandle old = CurrentPage(state);
        bool focusInOld = old && system.IsWithin(system.Focus(), old);
        if (NativeWindow* native = system.Resolve(old))
        {
            native->Show(false);
        }
        state.m_nCurrent = index;
        NotifyPage(sheet, page, kPsnSetActive);
        if (NativeWindow* native = system.Resolve(page))
        {
            native->Show(true);
        }
        if (focusInOld)
        {
            system.SetFocus(system.GetDlgItem(sheet, kIdSheetTabs));
        }
    }
    system.SendMessage(system.GetDlgItem(sheet, kIdSheetTabs), kTcmSetCurSel, static_cast<uintptr_t>(index), 0);
    return true;
}

void Apply(WindowHandle sheet, SheetState& state)
{
    for (WindowHandle page : state.m_PageWindows)
    {
        if (SystemOf(sheet).IsWindow(page))
        {
            NotifyPage(sheet, page, kPsnApply);
        }
    }
    EnableItem(sheet, kIdSheetApply, false);
}

void CloseSheet(WindowHandle sheet, SheetState& state)
{
    state.m_bClosed = true;
    state.m_nCurrent = -1;
    if (NativeWindow* native = ResolveWindow(sheet))
    {
        native->Show(false);
    }
    SystemOf(sheet).PostMessage(sheet, kWmNull, 0, 0);
}

// The sheet's own control or the page's control that holds the window.
WindowHandle ControlHolding(WindowSystem& system, WindowHandle sheet, WindowHandle page, WindowHandle window)
{
    for (NativeWindow* native = system.Resolve(window); native && native->IsChild();
         native = system.Resolve(native->Parent()))
    {
        if (native->Parent() == sheet || (page && native->Parent() == page))
        {
            return native->Handle() == page ? nullptr : native->Handle();
        }
    }
    return nullptr;
}

bool IsTabStop(WindowSystem& system, WindowHandle control)
{
    NativeWindow* native = system.Resolve(control);
    return native && (native->Style() & kWsTabStop) && native->IsEnabled() && native->IsVisible();
}

// The tab control, the current page's controls and the buttons, in the order Tab visits them.
std::vector<WindowHandle> TabCycle(WindowSystem& system, WindowHandle sheet, WindowHandle page)
{
    std::vector<WindowHandle> cycle;
    auto add = [&](WindowHandle control) {
        if (IsTabStop(system, control))
        {
            cycle.push_back(control);
        }
    };
    add(system.GetDlgItem(sheet, kIdSheetTabs));
    if (page)
    {
        for (WindowHandle control : system.Children(page))
        {
            add(control);
        }
    }
    for (int id : {static_cast<int>(kIdOk), static_cast<int>(kIdCancel), static_cast<int>(kIdSheetApply)})
    {
        add(system.GetDlgItem(sheet, id));
    }
    return cycle;
}

void Click(WindowSystem& system, WindowHandle button)
{
    NativeWindow* native = system.Resolve(button);
    if (native && native->IsEnabled())
    {
        system.SendMessage(native->Parent(), kWmCommand, MakeWParam(native->Id(), kBnClicked),
                           static_cast<intptr_t>(HandleParam(button)));
    }
}

bool Navigate(WindowHandle sheet, SheetState& state, const WindowMessage& message)
{
    WindowSystem& system = SystemOf(sheet);
    if (message.m_nMessage != kWmKeyDown || (message.m_lParam & kKeyReposted) ||
        !system.IsWithin(message.m_hWindow, sheet) || (message.m_lParam & kKeyAlt))
    {
        return false;
    }
    bool shift = (message.m_lParam & kKeyShift) != 0;
    if (message.m_lParam & kKeyControl)
    {
        int step = 0;
        if (message.m_wParam == kVkTab)
        {
            step = shift ? -1 : 1;
        }
        else if (message.m_wParam == kVkNext || message.m_wParam == kVkPrior)
        {
            step = message.m_wParam == kVkNext ? 1 : -1;
        }
        int count = static_cast<int>(state.m_Pages.size());
        if (step == 0 || count == 0 || state.m_bClosed)
        {
            return false;
        }
        SelectPage(sheet, state, (state.m_nCurrent + step + count) % count);
        return true;
    }
    WindowHandle page = CurrentPage(state);
    WindowHandle control = ControlHolding(system, sheet, page, message.m_hWindow);
    switch (message.m_wParam)
    {
    case kVkTab:
    {
        std::vector<WindowHandle> cycle = TabCycle(system, sheet, page);
        if (cycle.empty())
        {
            return true;
        }
        auto at = std::find(cycle.begin(), cycle.end(), control);
        int count = static_cast<int>(cycle.size());
        int next = at == cycle.end() ? (shift ? count - 1 : 0)
                                     : (static_cast<int>(at - cycle.begin()) + (shift ? count - 1 : 1)) % count;
        FocusDialogControl(cycle[static_cast<size_t>(next)]);
        return true;
    }
    case kVkEscape:
        Click(system, system.GetDlgItem(sheet, kIdCancel));
        return true;
    case kVkReturn:
    {
        auto* edit = ModelOf<EditModel>(control);
        if (edit && edit->IsMultiline() && (edit->Style() & kEsWantReturn))
        {
            return false;
        }
        auto* button = ModelOf<ButtonModel>(control);
        Click(system, button && button->IsPushButton() ? control : system.GetDlgItem(sheet, kIdOk));
        return true;
    }
    default:
        return false;
    }
}

intptr_t SheetProcedure(WindowHandle sheet, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    NativeWindow* native = ResolveWindow(sheet);
    if (!native)
    {
        return 0;
    }
    if (message == kWmCreate)
    {
        native->SetProp(kSheetProperty, reinterpret_cast<void*>(lParam));
        return 0;
    }
    SheetState* state = StateOf(sheet);
    if (!state)
    {
        return DefWindowProc(sheet, message, wParam, lParam);
    }
    switch (message)
    {
    case kWmNotify:
    {
        const auto* header = reinterpret_cast<const NotifyHeader*>(lParam);
        if (header && header->m_nId == static_cast<uintptr_t>(kIdSheetTabs) && header->m_nCode == kTcnSelChange)
        {
            int chosen = static_cast<int>(SystemOf(sheet).SendMessage(
                SystemOf(sheet).GetDlgItem(sheet, kIdSheetTabs), kTcmGetCurSel, 0, 0));
            if (!SelectPage(sheet, *state, chosen))
            {
                // The page cannot be made: its tab gives way to the current one.
                SelectPage(sheet, *state, state->m_nCurrent);
            }
        }
        return 0;
    }
    case kWmCommand:
        if (state->m_bClosed)
        {
            return 0;
        }
        switch (LowWord(wParam))
        {
        case kIdOk:
            Apply(sheet, *state);
            CloseSheet(sheet, *state);
            break;
        case kIdCancel:
            CloseSheet(sheet, *state);
            break;
        case kIdSheetApply:
            Apply(sheet, *state);
            break;
        default:
            break;
        }
        return 0;
    case kWmClose:
        if (!state->m_bClosed)
        {
            CloseSheet(sheet, *state);
        }
        return 0;
    case kPsmChanged:
        if (!state->m_bClosed)
        {
            EnableItem(sheet, kIdSheetApply, true);
        }
        return 0;
    case kPsmGetCurrentPageHwnd:
        return static_cast<intptr_t>(HandleParam(CurrentPage(*state)));
    case kPsmSetCurSel:
        return SelectPage(sheet, *state, static_cast<int>(wParam)) ? 1 : 0;
    case kPsmIsDialogMessage:
        return lParam && Navigate(sheet, *state, *reinterpret_cast<const WindowMessage*>(lParam)) ? 1 : 0;
    case kWmDestroy:
        native->RemoveProp(kSheetProperty);
        delete state;
        return 0;
    default:
        return DefWindowProc(sheet, message, wParam, lParam);
    }
}

WindowHandle MakeChild(WindowSystem& system, WindowHandle sheet, std::string_view className, uint32_t style, int id,
                       const Rect& rect, std::string_view text)
{
    WindowCreateParams params;
    params.m_strClass = className;
    params.m_strTitle = text;
    params.m_nStyle = kWsChild | kWsVisible | style;
    params.m_hParent = sheet;
    params.m_nId = id;
    params.m_WindowRect = rect;
    return system.CreateWindow(params);
}

} // namespace

WindowHandle CreatePropertySheet(WindowSystem& system, PropertySheetParams params)
{
    if (params.m_Pages.empty())
    {
        return nullptr;
    }
    int pageWidth = 0;
    int pageHeight = 0;
    for (const PropertySheetPage& page : params.m_Pages)
    {
        pageWidth = std::max(pageWidth, page.m_nWidth);
        pageHeight = std::max(pageHeight, page.m_nHeight);
    }
    int buttonsWidth = 3 * kButtonWidth + 2 * kButtonGap;
    Rect tabs{kMargin, kMargin, std::max(pageWidth + 2 * kTabFrame, buttonsWidth),
              kTabRowHeight + pageHeight + 2 * kTabFrame};
    int buttonTop = tabs.Bottom() + kMargin;
    int clientWidth = tabs.Right() + kMargin;
    int clientHeight = buttonTop + kButtonHeight + kMargin;

    auto owned = std::make_unique<SheetState>();
    SheetState* state = owned.get();
    state->m_Pages = std::move(params.m_Pages);
    state->m_PageWindows.assign(state->m_Pages.size(), nullptr);
    state->m_PageRect = {tabs.m_nLeft + kTabFrame, tabs.m_nTop + kTabRowHeight + kTabFrame, pageWidth, pageHeight};

    WindowCreateParams sheetParams;
    sheetParams.m_strTitle = params.m_strCaption;
    sheetParams.m_nStyle = kSheetStyle;
    sheetParams.m_hParent = params.m_hOwner;
    sheetParams.m_pProcedure = &SheetProcedure;
    sheetParams.m_nCreateParam = reinterpret_cast<intptr_t>(state);
    FrameInsets frame = ComputeFrameInsets(kSheetStyle, false, system.Metrics());
    int width = clientWidth + frame.m_nLeft + frame.m_nRight;
    int height = clientHeight + frame.m_nTop + frame.m_nBottom;
    NativeWindow* owner = system.Resolve(system.TopLevelOf(params.m_hOwner));
    Rect over = owner ? owner->WindowRect() : system.DesktopRect();
    sheetParams.m_WindowRect = {over.m_nLeft + (over.m_nWidth - width) / 2, over.m_nTop + (over.m_nHeight - height) / 2,
                                width, height};
    WindowHandle sheet = system.CreateWindow(sheetParams);
    if (!sheet)
    {
        return nullptr;
    }
    owned.release(); // the window owns its state from here on and frees it when destroyed

    WindowHandle tabControl = MakeChild(system, sheet, kClassTabControl, kWsTabStop, kIdSheetTabs, tabs, "");
    for (size_t i = 0; i < state->m_Pages.size(); ++i)
    {
        system.SendMessage(tabControl, kTcmInsertItem, i,
                           reinterpret_cast<intptr_t>(state->m_Pages[i].m_strTitle.c_str()));
    }
    int x = tabs.Right() - buttonsWidth;
    struct Button
    {
        int m_nId;
        std::string_view m_strText;
        uint32_t m_nStyle;
    };
    const Button buttons[] = {{kIdOk, kSheetOkText, kBsDefPushButton},
                              {kIdCancel, kSheetCancelText, kBsPushButton},
                              {kIdSheetApply, kSheetApplyText, kBsPushButton | kWsDisabled}};
    for (const Button& button : buttons)
    {
        MakeChild(system, sheet, kClassButton, kWsTabStop | button.m_nStyle, button.m_nId,
                  {x, buttonTop, kButtonWidth, kButtonHeight}, button.m_strText);
        x += kButtonWidth + kButtonGap;
    }
    if (!SelectPage(sheet, *state, 0))
    {
        system.DestroyWindow(sheet);
        return nullptr;
    }
    if (NativeWindow* window = system.Resolve(sheet))
    {
        window->Show(true);
    }
    system.SetActiveWindow(sheet);
    WindowHandle first = NextTabStop(CurrentPage(*state), nullptr);
    FocusDialogControl(first ? first : tabControl);
    return sheet;
}

} // namespace platform
