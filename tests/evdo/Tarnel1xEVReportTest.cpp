#include "reports/evdo/Tarnel1xEVReport.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/KvException.h"
#include "tests/evdo/FixedClock.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kResultSql[] = "select c0, c1, c2, c3 from temp.element";
const char kHeadings[] =
    "  <HEADINGS>\n"
    "    <FIRST><COLUMN Name=\"Group\"/><COLUMN Name=\"Parameter\"/></FIRST>\n"
    "    <SECOND><COLUMN Name=\"Value\"/></SECOND>\n"
    "  </HEADINGS>\n";
const char kRest[] =
    "  <TEMPLATES><TEMPLATE Excel=\"EvdoElement.xlt\"/></TEMPLATES>\n"
    "  <STOREDPROCS><IXEV proc=\"GetElement\" result=\"ElementRows\"/></STOREDPROCS>\n"
    "  <QUERIES><QUERY Name=\"ElementRows\" "
    "Select=\"select c0, c1, c2, c3 from temp.element\"/></QUERIES>\n";
// Title and heading lines of kHeadings.
const char kPreamble[] = "Report\nGroup\tParameter\t\nValue\t\n";

std::string config(const std::string& body) {
  return "<REPORT Entity=\"1xEVBTS\">\n" + body + "</REPORT>\n";
}

class Evdo1xEVReportTest : public ::testing::Test {
 protected:
  // Runs the report on instance 7000001 with the result rows `rows`; returns
  // the stream text after the title and heading lines.
  std::string body(Rows rows) {
    harness.configure(config(std::string(kHeadings) + kRest));
    harness.connection.script(kResultSql, std::move(rows));
    auto report = harness.make<Tarnel1xEVReport>();
    harness.run(*report, 7000001);
    std::string text = harness.data.text(0);
    EXPECT_EQ(kPreamble, text.substr(0, std::string(kPreamble).size()));
    return text.substr(std::string(kPreamble).size());
  }

  FixedClock clock;
  ReportHarness harness;
};

// --- preBuild: title, headings, procedure ---

TEST_F(Evdo1xEVReportTest, PreBuildWritesTitleHeadingsAndRunsProcedureWithIdAndEntity) {
  harness.configure(config(std::string(kHeadings) + kRest));
  auto report = harness.make<Tarnel1xEVReport>("evdo_bts");
  TarnelReportInfo info(7000001, "");
  report->configure(info);
  report->preBuild();
  EXPECT_EQ("evdo_bts\nGroup\tParameter\t\nValue\t\n", harness.data.text(0));
  ASSERT_EQ(1u, harness.connection.executed().size());
  EXPECT_EQ("CALL tnl_cfg_reports.GetElement(7000001, 1xEVBTS)",
            harness.connection.executed()[0]);
}

TEST_F(Evdo1xEVReportTest, NoHeadingElementsGiveBareLines) {
  harness.configure(config(kRest));
  auto report = harness.make<Tarnel1xEVReport>();
  harness.run(*report, 7000001);
  EXPECT_EQ("Report\n\n\n", harness.data.text(0));
}

TEST_F(Evdo1xEVReportTest, MissingStoredProcElementIsAConfigurationError) {
  harness.configure(config(kHeadings));
  auto report = harness.make<Tarnel1xEVReport>();
  try {
    harness.run(*report, 7000001);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ("Element not defined in config file: STOREDPROCS.IXEV", e.message());
  }
  EXPECT_TRUE(harness.connection.executed().empty());
}

TEST_F(Evdo1xEVReportTest, UndefinedResultQueryNamesIt) {
  harness.configure(config(
      "  <STOREDPROCS><IXEV proc=\"GetElement\" result=\"Nowhere\"/></STOREDPROCS>\n"));
  auto report = harness.make<Tarnel1xEVReport>();
  try {
    harness.run(*report, 7000001);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ("Query not defined in config file: Nowhere", e.message());
  }
}

// --- keyword rows ---

TEST_F(Evdo1xEVReportTest, EachKeywordIgnoresCaseAndWritesItsHeading) {
  EXPECT_EQ("BTS\tlatitude\tLatitude Deg Min Sec Dir\t40 30  0 N\n"
            "BTS\tlongitude\tLongitude Deg Min Sec Dir\t 75 15  0 W\n"
            "BTS\televation\tElevation\t120.5\n"
            "BTS\tradius\tRadius\t-3\n",
            body({{"BTS", "LATITUDE", "Latitude", "40.5"},
                  {"BTS", "Longitude", "Longitude", "-75.25"},
                  {"BTS", "elevation", "Elevation", "120.5"},
                  {"BTS", "Radius", "Radius", "-3"}}));
}

TEST_F(Evdo1xEVReportTest, EmptyOrMissingValueIsWrittenAsZero) {
  EXPECT_EQ("BTS\tlatitude\tLatitude Deg Min Sec Dir\t 0  0  0 N\n"
            "BTS\televation\tElevation\t0\n",
            body({{"BTS", "latitude", "Latitude", ""}, {"BTS", "elevation"}}));
}

TEST_F(Evdo1xEVReportTest, KeywordInFirstColumnAndEntriesAfterKeywordDropped) {
  EXPECT_EQ("\televation\tElevation\t33\n"
            "A\tB\tradius\tRadius\t0\n",
            body({{"elevation", "label", "ignored", "33", "dropped"},
                  {"A", "B", "radius", "", "dropped"}}));
}

TEST_F(Evdo1xEVReportTest, OnlyFirstOccurrenceOfAKeywordIsSpecial) {
  EXPECT_EQ("BTS\tlatitude\tLatitude Deg Min Sec Dir\t40 30  0 N\n"
            "Sector\tlatitude\tLatitude\t41.0\n"
            "Sector\tlongitude\tLongitude Deg Min Sec Dir\t 75 15  0 W\n",
            body({{"BTS", "latitude", "Latitude", "40.5"},
                  {"Sector", "latitude", "Latitude", "41.0"},
                  {"Sector", "LONGITUDE", "Longitude", "-75.25"}}));
}

// --- run-time block and the gap after it ---

TEST_F(Evdo1xEVReportTest, ColDateInSecondColumnFollowsEntryZero) {
  EXPECT_EQ(std::string("x\n\truntime\tRuntime\t") + FixedClock::kRunTime +
                "\tcol_date\tDate\t=\"2024\"\n\n",
            body({{"x", "col_date", "Date", "2024"}}));
}

// Also: no gap before the block, and a second "col_date" row is plain.
TEST_F(Evdo1xEVReportTest, EntityDataRowsFollowRunTimeThenOneEmptyLine) {
  EXPECT_EQ(std::string("before\t1\n"
                        "\n\truntime\tRuntime\t") +
                FixedClock::kRunTime +
                "\tDate\tCollected\t=\"d\"\n\n"
                "entity data\tname\tName\tBTS0001\n"
                "Entity Data\tlabel\tLabel\tBTS 1\n"
                "\nBTS\tbts_id\tBTS\t1\n"
                "col_date\tsecond\t\t\n"
                "entity data\tlate\t\t\n",
            body({{"before", "1"},
                  {"col_date", "Date", "Collected", "d"},
                  {"entity data", "name", "Name", "BTS0001"},
                  {"Entity Data", "label", "Label", "BTS 1"},
                  {"BTS", "bts_id", "BTS", "1"},
                  {"col_date", "second", "", ""},
                  {"entity data", "late", "", ""}}));
}

TEST_F(Evdo1xEVReportTest, RowWithoutEntriesIsAnEmptyLine) {
  EXPECT_EQ("a\n\nb\n", body({{"a"}, {}, {"b"}}));
}

// --- steering data ---

TEST_F(Evdo1xEVReportTest, SteeringDataIsMacroFiveTemplateAndDataFile) {
  harness.configure(config(kRest));
  auto report = harness.make<Tarnel1xEVReport>();
  TarnelSteeringData steering = harness.run(*report, 7000001);
  ASSERT_EQ(3u, steering.calls().size());
  EXPECT_EQ(TarnelSteeringData::Entry("runMacro", "5"), steering.calls()[0]);
  EXPECT_EQ(TarnelSteeringData::Entry("PFTemplateName", "EvdoElement.xlt"),
            steering.calls()[1]);
  EXPECT_EQ(TarnelSteeringData::Entry("PFDataFileName", "stream0.txt"), steering.calls()[2]);
}

}  // namespace
