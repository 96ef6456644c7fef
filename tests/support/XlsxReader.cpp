#include "tests/support/XlsxReader.h"

#include <libxml/parser.h>
#include <zip.h>

#include <memory>
#include <stdexcept>

namespace {

std::string readEntry(zip_t* zip, const std::string& name) {
  zip_stat_t st;
  zip_file_t* f = zip_stat(zip, name.c_str(), 0, &st) == 0 ? zip_fopen(zip, name.c_str(), 0) : nullptr;
  if (!f) return std::string();
  std::string bytes(st.size, '\0');
  zip_int64_t n = zip_fread(f, &bytes[0], st.size);
  zip_fclose(f);
  if (n < 0 || static_cast<zip_uint64_t>(n) != st.size) throw std::runtime_error("cannot read " + name);
  return bytes;
}

typedef std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> Document;

Document parse(const std::string& xml, const std::string& name) {
  Document doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), name.c_str(), nullptr, XML_PARSE_NONET),
               xmlFreeDoc);
  if (!doc) throw std::runtime_error("not XML: " + name);
  return doc;
}

bool is(const xmlNode* n, const char* name) {
  return n->type == XML_ELEMENT_NODE && std::string(reinterpret_cast<const char*>(n->name)) == name;
}

// The text libxml2 returns (and frees here); "" for none.
std::string taken(xmlChar* value) {
  std::string text = value ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

// An attribute by its local name, whatever its namespace.
std::string attribute(xmlNode* n, const char* name) { return taken(xmlGetProp(n, BAD_CAST name)); }
// All text below `n`: a string's <t> elements joined.
std::string text(xmlNode* n) { return taken(xmlNodeGetContent(n)); }

// Every element named `name` below `n`, in document order.
void collect(xmlNode* n, const char* name, std::vector<xmlNode*>& found) {
  for (xmlNode* c = n->children; c; c = c->next) {
    if (is(c, name)) found.push_back(c);
    collect(c, name, found);
  }
}

std::vector<xmlNode*> all(xmlDoc* doc, const char* name) {
  std::vector<xmlNode*> found;
  collect(reinterpret_cast<xmlNode*>(doc), name, found);
  return found;
}

// "B12" as (12, 2).
std::pair<int, int> position(const std::string& reference) {
  int column = 0;
  size_t i = 0;
  for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i) column = column * 26 + reference[i] - 'A' + 1;
  return {std::stoi(reference.substr(i)), column};
}

std::string cellText(xmlNode* c, const std::vector<std::string>& shared) {
  std::string type = attribute(c, "t"), value, formula;
  for (xmlNode* k = c->children; k; k = k->next) {
    if (is(k, "v")) value = text(k);
    if (is(k, "f")) formula = text(k);
    if (is(k, "is")) value = text(k);
  }
  if (type == "s") value = shared.at(static_cast<size_t>(std::stoul(value)));
  if (type == "s" || type == "str" || type == "inlineStr") value = "\"" + value + "\"";
  return formula.empty() ? value : "=" + formula + " -> " + value;
}

}  // namespace

XlsxReader::XlsxReader(const std::string& path) : path_(path) {
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (!zip) throw std::runtime_error("not a zip: " + path);
  std::unique_ptr<zip_t, int (*)(zip_t*)> closer(zip, zip_close);
  std::vector<std::string> shared;
  std::string strings = readEntry(zip, "xl/sharedStrings.xml");
  if (!strings.empty()) {
    Document doc = parse(strings, "sharedStrings.xml");
    for (xmlNode* si : all(doc.get(), "si")) shared.push_back(text(si));
  }
  std::map<std::string, std::string> targets;
  Document rels = parse(readEntry(zip, "xl/_rels/workbook.xml.rels"), "workbook.xml.rels");
  for (xmlNode* r : all(rels.get(), "Relationship")) targets[attribute(r, "Id")] = attribute(r, "Target");
  Document book = parse(readEntry(zip, "xl/workbook.xml"), "workbook.xml");
  for (xmlNode* s : all(book.get(), "sheet")) {
    std::string name = attribute(s, "name"), target = targets[attribute(s, "id")];
    names_.push_back(name);
    std::string xml = readEntry(zip, target[0] == '/' ? target.substr(1) : "xl/" + target);
    sheetXml_[name] = xml;
    Document sheet = parse(xml, target);
    for (xmlNode* c : all(sheet.get(), "c")) {
      std::string t = cellText(c, shared);
      if (!t.empty()) cells_[name][position(attribute(c, "r"))] = t;
    }
  }
}

std::vector<std::string> XlsxReader::rows(const std::string& sheet) const {
  std::vector<std::vector<std::string>> grid;
  auto it = cells_.find(sheet);
  if (it == cells_.end()) return {};
  for (const auto& c : it->second) {
    size_t row = static_cast<size_t>(c.first.first), column = static_cast<size_t>(c.first.second);
    if (grid.size() < row) grid.resize(row);
    if (grid[row - 1].size() < column) grid[row - 1].resize(column);
    grid[row - 1][column - 1] = c.second;
  }
  std::vector<std::string> rows;
  for (const std::vector<std::string>& cells : grid) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) line += (i ? " | " : "") + cells[i];
    rows.push_back(line);
  }
  return rows;
}

const std::string& XlsxReader::sheetXml(const std::string& sheet) const { return sheetXml_.at(sheet); }

std::string XlsxReader::part(const std::string& name) const {
  int error = 0;
  zip_t* zip = zip_open(path_.c_str(), ZIP_RDONLY, &error);
  if (!zip) throw std::runtime_error("not a zip: " + path_);
  std::string bytes = readEntry(zip, name);
  zip_close(zip);
  return bytes;
}
