#include "editor/database/LandPage.h"

#include "common/data/DatabaseVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/services/DialogItems.h"
#include "common/services/Paths.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/database/ParameterIds.h"

#include <string_view>
#include <utility>
#include <vector>

namespace
{

constexpr int kCell = 32;
constexpr int kCellsPerRow = 8;

constexpr std::string_view kBitmapFilter("BitmapFile ( *.bmp )\0*.bmp\0\0", 28);

} // namespace

LandPage::LandPage(DatabaseSheet& sheet)
    : DatabaseTablePage(kIdLandPage, sheet, FillTable(LandTable, 1),
                        Shape{kIdLandList, 0, 1, kMaxLands, kPathLand, &LandRecord::m_nLandA}, NameRowText<LandRecord>)
{
    UseClassProcedure(this);
    for (int v = 0; v < kLandGraphics; ++v)
    {
        std::string text;
        FormatPaddedNumber(text, v, 0, false);
        m_GraphicItems.push_back(text);
    }

    m_Numbers.resize(kParameterCount + 2);
    for (int k = 0; k < kParameterCount; ++k)
    {
        m_Numbers.At(k).Binding().Set(kEffectValueIds[k], &m_Current.m_nEffect[k], -999, 999, 0, kEffectValueSpins[k], 1);
    }
    m_Numbers.At(kParameterCount).Binding().Set(1085, &m_Current.m_nMoveCost, 1, 9, 0, 1086, 1);
    m_Numbers.At(kParameterCount + 1).Binding().Set(1130, &m_Current.m_nSpecialValue, 0, 999, 0, 1087, 1);
    m_Texts.resize(3);
    m_Texts.At(0).Binding().Set(kIdLandName, &m_Current.m_strName, 8, 1);
    m_Texts.At(1).Binding().Set(kIdLandBackground, &m_Current.m_strBack, kMaxPathBytes, 0);
    m_Texts.At(2).Binding().Set(12057, &m_Current.m_strText, 32, 1);
    m_Checks.resize(2);
    m_Checks.At(0).Binding().Set(1035, &m_Current.m_bNoEntry);
    m_Checks.At(1).Binding().Set(1302, &m_Current.m_bPercent);
    m_Combos.resize(2);
    m_Combos.At(0).Binding().Set(kIdLandGraphic, &m_Current.m_nGraphic, &m_GraphicItems, 0, nullptr);
    m_Combos.At(1).Binding().SetItemTable(1079, &m_Current.m_nSpecial, LandEffectNames.Words().data(), 0);
    m_Pictures.resize(1);
    m_Pictures.At(0).Binding().Set(kIdLandPreview, kCell, kCell);
    m_BrowseButton.push_back(PlainControl(kIdLandBrowse));
}

int LandPage::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachRecordList();
    AttachBound(m_Numbers, m_Texts, m_Checks, m_Combos, m_Pictures);
    AttachPlainControls(m_BrowseButton);
    FinishInitDialog();
    return 0;
}

void LandPage::OnPaint()
{
    DrawPreview();
}

bool LandPage::OnTableCommand(uintptr_t wParam, intptr_t)
{
    int id = platform::LowWord(wParam);
    int code = platform::HighWord(wParam);
    if (id == kIdLandGraphic && code == platform::kCbnSelChange)
    {
        DrawPreview();
    }
    else if (id == kIdLandBrowse && code == platform::kBnClicked)
    {
        return BrowseBackground();
    }
    return true;
}

void LandPage::OnRecordShown()
{
    DrawPreview();
}

void LandPage::StoreFields()
{
    std::vector<std::pair<int32_t*, int32_t>> kept;
    for (ComboBox& combo : m_Combos)
    {
        if (combo.CurSel() == -1 && combo.Binding().m_pValue)
        {
            kept.emplace_back(combo.Binding().m_pValue, *combo.Binding().m_pValue);
        }
    }
    ControlsToDataExceptLists();
    for (const auto& [value, before] : kept)
    {
        *value = before;
    }
}

bool LandPage::BrowseBackground()
{
    std::string path;
    if (!OpenFileDialog(Handle(), path, kMaxPathBytes, "bmp\\back\\", "背景画像の選択", kBitmapFilter, "bmp", 0,
                        nullptr))
    {
        return true;
    }
    if (!MakeRelativePath(path))
    {
        return false;
    }
    // The edit's change stores the path like typed text.
    SetDlgItemString(Handle(), kIdLandBackground, path);
    return true;
}

void LandPage::DrawPreview()
{
    if (!m_Pictures.empty())
    {
        DrawCellPreview(m_Pictures.At(0), m_Combos.At(0), 0, kBitmapMapChip, kCell, kCellsPerRow);
    }
}
