#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "base/str_buffer.h"
#include "time/rules_block.h"

namespace s::time {

// One zone of the time-zone database, with its rules block. Database records belong to the
// database; other instances come from the pool (take() / release()).
class TimeZone : public base::IObject, public thread::Pooled<TimeZone> {
public:
    TimeZone() { reset(); }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

    const char16_t* className() const override { return u"s_time_TimeZone"; }
    TimeZone* newInstance() const override { return take(); }
    // Offset 0, names empty, both flags false, rules zeroed.
    void reset() override;

    // Standard offset in minutes east of UTC (UTC+9 is 540): the negated rules.Bias.
    int32_t bias;
    str::StrBuffer displayName;
    // The zone's identity in the settings.
    str::StrBuffer standardName;
    str::StrBuffer daylightName;
    // The rules contain a daylight-saving period (hasDaylightRules).
    bool hasDaylight;
    // Daylight saving is applied for this record.
    bool daylightInUse;
    RulesBlock rules;
};

// The zone offset of a block's Bias, negated without overflow for any stored value.
inline int32_t biasEastOf(int32_t rulesBias) {
    return static_cast<int32_t>(0u - static_cast<uint32_t>(rulesBias));
}

}  // namespace s::time
