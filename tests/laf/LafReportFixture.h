// Shared fixture of the LAF report tests: a configuration that defines every
// query a LAF report can run, each writing one line "<name>\t<name>" for the
// LAF kLaf, so the stream reads as the list of sections in the order run.
#ifndef TARNEL_TESTS_LAF_LAFREPORTFIXTURE_H_
#define TARNEL_TESTS_LAF_LAFREPORTFIXTURE_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/ReportHarness.h"

class LafReportFixture : public ::testing::Test {
 protected:
  static constexpr int kLaf = 4000042;

  // Every query name of the LAF sequences and AP blocks.
  static std::vector<std::string> allQueries() {
    return {"APcellFields", "APcellDataFields", "APcellFieldsRCS", "SWLoadDataTRX",
            "APantenna2", "APantenna2RCS", "APvoicelaf", "SWfci", "SWLAFtglist2",
            "SWfcirasalsa", "SWceqface", "SWceqfacealtcar", "SWdrl", "SWceqface2",
            "SWprsid", "SWceqfacecdmacar", "DCSLocalKey", "AntennaLocalKey", "SGLocalKey",
            "DCSLocalKey2", "SWnbr", "pptg", "SWcdmanbr", "SWcdmadhonbr", "SWceqface3G",
            "SWceqface3Galtcar", "AddressFromCell"};
  }

  // The configuration (with `extraQueries` appended inside QUERIES, and the
  // template "config.xlt"), the LAF's series, and one row per single query.
  void configure(int series, const std::string& extraQueries = "",
                 const std::vector<std::string>& skip = {}) {
    std::string xml =
        "<REPORT Entity=\"VoiceLAF\"><TEMPLATES><TEMPLATE Excel=\"config.xlt\"/></TEMPLATES>"
        "<QUERIES><QUERY Name=\"CellSeries\" Table=\"series\"><FIELDS><FIELD Name=\"series\"/>"
        "</FIELDS></QUERY>";
    for (const std::string& name : allQueries()) {
      if (std::find(skip.begin(), skip.end(), name) != skip.end()) continue;
      xml += "<QUERY Name=\"" + name + "\" SingleSelect=\"True\" Select=\"sel " + name +
             " \"><FIELDS><FIELD Name=\"" + name + "\"/></FIELDS></QUERY>";
      harness.connection.script("sel " + name + " " + std::to_string(kLaf), {{name}});
    }
    xml += extraQueries + "</QUERIES></REPORT>";
    harness.configure(xml);
    harness.connection.script(
        "select tbl.instance_id, tbl.series from series tbl where tbl.instance_id = " +
            std::to_string(kLaf),
        {{std::to_string(kLaf), std::to_string(series)}});
  }

  // The stream text of sections written by the fixture's queries.
  static std::string sections(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + "\t" + name + "\n";
    return text;
  }

  ReportHarness harness;
};

#endif  // TARNEL_TESTS_LAF_LAFREPORTFIXTURE_H_
