#include "framework/RWCString.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

RWCString RWCString::operator()(size_t start, size_t length) const {
  if (start >= text_.size()) return RWCString();
  return RWCString(text_.substr(start, length));
}

size_t RWCString::index(const RWCString& pattern, size_t start) const {
  size_t at = text_.find(pattern.text_, start);
  return at == std::string::npos ? RW_NPOS : at;
}

int RWCString::compareTo(const RWCString& other, caseCompare how) const {
  if (how == ignoreCase) return strcasecmp(text_.c_str(), other.text_.c_str());
  return text_.compare(other.text_);
}

void RWCString::toLower() {
  std::transform(text_.begin(), text_.end(), text_.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
}

void RWCString::toUpper() {
  std::transform(text_.begin(), text_.end(), text_.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
}

RWCString RWCString::strip(StripType how) const {
  size_t begin = 0;
  size_t end = text_.size();
  if (how == LEADING || how == BOTH) {
    while (begin < end && text_[begin] == ' ') ++begin;
  }
  if (how == TRAILING || how == BOTH) {
    while (end > begin && text_[end - 1] == ' ') --end;
  }
  return RWCString(text_.substr(begin, end - begin));
}

RWCString toLower(const RWCString& s) {
  RWCString copy(s);
  copy.toLower();
  return copy;
}

RWCString toUpper(const RWCString& s) {
  RWCString copy(s);
  copy.toUpper();
  return copy;
}
