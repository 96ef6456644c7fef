#include "framework/RWTime.h"

#include <cstdlib>

const RWZone& RWZone::local() {
  static const RWZone zone;
  return zone;
}

const RWLocale& RWLocale::global() {
  static const RWLocale locale;
  return locale;
}

RWTime RWTime::currentTime() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch && *epoch) {
    char* end = nullptr;
    long long value = std::strtoll(epoch, &end, 10);
    if (end && *end == '\0') return RWTime(static_cast<time_t>(value));
  }
  return RWTime(std::time(nullptr));
}

RWEString RWTime::asString(const char* format, const RWZone&, const RWLocale&) const {
  struct tm parts;
  localtime_r(&seconds_, &parts);
  char buffer[256];
  size_t n = std::strftime(buffer, sizeof buffer, format, &parts);
  return RWEString(buffer, n);
}
