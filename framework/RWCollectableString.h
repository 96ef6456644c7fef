// RWCollectableString: a string that can live in the framework's collections.
// The base of RWEStringCollection's entries and of every report object.
#ifndef TARNEL_FRAMEWORK_RWCOLLECTABLESTRING_H_
#define TARNEL_FRAMEWORK_RWCOLLECTABLESTRING_H_

#include "framework/RWEString.h"

class RWCollectableString : public RWEString {
 public:
  RWCollectableString() = default;
  explicit RWCollectableString(const RWEString& text) : RWEString(text) {}
  virtual ~RWCollectableString() = default;
};

#endif  // TARNEL_FRAMEWORK_RWCOLLECTABLESTRING_H_
