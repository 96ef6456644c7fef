// MicrocellDiagram: the sheet "Diagram" of the microcell-capable diagrams
// (macro code 4): microcells 1 to 6 side by side, each with its status
// (PFMcell1 to PFMcell6: "e" equipped, "u" unequipped, any other code as it
// is) and under it the stream's rows that belong to it. A row of three values
// or more belongs to microcell n when its second value is n; rows of a kind
// (the first value) whose second values are not all microcell numbers 1 to 6
// (the site's frames, say) are shown in a table of the site's rows below.
// No state; throws nothing of its own.
#ifndef TARNEL_WORKBOOK_MICROCELLDIAGRAM_H_
#define TARNEL_WORKBOOK_MICROCELLDIAGRAM_H_

#include <vector>

#include "workbook/DataSheet.h"
#include "workbook/Layout.h"
#include "workbook/ReportFiles.h"
#include "workbook/StreamBlocks.h"

class MicrocellDiagram {
 public:
  // Appends the "Diagram" sheet of `files` (stream `rows`, parsed into
  // `blocks`) to `layout`.
  static void add(const ReportFiles& files, const std::vector<DataRow>& rows,
                  const std::vector<StreamBlock>& blocks, Layout& layout);
};

#endif  // TARNEL_WORKBOOK_MICROCELLDIAGRAM_H_
