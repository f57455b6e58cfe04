#pragma once

// The event palette (166, "イベントパレット"): the modeless list beside the
// stage editor of the stage's event templates, numbered, with a trailing row
// where insert and paste append. It works on the stage's templates in place
// (they are saved with the stage); a template is edited in the event dialog,
// without an undo point of the stage.
//
// The selected template is the event the stage editor's pen places
// (StageEdit's event to place, palette number and a 1 x 1 block); with the
// trailing row or no row selected the pen has nothing (-1, 0 x 0). The
// palette keeps its row in StageEdit, so it opens again on the row it showed
// last. Copy and cut also put the template into the stage editor's event
// clipboard, so that it can be pasted onto the map.
//
// Commands: "挿入" (also Ctrl+I and the pop-up's "新規挿入") inserts a new
// template and opens the event dialog on it, taking it out again when the
// dialog is cancelled (unless it is the only one); "編集" and a double-click
// edit the selected template; "削除" (Delete), cut (Ctrl+X), copy (Ctrl+C) and
// paste (Ctrl+V); "ﾃﾞｰﾀ数" sets the number of templates (1 to 99). The two
// check boxes are the stage editor's placement options, stored at once.
//
// Menu "ファイル": a palette file (.plt, in "data\plt") is loaded into the
// templates (a file that is damaged or holds more than 99 templates is
// refused with a box and changes nothing) or the templates are saved into
// one; the default palette, loaded at the editor's start, is chosen and
// written into "data\EditConfig.dat" at once as a path relative to the
// project folder. The palette cannot be closed by itself.

#include "common/data/StageRecord.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/ListBox.h"
#include "editor/stage/StageEditorDialogs.h"

#include <string>

class StageEditorWindow;

enum : int
{
    kIdEventPalette = 166,
    kIdTemplateList = 1241,
    kIdTemplateInsert = 1066,
    kIdTemplateEdit = 1226,
    kIdTemplateDelete = 1067,
    kIdTemplateCount = 11071,
    kIdEditPlacedEvent = 1037,
    kIdEditBeforePlacing = 1035,
    // The list's keys (table 117) and its pop-up (menu 116).
    kIdTemplateCutKey = 40030,
    kIdTemplateCopyKey = 40031,
    kIdTemplatePasteKey = 40032,
    kIdTemplateInsertKey = 40069,
    kIdTemplateDeleteKey = 40034,
    kIdTemplateCutMenu = 40027,
    kIdTemplateCopyMenu = 40024,
    kIdTemplatePasteMenu = 40025,
    kIdTemplateInsertMenu = 40070,
    kIdTemplateDeleteMenu = 40029,
};

// The row of a template (without its number): its name.
void EventPaletteRowText(std::string& out, int index, const Event& event);

class EventPalette : public StageEventPalette
{
public:
    // Dialog 166 beside the window, not yet run.
    explicit EventPalette(StageEditorWindow& window);
    ~EventPalette() override;

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // StageEventPalette
    void SetListClipboard(const Event& event) override;
    int UpdatePenState() override;

    // The pen takes the selected template; 1 when a template row is selected.
    int PickTemplate();
    // The menu's three commands; 1 when the templates or the default palette changed.
    int LoadPalette();
    int SavePaletteAs();
    int ChooseDefaultPalette();

    ListBox<Event>& List() { return m_List; }

private:
    void InsertAndEdit();
    void Edit();
    // The event dialog on template index; its result.
    int EditTemplate(int index);

    StageEditorWindow& m_Window;
    ListBox<Event> m_List;
    CheckedVector<CheckBox> m_CheckBoxes;
    CheckedVector<PlainControl> m_PlainControls;
};
