#include "workbook/StreamBlocks.h"

#include <algorithm>

namespace {
const char* const kPlacementKinds[] = {"L", "ST", "TR", "SAT", "DRE"};

// The lines of one key of a pivot, as they come.
struct PivotRecord {
  std::string prefix, key;
  std::vector<std::string> fields;
  std::vector<size_t> lines;
};

bool hasLowerCase(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool contains(const std::vector<std::string>& list, const std::string& s) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

StreamBlock::Kind kindOf(const DataRow& row, PivotRecord& pivot) {
  if (row.size() == 1) return StreamBlock::kText;
  if (row.size() == 2) {
    std::string field;
    bool isPivot = row[0].kind == DataCell::kString &&
                   StreamBlocks::splitPivot(row[0].text, pivot.prefix, field, pivot.key);
    if (!isPivot) return StreamBlock::kNameValue;
    pivot.fields.assign(1, field);
    return StreamBlock::kPivot;
  }
  return StreamBlocks::isPlacement(row) ? StreamBlock::kPlacement : StreamBlock::kColumns;
}

// Builds the blocks line by line; a pivot's lines are gathered per key first.
class Parser {
 public:
  explicit Parser(const std::vector<DataRow>& rows) : rows_(rows) {}

  void line(size_t i) {
    const DataRow& row = rows_[i];
    if (row.empty()) return end();
    PivotRecord line;
    StreamBlock::Kind kind = kindOf(row, line);
    if (kind == StreamBlock::kPivot) return pivotLine(line, i);
    endRecord();
    bool joins = open_ && blocks_.back().kind == kind &&
                 (kind != StreamBlock::kColumns || rows_[blocks_.back().first].size() == row.size());
    if (!joins) {
      end();
      blocks_.emplace_back();
      blocks_.back().kind = kind;
      blocks_.back().first = i;
      open_ = true;
    }
    blocks_.back().last = i + 1;
  }

  std::vector<StreamBlock> finish() {
    end();
    return std::move(blocks_);
  }

 private:
  void end() {
    endRecord();
    open_ = false;
  }

  void pivotLine(const PivotRecord& line, size_t i) {
    bool sameRecord = !record_.lines.empty() && record_.prefix == line.prefix && record_.key == line.key &&
                      !contains(record_.fields, line.fields[0]);
    if (!sameRecord) endRecord();
    if (record_.lines.empty()) {
      record_.prefix = line.prefix;
      record_.key = line.key;
    }
    record_.fields.push_back(line.fields[0]);
    record_.lines.push_back(i);
  }

  // Adds the record to the open pivot when it continues it, else starts a new one.
  void endRecord() {
    if (record_.lines.empty()) return;
    StreamBlock* b = open_ ? &blocks_.back() : nullptr;
    bool continues = b && b->kind == StreamBlock::kPivot && b->prefix == record_.prefix &&
                     b->fields == record_.fields && !contains(b->keys, record_.key);
    if (!continues) {
      blocks_.emplace_back();
      b = &blocks_.back();
      b->kind = StreamBlock::kPivot;
      b->prefix = record_.prefix;
      b->fields = record_.fields;
      b->first = record_.lines.front();
      open_ = true;
    }
    b->keys.push_back(record_.key);
    b->lineOf.push_back(record_.lines);
    b->last = record_.lines.back() + 1;
    record_ = PivotRecord();
  }

  const std::vector<DataRow>& rows_;
  std::vector<StreamBlock> blocks_;
  bool open_ = false;  // blocks_.back() takes further lines of its kind
  PivotRecord record_;
};
}  // namespace

std::vector<StreamBlock> StreamBlocks::parse(const std::vector<DataRow>& rows, size_t first, size_t last) {
  Parser parser(rows);
  for (size_t i = first; i < last && i < rows.size(); ++i) parser.line(i);
  return parser.finish();
}

bool StreamBlocks::splitPivot(const std::string& name, std::string& prefix, std::string& field,
                              std::string& key) {
  size_t open = name.find('[');
  if (open == 0 || open == std::string::npos || name.size() < open + 3 || name.back() != ']') return false;
  key = name.substr(open + 1, name.size() - open - 2);
  if (key.find_first_of("[]") != std::string::npos) return false;
  size_t cut = name.find('_');
  if (cut != std::string::npos && cut > 0 && cut + 1 < open && !hasLowerCase(name.substr(0, cut))) {
    prefix = name.substr(0, cut);
    field = name.substr(cut + 1, open - cut - 1);
  } else {
    prefix.clear();
    field = name.substr(0, open);
  }
  return true;
}

bool StreamBlocks::isPlacement(const DataRow& row) {
  if (row.size() != 5 || row[0].kind != DataCell::kString) return false;
  if (!std::any_of(std::begin(kPlacementKinds), std::end(kPlacementKinds),
                   [&row](const char* k) { return row[0].text == k; })) {
    return false;
  }
  return row[1].kind == DataCell::kNumber && row[2].kind == DataCell::kNumber &&
         row[3].kind == DataCell::kNumber;
}
