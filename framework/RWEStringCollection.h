// RWEStringCollection: an ordered collection of strings, such as the values of
// one result row. Out-of-range reads through getString and getInt give the
// empty string and 0; operator() and operator[] require a valid position.
// Copyable; not thread-safe.
#ifndef TARNEL_FRAMEWORK_RWESTRINGCOLLECTION_H_
#define TARNEL_FRAMEWORK_RWESTRINGCOLLECTION_H_

#include <vector>

#include "framework/RWEString.h"

class RWEStringCollection {
 public:
  RWEStringCollection() = default;

  // Replaces the contents with the pieces of `text` between `separator`s,
  // each stripped as `how` says. The empty text gives no entries; otherwise
  // n separators give n + 1 entries. Returns the number of entries.
  size_t split(const RWEString& text, StripType how, char separator);

  size_t entries() const { return items_.size(); }
  bool isEmpty() const { return items_.empty(); }
  RWEString& operator()(int i) { return items_[static_cast<size_t>(i)]; }
  const RWEString& operator[](int i) const { return items_[static_cast<size_t>(i)]; }

  // Entry i, or the empty string when i is not a valid position.
  const RWEString& getString(int i) const;
  // Entry i converted with atoi, or 0 when i is not a valid position.
  int getInt(int i) const;

  void insert(const RWEString& s) { items_.push_back(s); }
  void insert(RWEString&& s) { items_.push_back(std::move(s)); }
  // Strips every entry as `how` says.
  void stripContents(StripType how);
  void clearAndDestroy() { items_.clear(); }
  void reserve(size_t n) { items_.reserve(n); }

  std::vector<RWEString>::const_iterator begin() const { return items_.begin(); }
  std::vector<RWEString>::const_iterator end() const { return items_.end(); }

 private:
  std::vector<RWEString> items_;
};

#endif  // TARNEL_FRAMEWORK_RWESTRINGCOLLECTION_H_
