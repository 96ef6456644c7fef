// TarnelS2CellDiagramReport: the equipment diagram of a series-2 cell site.
// The build writes the configured selects, reads the technologies of frames 0
// to 5, and writes the AMPS/TDMA and then the CDMA equipment as placement
// lines ("L"/"ST"/"TR"/"SAT"/"DRE", frame, shelf, row, text); postBuild
// chooses one spreadsheet template per frame. Nothing is thrown of its own
// accord: query and stream failures pass through as KvException.
#ifndef TARNEL_REPORTS_SERIES2_TARNELS2CELLDIAGRAMREPORT_H_
#define TARNEL_REPORTS_SERIES2_TARNELS2CELLDIAGRAMREPORT_H_

#include <string>
#include <vector>

#include "reports/cell/TarnelCellReport.h"

class TarnelS2CellDiagramReport : public TarnelCellReport {
 public:
  static const int kFrames = 6;

  // The names of the layout queries the report runs: the AMPS/TDMA ones,
  // then the CDMA ones.
  static std::vector<std::string> layoutQueries();

  // What the frame technologies say about the cell; set by buildReport.
  enum Flag : unsigned {
    kS2mPrimary = 1u << 0,  // frame 0 "s2m", "s2mm" or "s2mml" (not the CEA case)
    kPtmPrimary = 1u << 1,  // frame 0 "ptm" or "ptmc"
    kS2Primary = 1u << 2,   // frame 0 "s2", "s2e" or "cbs"
    kCdmaGrowth = 1u << 3,  // frame 1 or 2 "c"
    kMm2sGrowth = 1u << 4,  // frame 1 or 2 "m1" or "mm1"
    kCmPrimary = 1u << 5,   // frame 0 "ccm", "cccm" or "pcm"
    kAmpsTdma = 1u << 6,    // AMPS/TDMA equipment to lay out
    kCdma = 1u << 7,        // CDMA equipment to lay out
    kS2mmCea = 1u << 8,     // frame 0 "s2mm" with the CEA indicator "y"
  };

  TarnelS2CellDiagramReport(RWEString name, XMLQueryInterface& connection,
                            ReportDataManager& dataManager, LogUser& user);
  ~TarnelS2CellDiagramReport() override;

  // Opens the stream, writes the configured selects (no AP block), reads the
  // frame technologies, sets the flags, then writes the AMPS/TDMA layout when
  // it applies and the CDMA layout when it applies. Throws what the queries
  // and the stream throw.
  void buildReport() override;
  // Chooses the template of each frame from its technology; an empty
  // technology of frames 3 to 5 becomes "u". Throws nothing.
  void postBuild() override;
  // Macro files 0 and 3, the workbook, the six templates, the six frame
  // technologies and the data file name, in that order. Throws nothing.
  void populateSteeringData(TarnelSteeringData& data) override;

  // The CDMA equipment (BBA, CCC, CCU, CRTU, DS1 and CAT/SCT boards).
  void Get_cdma_data();
  // The AMPS/TDMA equipment (RTUs, radios, SU and LOC radios, DS1 and CAT/SCT
  // boards, DCCH radios).
  void Get_amps_tdma_data();

  bool hasFlag(Flag flag) const { return (flags_ & flag) != 0; }
  const RWEString& frameTechnology(int frame) const { return frtech[frame]; }
  const RWEString& frameTemplate(int frame) const { return frtemplate[frame]; }

 private:
  class FieldRow;    // a result row read by field name
  class FieldTable;  // the rows of one AMPS/TDMA query, read by field name
  class TrunkRows;   // the "SWctm" row of one radio at a time

  void readFrameTechnologies();
  void setFlagsFromTechnologies();
  bool inCdmaGrowthFrame(const RWEString& frame) const;
  void writeCdmaSection(int section);
  void writeRtus();
  void writeRadios();
  void writeSuRadios();
  void writeLocRadios();
  void writeBoards(int board);
  void writeDcchRadios();
  // The one writer of placement lines: kind, frame, shelf, row, text.
  void writeLine(const char* kind, const RWEString& frame, const RWEString& shelf,
                 const RWEString& position, const RWEString& text);
  // Further "L" lines at atoi(slot) + each offset of the zero-terminated list.
  void writeExtraSlots(const RWEString& frame, const RWEString& shelf, const RWEString& slot,
                       const int* offsets, const RWEString& text);
  // The column of the slot tables that frame 0 selects: S2M primary, S2MM
  // with CEA, or any other.
  int frame0Column() const;

  RWEString frtech[kFrames];
  RWEString s2mmcea;
  RWEString frtemplate[kFrames];
  unsigned flags_;
};

#endif  // TARNEL_REPORTS_SERIES2_TARNELS2CELLDIAGRAMREPORT_H_
