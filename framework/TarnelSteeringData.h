// TarnelSteeringData: what the spreadsheet post-processor is told about a run:
// templates, workbook, frame technologies, microcell statuses, the data file
// and the macro file. Each setter records its key; a key set twice keeps its
// first place and its last value. calls() keeps every call in order.
#ifndef TARNEL_FRAMEWORK_TARNELSTEERINGDATA_H_
#define TARNEL_FRAMEWORK_TARNELSTEERINGDATA_H_

#include <utility>
#include <vector>

#include "framework/RWEString.h"

// Number of the macro file the post-processor runs: 0, 3, 4, 5 or 6.
typedef int TarnelMacroFile;

class TarnelSteeringData {
 public:
  void PFTemplate0(const RWEString& v) { set("PFTemplate0", v); }
  void PFTemplate1(const RWEString& v) { set("PFTemplate1", v); }
  void PFTemplate2(const RWEString& v) { set("PFTemplate2", v); }
  void PFTemplate3(const RWEString& v) { set("PFTemplate3", v); }
  void PFTemplate4(const RWEString& v) { set("PFTemplate4", v); }
  void PFTemplate5(const RWEString& v) { set("PFTemplate5", v); }
  void PFFrtech0(const RWEString& v) { set("PFFrtech0", v); }
  void PFFrtech1(const RWEString& v) { set("PFFrtech1", v); }
  void PFFrtech2(const RWEString& v) { set("PFFrtech2", v); }
  void PFFrtech3(const RWEString& v) { set("PFFrtech3", v); }
  void PFFrtech4(const RWEString& v) { set("PFFrtech4", v); }
  void PFFrtech5(const RWEString& v) { set("PFFrtech5", v); }
  void PFMcell1(const RWEString& v) { set("PFMcell1", v); }
  void PFMcell2(const RWEString& v) { set("PFMcell2", v); }
  void PFMcell3(const RWEString& v) { set("PFMcell3", v); }
  void PFMcell4(const RWEString& v) { set("PFMcell4", v); }
  void PFMcell5(const RWEString& v) { set("PFMcell5", v); }
  void PFMcell6(const RWEString& v) { set("PFMcell6", v); }
  void PFDataFileName(const RWEString& v) { set("PFDataFileName", v); }
  void PFTemplateName(const RWEString& v) { set("PFTemplateName", v); }
  void PFWorkbookName(const RWEString& v) { set("PFWorkbookName", v); }
  void PFBrivantTemplate(const RWEString& v) { set("PFBrivantTemplate", v); }
  void PFBrivantWorkbook(const RWEString& v) { set("PFBrivantWorkbook", v); }
  void CRSDataFile(const RWEString& v) { set("CRSDataFile", v); }
  void runMacro(TarnelMacroFile code);

  typedef std::pair<RWEString, RWEString> Entry;
  // One entry per key, in the order the keys were first set.
  const std::vector<Entry>& entries() const { return entries_; }
  // Every call, in order ("runMacro" with the code as text).
  const std::vector<Entry>& calls() const { return calls_; }
  // The value of `key`; the empty string when it was never set.
  RWEString value(const RWEString& key) const;
  bool has(const RWEString& key) const;

 private:
  void set(const char* key, const RWEString& value);

  std::vector<Entry> entries_;
  std::vector<Entry> calls_;
};

#endif  // TARNEL_FRAMEWORK_TARNELSTEERINGDATA_H_
