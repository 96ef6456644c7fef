// Micro benchmarks of the hot paths of a report run: splitting row text,
// building and reading result tables, writing fields, looking up queries,
// binding a text's compared numbers as parameters, filling a template
// workbook.
// Build with -DTARNEL_BENCHMARKS=ON; run build/bench/tarnel_micro_benchmarks.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "engine/TarnelEntityReport.h"
#include "framework/KvXMLQuery.h"
#include "framework/LogUser.h"
#include "framework/ReportDataManager.h"
#include "framework/ResultDocument.h"
#include "framework/XMLQueryInterface.h"
#include "framework/XMLDocument.h"
#include "framework/XMLQueryResult.h"
#include "host/Database.h"
#include "host/ReportConfiguration.h"
#include "workbook/TemplateWorkbook.h"

namespace {

void SplitRow(benchmark::State& state) {
  RWEString text("1000004|CELL00004|2|e|40.31676|-75.18916|c|c|||||");
  RWEStringCollection values;
  for (auto _ : state) {
    values.split(text, NONE_STRIP, '|');
    benchmark::DoNotOptimize(values.entries());
  }
}
BENCHMARK(SplitRow);

void BuildAndReadResultTable(benchmark::State& state) {
  for (auto _ : state) {
    ResultDocument doc;
    for (int r = 0; r < state.range(0); ++r) {
      RWEStringCollection row;
      row.insert(intText(2000000 + r));
      row.insert("face");
      row.insert("120");
      row.insert("14.5");
      doc.addRow(std::move(row));
    }
    SmartPtr<KvXMLElement> result(doc.release().release());
    DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
    benchmark::DoNotOptimize(table.row(table.numRows - 1).entries());
  }
}
BENCHMARK(BuildAndReadResultTable)->Arg(3)->Arg(100);

class NoConnection : public XMLQueryInterface {
 public:
  KvXMLElement* executeQuery(const KvXMLQuery&) override { return nullptr; }
};

class BenchReport : public TarnelEntityReport {
 public:
  using TarnelEntityReport::TarnelEntityReport;
  void populateSteeringData(TarnelSteeringData&) override {}
  RWEString entityName() override { return "Cell"; }
  int instanceId() override { return 1000004; }
};

class NoData : public ReportDataManager {
 public:
  KvXMLElement* query(const RWEString&) override { return nullptr; }
  int openStream(const RWEString&) override { return 0; }
  std::ostream& stream(int) override { return out; }
  RWEString streamFilename(int) override { return ""; }
  int separation(const RWEString&, const RWEString&) override { return 1; }
  int inScenario(int, const RWEString&) override { return 1; }
  int seriesForCell(int) override { return 1; }
  RWEString instanceName(int) override { return "CELL00004"; }
  RWEString instanceMapName(int) override { return ""; }
  RWEString instanceMapLabel(int) override { return ""; }
  void populateTempScenarioTable(const RWEString&, const RWEString&) override {}
  std::ostringstream out;
};

class NoLog : public LogUser {
 public:
  ErrorResponse logMessage(const char*, int) override { return ER_CONTINUE; }
};

void OutputField(benchmark::State& state) {
  NoConnection connection;
  NoData data;
  NoLog log;
  BenchReport report("bench", connection, data, log);
  auto field = XMLDocument::parseText(R"(<FIELD Name="azimuth"/>)", "field");
  RWEStringCollection row;
  row.split("2000013|1|124|60|14.4", NONE_STRIP, '|');
  for (auto _ : state) {
    report.outputXML(data.out, field.get(), row, 2, 2000013, "1", "ANT_");
    if (data.out.tellp() > (1 << 20)) data.out.str("");
  }
}
BENCHMARK(OutputField);

void QueryLookup(benchmark::State& state) {
  std::string path = std::string(TARNEL_SOURCE_DIR) + "/examples/reports/laf/voice_laf.xml";
  std::string library = std::string(TARNEL_SOURCE_DIR) + "/examples/queries/common.xml";
  ReportConfiguration configuration(path, {library});
  const char* names[] = {"APcellFields", "SWfci", "APantenna2", "SWceqface", "Missing"};
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(configuration.query(names[i++ % 5]));
}
BENCHMARK(QueryLookup);

void NumbersAsParameters(benchmark::State& state) {
  const std::string sql =
      "select c.instance_id, c.cell_number, c.series, c.status, c.latitude, c.longitude "
      "from tnl_cfg_cell c join tnl_cfg_voicelaf v on v.cell_id = c.instance_id "
      "where v.instance_id = 4000003";
  for (auto _ : state) {
    Database::Parameters parameters;
    benchmark::DoNotOptimize(Database::numbersAsParameters(sql, parameters));
  }
}
BENCHMARK(NumbersAsParameters);

// One instance's workbook filled from an example template and written to
// memory (/dev/shm): the template is read and planned once, as in a batch.
// Arg 0: the cell report (CellParameters); 1: a series-2 diagram of three
// frames (S2CellDiagram).
void FillTemplate(benchmark::State& state) {
  std::string stream, face;
  for (const char* line : {"CellName\tCELL00004", "cell_number\t4", "series\t2", "status\te",
                           "latitude\t40 19  1 N", "longitude\t 75 11 21 W", "trx_count\t5", "load_data\tLD0",
                           "cch_reselect_offset\t5", "cch_hysteresis\t6", "lmt_threshold\t-96", "maho_enabled\tyes"}) {
    stream += std::string(line) + "\n";
  }
  for (int f = 0; f < 3; ++f) {
    face = "[" + std::to_string(f) + "]\t";
    stream += "FACE_AntennaName" + face + "map-CELL00004-" + std::to_string(f) + "\nFACE_face" + face +
              std::to_string(f) + "\nFACE_azimuth" + face + std::to_string(4 + 120 * f) + "\nFACE_height_m" + face +
              "24.0\n";
  }
  std::vector<ReportFiles::Entry> steering = {{"runMacro", "0"}, {"PFTemplateName", "CellParameters.xlt"},
                                              {"PFDataFileName", "cell_1000004.txt"}};
  if (state.range(0) == 1) {
    for (int row = 1; row <= 40; ++row) stream += "L\t" + std::to_string(row % 3) + "\t1\t" + std::to_string(row % 24) + "\tTDMA RTU\n";
    steering = {{"runMacro", "3"}, {"PFWorkbookName", "S2CellDiagram.xls"}, {"PFTemplate0", "s2m.xlt"},
                {"PFTemplate1", "s2gr.xlt"}, {"PFTemplate2", "s2ptmg.xlt"}, {"PFTemplate3", "UNEQUIPPED"},
                {"PFFrtech0", "s2m"}, {"PFFrtech1", "s2"}, {"PFFrtech2", "ptmg"}, {"PFDataFileName", "s2.txt"}};
  }
  ReportFiles files(steering, stream, RunInfo());
  TemplateChoice choice = TemplateWorkbook::choose(files, std::string(TARNEL_SOURCE_DIR) + "/examples/templates");
  std::string out = "/dev/shm/tarnel-bench-fill-" + std::to_string(getpid()) + ".xlsx";
  for (auto _ : state) TemplateWorkbook::fill(choice, files, out);
  std::remove(out.c_str());
}
BENCHMARK(FillTemplate)->Arg(0)->Arg(1);

}  // namespace
