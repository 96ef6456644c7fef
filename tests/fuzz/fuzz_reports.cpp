// Fuzz target: every report class of the library driven through a whole run
// by a fuzzed configuration, against an in-memory connection that answers
// every statement with rows derived from the input. A report may end with a
// KvException (a configuration error); anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/ReportRegistry.h"
#include "framework/KvException.h"
#include "framework/KvXMLQuery.h"
#include "framework/ResultDocument.h"
#include "framework/TarnelReportInfo.h"
#include "framework/TarnelSteeringData.h"
#include "framework/XMLQueryInterface.h"
#include "framework/XMLDocument.h"
#include "tests/support/InMemoryDataManager.h"

namespace {

// Answers every statement with rows made from the input's bytes, and every
// procedure's output arguments with short texts.
class FuzzConnection : public XMLQueryInterface {
 public:
  explicit FuzzConnection(const RWEString& seed) : seed_(seed) {}
  KvXMLElement* executeQuery(const KvXMLQuery& query) override {
    ResultDocument result;
    for (const KvXMLQuery::Statement& s : query.statements()) {
      size_t h = std::hash<std::string>()(s.text.str()) ^ seed_.length();
      for (size_t r = 0; r < h % 4; ++r) {
        RWEStringCollection row;
        for (size_t c = 0; c < (h >> 3) % 9; ++c) {
          size_t at = (h + r * 7 + c * 13) % (seed_.length() + 1);
          row.insert(c == 0 ? intText(static_cast<int>(h % 100)) : seed_(at, (h >> c) % 12));
        }
        result.addRow(std::move(row));
      }
      for (const KvXMLQuery::Argument& a : s.arguments) {
        if (!a.input) result.addArg(a.name, (h & 1) ? "e" : "u");
      }
    }
    return result.release().release();
  }

 private:
  RWEString seed_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RWEString text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<KvXMLElement> config;
  try {
    config = XMLDocument::parseText(text, "fuzz.xml");
  } catch (const KvException&) {
    return 0;
  }
  static const ReportRegistry registry = [] {
    ReportRegistry builtIn;
    tarnel_report_library(&builtIn, ReportRegistry::kAbiVersion);
    return builtIn;
  }();
  for (const std::string& name : registry.classNames()) {
    FuzzConnection connection(text);
    InMemoryDataManager data;
    try {
      data.defineQueries(text.str());
    } catch (const KvException&) {
    }
    data.series[7] = static_cast<int>(size % 11);
    RecordingLogUser log;
    std::unique_ptr<TarnelEntityReport> report =
        registry.find(name)(RWEString(name), connection, data, log);
    report->setConfigElement(config.get());
    try {
      TarnelReportInfo info(7, "");
      report->configure(info);
      report->preBuild();
      report->buildReport();
      report->postBuild();
      TarnelSteeringData steering;
      report->populateSteeringData(steering);
    } catch (const KvException&) {
    }
  }
  return 0;
}
