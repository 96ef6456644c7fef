// Fuzz target: a template workbook read, checked and planned as the filler
// does: its first and last sheets made frame sheets (the last one twice, so
// that a copy is made), Data and Steering replaced or added.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "workbook/TemplatePackage.h"
#include "workbook/WorkbookError.h"
#include "workbook/WorkbookPlan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto bytes = std::make_shared<const std::string>(reinterpret_cast<const char*>(data), size);
  try {
    TemplatePackage package(bytes, "fuzz.xltx");
    const std::string& first = package.sheets().front().name;
    const std::string& last = package.sheets().back().name;
    SheetRequest request{{{"Frame 0", last, 0}, {"Frame 1", first, 1}, {"Frame 2", last, 2}}};
    WorkbookPlan plan(package, request);
    plan.coreProperties(0);
  } catch (const WorkbookError&) {
  }
  return 0;
}
