#include "workbook/PartName.h"

#include <vector>

namespace {

std::string folderOf(const std::string& part) {
  size_t slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::vector<std::string> segments(const std::string& path) {
  std::vector<std::string> list;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string s = path.substr(start, slash - start);
    if (s == "..") {
      if (!list.empty()) list.pop_back();
    } else if (!s.empty() && s != ".") {
      list.push_back(s);
    }
    start = slash + 1;
  }
  return list;
}

}  // namespace

std::string PartName::relsOf(const std::string& part) {
  size_t slash = part.rfind('/');
  std::string base = slash == std::string::npos ? part : part.substr(slash + 1);
  return folderOf(part) + "_rels/" + base + ".rels";
}

std::string PartName::resolve(const std::string& source, const std::string& target) {
  std::string path = !target.empty() && target[0] == '/' ? target : folderOf(source) + target;
  std::string joined;
  for (const std::string& s : segments(path)) joined += (joined.empty() ? "" : "/") + s;
  return joined;
}

std::string PartName::relative(const std::string& source, const std::string& part) {
  std::vector<std::string> from = segments(folderOf(source)), to = segments(part);
  size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string target;
  for (size_t i = common; i < from.size(); ++i) target += "../";
  for (size_t i = common; i < to.size(); ++i) target += to[i] + (i + 1 < to.size() ? "/" : "");
  return target;
}

std::string PartName::numbered(const std::string& part, const std::set<std::string>& taken) {
  size_t dot = part.rfind('.');
  if (dot == std::string::npos || dot < part.rfind('/') + 1) dot = part.size();
  size_t digits = dot;
  while (digits > 0 && part[digits - 1] >= '0' && part[digits - 1] <= '9') --digits;
  std::string stem = part.substr(0, digits), extension = part.substr(dot);
  for (int n = 1;; ++n) {
    std::string name = stem + std::to_string(n) + extension;
    if (!taken.count(folded(name))) return name;
  }
}

std::string PartName::folded(const std::string& name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}
