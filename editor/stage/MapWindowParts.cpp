#include "editor/stage/MapWindowParts.h"

#include "editor/framework/MenuMarks.h"
#include "editor/resources/StageEditorIds.h"
#include "platform/window/ScrollBarModel.h"

#include <algorithm>

void PlaceViewOverClient(DialogBase& window)
{
    platform::WindowSystem* system = window.System();
    if (platform::NativeWindow* view = system ? system->Resolve(system->GetDlgItem(window.Handle(), kIdMapView)) : nullptr)
    {
        view->SetWindowRect({window.OriginX(), window.OriginY(), window.UsableWidth(), window.UsableHeight()});
    }
    BitmapControl& picture = window.Picture();
    picture.Binding().Set(kIdMapView, window.UsableWidth(), window.UsableHeight());
    picture.Attach(&window, picture.Binding());
}

void PlaceMapView(DialogBase& window, StageViewport& viewport)
{
    PlaceViewOverClient(window);
    viewport.m_nClientWidth = window.UsableWidth();
    viewport.m_nClientHeight = window.UsableHeight();
}

void UpdateMapScrollBars(DialogBase& window, int columns, int rows, StageViewport& viewport)
{
    struct Bar
    {
        ScrollBar& m_Bar;
        int m_nCells;
        int m_nPixels;
    };
    for (const Bar& bar : {Bar{window.HorizontalBar(), columns, window.UsableWidth()},
                           Bar{window.VerticalBar(), rows, window.UsableHeight()}})
    {
        if (!bar.m_Bar.Handle())
        {
            continue;
        }
        platform::ScrollInfo info;
        info.m_nMask = platform::kSifRange | platform::kSifPage;
        info.m_nMin = 0;
        info.m_nMax = bar.m_nCells - 1;
        info.m_nPage = static_cast<uint32_t>(std::max(bar.m_nPixels / kMapCellSize, 0));
        platform::SetScrollInfo(bar.m_Bar.Handle(), platform::kSbCtl, info, true);
    }
    ReadMapScrollPosition(window, viewport);
}

void ReadMapScrollPosition(DialogBase& window, StageViewport& viewport)
{
    if (window.HorizontalBar().Handle())
    {
        viewport.m_nScrollColumn = ScrollBarPosition(window.HorizontalBar());
    }
    if (window.VerticalBar().Handle())
    {
        viewport.m_nScrollRow = ScrollBarPosition(window.VerticalBar());
    }
}

int ScrollBarPosition(ScrollBar& bar)
{
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifPos;
    if (!bar.Handle() || !platform::GetScrollInfo(bar.Handle(), platform::kSbCtl, info))
    {
        return 0;
    }
    return info.m_nPos;
}

void SetScrollBarPage(ScrollBar& bar, int page)
{
    if (!bar.Handle())
    {
        return;
    }
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifPage;
    info.m_nPage = static_cast<uint32_t>(std::max(page, 0));
    platform::SetScrollInfo(bar.Handle(), platform::kSbCtl, info, true);
}

intptr_t ChipPaletteWindowProc(DialogBase& palette, int& scrollRow, platform::WindowHandle window, uint32_t message,
                               uintptr_t wParam, intptr_t lParam)
{
    int handled = palette.OnMessage(window, message, wParam, lParam);
    switch (message)
    {
    case platform::kWmVScroll:
        if (palette.VerticalBar().Handle())
        {
            scrollRow = ScrollBarPosition(palette.VerticalBar());
        }
        handled = 1;
        break;
    case platform::kWmSize:
        if (palette.IsInitialised())
        {
            PlaceViewOverClient(palette);
            SetScrollBarPage(palette.VerticalBar(), palette.UsableHeight() / kMapCellSize);
        }
        handled = 1;
        break;
    case platform::kWmClose:
        return 1;
    default:
        break;
    }
    if (handled && message != platform::kWmDestroy)
    {
        palette.OnPaint();
    }
    return handled;
}

void ShowWithPalettes(DialogBase& window, const std::vector<DialogBase*>& palettes, int show)
{
    window.Show(show);
    for (DialogBase* palette : palettes)
    {
        palette->Show(show);
    }
}

void EnableWithPalettes(DialogBase& window, const std::vector<DialogBase*>& palettes, int enable)
{
    window.Enable(enable);
    for (DialogBase* palette : palettes)
    {
        palette->Enable(enable);
    }
}

void ApplyMenuBar(WindowBase& window, const platform::Menu& menu)
{
    platform::NativeWindow* native = window.Native();
    if (platform::NativeFrame* frame = native ? native->Frame() : nullptr)
    {
        frame->SetMenuBar(&menu);
    }
}

void MarkUndoRedo(WindowBase& window, platform::Menu& menuBar, bool undo, bool redo)
{
    SetButtonState(window.GetToolBar(), kCmdUndo, false, undo);
    SetButtonState(window.GetToolBar(), kCmdRedo, false, redo);
    bool changed = SetItemMarks(menuBar, kCmdUndo, false, !undo);
    changed = SetItemMarks(menuBar, kCmdRedo, false, !redo) || changed;
    if (changed)
    {
        ApplyMenuBar(window, menuBar);
    }
}

platform::Menu MarkMapEventPopup(const platform::Menu& popup, bool onEvent, bool clipboard, bool onMap)
{
    platform::Menu marked = popup;
    for (platform::MenuItem& item : marked.m_Items)
    {
        if (!onMap)
        {
            item.m_bGrayed = item.m_nCommand != 0;
            continue;
        }
        switch (item.m_nCommand)
        {
        case kCmdEventEdit:
        case kCmdEventCut:
        case kCmdEventCopy:
        case kCmdEventDelete:
            item.m_bGrayed = !onEvent;
            break;
        case kCmdEventPaste:
            item.m_bGrayed = !clipboard;
            break;
        default:
            break;
        }
    }
    return marked;
}
