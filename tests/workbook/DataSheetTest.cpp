#include <gtest/gtest.h>

#include "workbook/DataSheet.h"

namespace {

std::string describe(const DataCell& c) {
  switch (c.kind) {
    case DataCell::kEmpty: return "empty";
    case DataCell::kNumber: return "number " + c.text;
    default: return "string " + c.text;
  }
}

TEST(DataSheet, ValuesBecomeNumbersTextsOrStringsAsWritten) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"7", "number 7"},           {"-93", "number -93"},
      {"0", "number 0"},           {"007", "string 007"},
      {"-0", "string -0"},         {"27.0", "string 27.0"},
      {"1e3", "string 1e3"},       {"123456789012345", "number 123456789012345"},
      {"1234567890123456", "string 1234567890123456"},
      {"=\"0042\"", "string 0042"}, {"=\"a\"\"b\"", "string a\"b"},
      {"=\"a\"b\"", "string =\"a\"b\""}, {"a|b|c", "string a|b|c"},
      {" 7", "string  7"},         {"Zürich 2", "string Zürich 2"},
      {"", "empty"},
  };
  for (const auto& c : cases) EXPECT_EQ(describe(DataCell::of(c.first)), c.second) << c.first;
}

TEST(DataSheet, SheetNamesFollowTheSpreadsheetsRules) {
  EXPECT_EQ(safeSheetName("Frame 1"), "Frame 1");
  EXPECT_EQ(safeSheetName("a[b]:c*d?e/f\\g"), "a_b__c_d_e_f_g");
  EXPECT_EQ(safeSheetName("0123456789012345678901234567890123"), "0123456789012345678901234567890");
  EXPECT_EQ(safeSheetName("ÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄ"), "ÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄ");
  EXPECT_EQ(safeSheetName("'quoted'"), "_quoted_");
  EXPECT_EQ(safeSheetName(""), "_");
}

}  // namespace
