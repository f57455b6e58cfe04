#include "platform/window/StaticModel.h"

namespace platform
{

bool StaticModel::IsPicture() const
{
    uint32_t type = Style() & kSsTypeMask;
    return type != kSsLeft && type != kSsCenter && type != kSsRight && type != kSsLeftNoWordWrap && type != kSsSimple;
}

uint32_t StaticModel::Alignment() const
{
    uint32_t type = Style() & kSsTypeMask;
    return type == kSsCenter || type == kSsRight ? type : kSsLeft;
}

} // namespace platform
