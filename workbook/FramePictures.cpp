#include "workbook/FramePictures.h"

#include <algorithm>
#include <map>
#include <set>

#include "workbook/SheetStack.h"

namespace {
typedef Layout::Cell Cell;
typedef Layout::Table Table;
typedef FramePictures::UnitKind UnitKind;

const int kFrames = 6;
const char kUnequipped[] = "UNEQUIPPED";
// A frame whose positions span more rows than this shows only the positions in use.
const long kMaxSpan = 200;

// Kinds of unit, told by the labels the series-2 layouts write.
const UnitKind kAmpsRadio{"AMPS radio", 0xFCE4D6};
const UnitKind kTdmaRadio{"TDMA radio", 0xDDEBF7};
const UnitKind kDcchRadio{"DCCH radio", 0xE4DFEC};
const UnitKind kOtherRadio{"Radio", 0xF2F2F2};
const UnitKind kRtu{"RTU", 0xFFF2CC};
const UnitKind kSuRadio{"SU radio", 0xE2EFDA};
const UnitKind kLocRadio{"LOC radio", 0xCCECEC};
const UnitKind kCatBoard{"CAT or SCT board", 0xF8CBAD};
const UnitKind kBba{"BBA (CDMA)", 0xC6E0B4};
const UnitKind kCcc{"CCC (CDMA)", 0xBDD7EE};
const UnitKind kCcu{"CCU (CDMA)", 0xFFE699};
const UnitKind kCrtu{"CRTU (CDMA)", 0xF4B084};
const UnitKind kBoard{"DS1 board or other", 0xEDEDED};

// Label prefixes and the kinds they name, tried in order.
const std::pair<const char*, const UnitKind*> kPrefixes[] = {
    {"BBA - ", &kBba}, {"CCC ", &kCcc},      {"TCU ", &kCcu},       {"ECU ", &kCcu},
    {"ECU-1X ", &kCcu}, {"CRTU", &kCrtu},    {"SU ", &kSuRadio},    {"LOC ", &kLocRadio},
    {"CAT ", &kCatBoard}, {"SCT ", &kCatBoard},
};
// What follows a radio's channel number: its type prefix.
const std::pair<const char*, const UnitKind*> kRadioTypes[] = {
    {"as ", &kAmpsRadio}, {"a ", &kAmpsRadio}, {"te ", &kTdmaRadio}, {"t ", &kTdmaRadio},
    {"de ", &kDcchRadio}, {"d ", &kDcchRadio}, {"  ", &kOtherRadio},
};

bool startsWith(const std::string& s, const char* prefix) { return s.compare(0, std::string(prefix).size(), prefix) == 0; }

// What stands at one place of a frame: labels (the unit's own first), then
// the texts of its other lines.
struct Place {
  std::vector<std::string> labels;
  size_t owner = 0;  // the label whose lines follow it
  bool owned = false;
  std::vector<std::string> details;

  void line(const std::string& kind, const std::string& text) {
    if (kind == "L") {
      if (std::find(labels.begin(), labels.end(), text) == labels.end()) labels.push_back(text);
      return;
    }
    if (!owned && !labels.empty()) {
      owner = labels.size() - 1;
      owned = true;
    }
    details.push_back(text);
  }

  Cell cell() const {
    std::vector<std::string> lines;
    if (!labels.empty()) lines.push_back(labels[owner]);
    for (size_t i = 0; i < labels.size(); ++i) {
      if (i != owner) lines.push_back(labels[i]);
    }
    lines.insert(lines.end(), details.begin(), details.end());
    std::string text;
    for (const std::string& l : lines) text += (text.empty() ? "" : "\n") + l;
    Cell c = Cell::textOf(text, Cell::kUnit);
    if (!labels.empty()) c.fill = FramePictures::kindOf(labels[owner]).fill;
    return c;
  }
};

typedef std::map<std::pair<long, long>, Place> Places;  // (position, shelf)
typedef std::map<long, Places> FramePlaces;              // by frame

long whole(const DataCell& c) { return static_cast<long>(c.number); }

// The places of every frame the stream's placement lines name.
FramePlaces placesByFrame(const std::vector<DataRow>& rows, const std::vector<StreamBlock>& blocks) {
  FramePlaces frames;
  for (const StreamBlock& b : blocks) {
    if (b.kind != StreamBlock::kPlacement) continue;
    for (size_t i = b.first; i < b.last; ++i) {
      const DataRow& r = rows[i];
      frames[whole(r[1])][{whole(r[3]), whole(r[2])}].line(r[0].text, r[4].text);
    }
  }
  return frames;
}

std::vector<int> equippedFrames(const ReportFiles& files, const FramePlaces& placed) {
  std::vector<int> frames;
  bool named = false;
  for (int i = 0; i < kFrames; ++i) {
    std::string key = "PFTemplate" + std::to_string(i);
    if (!files.has(key)) continue;
    named = true;
    if (files.value(key) != kUnequipped) frames.push_back(i);
  }
  if (named) return frames;
  std::set<int> seen;
  for (const auto& frame : placed) seen.insert(static_cast<int>(frame.first));
  return std::vector<int>(seen.begin(), seen.end());
}

// Positions shown, top to bottom: every one from the lowest to the highest in use.
std::vector<long> positionsOf(const Places& places) {
  std::set<long> used;
  for (const auto& p : places) used.insert(p.first.first);
  if (used.empty() || *used.rbegin() - *used.begin() >= kMaxSpan) return std::vector<long>(used.begin(), used.end());
  std::vector<long> all;
  for (long p = *used.begin(); p <= *used.rbegin(); ++p) all.push_back(p);
  return all;
}

Table grid(const Places& places, std::vector<const UnitKind*>& kinds) {
  std::set<long> shelves;
  for (const auto& p : places) shelves.insert(p.first.second);
  Table t;
  Layout::Row header{Cell::textOf("Position", Cell::kHeader)};
  for (long s : shelves) header.push_back(Cell::textOf("Shelf " + std::to_string(s), Cell::kHeader));
  t.header.push_back(header);
  for (long position : positionsOf(places)) {
    Layout::Row row{Cell::numberOf(position, Cell::kHeader)};
    for (long shelf : shelves) {
      auto at = places.find({position, shelf});
      row.push_back(at == places.end() ? Cell::textOf("", Cell::kUnit) : at->second.cell());
      if (at != places.end() && !at->second.labels.empty()) {
        const UnitKind* k = &FramePictures::kindOf(at->second.labels[at->second.owner]);
        if (std::find(kinds.begin(), kinds.end(), k) == kinds.end()) kinds.push_back(k);
      }
    }
    t.body.push_back(std::move(row));
  }
  return t;
}

// The kinds shown, side by side over the grid's shelf columns (`across` a row).
Table legend(const std::vector<const UnitKind*>& kinds, size_t across) {
  Table t;
  for (size_t i = 0; i < kinds.size(); ++i) {
    if (i % across == 0) t.body.push_back({Cell::textOf(i == 0 ? "Kinds of unit" : "", Cell::kLabel)});
    Cell c = Cell::textOf(kinds[i]->name, Cell::kUnit);
    c.fill = kinds[i]->fill;
    t.body.back().push_back(c);
  }
  return t;
}

void addTitle(SheetStack& stack, int frame, const ReportFiles& files) {
  std::string i = std::to_string(frame), instance = files.run().instanceName;
  std::string tech = files.value("PFFrtech" + i), templ = files.value("PFTemplate" + i);
  stack.addTitle("Frame " + i + (instance.empty() ? "" : " of " + instance),
                 "Technology " + (tech.empty() ? std::string("unknown") : tech) +
                     (templ.empty() ? "" : ", template " + templ) +
                     ". A unit shows its label, then its ST, TR, SAT and DRE lines.");
}

Layout::Sheet frameSheet(int frame, const ReportFiles& files, const Places& places) {
  Layout::Sheet sheet;
  sheet.kind = Layout::Sheet::kFrame;
  sheet.name = "Frame " + std::to_string(frame);
  SheetStack stack(sheet);
  addTitle(stack, frame, files);
  if (places.empty()) {
    stack.add(Table{0, 0, "", {}, {{Cell::textOf("No unit of this frame is placed in the report.", Cell::kNote)}}});
    return sheet;
  }
  std::vector<const UnitKind*> kinds;
  Table g = grid(places, kinds);
  stack.add(legend(kinds, std::max(1, g.width() - 1)));
  sheet.frozenRows = stack.nextRow() + 1;
  stack.add(std::move(g));
  return sheet;
}
}  // namespace

const FramePictures::UnitKind& FramePictures::kindOf(const std::string& label) {
  for (const auto& p : kPrefixes) {
    if (startsWith(label, p.first)) return *p.second;
  }
  if (label.find("RTU") != std::string::npos) return kRtu;
  size_t digits = label.find_first_not_of("0123456789");
  if (digits != std::string::npos) {
    for (const auto& t : kRadioTypes) {
      if (label.compare(digits, std::string(t.first).size(), t.first) == 0) return *t.second;
    }
  }
  return kBoard;
}

void FramePictures::add(const ReportFiles& files, const std::vector<DataRow>& rows,
                        const std::vector<StreamBlock>& blocks, Layout& layout) {
  FramePlaces placed = placesByFrame(rows, blocks);
  const Places none;
  for (int frame : equippedFrames(files, placed)) {
    auto at = placed.find(frame);
    layout.sheets.push_back(frameSheet(frame, files, at == placed.end() ? none : at->second));
  }
}
