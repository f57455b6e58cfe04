#pragma once

// An item (Item.dat): a medicine, a weapon, other equipment or a treasure.

#include "common/data/RecordRules.h"
#include "common/data/ValidatedRecord.h"

#include <string>

// Item kinds (rows of ItemKindNames).
constexpr int32_t kItemKindMedicine = 0;
constexpr int32_t kItemKindWeapon = 1;
constexpr int32_t kItemKindOtherEquipment = 2;
constexpr int32_t kItemKindTreasure = 3;

class ItemRecord : public ValidatedRecord
{
public:
    ItemRecord();

    void BindFields(int32_t version) override;
    // A category or attribute outside the System's lists falls back to 0, and so does a negative kind.
    void Validate() override;
    // A new item: carried up to 99, hit rate 100.
    void SetDefaults();

    int32_t m_nItemA = 0;     // carried as stored
    int32_t m_nItemB = 0;     // own position in the item table, set when the table is saved
    int32_t m_nPrice = 0;     // 0: cannot be sold
    int32_t m_nMaxCount = 0;  // largest number carried; files from version 99
    int32_t m_nCategory = 0;  // row of the System's item categories
    int32_t m_nKind = 0;      // row of ItemKindNames
    int32_t m_nAttribute = 0; // row of the System's attributes
    int32_t m_bPercent = 0;   // the values are percentages; files from version 82
    int32_t m_nValue[kParameterCount] = {};
    int32_t m_nHitRate = 0;  // percent
    int32_t m_nCritical = 0; // percent
    int32_t m_nItemC = 0;    // carried as stored
    int32_t m_nItemD = 0;    // carried as stored
    int32_t m_nGraphic = 0;
    int32_t m_nColor = 0; // row of ItemColorNames
    std::string m_strName;
    std::string m_strText;
    std::string m_strSound; // a file under "wave\SkillAndItem\"
    std::string m_strItemD; // carried as stored
};
