// FixedClock: pins RWTime::currentTime() to 1700000000 (UTC) for a test, so
// that the run-time stamps of the 1xEV reports can be asserted exactly.
#ifndef TARNEL_TESTS_EVDO_FIXEDCLOCK_H_
#define TARNEL_TESTS_EVDO_FIXEDCLOCK_H_

#include <cstdlib>
#include <ctime>

class FixedClock {
 public:
  // The stamp the reports write for the pinned time.
  static constexpr const char* kRunTime = "Tue Nov 14 22:13:20 2023\n";

  FixedClock() {
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    setenv("TZ", "UTC", 1);
    tzset();
  }
  ~FixedClock() { unsetenv("SOURCE_DATE_EPOCH"); }
};

#endif  // TARNEL_TESTS_EVDO_FIXEDCLOCK_H_
