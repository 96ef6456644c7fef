// Development tracing. __envKVDevelopment is the framework's development flag,
// set once at start-up (TARNEL_DEVELOPMENT=1 or --trace); callers test it
// before they build a trace line. KvTraceStatic::output writes one line
// "<context>: <text>" to standard error, or to the sink set for tests.
#ifndef TARNEL_FRAMEWORK_KVTRACESTATIC_H_
#define TARNEL_FRAMEWORK_KVTRACESTATIC_H_

#include <ostream>

extern bool __envKVDevelopment;

class KvTraceStatic {
 public:
  static void output(const char* context, const char* text);
  // Where trace lines go; null restores standard error. Not thread-safe.
  static void setSink(std::ostream* sink);
};

#endif  // TARNEL_FRAMEWORK_KVTRACESTATIC_H_
