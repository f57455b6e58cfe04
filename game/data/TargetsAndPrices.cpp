#include "TargetsAndPrices.h"

#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"

int CanTarget(const SkillRecord& skill, int side)
{
    switch (skill.m_nTarget)
    {
    case kSkillTargetSelf:
        return side == kSideOwn ? 1 : 0;
    case kSkillTargetOpponent:
        return side != kSideOwn ? 1 : 0;
    case kSkillTargetTime:
        return 2;
    case kSkillTargetLand:
        return 3;
    default:
        return 0;
    }
}

int CanTarget(const ItemRecord&, int side)
{
    return side == kSideOwn ? 1 : 0;
}

int32_t GetSellPrice(const ItemRecord& item)
{
    return PercentOf(item.m_nPrice, System.m_nItemSellRate);
}
