// FramePictures: the frames of a series-2 diagram drawn from its placement
// lines, one sheet "Frame <i>" per equipped frame (PFTemplate<i> is not
// "UNEQUIPPED"; without any PFTemplate<i>, every frame the lines name). Each
// sheet is a grid: a column per shelf (the lines' second coordinate), a row
// per position from the lowest to the highest; a unit stands at its place
// with its label over its ST, TR, SAT and DRE texts, filled by its kind
// (AMPS, TDMA or DCCH radio, RTU, SU or LOC radio, board, BBA, CCC, CCU,
// CRTU, told by its label); empty positions stay blank; a legend names the
// kinds shown. No state; throws nothing of its own.
#ifndef TARNEL_WORKBOOK_FRAMEPICTURES_H_
#define TARNEL_WORKBOOK_FRAMEPICTURES_H_

#include <string>
#include <vector>

#include "workbook/DataSheet.h"
#include "workbook/Layout.h"
#include "workbook/ReportFiles.h"
#include "workbook/StreamBlocks.h"

class FramePictures {
 public:
  // Appends the frame sheets of `files` (stream `rows`, parsed into `blocks`)
  // to `layout`.
  static void add(const ReportFiles& files, const std::vector<DataRow>& rows,
                  const std::vector<StreamBlock>& blocks, Layout& layout);

  // The kind of unit a placement label names, and its fill (0xRRGGBB).
  struct UnitKind {
    const char* name;
    uint32_t fill;
  };
  static const UnitKind& kindOf(const std::string& label);
};

#endif  // TARNEL_WORKBOOK_FRAMEPICTURES_H_
