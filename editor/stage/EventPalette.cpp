#include "editor/stage/EventPalette.h"

#include "common/data/FormatString.h"
#include "common/data/PaletteFiles.h"
#include "common/data/ProjectData.h"
#include "common/services/DialogItems.h"
#include "common/services/MessageBoxes.h"
#include "common/services/Paths.h"
#include "editor/event/EventDialog.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/resources/WindowResources.h"
#include "editor/stage/StageEditState.h"
#include "editor/stage/StageEditorWindow.h"
#include "platform/window/Beep.h"
#include "platform/window/WindowSystem.h"

namespace
{

constexpr int kMinTemplates = 1;

const std::string& PaletteFilter()
{
    using namespace std::string_literals;
    static const std::string filter = "PaletteFile ( *.plt )\0*.plt\0"s;
    return filter;
}

} // namespace

void EventPaletteRowText(std::string& out, int, const Event& event)
{
    out = event.m_strName;
}

// ---- construction ----

EventPalette::EventPalette(StageEditorWindow& window) : m_Window(window)
{
    UseClassProcedure(this);
    Init(kIdEventPalette, window.Handle(), 0, kWindowDialog, &App);
    LayOutPaletteBeside(*this, window, 1);

    m_List.Binding().Set(kIdTemplateList, nullptr, &Stage.m_PaletteEvent, nullptr, 1, kMinTemplates,
                         kMaxPaletteEvents, 0, 1, 0, EventPaletteRowText);
    m_CheckBoxes.emplace_back().Binding().Set(kIdEditPlacedEvent, &EditConfig.m_bEditPlacedEvent);
    m_CheckBoxes.emplace_back().Binding().Set(kIdEditBeforePlacing, &EditConfig.m_bEditBeforePlacing);
    m_PlainControls.push_back(PlainControl(kIdTemplateCount));
}

EventPalette::~EventPalette()
{
    Close(0);
}

int EventPalette::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    m_List.Attach(this, m_List.Binding());
    BindControl(&m_List);
    AttachControls(m_CheckBoxes);
    AttachPlainControls(m_PlainControls);
    platform::NativeWindow* native = Native();
    platform::NativeFrame* frame = native ? native->Frame() : nullptr;
    const platform::Menu* menu = FindMenuResource(kMenuEventPalette);
    if (frame && menu)
    {
        frame->SetMenuBar(menu);
    }
    // The palette does the list's commands itself (the stage editor's clipboard follows copy and cut).
    SetUpPaletteList(m_List);
    DataToControls();
    PickTemplate();
    SetInitialised(1);
    return 0;
}

// ---- the pen ----

void EventPalette::SetListClipboard(const Event& event)
{
    m_List.SetClipboard(event);
}

int EventPalette::UpdatePenState()
{
    return PickTemplate();
}

int EventPalette::PickTemplate()
{
    StageEdit.m_nPaletteRow = m_List.GetCurSel();
    const int index = m_List.GetDataPos();
    if (index < 0 || index >= Stage.m_PaletteEvent.Count())
    {
        StageEdit.m_nPltNum = -1;
        StageEdit.m_nBlockWidth = 0;
        StageEdit.m_nBlockHeight = 0;
        return 0;
    }
    StageEdit.m_nPltNum = index;
    StageEdit.m_PutEvent = Stage.m_PaletteEvent.At(index);
    StageEdit.m_nBlockWidth = 1;
    StageEdit.m_nBlockHeight = 1;
    return 1;
}

// ---- commands ----

void EventPalette::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    const int id = platform::LowWord(wParam);
    const int code = platform::HighWord(wParam);
    switch (id)
    {
    case kIdTemplateInsert:
    case kIdTemplateInsertKey:
    case kIdTemplateInsertMenu:
        InsertAndEdit();
        break;
    case kIdTemplateEdit:
        Edit();
        break;
    case kIdTemplateDelete:
    case kIdTemplateDeleteKey:
    case kIdTemplateDeleteMenu:
        if (m_List.GetDataPos() != -1)
        {
            m_List.Delete(-1);
        }
        break;
    case kIdTemplateCutKey:
    case kIdTemplateCutMenu:
    case kIdTemplateCopyKey:
    case kIdTemplateCopyMenu:
    {
        const bool cut = id == kIdTemplateCutKey || id == kIdTemplateCutMenu;
        // A template taken into the list's clipboard can be pasted onto the map
        // too; the only template, which a cut cannot take out, is copied all the same.
        const bool onTemplate = m_List.GetDataPos() != -1;
        if (cut)
        {
            m_List.Cut();
        }
        else
        {
            m_List.Copy();
        }
        if (onTemplate && m_List.HasClipboard())
        {
            StageEdit.m_ClipboardEvent = m_List.Clipboard().At(0);
            StageEdit.m_bClipboard = 1;
        }
        break;
    }
    case kIdTemplatePasteKey:
    case kIdTemplatePasteMenu:
        if (m_List.HasClipboard())
        {
            m_List.Paste();
        }
        break;
    case kIdTemplateCount:
        m_List.AskCount(kMinTemplates, kMaxPaletteEvents, m_PlainControls.Count() ? &m_PlainControls.At(0) : nullptr);
        break;
    case kIdEditPlacedEvent:
    case kIdEditBeforePlacing:
        ControlById(m_CheckBoxes, id).ControlToData();
        break;
    case kIdTemplateList:
        if (code == platform::kLbnSelChange && m_List.GetDataPos() != -1)
        {
            m_List.Refill();
        }
        else if (code == platform::kLbnDblClk)
        {
            Edit();
        }
        break;
    case kCmdLoadPalette:
        LoadPalette();
        break;
    case kCmdSavePalette:
        SavePaletteAs();
        break;
    case kCmdDefaultPalette:
        ChooseDefaultPalette();
        break;
    default:
        break;
    }
    PickTemplate();
    EndListUpdates();
}

int EventPalette::EditTemplate(int index)
{
    if (RefuseSecondEventDialog())
    {
        return 0;
    }
    // A template is edited as a stage event, but without an undo point of the stage.
    m_Window.m_nEventEditMode = kEventEditStage;
    EditedEvent = &Stage.m_PaletteEvent.At(index);
    EventEditRequest request;
    request.m_pEvent = EditedEvent;
    request.m_nMode = kEventEditStage;
    request.m_pHistory = nullptr;
    request.m_pStage = &Stage;
    request.m_pEventBitmap = &EditorBitmaps[kBitmapEvent];
    int result = RunEventDialog(m_Window.Handle(), Owner(), request);
    EditedEvent = nullptr;
    return result;
}

void EventPalette::InsertAndEdit()
{
    // While the stage editor's event dialog runs, no template is inserted for a second one.
    if (RefuseSecondEventDialog() || !m_List.InsertNew())
    {
        return;
    }
    m_List.Refill();
    if (EditTemplate(m_List.GetDataPos()))
    {
        m_List.Refill();
    }
    else
    {
        // The new template goes again, unless it is the only one (the beep).
        m_List.Delete(-1);
    }
}

void EventPalette::Edit()
{
    const int index = m_List.GetDataPos();
    if (index == -1)
    {
        return;
    }
    if (EditTemplate(index))
    {
        m_List.Refill();
    }
}

// ---- the palette files ----

int EventPalette::LoadPalette()
{
    std::string path;
    if (!OpenFileDialog(Handle(), path, kMaxPathBytes, "data\\plt", "読み込むファイルの選択", PaletteFilter(), "plt", 0,
                        nullptr))
    {
        return 0;
    }
    CheckedVector<Event> loaded;
    std::string error;
    const LoadResult result = TryLoadEventPalette(loaded, path, &error);
    if (result == LoadResult::NotOpened)
    {
        return 0;
    }
    if (result != LoadResult::Loaded || loaded.Count() > kMaxPaletteEvents)
    {
        // A damaged file, or more templates than the palette holds: the templates stay.
        if (result == LoadResult::Loaded)
        {
            FormatString(error, "テンプレートが多すぎます (%d 個、最大 %d 個)", loaded.Count(), kMaxPaletteEvents);
        }
        ShowErrorF("%s が読み込めません！\n%s", path.c_str(), error.c_str());
        return 0;
    }
    Stage.m_PaletteEvent.swap(loaded);
    m_List.SetCurSel(0, 0);
    m_List.Refill();
    return 1;
}

int EventPalette::SavePaletteAs()
{
    std::string path;
    if (!SaveFileDialog(Handle(), path, "data\\plt\\", "保存先のファイルの選択", PaletteFilter(), "plt", 0))
    {
        return 0;
    }
    std::string error;
    if (!SaveEventPalette(Stage.m_PaletteEvent, path, &error))
    {
        ShowErrorF("%s を保存できませんでした！\n%s", path.c_str(), error.c_str());
        return 0;
    }
    return 1;
}

int EventPalette::ChooseDefaultPalette()
{
    // The file becomes the palette of the next start; the templates on screen stay.
    return ChooseEditConfigFile(Handle(), "data\\plt\\", "デフォルトパレットの選択", PaletteFilter(), "plt",
                                EditConfig.m_strDefaultPalette);
}
