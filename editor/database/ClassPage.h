#pragma once

// The first page of the database, "クラス" (dialog 111): the table of unit
// classes. Record 0 of the table is never shown; the page brings the table
// to two records when it is made. Beside the fields of the current class it
// shows two value lists of the class, the skill-learning value per skill
// category (1073) and the resistance per attribute (1074, from attribute 1
// on), each edited one value at a time in the value dialog; and a 48 x 48
// preview of the class's cell of bmp\Character.bmp.
//
// The class page is the one that runs the sheet's save-all on OK and Apply,
// and that tells the host when the sheet has closed.

#include "editor/database/DatabaseTablePage.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <string>
#include <vector>

enum : int
{
    kIdClassPage = 111,
    kIdClassList = 1029,
    kIdClassName = 1044,
    kIdClassGraphic = 1032,
    kIdClassPreview = 1070,
    kIdClassSkillValues = 1073,
    kIdClassResistances = 1074,
    kIdClassEditSkillValue = 1076,
    kIdClassEditResistance = 1077,
};

// The graphic numbers a character bitmap of that width offers, as the combo
// box lists them: "1" to "N" with N = width / 48 - 1, none for a bitmap
// narrower than two cells.
std::vector<std::string> CharacterGraphicItems(int bitmapWidth);

class ClassPage : public DatabaseTablePage<ClassRecord>
{
public:
    explicit ClassPage(DatabaseSheet& sheet);

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    // The graphic preview, from the idle step.
    void OnPaint() override;

    ListBox<int32_t>& SkillValues() { return m_SkillValues; }
    ListBox<int32_t>& Resistances() { return m_Resistances; }
    const std::vector<std::string>& GraphicItems() const { return m_GraphicItems; }
    BitmapControl& Preview() { return m_Pictures.At(0); }

protected:
    // OK and Apply: the sheet's save-all.
    int OnApply() override;
    // The sheet has closed: the host hears of it.
    void OnPageDestroyed() override;
    bool OnTableCommand(uintptr_t wParam, intptr_t lParam) override;
    void OnRecordShown() override;
    // Every control but the lists; a graphic the list does not offer is kept.
    void StoreFields() override;

private:
    // Asks for the value of the list's selected entry in the value dialog;
    // OK writes it into the current class, and into the working copy when a
    // class row is selected.
    void EditValue(ListBox<int32_t>& list, const char* prompt, int maximum);
    // The preview: the background, then the class's cell when the bitmap has it.
    void DrawPreview();

    ListBox<int32_t> m_SkillValues;
    ListBox<int32_t> m_Resistances;
    CheckedVector<NumberEdit<int>> m_Numbers;
    CheckedVector<TextEdit> m_Texts;
    CheckedVector<CheckBox> m_Checks;
    CheckedVector<ComboBox> m_Combos;
    CheckedVector<BitmapControl> m_Pictures;
    CheckedVector<PlainControl> m_EditButtons;
    std::vector<std::string> m_GraphicItems;
};
