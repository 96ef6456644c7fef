// The series-2 diagram driver: flags from the frame technologies, the
// template of each frame, the steering data and the order of the build.
#include <gtest/gtest.h>

#include "tests/series2/S2TestSupport.h"

namespace s2test {
namespace {

typedef TarnelS2CellDiagramReport R;
const unsigned kS2m = R::kS2mPrimary, kPtm = R::kPtmPrimary, kS2 = R::kS2Primary,
               kGrowth = R::kCdmaGrowth, kMm2s = R::kMm2sGrowth, kCm = R::kCmPrimary,
               kAmps = R::kAmpsTdma, kCdma = R::kCdma, kCea = R::kS2mmCea;
const R::Flag kAllFlags[] = {R::kS2mPrimary, R::kPtmPrimary, R::kS2Primary,
                             R::kCdmaGrowth, R::kMm2sGrowth, R::kCmPrimary,
                             R::kAmpsTdma,   R::kCdma,       R::kS2mmCea};

// Test name of a case: frame, technology and CEA indicator.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info, const char* extra = "") {
  std::string tech = *info.param.tech ? info.param.tech : "empty";
  return "frame" + std::to_string(info.param.frame) + "_" + tech + extra + "_" +
         std::to_string(info.index);
}

unsigned flagsOf(const R& report) {
  unsigned mask = 0;
  for (R::Flag f : kAllFlags) {
    if (report.hasFlag(f)) mask |= f;
  }
  return mask;
}

// One technology in one frame, the other frames empty.
struct FlagCase {
  int frame;
  const char* tech;
  const char* cea;
  unsigned flags;
};

// clang-format off
const FlagCase kFlagCases[] = {
    {0, "s2mm", "y", kAmps | kCea}, {0, "s2mm", "n", kS2m | kAmps}, {0, "s2mml", "y", kS2m | kAmps},
    {0, "s2m", "", kS2m | kAmps},    {0, "s2", "", kS2 | kAmps},     {0, "s2e", "", kS2 | kAmps},
    {0, "cbs", "", kS2 | kAmps},     {0, "ptm", "", kPtm | kAmps},   {0, "ptmc", "", kPtm | kAmps},
    {0, "ccm", "", kCm | kCdma},     {0, "cccm", "", kCm | kCdma},   {0, "pcm", "", kCm | kCdma},
    {0, "c", "", 0},                 {0, "S2M", "", 0},              {0, "u", "", 0},
    {1, "s2", "", kAmps},            {1, "mm2s", "", kAmps},         {1, "ptmg", "", kAmps},
    {1, "m1", "", kMm2s | kAmps},    {1, "mm1", "", kMm2s | kAmps},  {1, "c", "", kGrowth | kCdma},
    {1, "ccm", "", kCdma},           {1, "cccm", "", kCdma},         {1, "pcm", "", kCdma},
    {1, "ddgf", "", kCdma},          {1, "rg", "", kCdma},           {1, "rgh", "", kCdma},
    {1, "s2m", "", 0},               {2, "s2", "", kAmps},           {2, "ptmg", "", kAmps},
    {2, "m1", "", kMm2s | kAmps},    {2, "mm1", "", kMm2s | kAmps},  {2, "c", "", kGrowth | kCdma},
    {2, "ccm", "", kCdma},           {2, "pcm", "", kCdma},          {2, "ddgf", "", kCdma},
    {2, "rg", "", kCdma},            {2, "rgh", "", kCdma},          {2, "cccm", "", 0},
    {2, "mm2s", "", 0},              {3, "pcm", "", kCdma},          {3, "ptmg", "", kAmps},
    {3, "ccm", "", 0},               {3, "s2", "", 0},               {4, "pcm", "", kCdma},
    {4, "ptmg", "", 0},              {5, "pcm", "", kCdma},          {5, "ptmg", "", 0},
};
// clang-format on

class S2FlagTest : public S2ReportTest, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(S2FlagTest, FirstMatchingRowOfTheFrameSetsItsFlags) {
  const FlagCase& c = GetParam();
  std::vector<std::string> techs(R::kFrames);
  techs[static_cast<size_t>(c.frame)] = c.tech;
  frames(techs, c.cea);
  build();
  EXPECT_EQ(flagsOf(*report), c.flags);
}

INSTANTIATE_TEST_SUITE_P(EveryCode, S2FlagTest, ::testing::ValuesIn(kFlagCases),
                         [](const ::testing::TestParamInfo<FlagCase>& info) {
                           return caseName(info, *info.param.cea ? info.param.cea : "");
                         });

TEST_F(S2ReportTest, FlagsOfAllFramesAccumulate) {
  frames({"pcm", "s2", "m1", "ptmg", "pcm", "pcm"});
  build();
  EXPECT_EQ(flagsOf(*report), kCm | kCdma | kAmps | kMm2s);
}

TEST_F(S2ReportTest, FlagsAreClearedAtTheStartOfEveryBuild) {
  frames({"s2m", "c"});
  build();
  frames({"pcm"});
  report->buildReport();
  EXPECT_EQ(flagsOf(*report), kCm | kCdma);
}

// One technology in one frame: its template and the technology passed on.
struct TemplateCase {
  int frame;
  const char* tech;
  const char* templ;
  const char* passedTech;
};

// clang-format off
const TemplateCase kTemplateCases[] = {
    {0, "s2m", "s2m.xlt", "s2m"},          {0, "s2mm", "s2m.xlt", "s2mm"},
    {0, "s2mml", "s2m.xlt", "s2mml"},      {0, "s2", "s2prim.xlt", "s2"},
    {0, "s2e", "s2prim.xlt", "s2e"},       {0, "cbs", "s2prim.xlt", "cbs"},
    {0, "pcm", "s2cm.xlt", "pcm"},         {0, "ccm", "s2cm.xlt", "ccm"},
    {0, "cccm", "s2cm.xlt", "cccm"},       {0, "ptm", "s2ptm.xlt", "ptm"},
    {0, "ptmc", "s2ptm.xlt", "ptmc"},      {0, "u", "UNEQUIPPED", "u"},
    {0, "", "unknown.xlt", ""},            {0, "c", "unknown.xlt", "c"},
    {1, "s2", "s2gr.xlt", "s2"},           {1, "ccm", "s2cmg.xlt", "ccm"},
    {1, "cccm", "s2cmg.xlt", "cccm"},      {1, "pcm", "s2cmg.xlt", "pcm"},
    {1, "rgh", "s2cmg.xlt", "rgh"},        {1, "c", "s2cdma.xlt", "c"},
    {1, "m1", "s2mm2s.xlt", "m1"},         {1, "mm1", "s2mm2s.xlt", "mm1"},
    {1, "mm2s", "s2mm2s.xlt", "mm2s"},     {1, "ddgf", "s2ddgf.xlt", "ddgf"},
    {1, "ptmg", "s2ptmg.xlt", "ptmg"},     {1, "rg", "s2rg.xlt", "rg"},
    {1, "u", "UNEQUIPPED", "u"},           {1, "", "UNKNOWN.xlt", ""},
    {1, "s2m", "UNKNOWN.xlt", "s2m"},      {2, "s2", "s2gr.xlt", "s2"},
    {2, "c", "s2cdma.xlt", "c"},           {2, "ccm", "s2cmg.xlt", "ccm"},
    {2, "pcm", "s2cmg.xlt", "pcm"},        {2, "rgh", "s2cmg.xlt", "rgh"},
    {2, "m1", "s2mm2s.xlt", "m1"},         {2, "mm1", "s2mm2s.xlt", "mm1"},
    {2, "ddgf", "s2ddgf.xlt", "ddgf"},     {2, "ptmg", "s2ptmg.xlt", "ptmg"},
    {2, "rg", "s2rg.xlt", "rg"},           {2, "u", "UNEQUIPPED", "u"},
    {2, "cccm", "UNKNOWN.xlt", "cccm"},    {2, "mm2s", "UNKNOWN.xlt", "mm2s"},
    {2, "", "UNKNOWN.xlt", ""},            {3, "pcm", "s2cmg.xlt", "pcm"},
    {3, "ptmg", "s2ptmg.xlt", "ptmg"},     {3, "u", "UNEQUIPPED", "u"},
    {3, "", "UNEQUIPPED", "u"},            {3, "s2", "unknown.xlt", "s2"},
    {4, "pcm", "s2cmg.xlt", "pcm"},        {4, "u", "UNEQUIPPED", "u"},
    {4, "", "UNEQUIPPED", "u"},            {4, "ptmg", "unknown.xlt", "ptmg"},
    {5, "pcm", "s2cmg.xlt", "pcm"},        {5, "u", "UNEQUIPPED", "u"},
    {5, "", "UNEQUIPPED", "u"},            {5, "ptmg", "unknown.xlt", "ptmg"},
};
// clang-format on

class S2TemplateTest : public S2ReportTest, public ::testing::WithParamInterface<TemplateCase> {};

TEST_P(S2TemplateTest, FirstMatchingRowOfTheFrameChoosesTheTemplate) {
  const TemplateCase& c = GetParam();
  std::vector<std::string> techs(R::kFrames, "u");
  techs[static_cast<size_t>(c.frame)] = c.tech;
  frames(techs);
  build();
  std::string n = std::to_string(c.frame);
  EXPECT_EQ(steering.value("PFTemplate" + n), c.templ);
  EXPECT_EQ(steering.value("PFFrtech" + n), c.passedTech);
}

INSTANTIATE_TEST_SUITE_P(EveryCode, S2TemplateTest, ::testing::ValuesIn(kTemplateCases),
                         [](const ::testing::TestParamInfo<TemplateCase>& info) {
                           return caseName(info);
                         });

TEST_F(S2ReportTest, CeaIndicatorPlaysNoPartInTheTemplate) {
  frames({"s2mm"}, "y");
  build();
  EXPECT_EQ(report->frameTemplate(0), "s2m.xlt");
}

TEST_F(S2ReportTest, SteeringDataInItsOrder) {
  frames({"s2m", "c", "zz", "", "pcm", "u"}, "n");
  build();
  std::vector<TarnelSteeringData::Entry> expected = {
      {"runMacro", "0"},
      {"runMacro", "3"},
      {"PFWorkbookName", "S2Diagram.xls"},
      {"PFTemplate0", "s2m.xlt"},
      {"PFTemplate1", "s2cdma.xlt"},
      {"PFTemplate2", "UNKNOWN.xlt"},
      {"PFTemplate3", "UNEQUIPPED"},
      {"PFTemplate4", "s2cmg.xlt"},
      {"PFTemplate5", "UNEQUIPPED"},
      {"PFFrtech0", "s2m"},
      {"PFFrtech1", "c"},
      {"PFFrtech2", "zz"},
      {"PFFrtech3", "u"},
      {"PFFrtech4", "pcm"},
      {"PFFrtech5", "u"},
      {"PFDataFileName", "stream0.txt"},
  };
  EXPECT_EQ(steering.calls(), expected);
}

TEST_F(S2ReportTest, MissingFrameRowReadsAsEmptyTechnologies) {
  build();
  EXPECT_EQ(flagsOf(*report), 0u);
  EXPECT_EQ(steering.value("PFTemplate0"), "unknown.xlt");
  EXPECT_EQ(steering.value("PFFrtech5"), "u");
}

TEST_F(S2ReportTest, UnknownFramesGetTheSelectsAloneAndNoLayoutQuery) {
  frames({"zz", "yy", "xx", "ww", "vv", "tt"});
  EXPECT_EQ(build(), "");
  EXPECT_EQ(h.connection.executed().back(), kFrameSql);
  EXPECT_EQ(steering.value("PFTemplate0"), "unknown.xlt");
  EXPECT_EQ(steering.value("PFTemplate1"), "UNKNOWN.xlt");
}

TEST_F(S2ReportTest, SelectsFirstThenAmpsTdmaThenCdmaLayout) {
  frames({"pcm", "s2"});
  rows(cdmaSql("s2_ds1brds"), {{"9", "0", "1", "4", "7", "DS1C", "e"}});
  rows(ampsSql("SWds1brds", kDs1Suffix), {{"9", "0", "2", "3", "e", "5", "DS1A"}});
  EXPECT_EQ(build(),
            "L\t0\t2\t3\tDS1A 5\nST\t0\t2\t3\te\n"
            "L\t0\t1\t4\tDS1C 7\nST\t0\t1\t4\te\n");
}

TEST_F(S2ReportTest, FifthFramePcmAloneWritesTheCdmaLayout) {
  frames({"", "", "", "", "", "pcm"});
  build();
  EXPECT_TRUE(executed(cdmaSql("s2_evenbba")));
  EXPECT_FALSE(executed(ampsSql("SWcom2")));
}

}  // namespace
}  // namespace s2test
