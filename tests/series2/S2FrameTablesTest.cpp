// The series-2 diagram driver: flags from the frame technologies, the
// template of each frame, the steering data and which layouts run.
#include <gtest/gtest.h>

#include "tests/series2/S2TestSupport.h"

namespace s2test {
namespace {

typedef TarnelS2CellDiagramReport R;
const unsigned kS2m = R::kS2mPrimary, kPtm = R::kPtmPrimary, kS2 = R::kS2Primary,
               kGrowth = R::kCdmaGrowth, kMm2s = R::kMm2sGrowth, kCm = R::kCmPrimary,
               kAmps = R::kAmpsTdma, kCdma = R::kCdma, kCea = R::kS2mmCea;
// The flags the report says it has, as one mask.
unsigned flagsOf(const R& report) {
  unsigned mask = 0;
  for (unsigned f = 1; f <= R::kS2mmCea; f <<= 1) {
    if (report.hasFlag(static_cast<R::Flag>(f))) mask |= f;
  }
  return mask;
}

// One technology in one frame, the other frames unequipped: the flags, the
// template and the technology passed on (`passed`, when not the technology).
struct FrameCase {
  int frame;
  const char *tech, *templ;
  unsigned flags;
  const char *cea = "", *passed = nullptr;
};

// clang-format off
const FrameCase kFrameCases[] = {
    {0, "s2mm", "s2m.xlt", kAmps | kCea, "y"}, {0, "s2mm", "s2m.xlt", kS2m | kAmps, "n"},
    {0, "s2mml", "s2m.xlt", kS2m | kAmps, "y"}, {0, "s2m", "s2m.xlt", kS2m | kAmps},
    {0, "s2", "s2prim.xlt", kS2 | kAmps}, {0, "s2e", "s2prim.xlt", kS2 | kAmps},
    {0, "cbs", "s2prim.xlt", kS2 | kAmps}, {0, "ptm", "s2ptm.xlt", kPtm | kAmps},
    {0, "ptmc", "s2ptm.xlt", kPtm | kAmps}, {0, "ccm", "s2cm.xlt", kCm | kCdma},
    {0, "cccm", "s2cm.xlt", kCm | kCdma}, {0, "pcm", "s2cm.xlt", kCm | kCdma},
    {0, "c", "unknown.xlt", 0}, {0, "S2M", "unknown.xlt", 0}, {0, "u", "UNEQUIPPED", 0},
    {0, "", "unknown.xlt", 0}, {1, "s2", "s2gr.xlt", kAmps}, {1, "mm2s", "s2mm2s.xlt", kAmps},
    {1, "ptmg", "s2ptmg.xlt", kAmps}, {1, "m1", "s2mm2s.xlt", kMm2s | kAmps},
    {1, "mm1", "s2mm2s.xlt", kMm2s | kAmps}, {1, "c", "s2cdma.xlt", kGrowth | kCdma},
    {1, "ccm", "s2cmg.xlt", kCdma}, {1, "cccm", "s2cmg.xlt", kCdma}, {1, "pcm", "s2cmg.xlt", kCdma},
    {1, "ddgf", "s2ddgf.xlt", kCdma}, {1, "rg", "s2rg.xlt", kCdma}, {1, "rgh", "s2cmg.xlt", kCdma},
    {1, "s2m", "UNKNOWN.xlt", 0}, {1, "u", "UNEQUIPPED", 0}, {1, "", "UNKNOWN.xlt", 0},
    {2, "s2", "s2gr.xlt", kAmps}, {2, "ptmg", "s2ptmg.xlt", kAmps},
    {2, "m1", "s2mm2s.xlt", kMm2s | kAmps}, {2, "mm1", "s2mm2s.xlt", kMm2s | kAmps},
    {2, "c", "s2cdma.xlt", kGrowth | kCdma}, {2, "ccm", "s2cmg.xlt", kCdma},
    {2, "pcm", "s2cmg.xlt", kCdma}, {2, "ddgf", "s2ddgf.xlt", kCdma}, {2, "rg", "s2rg.xlt", kCdma},
    {2, "rgh", "s2cmg.xlt", kCdma}, {2, "cccm", "UNKNOWN.xlt", 0}, {2, "mm2s", "UNKNOWN.xlt", 0},
    {2, "u", "UNEQUIPPED", 0}, {2, "", "UNKNOWN.xlt", 0}, {3, "pcm", "s2cmg.xlt", kCdma},
    {3, "ptmg", "s2ptmg.xlt", kAmps}, {3, "ccm", "unknown.xlt", 0}, {3, "s2", "unknown.xlt", 0},
    {3, "u", "UNEQUIPPED", 0}, {3, "", "UNEQUIPPED", 0, "", "u"}, {4, "pcm", "s2cmg.xlt", kCdma},
    {4, "ptmg", "unknown.xlt", 0}, {4, "u", "UNEQUIPPED", 0}, {4, "", "UNEQUIPPED", 0, "", "u"},
    {5, "pcm", "s2cmg.xlt", kCdma}, {5, "ptmg", "unknown.xlt", 0}, {5, "u", "UNEQUIPPED", 0},
    {5, "", "UNEQUIPPED", 0, "", "u"},
};
// clang-format on

TEST(S2FrameTest, FirstMatchingRowOfTheFrameSetsTheFlagsAndTheTemplate) {
  for (const FrameCase& c : kFrameCases) {
    SCOPED_TRACE("frame " + std::to_string(c.frame) + " " + c.tech + " cea " + c.cea);
    S2Run r;
    std::vector<std::string> techs(R::kFrames, "u");
    techs[static_cast<size_t>(c.frame)] = c.tech;
    r.frames(techs, c.cea);
    r.build();
    std::string n = std::to_string(c.frame);
    EXPECT_EQ(flagsOf(*r.report), c.flags);
    EXPECT_EQ(r.steering.value("PFTemplate" + n), c.templ);
    EXPECT_EQ(r.steering.value("PFFrtech" + n), c.passed ? c.passed : c.tech);
  }
}

TEST_F(S2ReportTest, FlagsOfAllFramesAccumulateAndAreClearedAtEveryBuild) {
  frames({"pcm", "s2", "m1", "ptmg", "pcm", "pcm"});
  build();
  EXPECT_EQ(flagsOf(*report), kCm | kCdma | kAmps | kMm2s);
  frames({"pcm"});
  report->buildReport();
  EXPECT_EQ(flagsOf(*report), kCm | kCdma);
}

TEST_F(S2ReportTest, SteeringDataInItsOrder) {
  frames({"s2m", "c", "zz", "", "pcm", "u"}, "n");
  build();
  // clang-format off
  std::vector<TarnelSteeringData::Entry> expected = {
      {"runMacro", "0"}, {"runMacro", "3"}, {"PFWorkbookName", "S2Diagram.xls"},
      {"PFTemplate0", "s2m.xlt"}, {"PFTemplate1", "s2cdma.xlt"}, {"PFTemplate2", "UNKNOWN.xlt"},
      {"PFTemplate3", "UNEQUIPPED"}, {"PFTemplate4", "s2cmg.xlt"}, {"PFTemplate5", "UNEQUIPPED"},
      {"PFFrtech0", "s2m"}, {"PFFrtech1", "c"}, {"PFFrtech2", "zz"}, {"PFFrtech3", "u"},
      {"PFFrtech4", "pcm"}, {"PFFrtech5", "u"}, {"PFDataFileName", "stream0.txt"}};
  // clang-format on
  EXPECT_EQ(steering.calls(), expected);
}

TEST_F(S2ReportTest, MissingFrameRowReadsAsEmptyTechnologies) {
  build();
  EXPECT_EQ(flagsOf(*report), 0u);
  EXPECT_EQ(steering.value("PFTemplate0"), "unknown.xlt");
  EXPECT_EQ(steering.value("PFFrtech5"), "u");
}

TEST_F(S2ReportTest, LayoutChosenByTheFlags) {
  frames({"zz", "yy", "xx", "ww", "vv", "tt"});
  EXPECT_EQ(build(), "");  // the selects alone, no layout query
  EXPECT_EQ(h.connection.executed().back(), kFrameSql);
  S2Run fifth;
  fifth.frames({"", "", "", "", "", "pcm"});
  fifth.build();
  EXPECT_TRUE(fifth.executed(cdmaSql("s2_evenbba")));
  EXPECT_FALSE(fifth.executed(ampsSql("SWcom2")));
}

}  // namespace
}  // namespace s2test
