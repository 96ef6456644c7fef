// thrown(f): what `f` throws, as text, for tests that pin exact messages.
#ifndef TARNEL_TESTS_SUPPORT_THROWN_H_
#define TARNEL_TESTS_SUPPORT_THROWN_H_

#include <exception>
#include <string>

#include "framework/KvException.h"

inline std::string textOf(const KvException& e) { return e.asString().str(); }
inline std::string textOf(const std::exception& e) { return e.what(); }

// The text of the E that `f` throws: a KvException's message and contexts
// (asString), another exception's what(); "no exception" when `f` returns.
template <typename E = KvException, typename F>
std::string thrown(F f) {
  try {
    f();
  } catch (const E& e) {
    return textOf(e);
  }
  return "no exception";
}

#endif  // TARNEL_TESTS_SUPPORT_THROWN_H_
