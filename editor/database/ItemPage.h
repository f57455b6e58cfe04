#pragma once

// The fifth page of the database, "アイテム" (dialog 125): the table of items
// (medicines, weapons, other equipment, treasures). Record 0 is never shown;
// at most 999 items are listed. A new or cleared item holds 99 at most and
// hits at 100%. The kind decides the fields: a medicine and a weapon have
// them all; other equipment has no attribute, rates, graphic, colour or
// sound; a treasure has only its name, price, count, category, kind and
// description. Disabled fields keep their values.

#include "editor/database/EffectRecordPage.h"

enum : int
{
    kIdItemPage = 125,
    kIdItemList = 1142,
    kIdItemPrice = 1143,
    kIdItemMaxCount = 1145,
    kIdItemPercent = 1302,
};

class ItemPage : public EffectRecordPage<ItemRecord>
{
public:
    explicit ItemPage(DatabaseSheet& sheet);

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

protected:
    std::vector<std::string> CategoryNames() const override;
    void UpdateEnabledByKind() override;
};
