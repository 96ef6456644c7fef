#include "framework/RWEStringCollection.h"

#include <cstdlib>

size_t RWEStringCollection::split(const RWEString& text, StripType how, char separator) {
  items_.clear();
  const std::string& s = text.str();
  if (s.empty()) return 0;
  size_t start = 0;
  for (;;) {
    size_t end = s.find(separator, start);
    RWEString piece(s.substr(start, end == std::string::npos ? std::string::npos : end - start));
    items_.push_back(how == NONE_STRIP ? piece : RWEString(piece.strip(how)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return items_.size();
}

const RWEString& RWEStringCollection::getString(int i) const {
  if (i < 0 || static_cast<size_t>(i) >= items_.size()) return RWEString::_nullString;
  return items_[static_cast<size_t>(i)];
}

int RWEStringCollection::getInt(int i) const { return std::atoi(getString(i).data()); }

void RWEStringCollection::stripContents(StripType how) {
  for (RWEString& s : items_) s = s.strip(how);
}
