#pragma once

// The sixth page of the database, "地形" (dialog 123): the table of lands,
// every land listed (a stage map cell stores a land's position in the
// table), at most 99 of them. A new or cleared land has movement cost 1. The
// graphic is a 32 x 32 cell of bmp\MapChip.bmp, eight cells a row, shown in
// a preview; the background is a bitmap picked from the project's folders
// and kept as a path relative to the project folder.

#include "editor/database/DatabaseTablePage.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <string>
#include <vector>

enum : int
{
    kIdLandPage = 123,
    kIdLandList = 1129,
    kIdLandName = 1044,
    kIdLandBackground = 1046,
    kIdLandGraphic = 1032,
    kIdLandPreview = 1070,
    kIdLandBrowse = 1132,
    kMaxLands = 99,
    kLandGraphics = 120,
};

class LandPage : public DatabaseTablePage<LandRecord>
{
public:
    explicit LandPage(DatabaseSheet& sheet);

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    // The graphic preview, from the idle step.
    void OnPaint() override;

    const std::vector<std::string>& GraphicItems() const { return m_GraphicItems; }
    BitmapControl& Preview() { return m_Pictures.At(0); }

protected:
    bool OnTableCommand(uintptr_t wParam, intptr_t lParam) override;
    void OnRecordShown() override;
    // Every control but the lists; a combo box without a chosen row keeps the value it could not show.
    void StoreFields() override;

private:
    // "参照": a bitmap for the background, written into its edit as a path
    // relative to the project folder. False when the path cannot be made relative.
    bool BrowseBackground();
    // The preview: cleared, then the chosen cell when the bitmap has it.
    void DrawPreview();

    CheckedVector<NumberEdit<int>> m_Numbers;
    CheckedVector<TextEdit> m_Texts;
    CheckedVector<CheckBox> m_Checks;
    CheckedVector<ComboBox> m_Combos;
    CheckedVector<BitmapControl> m_Pictures;
    CheckedVector<PlainControl> m_BrowseButton;
    std::vector<std::string> m_GraphicItems;
};
