// BatchWorkbooks: the workbooks of a run or a batch. make() is called from the
// worker that ran an instance, right after its files were written (the
// host's after-run hook), and makes the instance's workbook (WorkbookMaker);
// record() notes each instance's outcome as the batch reports it. At the end,
// missing() counts the templates that were named but not found, once per
// template name, and writeIndex() writes the batch's index workbook: one row
// per instance, in the batch's order, with its id, name, outcome, message and
// a link to its workbook. Thread-safe.
#ifndef TARNEL_WORKBOOK_BATCHWORKBOOKS_H_
#define TARNEL_WORKBOOK_BATCHWORKBOOKS_H_

#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "workbook/WorkbookMaker.h"

class BatchWorkbooks {
 public:
  // The workbooks of `instances` (the batch's list, in order);
  // `templatesFolder` "": every workbook is generated.
  BatchWorkbooks(std::string templatesFolder, const std::vector<int>& instances);
  BatchWorkbooks(const BatchWorkbooks&) = delete;
  BatchWorkbooks& operator=(const BatchWorkbooks&) = delete;

  // Makes the workbook of the run whose steering data is `steeringPath`,
  // beside it. Throws WorkbookError naming the file at fault.
  void make(int instanceId, const std::string& steeringPath);
  // Notes what became of an instance: `outcome` is "written", "skipped",
  // "message" or "failed"; `name` its catalogue name.
  void record(int instanceId, const std::string& name, const std::string& outcome,
              const std::string& message);
  // Notes an instance that an earlier run of a resumed batch wrote: written,
  // its name from its steering data `steeringPath`, its workbook the one
  // beside it. Its template, if missing, is not counted again.
  void recordEarlier(int instanceId, const std::string& steeringPath);
  // Template names that were not found, with the number of instances that named each.
  std::map<std::string, int> missing() const;
  // Writes the index to `path`, titled `title`; an instance's workbook is
  // `filePrefix` + its id + ".xlsx" (or ".xlsm") beside it, and an instance
  // never recorded is "not run". Throws WorkbookError.
  void writeIndex(const std::string& path, const std::string& title, const std::string& filePrefix) const;

 private:
  struct Instance {
    int id = 0;
    std::string name, outcome, message;  // short texts: no allocation of their own
    const char* workbook = nullptr;      // the extension of the workbook made
  };
  Instance* find(int instanceId);

  WorkbookMaker maker_;
  mutable std::mutex lock_;
  std::vector<Instance> instances_;
  std::unordered_map<int, size_t> positions_;
  std::map<std::string, int> missing_;
};

#endif  // TARNEL_WORKBOOK_BATCHWORKBOOKS_H_
