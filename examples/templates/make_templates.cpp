// make_templates: writes the example template workbooks of examples/templates
// into the folder given: CellParameters (the cell report), nghbr (the LAF
// neighbour list) and S2CellDiagram (the series-2 diagram, one hidden sheet
// per frame template). Their sheets read the filled workbook's Data and
// Steering sheets through formulas. Each is laid out with libxlsxwriter and
// then made a template: the template content type, and no stored formula
// results, so that every spreadsheet computes them when the filled workbook
// is opened. The same program writes the same bytes every time.
// Usage: make_templates <folder>
#include <xlsxwriter.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "workbook/WorkbookError.h"
#include "workbook/XmlPart.h"
#include "workbook/ZipArchive.h"
#include "workbook/ZipWriter.h"

namespace {

const time_t kCreated = 1704067200;  // 2024-01-01T00:00:00Z
const char kTemplateMain[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
// Placement lines are looked for in this many lines of Data.
const char kLines[] = "2000";

struct Formats {
  lxw_format* title;
  lxw_format* header;
  lxw_format* label;
  lxw_format* value;
  lxw_format* unit;
};

Formats formats(lxw_workbook* wb) {
  Formats f;
  f.title = workbook_add_format(wb);
  format_set_bold(f.title);
  format_set_font_size(f.title, 14);
  f.header = workbook_add_format(wb);
  format_set_bold(f.header);
  format_set_bg_color(f.header, 0xDDE7F3);
  format_set_border(f.header, LXW_BORDER_THIN);
  f.label = workbook_add_format(wb);
  format_set_bold(f.label);
  f.value = workbook_add_format(wb);
  format_set_align(f.value, LXW_ALIGN_LEFT);
  f.unit = workbook_add_format(wb);
  format_set_border(f.unit, LXW_BORDER_THIN);
  format_set_align(f.unit, LXW_ALIGN_CENTER);
  format_set_text_wrap(f.unit);
  return f;
}

// The value of stream field `field` (a literal in the formula, or an expression with expr=true).
std::string field(const std::string& name, bool expr = false) {
  std::string key = expr ? name : "\"" + name + "\"";
  return "IFERROR(INDEX(Data!$B:$B,MATCH(" + key + ",Data!$A:$A,0)),\"\")";
}

// The value of steering entry `key` (an expression).
std::string steering(const std::string& key) { return "IFERROR(VLOOKUP(" + key + ",Steering!$A:$B,2,FALSE),\"\")"; }

void formula(lxw_worksheet* ws, int row, int col, const std::string& text, lxw_format* format = nullptr) {
  worksheet_write_formula(ws, row, col, ("=" + text).c_str(), format);
}

// Label and value rows from `row` on; returns the row after them.
int fields(lxw_worksheet* ws, int row, const std::vector<std::pair<const char*, const char*>>& list,
           const Formats& f) {
  for (const auto& item : list) {
    worksheet_write_string(ws, row, 0, item.first, f.label);
    formula(ws, row++, 1, field(item.second), f.value);
  }
  return row;
}

void dataSheets(lxw_workbook* wb) {
  worksheet_set_column(workbook_add_worksheet(wb, "Data"), 0, 0, 28, nullptr);
  worksheet_set_column(workbook_add_worksheet(wb, "Steering"), 0, 1, 24, nullptr);
}

void cellParameters(lxw_workbook* wb, const Formats& f) {
  lxw_worksheet* ws = workbook_add_worksheet(wb, "Cell Parameters");
  worksheet_set_column(ws, 0, 0, 24, nullptr);
  worksheet_set_column(ws, 1, 4, 18, nullptr);
  formula(ws, 0, 0, "\"Cell parameters of \"&" + field("CellName"), f.title);
  formula(ws, 1, 0, "\"Data file \"&" + steering("\"PFDataFileName\""));
  worksheet_write_string(ws, 3, 0, "Parameter", f.header);
  worksheet_write_string(ws, 3, 1, "Value", f.header);
  int row = fields(ws, 4, {{"Cell", "CellName"}, {"Cell number", "cell_number"}, {"Series", "series"},
                           {"Status", "status"}, {"Latitude", "latitude"}, {"Longitude", "longitude"},
                           {"TRX count", "trx_count"}, {"Load data", "load_data"},
                           {"CCH reselect offset", "cch_reselect_offset"}, {"CCH hysteresis", "cch_hysteresis"},
                           {"LMT threshold (dBm)", "lmt_threshold"}, {"MAHO enabled", "maho_enabled"}},
                   f);
  const char* columns[] = {"Antenna", "Face", "Azimuth", "Height (m)"};
  const char* names[] = {"AntennaName", "face", "azimuth", "height_m"};
  row += 1;
  worksheet_write_string(ws, row, 0, "Antenna faces", f.label);
  for (int c = 0; c < 4; ++c) worksheet_write_string(ws, row + 1, c, columns[c], f.header);
  for (int face = 0; face < 6; ++face) {
    for (int c = 0; c < 4; ++c) {
      formula(ws, row + 2 + face, c,
              field("\"FACE_" + std::string(names[c]) + "[" + std::to_string(face) + "]\"", true), f.value);
    }
  }
  worksheet_print_area(ws, 0, 0, row + 7, 3);
  worksheet_fit_to_pages(ws, 1, 1);
  dataSheets(wb);
}

void neighbourList(lxw_workbook* wb, const Formats& f) {
  lxw_worksheet* ws = workbook_add_worksheet(wb, "Neighbour List");
  worksheet_set_column(ws, 0, 0, 20, nullptr);
  worksheet_set_column(ws, 1, 5, 16, nullptr);
  lxw_row_col_options hidden = {1, 0, 0};
  worksheet_set_column_opt(ws, 7, 8, 10, nullptr, &hidden);
  formula(ws, 0, 0, "\"Neighbour list of \"&" + field("VoiceLAFName"), f.title);
  int row = fields(ws, 2, {{"Cell", "CellName"}, {"Cell number", "cell_number"}, {"Antenna", "AntennaName"},
                           {"Face", "VLAF_face"}, {"LAF number", "VLAF_laf_number"}, {"SAT code", "VLAF_sat_code"},
                           {"Power (dBm)", "VLAF_power_dbm"}, {"Channel", "VLAF_channel"},
                           {"Server group", "sg_number"}, {"Antenna key", "AntennaLocalKey"},
                           {"Server group key", "SGLocalKey"}, {"DCS key", "DCSLocalKey2"}},
                   f);
  const char* tgColumns[] = {"Position", "Trunk group", "Number", "Kind", "Members"};
  const char* tgNames[] = {"position", "TrunkGroup", "tg_number", "kind", "members"};
  worksheet_write_string(ws, ++row, 0, "Trunk groups", f.label);
  for (int c = 0; c < 5; ++c) worksheet_write_string(ws, row + 1, c, tgColumns[c], f.header);
  for (int k = 1; k <= 8; ++k) {
    for (int c = 0; c < 5; ++c) {
      formula(ws, row + 1 + k, c, field("\"TG_" + std::string(tgNames[c]) + "[" + std::to_string(k) + "]\"", true),
              f.value);
    }
  }
  row += 11;
  // Neighbours are keyed by cell and sector ("NBR_cell[2A]"): the hidden
  // columns H and I find the line of the n-th neighbour and its key.
  const char* nbColumns[] = {"#", "Cell", "Sector", "LAF", "Antennas", "HO priority"};
  const char* nbNames[] = {"cell", "sector", "laf", "nant", "ho_priority"};
  const std::string lines = std::string("Data!$A$1:$A$") + kLines;
  const std::string isNeighbour = "(LEFT(" + lines + ",9)=\"NBR_cell[\")";
  const std::string notNeighbour = "(LEFT(" + lines + ",9)<>\"NBR_cell[\")";
  worksheet_write_string(ws, row, 0, "Neighbours", f.label);
  for (int c = 0; c < 6; ++c) worksheet_write_string(ws, row + 1, c, nbColumns[c], f.header);
  for (int n = 1; n <= 32; ++n) {
    int r = row + 1 + n;
    std::string at = std::to_string(r + 1);
    formula(ws, r, 7, "SUMPRODUCT(SMALL(" + isNeighbour + "*ROW(" + lines + ")+" + notNeighbour + "*1048577," +
                          std::to_string(n) + "))");
    formula(ws, r, 8, "IF($H" + at + "<1048577,MID(INDEX(Data!$A:$A,$H" + at + "),10,LEN(INDEX(Data!$A:$A,$H" + at +
                          "))-10),\"\")");
    formula(ws, r, 0, "IF($I" + at + "=\"\",\"\"," + std::to_string(n) + ")", f.value);
    for (int c = 0; c < 5; ++c) {
      formula(ws, r, c + 1,
              "IF($I" + at + "=\"\",\"\"," + field("\"NBR_" + std::string(nbNames[c]) + "[\"&$I" + at + "&\"]\"", true) +
                  ")",
              f.value);
    }
  }
  worksheet_print_area(ws, 0, 0, row + 33, 5);
  worksheet_fit_to_pages(ws, 1, 0);
  dataSheets(wb);
}

// The frame sheet `name`: the units of the frame the FrameNumber name gives,
// drawn from the placement lines of Data (kind, frame, shelf, row, text) as a
// grid of rows 1 to 24 and shelves 0 to 3, each unit with its status.
void frameSheet(lxw_workbook* wb, const Formats& f, const char* name, const char* title) {
  lxw_worksheet* ws = workbook_add_worksheet(wb, name);
  worksheet_hide(ws);
  worksheet_set_column(ws, 0, 0, 6, nullptr);
  worksheet_set_column(ws, 1, 8, 15, nullptr);
  std::string tech = steering("\"PFFrtech\"&FrameNumber");
  formula(ws, 0, 0, "\"Frame \"&FrameNumber&\": " + std::string(title) + " (\"&" + tech + "&\")\"", f.title);
  formula(ws, 1, 0, "\"Cell \"&" + field("CellName"));
  worksheet_write_string(ws, 3, 0, "Row", f.header);
  const std::string lines(kLines);
  auto column = [&](char c) { return std::string("Data!$") + c + "$1:$" + c + "$" + lines; };
  for (int shelf = 0; shelf < 4; ++shelf) {
    worksheet_write_string(ws, 3, 1 + 2 * shelf, ("Shelf " + std::to_string(shelf)).c_str(), f.header);
    worksheet_write_string(ws, 3, 2 + 2 * shelf, "Status", f.header);
  }
  for (int position = 1; position <= 24; ++position) {
    int r = 3 + position;
    worksheet_write_number(ws, r, 0, position, f.label);
    for (int shelf = 0; shelf < 4; ++shelf) {
      for (int status = 0; status < 2; ++status) {
        std::string match = "SUMPRODUCT(MAX((" + column('A') + (status ? "=\"ST\")" : "=\"L\")") + "*(" +
                            column('B') + "=FrameNumber)*(" + column('C') + "=" + std::to_string(shelf) + ")*(" +
                            column('D') + "=$A" + std::to_string(r + 1) + ")*ROW(" + column('A') + ")))";
        formula(ws, r, 1 + 2 * shelf + status, "IFERROR(INDEX(Data!$E:$E,1/(1/" + match + ")),\"\")", f.unit);
      }
    }
  }
  lxw_conditional_format occupied = {};
  occupied.type = LXW_CONDITIONAL_TYPE_NO_BLANKS;
  occupied.format = workbook_add_format(wb);
  format_set_bg_color(occupied.format, 0xFFF2CC);
  worksheet_conditional_format_range(ws, 4, 1, 27, 8, &occupied);
  worksheet_write_string(ws, 29, 0, "Each unit is the report's placement line L at its shelf and row, "
                                    "its status the line ST; the Data sheet holds them all.", nullptr);
  worksheet_set_landscape(ws);
  worksheet_print_area(ws, 0, 0, 29, 8);
  worksheet_fit_to_pages(ws, 1, 1);
}

void s2CellDiagram(lxw_workbook* wb, const Formats& f) {
  lxw_worksheet* site = workbook_add_worksheet(wb, "Site");
  worksheet_set_column(site, 0, 0, 16, nullptr);
  worksheet_set_column(site, 1, 3, 16, nullptr);
  formula(site, 0, 0, "\"Series-2 cell \"&" + field("CellName"), f.title);
  int row = fields(site, 2, {{"Cell number", "cell_number"}, {"Series", "series"}, {"Status", "status"},
                             {"CEA", "s2mmcea_t"}},
                   f);
  const char* columns[] = {"Frame", "Technology", "Template", "Sheet"};
  for (int c = 0; c < 4; ++c) worksheet_write_string(site, row + 1, c, columns[c], f.header);
  for (int frame = 0; frame < 6; ++frame) {
    int r = row + 2 + frame;
    std::string k = std::to_string(frame), at = std::to_string(r + 1);
    worksheet_write_number(site, r, 0, frame, nullptr);
    formula(site, r, 1, steering("\"PFFrtech" + k + "\""));
    formula(site, r, 2, steering("\"PFTemplate" + k + "\""));
    formula(site, r, 3, "IF(OR($C" + at + "=\"\",$C" + at + "=\"UNEQUIPPED\"),\"\",\"Frame " + k + "\")");
  }
  workbook_define_name(wb, "FrameNumber", "=0");
  const char* frames[][2] = {{"s2m", "series-2 mini primary frame"}, {"s2prim", "series-2 primary frame"},
                             {"s2cm", "CDMA primary frame"},         {"s2ptm", "PTM primary frame"},
                             {"s2gr", "series-2 growth frame"},      {"s2cmg", "CDMA module growth frame"},
                             {"s2cdma", "CDMA growth frame"},        {"s2mm2s", "MM2S growth frame"},
                             {"s2ddgf", "DDGF growth frame"},        {"s2ptmg", "PTM growth frame"},
                             {"s2rg", "RG growth frame"},            {"unknown", "frame of unknown technology"}};
  for (const auto& frame : frames) frameSheet(wb, f, frame[0], frame[1]);
  dataSheets(wb);
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Formula cells without their stored results.
void dropResults(xmlNode* node) {
  for (xmlNode* n : XmlPart::children(node, "")) {
    if (XmlPart::child(n, "f")) {
      for (xmlNode* v : XmlPart::children(n, "v")) {
        xmlUnlinkNode(v);
        xmlFreeNode(v);
      }
    } else {
      dropResults(n);
    }
  }
}

// The workbook at `from` made the template `to`.
void makeTemplate(const std::string& from, const std::string& to) {
  ZipArchive in(std::make_shared<const std::string>(readAll(from)), from);
  ZipWriter out(to);
  for (size_t i = 0; i < in.size(); ++i) {
    const std::string& name = in.name(i);
    if (name == "[Content_Types].xml") {
      XmlPart types(in.read(i), name, from);
      for (xmlNode* o : XmlPart::children(types.root(), "Override")) {
        if (XmlPart::attribute(o, "PartName") == "/xl/workbook.xml") XmlPart::setAttribute(o, "ContentType", kTemplateMain);
      }
      out.add(name, types.serialise(), kCreated, ZipWriter::kDeflate);
    } else if (name.compare(0, 14, "xl/worksheets/") == 0 && name.find("/_rels/") == std::string::npos) {
      XmlPart sheet(in.read(i), name, from);
      dropResults(sheet.root());
      out.add(name, sheet.serialise(), kCreated, ZipWriter::kDeflate);
    } else {
      out.copy(in, i, name);
    }
  }
  out.write();
}

void make(const std::string& folder, const char* name, void (*layout)(lxw_workbook*, const Formats&)) {
  std::string draft = folder + "/." + name + ".xlsx";
  lxw_workbook* wb = workbook_new(draft.c_str());
  lxw_doc_properties properties = {};
  properties.title = const_cast<char*>(name);
  properties.author = const_cast<char*>("tarnel-report");
  properties.created = kCreated;
  workbook_set_properties(wb, &properties);
  layout(wb, formats(wb));
  if (workbook_close(wb) != LXW_NO_ERROR) throw WorkbookError("Cannot write " + draft);
  makeTemplate(draft, folder + "/" + name + ".xltx");
  std::remove(draft.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_templates <folder>\n";
    return 2;
  }
  try {
    make(argv[1], "CellParameters", cellParameters);
    make(argv[1], "nghbr", neighbourList);
    make(argv[1], "S2CellDiagram", s2CellDiagram);
  } catch (const WorkbookError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
