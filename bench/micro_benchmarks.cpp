// Micro benchmarks of the hot paths of a report run: splitting row text,
// building and reading result tables, writing fields, looking up queries,
// binding a text's compared numbers as parameters.
// Build with -DTARNEL_BENCHMARKS=ON; run build/bench/tarnel_micro_benchmarks.
#include <benchmark/benchmark.h>

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

}  // namespace
