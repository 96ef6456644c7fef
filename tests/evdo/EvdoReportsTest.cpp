// The 1xEV reports: Tarnel1xEVReport's keyword rows and run-time block,
// Tarnel1xEVNbrReport's header, fallback header and control block, and the
// configuration errors of both. The clock is pinned so that run-time stamps
// are exact.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "reports/evdo/Tarnel1xEVNbrReport.h"
#include "reports/evdo/Tarnel1xEVReport.h"
#include "tests/support/ReportHarness.h"

namespace {

// Pins the clock for the whole program; kRunTime is the stamp it gives.
struct PinnedClock {
  PinnedClock() {
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    setenv("TZ", "UTC", 1);
    tzset();
  }
} const kPinnedClock;
const std::string kRunTime = "Tue Nov 14 22:13:20 2023\n";

const char kElementSql[] = "select c0, c1, c2, c3 from temp.element";
const char kElementHeadings[] =
    "<HEADINGS><FIRST><COLUMN Name=\"Group\"/><COLUMN Name=\"Parameter\"/></FIRST>"
    "<SECOND><COLUMN Name=\"Value\"/></SECOND></HEADINGS>";
const char kElementProc[] =
    "<STOREDPROCS><IXEV proc=\"GetElement\" result=\"ElementRows\"/></STOREDPROCS>"
    "<QUERIES><QUERY Name=\"ElementRows\" "
    "Select=\"select c0, c1, c2, c3 from temp.element\"/></QUERIES>";

const char kNbrHeaderSql[] = "select * from temp.nbr_header";
const char kNbrBodySql[] = "select * from temp.nbr";
const char kSectorSql[] =
    "select distinct ent.servicenode_Id, ent.fms_Frame_Id, ent.bts_id, ent.btsSector_Id, "
    "ent.system_id from tnl_ent_1xEVBTSSector ent where ent.instance_id = 7500012";
// Three heading columns on two lines; format values read as atoi reads them.
const char kNbrConfig[] =
    "<REPORT Entity=\"1xEVBTSSector\"><HEADINGS>"
    "<FIRST><COLUMN Name=\"Nbr\"/><COLUMN Name=\"BTS\"/><COLUMN Name=\"Sector\"/></FIRST>"
    "<SECOND><COLUMN Name=\"Rank\"/><COLUMN Name=\"Id\"/></SECOND></HEADINGS>"
    "<STOREDPROCS><IXEV proc=\"GetNbr\" resultheader=\"NbrHeader\" resultbody=\"NbrBody\"/>"
    "</STOREDPROCS><FORMATTING><FORMAT PageOrient=\"2\" CR_RptHeaderStart=\"1\" "
    "CR_RptHeaderEnd=\"5\" CR_ColHeaderStart=\"6\" CR_ColHeaderEnd=\"-7\" "
    "CR_DataRowStart=\"8rows\"/></FORMATTING><QUERIES>"
    "<QUERY Name=\"NbrHeader\" Select=\"select * from temp.nbr_header\"/>"
    "<QUERY Name=\"NbrBody\" Select=\"select * from temp.nbr\"/></QUERIES></REPORT>";
const std::string kNbrHeadings = "Nbr\tBTS\tSector\t\nRank\tId\t\n";

std::string element(const std::string& body) {
  return "<REPORT Entity=\"1xEVBTS\">" + body + "</REPORT>";
}

// The control block for kNbrConfig and `rows` rows.
std::string controlBlock(int rows) {
  return "\n_VELM_Control_Information_\nNumIndCols\t3\nNumIndRows\t" + std::to_string(rows) +
         "\nPageOrient\t2\nCR_RptHeaderStart\t1\nCR_RptHeaderEnd\t5\nCR_ColHeaderStart\t6\n"
         "CR_ColHeaderEnd\t-7\nCR_DataRowStart\t8\nCR_DataColStart\t0\n"
         "_VELM_Control_Information_\n";
}

// The message of what running T on `xml` throws, then the statements it ran.
template <typename T>
std::string failure(const std::string& xml) {
  ReportHarness h;
  std::string text = thrown([&] { h.text<T>(xml, 7000001); });
  for (const std::string& sql : h.connection.executed()) text += "\n" + sql;
  return text;
}

TEST(EvdoElement, CallsProcedureWithIdAndEntityAndWritesBareLinesWithoutHeadings) {
  ReportHarness h;
  EXPECT_EQ("Report\n\n\n", h.text<Tarnel1xEVReport>(element(kElementProc), 7000001));
  EXPECT_EQ((std::vector<std::string>{"CALL tnl_cfg_reports.GetElement(7000001, 1xEVBTS)",
                                      kElementSql}),
            h.connection.executed());
}

TEST(EvdoElement, TitleHeadingsAndRowsByKeyword) {
  const std::string runTime = "\truntime\tRuntime\t" + kRunTime;
  const struct {
    const char* what;
    Rows rows;
    std::string text;
  } cases[] = {
      {"each keyword ignores case and writes its heading",
       {{"BTS", "LATITUDE", "Latitude", "40.5"}, {"BTS", "Longitude", "Longitude", "-75.25"},
        {"BTS", "elevation", "Elevation", "120.5"}, {"BTS", "Radius", "Radius", "-3"}},
       "BTS\tlatitude\tLatitude Deg Min Sec Dir\t40 30  0 N\n"
       "BTS\tlongitude\tLongitude Deg Min Sec Dir\t 75 15  0 W\n"
       "BTS\televation\tElevation\t120.5\nBTS\tradius\tRadius\t-3\n"},
      {"an empty or missing value is zero",
       {{"BTS", "latitude", "Latitude", ""}, {"BTS", "elevation"}},
       "BTS\tlatitude\tLatitude Deg Min Sec Dir\t 0  0  0 N\nBTS\televation\tElevation\t0\n"},
      {"keyword in the first column; entries after the keyword's dropped",
       {{"elevation", "label", "ignored", "33", "dropped"}, {"A", "B", "radius", "", "dropped"}},
       "\televation\tElevation\t33\nA\tB\tradius\tRadius\t0\n"},
      {"only the first occurrence of a keyword is special",
       {{"BTS", "latitude", "Latitude", "40.5"}, {"Sector", "latitude", "Latitude", "41.0"},
        {"Sector", "LONGITUDE", "Longitude", "-75.25"}},
       "BTS\tlatitude\tLatitude Deg Min Sec Dir\t40 30  0 N\nSector\tlatitude\tLatitude\t41.0\n"
       "Sector\tlongitude\tLongitude Deg Min Sec Dir\t 75 15  0 W\n"},
      {"col_date in the second column follows entry zero",
       {{"x", "col_date", "Date", "2024"}},
       "x\n" + runTime + "\tcol_date\tDate\t=\"2024\"\n\n"},
      // No gap before the block; a second "col_date" row is plain.
      {"entity data rows follow the run time, then one empty line",
       {{"before", "1"}, {"col_date", "Date", "Collected", "d"},
        {"entity data", "name", "Name", "BTS0001"}, {"Entity Data", "label", "Label", "BTS 1"},
        {"BTS", "bts_id", "BTS", "1"}, {"col_date", "second", "", ""},
        {"entity data", "late", "", ""}},
       "before\t1\n\n" + runTime + "\tDate\tCollected\t=\"d\"\n\n"
       "entity data\tname\tName\tBTS0001\nEntity Data\tlabel\tLabel\tBTS 1\n"
       "\nBTS\tbts_id\tBTS\t1\ncol_date\tsecond\t\t\nentity data\tlate\t\t\n"},
      {"a row without entries is an empty line", {{"a"}, {}, {"b"}}, "a\n\nb\n"},
  };
  for (const auto& c : cases) {
    ReportHarness h;
    h.connection.script(kElementSql, c.rows);
    EXPECT_EQ("evdo_bts\nGroup\tParameter\t\nValue\t\n" + c.text,
              h.text<Tarnel1xEVReport>(element(std::string(kElementHeadings) + kElementProc),
                                       7000001, "evdo_bts"))
        << c.what;
  }
}

TEST(EvdoNeighbours, HeaderFallbackHeaderRowsAndControlBlock) {
  const std::string noNeighbours = "Sector doesn't have any Neighbor Sectors.\n\n";
  const std::string call = "CALL tnl_cfg_reports.GetNbr(7500012)";
  const struct {
    const char* what;
    Rows header, body, sectors;
    std::string text;
    std::vector<std::string> executed;
  } cases[] = {
      {"the header row, the headings, the rows", {{"3", "4", "12", "BTS0012", "BTS 12", "2",
       "BTS0012-2", "Sector 12/2", "1001", "2024-05-08 06:00:00"}},
       {{"1", "12", "1"}, {}, {"2", "13", "2", "inter-BTS"}}, {},
       "Service Node: 3 FMS Frame ID: 4 1xEVBTS: 12 Name: BTS0012 Label: BTS 12 Runtime: " +
           kRunTime + "Sector: 2 Sector Name: BTS0012-2 Sector Label: Sector 12/2\n"
           "System ID: 1001\nDate/Time of Data Collection: 2024-05-08 06:00:00\n\n" + kNbrHeadings +
           "1\t12\t1\n\n2\t13\t2\tinter-BTS\n" + controlBlock(3),
       {call, kNbrHeaderSql, kNbrBodySql}},
      {"without neighbours a header per sector row of five entries", {}, {{"never"}},
       {{"3", "4", "12", "2", "1001"}, {"1", "2", "3", "4"}, {"1", "2", "3", "4", "5", "6"},
        {"5", "6", "7", "8", "9"}},
       "Service Node: 3 FMS Frame ID: 4 1xEVBTS: 12 Runtime: " + kRunTime +
           "Sector: 2\nSystem ID: 1001\n" + noNeighbours + "Service Node: 5 FMS Frame ID: 6 "
           "1xEVBTS: 7 Runtime: " + kRunTime + "Sector: 8\nSystem ID: 9\n" + noNeighbours +
           kNbrHeadings + controlBlock(0),
       {call, kNbrHeaderSql, kSectorSql}},
      {"an unknown sector", {}, {}, {}, kNbrHeadings + controlBlock(0),
       {call, kNbrHeaderSql, kSectorSql}},
  };
  for (const auto& c : cases) {
    ReportHarness h;
    h.connection.script(kNbrHeaderSql, c.header);
    h.connection.script(kNbrBodySql, c.body);
    h.connection.script(kSectorSql, c.sectors);
    EXPECT_EQ("Report\n" + c.text, h.text<Tarnel1xEVNbrReport>(kNbrConfig, 7500012))
        << c.what;
    EXPECT_EQ(c.executed, h.connection.executed()) << c.what;
  }
}

TEST(EvdoConfiguration, ErrorsNameWhatIsMissing) {
  EXPECT_EQ("Element not defined in config file: STOREDPROCS.IXEV",
            failure<Tarnel1xEVReport>(element(kElementHeadings)));
  EXPECT_EQ("Query not defined in config file: Nowhere\n"
            "CALL tnl_cfg_reports.GetElement(7000001, 1xEVBTS)",
            failure<Tarnel1xEVReport>(element(
                "<STOREDPROCS><IXEV proc=\"GetElement\" result=\"Nowhere\"/></STOREDPROCS>")));
  EXPECT_EQ("Element not defined in config file: STOREDPROCS.IXEV",
            failure<Tarnel1xEVNbrReport>("<REPORT Entity=\"1xEVBTSSector\"/>"));
}

}  // namespace
