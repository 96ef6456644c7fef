#include <gtest/gtest.h>
#include <sys/stat.h>
#include <xlsxwriter.h>

#include <functional>
#include <memory>

#include "tests/support/TestFiles.h"
#include "tests/support/Thrown.h"
#include "tests/support/XlsxReader.h"
#include "workbook/PartName.h"
#include "workbook/SheetReference.h"
#include "workbook/TemplatePackage.h"
#include "workbook/TemplateWorkbook.h"
#include "workbook/WorkbookError.h"
#include "workbook/XmlPart.h"
#include "workbook/ZipArchive.h"
#include "workbook/ZipWriter.h"

namespace {

const std::string kSource = std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/tests/workbook/"));
const std::string kExamples = kSource + "/examples/templates";

ReportFiles files(std::vector<ReportFiles::Entry> steering, std::string stream = "") {
  return ReportFiles(std::move(steering), std::move(stream), RunInfo());
}

// A written workbook read back: its cells (XlsxReader), sheets with their
// state, defined names and charts.
struct ReadBack : XlsxReader {
  explicit ReadBack(const std::string& path)
      : XlsxReader(path), bytes(std::make_shared<const std::string>(readFile(path))), package(bytes, path),
        zip(bytes, path) {}

  // "name", or "name (hidden)", in order.
  std::vector<std::string> sheets() const {
    std::vector<std::string> list;
    xmlNode* all = XmlPart::child(package.xml(package.workbookPart())->root(), "sheets");
    for (xmlNode* s : XmlPart::children(all, "sheet")) {
      list.push_back(XmlPart::attribute(s, "name") + (XmlPart::hasAttribute(s, "state") ? " (hidden)" : ""));
    }
    return list;
  }
  // "name@sheet=text" of each defined name ("name=text" for global ones).
  std::vector<std::string> names() const {
    std::vector<std::string> list;
    xmlNode* all = XmlPart::child(package.xml(package.workbookPart())->root(), "definedNames");
    for (xmlNode* d : XmlPart::children(all, "definedName")) {
      std::string sheet = XmlPart::attribute(d, "localSheetId");
      list.push_back(XmlPart::attribute(d, "name") + (sheet.empty() ? "" : "@" + sheet) + "=" + XmlPart::text(d));
    }
    return list;
  }
  // The chart formulas drawn on `sheet` (sheet, drawing, chart relationships followed).
  std::vector<std::string> chartFormulas(const std::string& sheet) const {
    std::string sheetPart = package.sheets()[package.sheetIndex(sheet)].part;
    std::string drawing = TemplatePackage::target(package.xml(PartName::relsOf(sheetPart)), sheetPart, "/drawing");
    std::string chart = TemplatePackage::target(package.xml(PartName::relsOf(drawing)), drawing, "/chart");
    std::vector<std::string> list{chart};
    std::function<void(xmlNode*)> walk = [&](xmlNode* n) {
      for (xmlNode* c : XmlPart::children(n, "")) {
        if (std::string(reinterpret_cast<const char*>(c->name)) == "f") list.push_back(XmlPart::text(c));
        walk(c);
      }
    };
    walk(XmlPart(part(chart), chart, "read back").root());
    return list;
  }

  std::shared_ptr<const std::string> bytes;
  TemplatePackage package;
  ZipArchive zip;
};

// Diagrams.xltm: a cover, a hidden diagram sheet "PivCell" with a chart of
// its own cells and a print area, a hidden Data sheet, and a VBA project.
void writeDiagrams(const std::string& dir) {
  writeFile(dir + "/vbaProject.bin", "not really a VBA project");
  std::string xlsm = dir + "/draft.xlsm";
  lxw_workbook* wb = workbook_new(xlsm.c_str());
  worksheet_write_formula(workbook_add_worksheet(wb, "Cover"), 0, 0, "=Steering!B1", nullptr);
  lxw_worksheet* piv = workbook_add_worksheet(wb, "PivCell");
  for (int r = 0; r < 3; ++r) worksheet_write_number(piv, r, 0, r + 1, nullptr);
  lxw_chart* chart = workbook_add_chart(wb, LXW_CHART_COLUMN);
  chart_add_series(chart, nullptr, "=PivCell!$A$1:$A$3");
  worksheet_insert_chart(piv, 4, 1, chart);
  worksheet_print_area(piv, 0, 0, 9, 4);
  worksheet_hide(piv);
  lxw_worksheet* data = workbook_add_worksheet(wb, "Data");
  worksheet_write_string(data, 0, 0, "placeholder", nullptr);
  worksheet_hide(data);
  workbook_add_vba_project(wb, (dir + "/vbaProject.bin").c_str());
  ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
  ASSERT_EQ(rename(xlsm.c_str(), (dir + "/Diagrams.xltm").c_str()), 0);
}

TEST(TemplateWorkbook, ChoosesTheTemplateTheSteeringDataNames) {
  TempFolder temp;
  const std::string& dir = temp.path;
  for (const char* name : {"CellParameters.xltx", "S2CellDiagram.xltx"}) {
    writeFile(dir + "/" + name, readFile(kExamples + "/" + name));
  }
  writeFile(dir + "/Both.xlsx", readFile(kExamples + "/nghbr.xltx"));
  writeFile(dir + "/Both.xltx", readFile(kExamples + "/nghbr.xltx"));
  writeDiagrams(dir);
  struct Case {
    std::vector<ReportFiles::Entry> steering;
    std::string path, missing;
    bool macros;
  };
  const std::vector<Case> cases = {
      {{{"runMacro", "0"}, {"PFTemplateName", "CellParameters.xlt"}}, "CellParameters.xltx", "", false},
      {{{"runMacro", "5"}, {"PFTemplateName", "CellParameters"}}, "CellParameters.xltx", "", false},
      {{{"PFTemplateName", "C:\\Templates\\CellParameters.XLT"}}, "CellParameters.xltx", "", false},
      {{{"PFTemplateName", "../../etc/CellParameters.xls"}}, "CellParameters.xltx", "", false},
      {{{"PFTemplateName", "Both.xlt"}}, "Both.xltx", "", false},
      {{{"PFTemplateName", "Diagrams.xlt"}}, "Diagrams.xltm", "", true},
      {{{"PFTemplateName", "Missing.xlt"}}, "", "Missing.xlt", false},
      {{{"PFTemplateName", ".."}}, "", "..", false},
      {{{"PFTemplateName", ""}}, "", "", false},
      {{{"runMacro", "6"}, {"CRSDataFile", "evdo.txt"}, {"PFTemplateName", "CellParameters.xlt"}}, "", "", false},
      {{{"runMacro", "3"}, {"PFWorkbookName", "S2CellDiagram.xls"}, {"PFTemplate0", "s2m.xlt"},
        {"PFTemplate1", "UNKNOWN.xlt"}, {"PFTemplate2", "UNEQUIPPED"}},
       "S2CellDiagram.xltx", "", false},
      {{{"runMacro", "3"}, {"PFWorkbookName", "S2CellDiagram.xls"}, {"PFTemplate0", "s2x.xlt"}},
       "", "S2CellDiagram.xls: sheet s2x", false},
      {{{"runMacro", "4"}, {"PFBrivantWorkbook", "Diagrams.xls"}, {"PFBrivantTemplate", "PivCell.xlt"}},
       "Diagrams.xltm", "", true},
      {{{"runMacro", "4"}, {"PFBrivantWorkbook", "Diagrams.xls"}, {"PFBrivantTemplate", "KelBTS.xlt"}},
       "", "Diagrams.xls: sheet KelBTS", false},
  };
  for (const Case& c : cases) {
    TemplateChoice choice = TemplateWorkbook::choose(files(c.steering), dir);
    std::string expected = c.path.empty() ? "" : dir + "/" + c.path;
    EXPECT_EQ(choice.path + "|" + choice.missing + "|" + std::to_string(choice.macros),
              expected + "|" + c.missing + "|" + std::to_string(c.macros))
        << c.steering.back().second;
  }
  EXPECT_EQ(TemplateWorkbook::choose(files(cases[0].steering), "").path, "");
}

TEST(TemplateWorkbook, FilledTemplateHasDataAndSteeringAndKeepsTheRest) {
  setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
  TempFolder temp;
  const std::string& dir = temp.path;
  const std::string out = dir + "/cell.xlsx";
  // The stream's last line without its line end; an empty steering value.
  ReportFiles report = files({{"runMacro", "0"}, {"PFTemplateName", "CellParameters.xlt"}, {"PFDataFileName", "c.txt"},
                              {"PFFrtech1", ""}},
                             "CellName\tCELL 7 \ncell_number\t7\n\nFACE_x[0]\t=\"0042\"\t\t-3\n"
                             "t\tZ\xC3\xBCrich|2\x01\xFF_x0041_");
  TemplateChoice choice = TemplateWorkbook::choose(report, kExamples);
  TemplateWorkbook::fill(choice, report, out);
  ReadBack book(out);
  EXPECT_EQ(book.sheets(), (std::vector<std::string>{"Cell Parameters", "Data", "Steering"}));
  EXPECT_EQ(book.rows("Data"), (std::vector<std::string>{"\"CellName\" | \"CELL 7 \"", "\"cell_number\" | 7", "",
                                                         "\"FACE_x[0]\" | \"0042\" |  | -3",
                                                         "\"t\" | \"Z\xC3\xBCrich|2_x0001_\xEF\xBF\xBD_x005F_x0041_\""}));
  EXPECT_EQ(book.rows("Steering"), (std::vector<std::string>{"\"runMacro\" | 0",
                                                             "\"PFTemplateName\" | \"CellParameters.xlt\"",
                                                             "\"PFDataFileName\" | \"c.txt\"", "\"PFFrtech1\""}));
  EXPECT_NE(book.part("[Content_Types].xml").find("spreadsheetml.sheet.main+xml"), std::string::npos);
  EXPECT_NE(book.part("xl/workbook.xml").find("<calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/>"), std::string::npos);
  EXPECT_NE(book.part("docProps/core.xml").find(">2023-11-14T22:13:20Z</dcterms:modified>"), std::string::npos);
  // Everything the filler does not own is the template's, compressed data and all.
  ReadBack original(kExamples + "/CellParameters.xltx");
  for (const char* part : {"xl/worksheets/sheet1.xml", "xl/styles.xml", "xl/theme/theme1.xml", "xl/sharedStrings.xml"}) {
    zip_stat_t a, b;
    zip_stat(book.zip.handle(), part, 0, &a);
    zip_stat(original.zip.handle(), part, 0, &b);
    EXPECT_EQ(book.part(part), original.part(part)) << part;
    EXPECT_EQ(a.comp_size, b.comp_size) << part;
  }
  TemplateWorkbook::fill(choice, report, dir + "/again.xlsx");
  EXPECT_EQ(readFile(dir + "/again.xlsx"), readFile(out));
}

TEST(TemplateWorkbook, FramesAreTheirTemplateSheetsRenamedOrCopied) {
  TempFolder temp;
  const std::string& dir = temp.path;
  const std::string out = dir + "/s2.xlsx";
  ReportFiles report = files({{"runMacro", "3"}, {"PFWorkbookName", "S2CellDiagram.xls"}, {"PFTemplate0", "s2m.xlt"},
                              {"PFTemplate1", "s2cmg.xlt"}, {"PFTemplate2", "UNEQUIPPED"}, {"PFTemplate3", "s2cmg.xlt"},
                              {"PFTemplate4", "UNKNOWN.xlt"}, {"PFTemplate5", "UNEQUIPPED"}});
  TemplateWorkbook::fill(TemplateWorkbook::choose(report, kExamples), report, out);
  ReadBack book(out);
  EXPECT_EQ(book.sheets(),
            (std::vector<std::string>{"Site", "Frame 0", "Frame 1", "Frame 3", "Frame 4", "s2prim (hidden)",
                                      "s2cm (hidden)", "s2ptm (hidden)", "s2gr (hidden)", "s2cdma (hidden)",
                                      "s2mm2s (hidden)", "s2ddgf (hidden)", "s2ptmg (hidden)", "s2rg (hidden)",
                                      "Data", "Steering"}));
  std::vector<std::string> names = book.names(), frames;
  for (const std::string& n : names) {
    if (n.find("@1=") != std::string::npos || n.find("@3=") != std::string::npos) frames.push_back(n);
  }
  EXPECT_EQ(frames, (std::vector<std::string>{"_xlnm.Print_Area@3='Frame 3'!$A$1:$I$30",
                                              "_xlnm.Print_Area@1='Frame 0'!$A$1:$I$30", "FrameNumber@1=0",
                                              "FrameNumber@3=3"}));
}

TEST(TemplateWorkbook, CopiedSheetsTakeTheirChartsAlongAndMacrosStay) {
  TempFolder temp;
  const std::string& dir = temp.path;
  writeDiagrams(dir);
  ReportFiles frames = files({{"runMacro", "3"}, {"PFWorkbookName", "Diagrams"}, {"PFTemplate0", "PivCell.xlt"},
                              {"PFTemplate1", "PivCell.xlt"}}, "a\t1\n");
  TemplateWorkbook::fill(TemplateWorkbook::choose(frames, dir), frames, dir + "/frames.xlsm");
  ReadBack book(dir + "/frames.xlsm");
  EXPECT_EQ(book.sheets(), (std::vector<std::string>{"Cover", "Frame 0", "Frame 1", "Data (hidden)", "Steering"}));
  EXPECT_EQ(book.chartFormulas("Frame 0"), (std::vector<std::string>{"xl/charts/chart1.xml", "'Frame 0'!$A$1:$A$3"}));
  EXPECT_EQ(book.chartFormulas("Frame 1"), (std::vector<std::string>{"xl/charts/chart2.xml", "'Frame 1'!$A$1:$A$3"}));
  EXPECT_EQ(book.rows("Data"), std::vector<std::string>{"\"a\" | 1"});
  EXPECT_EQ(book.part("xl/vbaProject.bin"), "not really a VBA project");
  EXPECT_NE(book.part("[Content_Types].xml").find("sheet.macroEnabled.main+xml"), std::string::npos);

  ReportFiles diagram = files({{"runMacro", "4"}, {"PFBrivantWorkbook", "Diagrams.xls"}, {"PFBrivantTemplate", "PivCell"}});
  TemplateWorkbook::fill(TemplateWorkbook::choose(diagram, dir), diagram, dir + "/diagram.xlsm");
  EXPECT_EQ(ReadBack(dir + "/diagram.xlsm").sheets(),
            (std::vector<std::string>{"Cover", "Diagram", "Data (hidden)", "Steering"}));
}

// A template made wrong in one way; {T} stands for its path, {D} for the folder.
TEST(TemplateWorkbook, BadTemplatesAndFailedWritesNameTheFile) {
  TempFolder temp;
  const std::string& dir = temp.path;
  const std::string good = readFile(kExamples + "/CellParameters.xltx");
  // The good template without the entry `dropped`, with an entry `added` of 101 MiB of zeros.
  auto rewritten = [&](const std::string& dropped, const std::string& added = "") {
    return [=](const std::string& path) {
      ZipArchive in(std::make_shared<const std::string>(good), "good");
      ZipWriter out(path);
      for (size_t i = 0; i < in.size(); ++i) {
        if (in.name(i) != dropped) out.copy(in, i, in.name(i));
      }
      if (!added.empty()) out.add(added, std::string(101 << 20, '\0'), 0, ZipWriter::kDeflate);
      out.write();
    };
  };
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
    std::string out, message;
  };
  const std::vector<Case> cases = {
      {"not a zip", [](const std::string& p) { writeFile(p, "Cell;Parameters\n"); }, "", "Not a workbook (not a zip archive): {T}"},
      {"truncated", [&](const std::string& p) { writeFile(p, good.substr(0, good.size() / 2)); }, "",
       "Damaged workbook (truncated or inconsistent zip archive): {T}"},
      {"no workbook part", rewritten("xl/workbook.xml"), "", "No workbook part in template: {T}"},
      {"a sheet's part missing", rewritten("xl/worksheets/sheet1.xml"), "",
       "Template lacks the part of sheet 'Cell Parameters': {T}"},
      {"expands past 100 MiB", rewritten("", "xl/media/huge.bin"), "", "Workbook would expand past 100 MiB: {T}"},
      {"unreadable", [](const std::string& p) { mkdir(p.c_str(), 0755); }, "", "Cannot read template {T}: Is a directory"},
      {"full disk", [&](const std::string& p) { writeFile(p, good); }, "/dev/full",
       "Cannot write workbook /dev/full: No space left on device"},
      {"unwritable out folder", [&](const std::string& p) { writeFile(p, good); }, "{D}/none/x.xlsx",
       "Cannot write workbook {D}/none/x.xlsx: No such file or directory"},
  };
  auto expand = [&](std::string text, const std::string& path) {
    for (size_t at; (at = text.find("{T}")) != std::string::npos;) text.replace(at, 3, path);
    for (size_t at; (at = text.find("{D}")) != std::string::npos;) text.replace(at, 3, dir);
    return text;
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    std::string stem = "Bad" + std::to_string(i), path = dir + "/" + stem + ".xltx";
    cases[i].make(path);
    ReportFiles report = files({{"PFTemplateName", stem + ".xlt"}});
    EXPECT_EQ(thrown<WorkbookError>([&] {
                TemplateWorkbook::fill(TemplateWorkbook::choose(report, dir), report, expand(cases[i].out, path));
              }),
              expand(cases[i].message, path))
        << cases[i].what;
  }
}

TEST(TemplateWorkbook, RenamedSheetsAreRenamedInFormulas) {
  const std::vector<std::vector<std::string>> cases = {
      {"s2m!$A$1:$A$3", "'Frame 0'!$A$1:$A$3"},
      {"SUM('s2m'!A1,S2M!B2,xs2m!C3)", "SUM('Frame 0'!A1,'Frame 0'!B2,xs2m!C3)"},
      {"\"s2m!A1\"&[1]s2m!A1&'it''s'!A1", "\"s2m!A1\"&[1]s2m!A1&'it''s'!A1"},
  };
  for (const auto& c : cases) EXPECT_EQ(SheetReference::renamed(c[0], "s2m", "Frame 0"), c[1]);
  EXPECT_EQ(SheetReference::renamed("'it''s'!A1", "it's", "Diagram"), "Diagram!A1");
}

TEST(TemplateWorkbook, ExampleTemplatesAreWhatTheGeneratorMakes) {
  TempFolder temp;
  const std::string& dir = temp.path;
  ASSERT_EQ(std::system((std::string(MAKE_TEMPLATES_BINARY) + " " + dir).c_str()), 0);
  for (const char* name : {"CellParameters.xltx", "nghbr.xltx", "S2CellDiagram.xltx"}) {
    EXPECT_TRUE(readFile(dir + "/" + name) == readFile(kExamples + "/" + name)) << name << " differs from the generator's";
  }
}

}  // namespace
