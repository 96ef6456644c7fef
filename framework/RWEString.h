// RWEString: the framework's string type, an RWCString with printf-style
// formatting. Numbers become text through appendFormat(formatInt, n) or the
// formatting constructor. Copyable; not thread-safe.
#ifndef TARNEL_FRAMEWORK_RWESTRING_H_
#define TARNEL_FRAMEWORK_RWESTRING_H_

#include "framework/RWCString.h"

class RWEString : public RWCString {
 public:
  // The decimal integer format ("%d").
  static const char* const formatInt;
  // The empty string.
  static const RWEString _nullString;

  RWEString() = default;
  RWEString(const RWCString& other) : RWCString(other) {}
  RWEString(const char* text) : RWCString(text) {}
  RWEString(const char* text, size_t length) : RWCString(text, length) {}
  RWEString(std::string text) : RWCString(std::move(text)) {}
  // Text of `value` formatted with the printf-style `format` (one int argument).
  RWEString(int value, const char* format);

  // Appends the printf-style formatting of the arguments; returns *this.
  RWEString& appendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

inline RWEString operator+(const RWCString& a, const RWCString& b) {
  RWEString r(a);
  r += b;
  return r;
}
inline RWEString operator+(const RWCString& a, const char* b) {
  RWEString r(a);
  r += b;
  return r;
}
inline RWEString operator+(const char* a, const RWCString& b) {
  RWEString r(a);
  r += b;
  return r;
}

// Decimal text of n.
inline RWEString intText(int n) { return RWEString(n, RWEString::formatInt); }

#endif  // TARNEL_FRAMEWORK_RWESTRING_H_
