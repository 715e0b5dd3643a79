#pragma once

#include "core/classfile/value.h"

namespace tallyro {

// The failing limit a teacher has never set (0, empty or not a number) is 70.
inline constexpr double kDefaultFailLimit = 70;

inline bool isFailLimitUnset(const Value& limit) {
    return !limit.isNumeric() || limit.toNumber() == 0;
}

// The limit the grade book colours and counts against.
inline double effectiveFailLimit(const Value& limit) {
    return isFailLimitUnset(limit) ? kDefaultFailLimit : limit.toNumber();
}

} // namespace tallyro
