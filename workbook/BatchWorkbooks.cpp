#include "workbook/BatchWorkbooks.h"

#include "workbook/Layout.h"
#include "workbook/SheetStack.h"
#include "workbook/WorkbookError.h"

namespace {
typedef Layout::Cell Cell;

const char kIndexSheet[] = "Index";
const char kNotRun[] = "not run";
const char kWritten[] = "written";
const char* const kHeadings[] = {"Id", "Name", "Outcome", "Message", "Workbook"};
}  // namespace

BatchWorkbooks::BatchWorkbooks(std::string templatesFolder, const std::vector<int>& instances)
    : maker_(std::move(templatesFolder)), instances_(instances.size()) {
  positions_.reserve(instances.size());
  for (size_t i = 0; i < instances.size(); ++i) {
    instances_[i].id = instances[i];
    positions_.emplace(instances[i], i);
  }
}

BatchWorkbooks::Instance* BatchWorkbooks::find(int instanceId) {
  auto at = positions_.find(instanceId);
  return at == positions_.end() ? nullptr : &instances_[at->second];
}

void BatchWorkbooks::make(int instanceId, const std::string& steeringPath) {
  ReportFiles files = ReportFiles::read(steeringPath);
  WorkbookMaker::Made made = maker_.make(files, WorkbookMaker::stemOf(steeringPath, ""));
  std::lock_guard<std::mutex> guard(lock_);
  if (Instance* i = find(instanceId)) i->workbook = WorkbookMaker::extensionOf(made.path);
  if (!made.missing.empty()) ++missing_[made.missing];
}

void BatchWorkbooks::record(int instanceId, const std::string& name, const std::string& outcome,
                            const std::string& message) {
  std::lock_guard<std::mutex> guard(lock_);
  if (Instance* i = find(instanceId)) {
    i->name = name;
    i->outcome = outcome;
    i->message = message;
  }
}

void BatchWorkbooks::recordEarlier(int instanceId, const std::string& steeringPath) {
  std::string name;
  try {
    name = ReportFiles::read(steeringPath).run().instanceName;
  } catch (const WorkbookError&) {
    // Its files are not what the journal vouched for: the row keeps no name.
  }
  const char* workbook = WorkbookMaker::existingAt(WorkbookMaker::stemOf(steeringPath, ""));
  std::lock_guard<std::mutex> guard(lock_);
  if (Instance* i = find(instanceId)) {
    i->name = name;
    i->outcome = kWritten;
    i->workbook = workbook;
  }
}

std::map<std::string, int> BatchWorkbooks::missing() const {
  std::lock_guard<std::mutex> guard(lock_);
  return missing_;
}

void BatchWorkbooks::writeIndex(const std::string& path, const std::string& title,
                                const std::string& filePrefix) const {
  Layout::Table table;
  Layout::Row header;
  for (const char* h : kHeadings) header.push_back(Cell::textOf(h, Cell::kHeader));
  table.header.push_back(header);
  {
    std::lock_guard<std::mutex> guard(lock_);
    for (const Instance& i : instances_) {
      Cell link;
      if (i.workbook) {
        link = Cell::textOf(filePrefix + std::to_string(i.id) + i.workbook);
        link.link = link.text;
      }
      table.body.push_back({Cell::numberOf(i.id), Cell::textOf(i.name),
                            Cell::textOf(i.outcome.empty() ? kNotRun : i.outcome), Cell::textOf(i.message), link});
    }
  }
  table.filter = true;
  Layout layout;
  layout.title = title;
  Layout::Sheet sheet;
  sheet.kind = Layout::Sheet::kIndex;
  sheet.name = kIndexSheet;
  SheetStack stack(sheet);
  stack.addTitle(title, std::to_string(instances_.size()) + " instances; each workbook is linked from its row.");
  sheet.frozenRows = stack.nextRow() + 1;
  stack.add(std::move(table));
  layout.sheets.push_back(std::move(sheet));
  WorkbookMaker::writeWhole(layout, path);
}
