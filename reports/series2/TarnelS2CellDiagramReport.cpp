#include "reports/series2/TarnelS2CellDiagramReport.h"

#include <cstdlib>
#include <iterator>
#include <vector>

#include "framework/KvException.h"
#include "framework/ReportDataManager.h"
#include "framework/XMLQueryResult.h"

typedef TarnelS2CellDiagramReport Report;

namespace {

const char kFrameQuery[] =
    "select fr0tech,fr1tech,fr2tech,fr3tech,fr4tech,fr5tech,s2mmcea_t FROM tnl_cfg_cell "
    "WHERE instance_id = ";
const RWEString kCeaSet("y");
const RWEString kUnequippedCode("u");
const RWEString kUnequippedTemplate("UNEQUIPPED");
const RWEString kNone("0");
const TarnelMacroFile kDiagramMacro = 3;

// ---------------------------------------------------------------------------
// Frame technologies, flags and templates.

// Up to six technology codes; the list ends at the first null.
typedef const char* Codes[7];

bool isOneOf(const RWEString& value, const Codes& codes) {
  for (const char* code : codes) {
    if (!code) return false;
    if (value == code) return true;
  }
  return false;
}

struct FlagRule {
  int frame;
  bool needsCea;  // the CEA indicator must be "y" as well
  Codes codes;
  unsigned flags;
};

// Within a frame the first matching rule applies; flags accumulate over frames.
const FlagRule kFlagRules[] = {
    {0, true, {"s2mm"}, Report::kAmpsTdma | Report::kS2mmCea},
    {0, false, {"s2mm", "s2mml", "s2m"}, Report::kS2mPrimary | Report::kAmpsTdma},
    {0, false, {"s2", "s2e", "cbs"}, Report::kS2Primary | Report::kAmpsTdma},
    {0, false, {"ptm", "ptmc"}, Report::kPtmPrimary | Report::kAmpsTdma},
    {0, false, {"ccm", "cccm", "pcm"}, Report::kCmPrimary | Report::kCdma},
    {1, false, {"s2", "mm2s", "ptmg"}, Report::kAmpsTdma},
    {1, false, {"m1", "mm1"}, Report::kMm2sGrowth | Report::kAmpsTdma},
    {1, false, {"c"}, Report::kCdmaGrowth | Report::kCdma},
    {1, false, {"ccm", "cccm", "pcm", "ddgf", "rg", "rgh"}, Report::kCdma},
    {2, false, {"s2", "ptmg"}, Report::kAmpsTdma},
    {2, false, {"m1", "mm1"}, Report::kMm2sGrowth | Report::kAmpsTdma},
    {2, false, {"c"}, Report::kCdmaGrowth | Report::kCdma},
    {2, false, {"ccm", "pcm", "ddgf", "rg", "rgh"}, Report::kCdma},
    {3, false, {"pcm"}, Report::kCdma},
    {3, false, {"ptmg"}, Report::kAmpsTdma},
    {4, false, {"pcm"}, Report::kCdma},
    {5, false, {"pcm"}, Report::kCdma},
};

struct TemplateRule {
  int frame;
  Codes codes;
  const char* name;
};

// Within a frame the first matching rule applies. An empty technology is
// listed as unequipped only in frames 3 to 5.
const TemplateRule kTemplateRules[] = {
    {0, {"s2m", "s2mm", "s2mml"}, "s2m.xlt"},
    {0, {"s2", "s2e", "cbs"}, "s2prim.xlt"},
    {0, {"pcm", "ccm", "cccm"}, "s2cm.xlt"},
    {0, {"ptm", "ptmc"}, "s2ptm.xlt"},
    {0, {"u"}, "UNEQUIPPED"},
    {1, {"s2"}, "s2gr.xlt"},
    {1, {"ccm", "cccm", "pcm", "rgh"}, "s2cmg.xlt"},
    {1, {"c"}, "s2cdma.xlt"},
    {1, {"m1", "mm1", "mm2s"}, "s2mm2s.xlt"},
    {1, {"ddgf"}, "s2ddgf.xlt"},
    {1, {"ptmg"}, "s2ptmg.xlt"},
    {1, {"rg"}, "s2rg.xlt"},
    {1, {"u"}, "UNEQUIPPED"},
    {2, {"s2"}, "s2gr.xlt"},
    {2, {"c"}, "s2cdma.xlt"},
    {2, {"ccm", "pcm", "rgh"}, "s2cmg.xlt"},
    {2, {"m1", "mm1"}, "s2mm2s.xlt"},
    {2, {"ddgf"}, "s2ddgf.xlt"},
    {2, {"ptmg"}, "s2ptmg.xlt"},
    {2, {"rg"}, "s2rg.xlt"},
    {2, {"u"}, "UNEQUIPPED"},
    {3, {"pcm"}, "s2cmg.xlt"},
    {3, {"ptmg"}, "s2ptmg.xlt"},
    {3, {"u", ""}, "UNEQUIPPED"},
    {4, {"pcm"}, "s2cmg.xlt"},
    {4, {"u", ""}, "UNEQUIPPED"},
    {5, {"pcm"}, "s2cmg.xlt"},
    {5, {"u", ""}, "UNEQUIPPED"},
};

// The template of a frame whose technology no rule knows.
const char* const kFallbackTemplates[Report::kFrames] = {
    "unknown.xlt", "UNKNOWN.xlt", "UNKNOWN.xlt", "unknown.xlt", "unknown.xlt", "unknown.xlt"};

// The steering setters of frames 0 to 5 (plain functions: arrays of member
// pointers trip the bounds sanitizer).
typedef void (*Setter)(TarnelSteeringData&, const RWEString&);
const Setter kTemplateSetters[Report::kFrames] = {
    [](TarnelSteeringData& d, const RWEString& v) { d.PFTemplate0(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFTemplate1(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFTemplate2(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFTemplate3(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFTemplate4(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFTemplate5(v); }};
const Setter kFrtechSetters[Report::kFrames] = {
    [](TarnelSteeringData& d, const RWEString& v) { d.PFFrtech0(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFFrtech1(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFFrtech2(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFFrtech3(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFFrtech4(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFFrtech5(v); }};

// ---------------------------------------------------------------------------
// Texts built from literals and values.

// A label chosen by a value; the entry with a null value is the default.
struct Label {
  const char* value;
  const char* text;
};

const char* labelFor(const Label* labels, const RWEString& value) {
  for (; labels->value; ++labels) {
    if (value == labels->value) return labels->text;
  }
  return labels->text;
}

const Label kCcuLabels[] = {{"CE-2", "TCU "}, {"CE-32", "ECU-1X "}, {nullptr, "ECU "}};
const Label kCatLabels[] = {{"c", "CAT "}, {nullptr, "SCT "}};
const Label kDcchPrefixes[] = {{"etdru", "de "}, {nullptr, "d "}};

// ---------------------------------------------------------------------------
// CDMA layout: one section per query, its lines as data.

// A literal followed by a column's value (none for column -1): the value cut
// to `width` characters when width > 0, or replaced by its label.
struct Piece {
  const char* literal;
  int column;
  int width;
  const Label* labels;
};

constexpr Piece lit(const char* text) { return {text, -1, 0, nullptr}; }
constexpr Piece col(const char* text, int column, int width = 0) {
  return {text, column, width, nullptr};
}
constexpr Piece label(const Label* labels, int column) { return {"", column, 0, labels}; }

struct LineFormat {
  int group;         // which of the section's positions the line is at
  bool needsActive;  // written only when the row's status is "e" or "g"
  const char* kind;
  Piece pieces[3];  // the text; unused pieces have a null literal
};

const LineFormat kBbaLines[] = {
    {0, false, "L", {lit("BBA - BIU")}},
    {0, true, "ST", {col("BBA:", 1), col(" ", 2)}},
    {0, true, "TR", {col("", 3)}},
    {0, true, "SAT", {col("car:", 4), col(" ch:", 14)}},
    {0, true, "DRE", {col("PN:", 16)}},
    {1, false, "L", {lit("BBA - ACU")}},
    {1, true, "ST", {col("LAC:", 5), col(" Ant:", 8)}},
    {1, true, "TR", {col("Pag:", 15), col(" ", 11)}},
    {1, true, "SAT", {col("Scell:", 9)}},
    {1, true, "DRE", {col("Acc:", 17)}},
    {2, false, "L", {lit("BBA - BCR")}},
    {2, true, "ST", {col("MxP:", 10, 4)}},
    {2, true, "TR", {col("L/C MxP:", 12)}},
    {2, true, "SAT", {col("AF:", 13)}},
};
const LineFormat kCccLines[] = {
    {0, false, "L", {col("CCC ", 1)}},
    {0, false, "ST", {col("", 5), col(" ", 4), col(" s:", 6)}},
    {0, false, "TR", {col("tg:", 7), col(" ", 8), col(" ", 9)}},
    {0, false, "SAT", {col("m:", 11), col(" d:", 10), col(" z:", 12)}},
};
const LineFormat kCcuLines[] = {
    {0, false, "L", {label(kCcuLabels, 5), col("", 7)}},
    {0, false, "ST", {col("", 4)}},
};
const LineFormat kCrtuLines[] = {
    {0, false, "L", {lit("CRTUi")}},
    {0, false, "ST", {col("", 2)}},
};
const LineFormat kDs1Lines[] = {
    {0, false, "L", {col("", 5), col(" ", 4)}},
    {0, false, "ST", {col("", 6)}},
};
const LineFormat kCatLines[] = {
    {0, false, "L", {label(kCatLabels, 4), col("", 5)}},
    {0, false, "ST", {col("", 6)}},
};

enum Gate { kAlways, kWhenCdmaGrowth, kWhenCmPrimary };

// The lines written for each row of a section.
struct Lines {
  template <size_t N>
  constexpr Lines(const LineFormat (&formats)[N]) : formats(formats), count(N) {}
  const LineFormat* formats;
  size_t count;
};

struct CdmaSection {
  const char* query;
  Gate gate;
  bool growthRowsOnly;  // rows outside a CDMA growth frame are left out
  int frameColumn;      // -1: "0"
  int shelfColumn;      // -1: "0"
  int positionColumn;   // >= 0: the position is this column's text
  int growthPositions[3];
  int primaryPositions[3];
  int unitColumn;  // >= 0: unitSign * atoi of this column is added
  int unitSign;
  int statusColumn;  // the status that needsActive lines test; -1: none
  Lines lines;
};

// Query, gate, growth-frame rows only, frame column, shelf column, position
// column, growth positions, primary positions, unit column, unit sign, status
// column, lines.
const CdmaSection kCdmaSections[] = {
    {"s2_evenbba", kAlways, false, 6, 7, -1, {21, 22, 23}, {6, 7, 8}, -1, 0, 2, kBbaLines},
    {"s2_evenccc", kAlways, false, 2, 3, -1, {13}, {1}, -1, 0, -1, kCccLines},
    {"s2_evenccu", kAlways, false, 2, 3, -1, {13}, {1}, 7, 1, -1, kCcuLines},
    {"s2_oddbba", kWhenCdmaGrowth, true, 6, 7, -1, {4, 3, 2}, {4, 3, 2}, -1, 0, 2, kBbaLines},
    {"s2_oddccc", kAlways, true, 2, 3, -1, {12}, {12}, -1, 0, -1, kCccLines},
    {"s2_oddccu", kAlways, true, 2, 3, -1, {12}, {12}, 7, -1, -1, kCcuLines},
    {"s2_crtu", kWhenCmPrimary, false, -1, -1, 1, {}, {}, -1, 0, -1, kCrtuLines},
    {"s2_ds1brds", kAlways, false, 1, 2, 3, {}, {}, -1, 0, -1, kDs1Lines},
    {"s2_catbrds", kAlways, false, 1, 2, 3, {}, {}, -1, 0, -1, kCatLines},
};

const RWEString& columnOr(const RWEStringCollection& row, int column, const RWEString& none) {
  return column < 0 ? none : row.getString(column);
}

RWEString lineText(const LineFormat& line, const RWEStringCollection& row) {
  RWEString text;
  for (const Piece& piece : line.pieces) {
    if (!piece.literal) break;
    text += piece.literal;
    if (piece.column < 0) continue;
    const RWEString& value = row.getString(piece.column);
    if (piece.labels) {
      text += labelFor(piece.labels, value);
    } else if (piece.width > 0) {
      text += value(0, static_cast<size_t>(piece.width));
    } else {
      text += value;
    }
  }
  return text;
}

bool isActive(const RWEString& status) { return status == "e" || status == "g"; }

// ---------------------------------------------------------------------------
// AMPS/TDMA layout: queries, fields by name, extra slots.

const char kCtmFilter[] = " and tbl.vrg=0 and tbl.vrno=";
const char kCtmOrder[] = " and tbl.ts=0 order by tbl.vrg, tbl.vrno, tbl.ts";
const char kTdmaRtuText[] = "TDMA RTU";
const char kAmpsRtuText[] = "RTU amps";

// How the position of a field in a row is offset from its indexOf.
enum Offset { kOffsetOne, kOffsetIfInstanceId };

struct AmpsQuery {
  const char* name;
  const char* suffix;  // appended to the query's select statement
  Offset offset;
  const char* const* fields;
  size_t fieldCount;
};

// clang-format off
namespace rtuField {
const char* const kFields[] = {"tr", "rtu_t", "rtuslt_t", "tdvcc_t", "trtu_hwtype"};
enum { kTr, kRtu, kRtuSlot, kTdvcc, kHwtype };
}  // namespace rtuField
namespace radioField {
const char* const kFields[] = {"frame", "shlf",   "slot",   "stat",   "vrno", "ant",      "tr_ant",
                               "vrchnl", "satcc", "dvcc_t", "vrtech", "sg",   "techtype", "mpc"};
enum { kFrame, kShelf, kSlot, kStat, kVrno, kAnt, kTrAnt, kVrchnl, kSatcc, kDvcc, kVrtech, kSg,
       kTechtype, kMpc };
}  // namespace radioField
namespace ctmField {
const char* const kFields[] = {"tg", "tm", "lacnum", "ds0", "ds1"};
enum { kTg, kTm, kLacnum, kDs0, kDs1 };
}  // namespace ctmField
namespace suField {
const char* const kFields[] = {"frame", "shelf", "slot", "status", "su_radio",
                               "rfpi",  "lac",   "techtype", "xmitsu"};
enum { kFrame, kShelf, kSlot, kStatus, kRadio, kRfpi, kLac, kTechtype, kXmit };
}  // namespace suField
namespace locField {
const char* const kFields[] = {"frame", "shelf", "slot", "status", "loc_radio", "type"};
enum { kFrame, kShelf, kSlot, kStatus, kRadio, kType };
}  // namespace locField
namespace boardField {
const char* const kDs1Fields[] = {"frame", "shelf", "slot", "status", "ds1_brd", "ds1type"};
const char* const kCatFields[] = {"frame", "shelf", "slot", "status", "cat_brd", "s_cattype"};
enum { kFrame, kShelf, kSlot, kStatus, kNumber, kType };
}  // namespace boardField
namespace dcchField {
const char* const kFields[] = {"frame",  "shlf",   "slot",    "vrno",   "ant",
                               "tr_ant", "vrchnl", "dvcc_t",  "lacnum", "hwtype",
                               "dstat0", "dstat1", "dstat2"};
enum { kFrame, kShelf, kSlot, kVrno, kAnt, kTrAnt, kVrchnl, kDvcc, kLacnum, kHwtype, kDstat0,
       kDstat1, kDstat2 };
}  // namespace dcchField
// clang-format on

const AmpsQuery kCom2Query = {"SWcom2", "", kOffsetOne, rtuField::kFields,
                              std::size(rtuField::kFields)};
const AmpsQuery kRdtkQuery = {"SWrdtk", "", kOffsetIfInstanceId, radioField::kFields,
                              std::size(radioField::kFields)};
const AmpsQuery kCtmQuery = {"SWctm", "", kOffsetIfInstanceId, ctmField::kFields,
                             std::size(ctmField::kFields)};
const AmpsQuery kSuQuery = {"SWsuradio", "", kOffsetIfInstanceId, suField::kFields,
                            std::size(suField::kFields)};
const AmpsQuery kLocQuery = {"SWlocate", " and status != 'u' order by tbl.loc_radio",
                             kOffsetIfInstanceId, locField::kFields, std::size(locField::kFields)};
const AmpsQuery kDcchQuery = {"SWdcch", "", kOffsetOne, dcchField::kFields,
                              std::size(dcchField::kFields)};

const AmpsQuery kDs1Query = {"SWds1brds", " and status != 'u' order by tbl.ds1_brd", kOffsetOne,
                             boardField::kDs1Fields, std::size(boardField::kDs1Fields)};
const AmpsQuery kCatQuery = {"SWcatbrd", " and status != 'u' order by tbl.cat_brd", kOffsetOne,
                             boardField::kCatFields, std::size(boardField::kCatFields)};

// DS1 boards ("type number") and CAT/SCT boards (label by type, then number).
struct BoardSection {
  const AmpsQuery* query;
  const Label* labels;   // null: the type, a blank and the number
  bool mm2sFrame0Shelf;  // with an mm2s growth frame only shelf "0" is drawn
};
const BoardSection kBoardSections[] = {
    {&kDs1Query, nullptr, false},
    {&kCatQuery, kCatLabels, true},
};

// Radio text prefixes by technology and hardware type (null: any type).
struct RadioPrefix {
  const char* technology;
  const char* type;
  const char* text;
};
const RadioPrefix kRadioPrefixes[] = {
    {"amps", "sbrcu", "as "}, {"amps", nullptr, "a "},  {"tdma", "etdru", "te "},
    {"tdma", nullptr, "t "},  {nullptr, nullptr, "  "},
};

const char* radioPrefix(const RWEString& technology, const RWEString& type) {
  const RadioPrefix* p = kRadioPrefixes;
  for (; p->technology; ++p) {
    if (technology == p->technology && (!p->type || type == p->type)) break;
  }
  return p->text;
}

// Further slots of a unit at slot n, zero-terminated, by the column that
// frame 0 selects: S2M primary, S2MM with CEA, anything else. A null
// technology matches any; an empty type list matches any type.
struct SlotSpan {
  const char* technology;
  Codes types;
  int offsets[3][4];
};
const char kTdma[] = "tdma";
const SlotSpan kRadioSpans[] = {
    {"amps", {"arcu"}, {{-1}, {-1}, {}}},
    {kTdma, {"etdru"}, {{1, -1, 2}, {1, -1, 2}, {1}}},
    {kTdma, {}, {{-1}, {}, {}}},
};
const SlotSpan kSuSpans[] = {
    {nullptr, {"arcu"}, {{-1}, {}, {}}},
    {nullptr, {"tdru"}, {{1, -1, 2}, {1}, {1}}},
};
const SlotSpan kLocSpans[] = {
    {nullptr, {"arcu", "arac"}, {{-1}, {-1}, {}}},
    {nullptr, {"tdru", "trtc"}, {{1, -1, 2}, {1}, {1}}},
    {nullptr, {"etdru"}, {{-1}, {}, {}}},
};
const int kNoSlots[] = {0};

template <size_t N>
const int* extraSlots(const SlotSpan (&spans)[N], const RWEString& technology,
                      const RWEString& type, int frame0Column) {
  for (const SlotSpan& span : spans) {
    if (span.technology && technology != span.technology) continue;
    if (span.types[0] && !isOneOf(type, span.types)) continue;
    return span.offsets[frame0Column];
  }
  return kNoSlots;
}

// Where the RTUs stand, by the flags of frame 0 (first matching row).
struct AmpsRtuPlace {
  unsigned flags;
  const char* shelf;
  const char* slot;
};
const AmpsRtuPlace kAmpsRtuPlaces[] = {
    {Report::kS2mPrimary | Report::kS2mmCea, "1", "21"},
    {Report::kS2Primary, "3", "13"},
};
struct TdmaRtuPlace {
  unsigned flags;
  const char* shelf;
  bool slotsBeforeStatus;  // the extra "L" lines come before the "ST" line
  int etdruOffsets[4];
  int otherOffsets[4];
};
const TdmaRtuPlace kTdmaRtuPlaces[] = {
    {Report::kS2mmCea, "1", false, {}, {}},
    {Report::kS2mPrimary | Report::kPtmPrimary, "1", false, {-1}, {-1, 1, 2}},
    {Report::kS2Primary, "3", true, {}, {1}},
};

template <typename Place, size_t N>
const Place* placeFor(const Place (&places)[N], unsigned flags) {
  for (const Place& place : places) {
    if (place.flags & flags) return &place;
  }
  return nullptr;
}

// The layout query definition `name`; KvException when it is not defined.
KvXMLElement* layoutQuery(Report& report, const char* name) {
  return report.definedQuery(name);
}

}  // namespace

// ---------------------------------------------------------------------------
// Result rows read by field name: the field's indexOf plus the query's offset.

class Report::FieldRow {
 public:
  FieldRow(Report& report, KvXMLElement* query, const AmpsQuery& layout) {
    int offset = layout.offset == kOffsetOne ? 1 : usesInstanceID(query);
    columns_.reserve(layout.fieldCount);
    for (size_t f = 0; f < layout.fieldCount; ++f) {
      columns_.push_back(report.indexOf(query, layout.fields[f]) + offset);
    }
  }
  void point(const RWEStringCollection* values) { values_ = values; }
  const RWEString& operator[](int field) const {
    return values_->getString(columns_[static_cast<size_t>(field)]);
  }

 private:
  std::vector<int> columns_;
  const RWEStringCollection* values_ = nullptr;
};

class Report::FieldTable {
 public:
  FieldTable(Report& report, const AmpsQuery& layout)
      : query_(layoutQuery(report, layout.name)),
        result_(report.xmlResult(report.selectStatementFromXML(query_) + layout.suffix)),
        table_(query_, result_, XMLQueryResult::_TABLE1, '|', TRAILING),
        row_(report, query_, layout) {}
  int rows() const { return table_.numRows; }
  const FieldRow& row(int r) {
    row_.point(&table_.row(r));
    return row_;
  }

 private:
  KvXMLElement* query_;
  SmartPtr<KvXMLElement> result_;
  XMLQueryResult table_;
  FieldRow row_;
};

// The "SWctm" row of one radio at a time.
class Report::TrunkRows {
 public:
  explicit TrunkRows(Report& report)
      : report_(report),
        query_(layoutQuery(report, kCtmQuery.name)),
        sql_(report.selectStatementFromXML(query_)),
        row_(report, query_, kCtmQuery) {
    row_.point(&values_);
  }
  // The row of radio `vrno`; every value empty when the query has no row.
  const FieldRow& forRadio(const RWEString& vrno) {
    values_.clearAndDestroy();
    report_.doSingleSelect(values_, sql_ + kCtmFilter + vrno + kCtmOrder);
    return row_;
  }

 private:
  Report& report_;
  KvXMLElement* query_;
  RWEString sql_;
  FieldRow row_;
  RWEStringCollection values_;
};

// ---------------------------------------------------------------------------

TarnelS2CellDiagramReport::TarnelS2CellDiagramReport(RWEString name, XMLQueryInterface& connection,
                                                     ReportDataManager& dataManager, LogUser& user)
    : TarnelCellReport(name, connection, dataManager, user), flags_(0) {}

TarnelS2CellDiagramReport::~TarnelS2CellDiagramReport() = default;

void TarnelS2CellDiagramReport::buildReport() {
  openReportStream();
  processConfiguredSelects();
  readFrameTechnologies();
  setFlagsFromTechnologies();
  if (hasFlag(kAmpsTdma)) Get_amps_tdma_data();
  if (hasFlag(kCdma)) Get_cdma_data();
}

void TarnelS2CellDiagramReport::readFrameTechnologies() {
  RWEStringCollection values;
  doSingleSelect(values, kFrameQuery + intText(cellInstanceId()));
  for (int i = 0; i < kFrames; ++i) frtech[i] = values.getString(i);
  s2mmcea = values.getString(kFrames);
}

void TarnelS2CellDiagramReport::setFlagsFromTechnologies() {
  flags_ = 0;
  int matchedFrame = -1;
  for (const FlagRule& rule : kFlagRules) {
    if (rule.frame == matchedFrame) continue;
    if (!isOneOf(frtech[rule.frame], rule.codes)) continue;
    if (rule.needsCea && s2mmcea != kCeaSet) continue;
    flags_ |= rule.flags;
    matchedFrame = rule.frame;
  }
}

void TarnelS2CellDiagramReport::postBuild() {
  for (int frame = 0; frame < kFrames; ++frame) {
    const char* chosen = kFallbackTemplates[frame];
    for (const TemplateRule& rule : kTemplateRules) {
      if (rule.frame == frame && isOneOf(frtech[frame], rule.codes)) {
        chosen = rule.name;
        break;
      }
    }
    frtemplate[frame] = chosen;
    if (frtemplate[frame] == kUnequippedTemplate) frtech[frame] = kUnequippedCode;
  }
}

void TarnelS2CellDiagramReport::populateSteeringData(TarnelSteeringData& data) {
  TarnelEntityReport::populateSteeringData(data);
  data.runMacro(kDiagramMacro);
  data.PFWorkbookName(excelTemplateFile());
  for (int frame = 0; frame < kFrames; ++frame) kTemplateSetters[frame](data, frtemplate[frame]);
  for (int frame = 0; frame < kFrames; ++frame) kFrtechSetters[frame](data, frtech[frame]);
  data.PFDataFileName(dataManager().streamFilename(streamNumber));
}

// ---------------------------------------------------------------------------
// CDMA layout.

void TarnelS2CellDiagramReport::Get_cdma_data() {
  for (size_t s = 0; s < std::size(kCdmaSections); ++s) writeCdmaSection(static_cast<int>(s));
}

bool TarnelS2CellDiagramReport::inCdmaGrowthFrame(const RWEString& frame) const {
  return (frtech[1] == "c" && frame == "1") || (frtech[2] == "c" && frame == "2");
}

void TarnelS2CellDiagramReport::writeCdmaSection(int index) {
  const CdmaSection& section = kCdmaSections[index];
  if (section.gate == kWhenCdmaGrowth && !hasFlag(kCdmaGrowth)) return;
  if (section.gate == kWhenCmPrimary && !hasFlag(kCmPrimary)) return;
  KvXMLElement* query = layoutQuery(*this, section.query);
  SmartPtr<KvXMLElement> result = xmlResult(query);
  XMLQueryResult table(query, result, XMLQueryResult::_TABLE1, '|', TRAILING);
  for (int r = 0; r < table.numRows; ++r) {
    const RWEStringCollection& row = table.row(r);
    const RWEString& frame = columnOr(row, section.frameColumn, kNone);
    const RWEString& shelf = columnOr(row, section.shelfColumn, kNone);
    bool growth = inCdmaGrowthFrame(frame);
    if (section.growthRowsOnly && !growth) continue;
    bool active = section.statusColumn < 0 || isActive(row.getString(section.statusColumn));
    const int* positions = growth ? section.growthPositions : section.primaryPositions;
    int unit = section.unitColumn < 0
                   ? 0
                   : section.unitSign * std::atoi(row.getString(section.unitColumn).data());
    for (size_t l = 0; l < section.lines.count; ++l) {
      const LineFormat& line = section.lines.formats[l];
      if (line.needsActive && !active) continue;
      RWEString position = section.positionColumn >= 0 ? row.getString(section.positionColumn)
                                                       : intText(positions[line.group] + unit);
      writeLine(line.kind, frame, shelf, position, lineText(line, row));
    }
  }
}

// ---------------------------------------------------------------------------
// AMPS/TDMA layout.

void TarnelS2CellDiagramReport::Get_amps_tdma_data() {
  writeRtus();
  writeRadios();
  writeSuRadios();
  writeLocRadios();
  for (size_t b = 0; b < std::size(kBoardSections); ++b) writeBoards(static_cast<int>(b));
  writeDcchRadios();
}

int TarnelS2CellDiagramReport::frame0Column() const {
  if (hasFlag(kS2mPrimary)) return 0;
  return hasFlag(kS2mmCea) ? 1 : 2;
}

void TarnelS2CellDiagramReport::writeRtus() {
  RWEStringCollection values;
  singleSelectByName(values, kCom2Query.name);
  if (values.isEmpty()) return;
  FieldRow rtu(*this, dataManager().query(kCom2Query.name), kCom2Query);
  rtu.point(&values);
  const AmpsRtuPlace* amps = placeFor(kAmpsRtuPlaces, flags_);
  if (rtu[rtuField::kTr] != kUnequippedCode && amps) {
    writeLine("L", kNone, amps->shelf, amps->slot, kAmpsRtuText);
    writeLine("ST", kNone, amps->shelf, amps->slot, rtu[rtuField::kTr]);
  }
  const TdmaRtuPlace* tdma = placeFor(kTdmaRtuPlaces, flags_);
  if (rtu[rtuField::kRtu] == kUnequippedCode || !tdma) return;
  const RWEString& slot = rtu[rtuField::kRtuSlot];
  const int* extra = rtu[rtuField::kHwtype] == "etdru" ? tdma->etdruOffsets : tdma->otherOffsets;
  writeLine("L", kNone, tdma->shelf, slot, kTdmaRtuText);
  if (tdma->slotsBeforeStatus) writeExtraSlots(kNone, tdma->shelf, slot, extra, kTdmaRtuText);
  writeLine("ST", kNone, tdma->shelf, slot, rtu[rtuField::kRtu] + " " + rtu[rtuField::kTdvcc]);
  if (!tdma->slotsBeforeStatus) writeExtraSlots(kNone, tdma->shelf, slot, extra, kTdmaRtuText);
}

void TarnelS2CellDiagramReport::writeRadios() {
  TrunkRows trunks(*this);
  FieldTable radios(*this, kRdtkQuery);
  for (int r = 0; r < radios.rows(); ++r) {
    const FieldRow& radio = radios.row(r);
    const FieldRow& ctmRow = trunks.forRadio(radio[radioField::kVrno]);
    const RWEString& technology = radio[radioField::kVrtech];
    const RWEString& type = radio[radioField::kTechtype];
    RWEString text = radio[radioField::kVrchnl] + radioPrefix(technology, type) +
                     radio[radioField::kStat] + " " + radio[radioField::kVrno];
    const RWEString& frame = radio[radioField::kFrame];
    const RWEString& shelf = radio[radioField::kShelf];
    const RWEString& slot = radio[radioField::kSlot];
    writeLine("L", frame, shelf, slot, text);
    writeExtraSlots(frame, shelf, slot, extraSlots(kRadioSpans, technology, type, frame0Column()),
                    text);
    writeLine("ST", frame, shelf, slot,
              "tg:" + ctmRow[ctmField::kTg] + " tm:" + ctmRow[ctmField::kTm]);
    writeLine("TR", frame, shelf, slot,
              "R:" + radio[radioField::kAnt] + " T:" + radio[radioField::kTrAnt] +
                  " sg:" + radio[radioField::kSg]);
    const RWEString& lacnum = ctmRow[ctmField::kLacnum];
    RWEString sat =
        technology == "amps" ? "s:" + radio[radioField::kSatcc] : "d:" + radio[radioField::kDvcc];
    sat += " L:";
    sat += lacnum.isNull() ? kNone : lacnum;
    sat += " M:";
    sat += radio[radioField::kMpc];
    writeLine("SAT", frame, shelf, slot, sat);
    writeLine("DRE", frame, shelf, slot,
              "ds0/1:" + ctmRow[ctmField::kDs0] + "/" + ctmRow[ctmField::kDs1]);
  }
}

void TarnelS2CellDiagramReport::writeSuRadios() {
  FieldTable radios(*this, kSuQuery);
  for (int r = 0; r < radios.rows(); ++r) {
    const FieldRow& radio = radios.row(r);
    const RWEString& type = radio[suField::kTechtype];
    RWEString text = "SU " + type + " " + radio[suField::kRadio];
    const RWEString& frame = radio[suField::kFrame];
    const RWEString& shelf = radio[suField::kShelf];
    const RWEString& slot = radio[suField::kSlot];
    writeLine("L", frame, shelf, slot, text);
    writeExtraSlots(frame, shelf, slot, extraSlots(kSuSpans, "", type, frame0Column()), text);
    writeLine("ST", frame, shelf, slot, radio[suField::kStatus] + " F:" + radio[suField::kRfpi]);
    writeLine("TR", frame, shelf, slot,
              "T:" + radio[suField::kXmit] + " LAC:" + radio[suField::kLac]);
  }
}

void TarnelS2CellDiagramReport::writeLocRadios() {
  FieldTable radios(*this, kLocQuery);
  for (int r = 0; r < radios.rows(); ++r) {
    const FieldRow& radio = radios.row(r);
    const RWEString& type = radio[locField::kType];
    RWEString text = "LOC " + radio[locField::kRadio] + " " + type;
    const RWEString& frame = radio[locField::kFrame];
    const RWEString& shelf = radio[locField::kShelf];
    const RWEString& slot = radio[locField::kSlot];
    writeLine("L", frame, shelf, slot, text);
    writeExtraSlots(frame, shelf, slot, extraSlots(kLocSpans, "", type, frame0Column()), text);
    writeLine("ST", frame, shelf, slot, radio[locField::kStatus]);
  }
}

void TarnelS2CellDiagramReport::writeBoards(int index) {
  const BoardSection& section = kBoardSections[index];
  FieldTable boards(*this, *section.query);
  for (int r = 0; r < boards.rows(); ++r) {
    const FieldRow& board = boards.row(r);
    const RWEString& shelf = board[boardField::kShelf];
    if (section.mm2sFrame0Shelf && hasFlag(kMm2sGrowth) && shelf != kNone) continue;
    const RWEString& type = board[boardField::kType];
    RWEString text = section.labels ? labelFor(section.labels, type) + board[boardField::kNumber]
                                    : type + " " + board[boardField::kNumber];
    writeLine("L", board[boardField::kFrame], shelf, board[boardField::kSlot], text);
    writeLine("ST", board[boardField::kFrame], shelf, board[boardField::kSlot],
              board[boardField::kStatus]);
  }
}

void TarnelS2CellDiagramReport::writeDcchRadios() {
  TrunkRows trunks(*this);
  FieldTable radios(*this, kDcchQuery);
  for (int r = 0; r < radios.rows(); ++r) {
    const FieldRow& radio = radios.row(r);
    const RWEString& vrno = radio[dcchField::kVrno];
    const FieldRow& ctmRow = trunks.forRadio(vrno);
    const RWEString& type = radio[dcchField::kHwtype];
    const RWEString& status = radio[dcchField::kDstat0];
    RWEString text =
        radio[dcchField::kVrchnl] + labelFor(kDcchPrefixes, type) + status + " " + vrno;
    const RWEString& frame = radio[dcchField::kFrame];
    const RWEString& shelf = radio[dcchField::kShelf];
    const RWEString& slot = radio[dcchField::kSlot];
    writeLine("L", frame, shelf, slot, text);
    writeExtraSlots(frame, shelf, slot, extraSlots(kRadioSpans, kTdma, type, frame0Column()), text);
    writeLine("ST", frame, shelf, slot,
              "tg:" + ctmRow[ctmField::kTg] + " tm:" + ctmRow[ctmField::kTm]);
    writeLine("TR", frame, shelf, slot,
              "R:" + radio[dcchField::kAnt] + " T:" + radio[dcchField::kTrAnt]);
    writeLine("SAT", frame, shelf, slot,
              "d:" + radio[dcchField::kDvcc] + " L:" + radio[dcchField::kLacnum]);
    writeLine(
        "DRE", frame, shelf, slot,
        "DCCH: " + status + "/" + radio[dcchField::kDstat1] + "/" + radio[dcchField::kDstat2]);
  }
}

// ---------------------------------------------------------------------------
// Placement lines.

void TarnelS2CellDiagramReport::writeLine(const char* kind, const RWEString& frame,
                                          const RWEString& shelf, const RWEString& position,
                                          const RWEString& text) {
  RWEString line(kind);
  line += '\t';
  line += frame;
  line += '\t';
  line += shelf;
  line += '\t';
  line += position;
  line += '\t';
  line += text;
  line += '\n';
  std::ostream& os = stream(streamNumber);
  os << line;
  os.flush();
}

void TarnelS2CellDiagramReport::writeExtraSlots(const RWEString& frame, const RWEString& shelf,
                                                const RWEString& slot, const int* offsets,
                                                const RWEString& text) {
  int n = std::atoi(slot.data());
  for (; *offsets != 0; ++offsets) writeLine("L", frame, shelf, intText(n + *offsets), text);
}

std::vector<std::string> TarnelS2CellDiagramReport::layoutQueries() {
  std::vector<std::string> names;
  for (const AmpsQuery* q : {&kCom2Query, &kRdtkQuery, &kCtmQuery, &kSuQuery, &kLocQuery, &kDcchQuery,
                             &kDs1Query, &kCatQuery}) {
    names.push_back(q->name);
  }
  for (const CdmaSection& section : kCdmaSections) names.push_back(section.query);
  return names;
}
