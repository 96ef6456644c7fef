// For tests that need what the build does not provide (a PostgreSQL server,
// LibreOffice, Chromium): without it such a test is skipped, unless CI or the
// variable that requires it is set (scripts/test.sh sets them); then it fails.
#ifndef TARNEL_TESTS_SUPPORT_REQUIREMENTS_H_
#define TARNEL_TESTS_SUPPORT_REQUIREMENTS_H_

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// The value of the environment variable `name`, "" when it is not set.
inline std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// "<command> is not installed" when `command` is not on the PATH, else "".
inline std::string notInstalled(const std::string& command) {
  return std::system(("command -v " + command + " >/dev/null 2>&1").c_str()) == 0 ? "" : command + " is not installed";
}

// Skips the test when `missing` (what is missing) is not empty, or fails it
// when CI or the variable `required` is set.
#define SKIP_OR_FAIL_WITHOUT(missing, required)                                            \
  do {                                                                                     \
    const std::string missing_ = (missing);                                                \
    if (missing_.empty()) break;                                                           \
    if (!environment("CI").empty() || !environment(required).empty()) {                    \
      FAIL() << missing_ << ", but " << (required) << " or CI is set";                     \
    }                                                                                      \
    GTEST_SKIP() << missing_;                                                              \
  } while (0)

#endif  // TARNEL_TESTS_SUPPORT_REQUIREMENTS_H_
