// RWCString: the byte string the framework's text types are built on.
// A thin value wrapper around std::string offering the operations the reports
// use (sub-strings, search, case folding, stripping). Positions are 0-based;
// a search that finds nothing returns RW_NPOS. Copyable; not thread-safe.
#ifndef TARNEL_FRAMEWORK_RWCSTRING_H_
#define TARNEL_FRAMEWORK_RWCSTRING_H_

#include <cstddef>
#include <ostream>
#include <string>

constexpr size_t RW_NPOS = static_cast<size_t>(-1);

// How strip operations treat blanks: 0 none, 1 leading, 2 trailing, 3 both.
enum StripType { NONE_STRIP = 0, LEADING = 1, TRAILING = 2, BOTH = 3 };

class RWCString {
 public:
  enum caseCompare { exact, ignoreCase };

  RWCString() = default;
  RWCString(const char* text) : text_(text ? text : "") {}
  RWCString(const char* text, size_t length) : text_(text, length) {}
  RWCString(std::string text) : text_(std::move(text)) {}
  RWCString(size_t count, char c) : text_(count, c) {}

  const char* data() const { return text_.c_str(); }
  size_t length() const { return text_.size(); }
  bool isNull() const { return text_.empty(); }
  const std::string& str() const { return text_; }
  std::string& str() { return text_; }

  char operator[](size_t i) const { return text_[i]; }
  char operator()(size_t i) const { return text_[i]; }
  // Sub-string of `length` characters from `start`; clipped to the text.
  RWCString operator()(size_t start, size_t length) const;

  RWCString& operator+=(const RWCString& other) { text_ += other.text_; return *this; }
  RWCString& operator+=(const char* other) { text_ += other; return *this; }
  RWCString& operator+=(char c) { text_ += c; return *this; }
  RWCString& append(const RWCString& other) { text_ += other.text_; return *this; }

  // Position of the first occurrence of `pattern` at or after `start`.
  size_t index(const RWCString& pattern, size_t start = 0) const;
  bool contains(const RWCString& pattern) const { return index(pattern) != RW_NPOS; }
  int compareTo(const RWCString& other, caseCompare how = exact) const;

  void toLower();
  void toUpper();
  // Copy with blanks removed from the ends that `how` names.
  RWCString strip(StripType how) const;

 private:
  std::string text_;
};

inline bool operator==(const RWCString& a, const RWCString& b) { return a.str() == b.str(); }
inline bool operator==(const RWCString& a, const char* b) { return a.str() == b; }
inline bool operator!=(const RWCString& a, const RWCString& b) { return !(a == b); }
inline bool operator!=(const RWCString& a, const char* b) { return !(a == b); }
inline bool operator<(const RWCString& a, const RWCString& b) { return a.str() < b.str(); }
inline std::ostream& operator<<(std::ostream& os, const RWCString& s) { return os << s.str(); }

RWCString toLower(const RWCString& s);
RWCString toUpper(const RWCString& s);

#endif  // TARNEL_FRAMEWORK_RWCSTRING_H_
