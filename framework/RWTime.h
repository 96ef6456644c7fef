// RWTime: a point in time in whole seconds. currentTime() is the clock, or
// the value of SOURCE_DATE_EPOCH when that is set, so that outputs holding a
// run time can be reproduced. asString formats with strftime in the zone given
// (only the local zone exists here).
#ifndef TARNEL_FRAMEWORK_RWTIME_H_
#define TARNEL_FRAMEWORK_RWTIME_H_

#include <ctime>

#include "framework/RWEString.h"

class RWZone {
 public:
  static const RWZone& local();
};

class RWLocale {
 public:
  static const RWLocale& global();
};

class RWTime {
 public:
  explicit RWTime(time_t seconds) : seconds_(seconds) {}
  static RWTime currentTime();

  RWEString asString(const char* format, const RWZone& zone, const RWLocale& locale) const;
  time_t seconds() const { return seconds_; }

 private:
  time_t seconds_;
};

#endif  // TARNEL_FRAMEWORK_RWTIME_H_
