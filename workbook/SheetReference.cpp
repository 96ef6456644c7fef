#include "workbook/SheetReference.h"

#include "workbook/PartName.h"

namespace {

bool bare(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || (static_cast<unsigned char>(c) >= 0x80);
}

// The end of the string literal or quoted name opening at `start` (the
// position after its closing quote); a doubled quote stays inside.
size_t closing(const std::string& text, size_t start) {
  char quote = text[start];
  size_t i = start + 1;
  while (i < text.size()) {
    if (text[i] == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return text.size();
}

std::string unquoted(const std::string& quotedName) {
  std::string name;
  for (size_t i = 1; i + 1 < quotedName.size(); ++i) {
    name += quotedName[i];
    if (quotedName[i] == '\'' && quotedName[i + 1] == '\'') ++i;
  }
  return name;
}

}  // namespace

std::string SheetReference::quoted(const std::string& name) {
  bool plain = !name.empty() && !(name[0] >= '0' && name[0] <= '9');
  for (char c : name) plain = plain && bare(c);
  if (plain) return name;
  std::string out = "'";
  for (char c : name) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

std::string SheetReference::renamed(const std::string& formula, const std::string& from,
                                    const std::string& to) {
  const std::string wanted = PartName::folded(from);
  std::string out;
  size_t i = 0;
  while (i < formula.size()) {
    char c = formula[i];
    size_t end = i + 1;
    std::string name;
    bool candidate = false;
    if (c == '"') {
      end = closing(formula, i);
    } else if (c == '\'') {
      end = closing(formula, i);
      name = unquoted(formula.substr(i, end - i));
      candidate = true;
    } else if (bare(c) && (i == 0 || (!bare(formula[i - 1]) && formula[i - 1] != ']'))) {
      while (end < formula.size() && bare(formula[end])) ++end;
      name = formula.substr(i, end - i);
      candidate = true;
    }
    bool isSheet = candidate && end < formula.size() && formula[end] == '!' &&
                   (i == 0 || formula[i - 1] != ']') && PartName::folded(name) == wanted;
    out += isSheet ? quoted(to) : formula.substr(i, end - i);
    i = end;
  }
  return out;
}
