#include "framework/RWEString.h"

#include <cstdarg>
#include <cstdio>

const char* const RWEString::formatInt = "%d";
const RWEString RWEString::_nullString;

RWEString::RWEString(int value, const char* format) { appendFormat(format, value); }

RWEString& RWEString::appendFormat(const char* format, ...) {
  char buffer[128];
  va_list args;
  va_start(args, format);
  int needed = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (needed < 0) return *this;
  if (static_cast<size_t>(needed) < sizeof buffer) {
    str().append(buffer, static_cast<size_t>(needed));
    return *this;
  }
  std::string big(static_cast<size_t>(needed) + 1, '\0');
  va_start(args, format);
  std::vsnprintf(&big[0], big.size(), format, args);
  va_end(args);
  big.resize(static_cast<size_t>(needed));
  str() += big;
  return *this;
}
