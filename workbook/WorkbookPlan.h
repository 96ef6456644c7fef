// WorkbookPlan: how to write the filled workbooks of one template for one
// request of sheets, worked out once and followed per instance: the zip
// entries in order, each copied from the template as it is, copied from the
// parts prepared here (the edited workbook, content types, relationships,
// copied sheets; compressed once, held as a zip archive), or made per
// instance (the Data and Steering sheets, the document properties with their
// time). Immutable; the threads share one.
#ifndef TARNEL_WORKBOOK_WORKBOOKPLAN_H_
#define TARNEL_WORKBOOK_WORKBOOKPLAN_H_

#include <ctime>
#include <memory>
#include <string>
#include <vector>

class TemplatePackage;

// The sheets a macro code makes from the template's sheets, in order: "Frame
// 2" from "s2cmg" for frame 2, "Diagram" from "PivCellDiagram". A source
// sheet's first use renames it; further uses copy it.
struct SheetRequest {
  struct Sheet {
    std::string name;    // the new sheet's name
    std::string source;  // the template sheet it is made from
    int frame;           // the frame it shows (its FrameNumber name); -1 for none
  };
  std::vector<Sheet> sheets;

  std::string key() const;
};

class WorkbookPlan {
 public:
  enum Source { kCopy, kPrepared, kData, kSteering, kCore, kBytes };
  struct Entry {
    std::string name;
    Source source;
    size_t index;       // kCopy: the template's entry; kPrepared: the prepared archive's
    std::string bytes;  // kBytes (while the plan is made): the content
  };

  // Throws WorkbookError naming the template when a requested sheet is not there.
  WorkbookPlan(const TemplatePackage& package, const SheetRequest& request);

  const std::vector<Entry>& entries() const { return entries_; }
  // The zip archive of the prepared parts.
  const std::shared_ptr<const std::string>& prepared() const { return prepared_; }
  // The document properties part, created and modified at `time`.
  std::string coreProperties(time_t time) const;

  // Stands for the time in the prepared document properties.
  static const char kTimeMark[];

 private:
  std::vector<Entry> entries_;
  std::shared_ptr<const std::string> prepared_;
  std::vector<std::string> coreParts_;  // the properties split at kTimeMark
};

#endif  // TARNEL_WORKBOOK_WORKBOOKPLAN_H_
