#include "portal/RunArchive.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "framework/KvException.h"

namespace {
const char kRunsFolder[] = "runs";
const char kBatchesFolder[] = "batches";

void removeTree(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}
}  // namespace

RunArchive::Run::Run(int number, const ReportCatalogue::Entry& report, int instanceId,
                     std::string folder)
    : number(number), report(report), instanceId(instanceId), folder(std::move(folder)) {}

RunArchive::Run::~Run() { removeTree(folder); }

RunArchive::RunArchive(size_t keptRuns) : keptRuns_(std::max<size_t>(keptRuns, 1)) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tarnel-portal-XXXXXX";
  if (!mkdtemp(&pattern[0])) {
    throw KvException(RWEString("Cannot make the portal's working folder " + pattern));
  }
  root_ = pattern;
  for (const char* kind : {kRunsFolder, kBatchesFolder}) {
    if (mkdir((root_ + "/" + kind).c_str(), 0700) != 0) {
      removeTree(root_);
      throw KvException(RWEString("Cannot make a folder in " + root_));
    }
  }
}

RunArchive::~RunArchive() {
  runs_.clear();
  removeTree(root_);
}

std::string RunArchive::newFolder(const std::string& kind, int number) const {
  std::string folder = root_ + "/" + kind + "/" + std::to_string(number);
  if (mkdir(folder.c_str(), 0700) != 0) throw KvException(RWEString("Cannot make " + folder));
  return folder;
}

std::shared_ptr<RunArchive::Run> RunArchive::newRun(const ReportCatalogue::Entry& report,
                                                    int instanceId) {
  int number;
  {
    std::lock_guard<std::mutex> guard(lock_);
    number = ++lastRun_;
  }
  return std::make_shared<Run>(number, report, instanceId, newFolder(kRunsFolder, number));
}

void RunArchive::keep(const std::shared_ptr<Run>& run) {
  std::shared_ptr<Run> dropped;
  std::lock_guard<std::mutex> guard(lock_);
  auto at = std::upper_bound(runs_.begin(), runs_.end(), run->number,
                             [](int n, const std::shared_ptr<Run>& r) { return n < r->number; });
  runs_.insert(at, run);
  if (runs_.size() > keptRuns_) {
    dropped = std::move(runs_.front());
    runs_.pop_front();
  }
}

std::shared_ptr<const RunArchive::Run> RunArchive::run(int number) const {
  std::lock_guard<std::mutex> guard(lock_);
  auto at = std::lower_bound(runs_.begin(), runs_.end(), number,
                             [](const std::shared_ptr<Run>& r, int n) { return r->number < n; });
  return at == runs_.end() || (*at)->number != number ? nullptr : *at;
}

std::shared_ptr<BatchRun> RunArchive::newBatch(const ReportCatalogue::Entry& report,
                                               const std::vector<int>& instances) {
  std::lock_guard<std::mutex> guard(lock_);
  int number = static_cast<int>(batches_.size()) + 1;
  auto batch =
      std::make_shared<BatchRun>(number, report, instances, newFolder(kBatchesFolder, number));
  batches_[number] = batch;
  return batch;
}

std::shared_ptr<BatchRun> RunArchive::batch(int number) const {
  std::lock_guard<std::mutex> guard(lock_);
  auto it = batches_.find(number);
  return it == batches_.end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<BatchRun>> RunArchive::batches() const {
  std::lock_guard<std::mutex> guard(lock_);
  std::vector<std::shared_ptr<BatchRun>> all;
  for (auto it = batches_.rbegin(); it != batches_.rend(); ++it) all.push_back(it->second);
  return all;
}
