// LayoutBuilder: lays a report out for reading, from its stream and steering
// data alone. The stream is parsed into blocks once (StreamBlocks); the sheets
// are, in order: "Report" (a title block from the run's details, then the
// stream block by block), the pictures the macro code calls for ("Frame <i>"
// per equipped series-2 frame for code 3, "Diagram" with the microcells for
// code 4), then "Data" and "Steering" (DataSheet.h). Holds no state; safe to
// call from several threads. Throws nothing of its own.
#ifndef TARNEL_WORKBOOK_LAYOUTBUILDER_H_
#define TARNEL_WORKBOOK_LAYOUTBUILDER_H_

#include "workbook/Layout.h"
#include "workbook/ReportFiles.h"

class LayoutBuilder {
 public:
  static Layout build(const ReportFiles& files);
};

#endif  // TARNEL_WORKBOOK_LAYOUTBUILDER_H_
