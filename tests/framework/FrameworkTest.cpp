// The contract types' edges that report runs do not reach: strings and
// collections, element trees, shared pointers, degrees. Result rows and the
// pinned clock are exercised exactly by every report test and end-to-end
// run, parse errors by the command-line and reliability tests.
#include <gtest/gtest.h>

#include "framework/XMLDocument.h"
#include "framework/XMLQueryResult.h"
#include "framework/ResultDocument.h"
#include "framework/SmartPtr.h"
#include "framework/TarnelSteeringData.h"
#include "framework/deg2dmso.h"

namespace {

std::vector<std::string> entries(const RWEStringCollection& c) {
  std::vector<std::string> v;
  for (const RWEString& s : c) v.push_back(s.str());
  return v;
}

TEST(StringCollection, SplitKeepsEmptyPiecesAndStripsAsAsked) {
  RWEStringCollection c;
  EXPECT_EQ(c.split(" a | b ||", NONE_STRIP, '|'), 4u);
  EXPECT_EQ(entries(c), (std::vector<std::string>{" a ", " b ", "", ""}));
  const std::pair<StripType, std::vector<std::string>> cases[] = {
      {TRAILING, {" a", " b"}}, {LEADING, {"a ", "b "}}, {BOTH, {"a", "b"}}};
  for (const auto& c2 : cases) {
    c.split(" a | b ", c2.first, '|');
    EXPECT_EQ(entries(c), c2.second);
  }
  EXPECT_EQ(c.split("", NONE_STRIP, '|'), 0u);
}

TEST(StringCollection, OutOfRangeReadsGiveEmptyAndZero) {
  RWEStringCollection c;
  c.split("12|3abc|x", NONE_STRIP, '|');
  EXPECT_EQ(c.getInt(0), 12);
  EXPECT_EQ(c.getInt(1), 3);
  EXPECT_EQ(c.getInt(2), 0);
  EXPECT_EQ(c.getInt(3), 0);
  EXPECT_EQ(c.getString(-1), "");
  EXPECT_EQ(c.getString(3), "");
  c.insert(" pad ");
  c.stripContents(BOTH);
  EXPECT_EQ(c[3], "pad");
}

TEST(String, OutOfRangeSubstringAndMissingIndex) {
  EXPECT_EQ(RWEString("abcdef")(2, 3), "cde");
  EXPECT_EQ(RWEString("abc")(5, 3), "");
  EXPECT_NE(RWEString("LaT").compareTo("lat"), 0);
  EXPECT_EQ(RWEString("256").index("5"), 1u);
  EXPECT_EQ(RWEString("256").index("7"), RW_NPOS);
}

TEST(ElementTree, DottedPathsWalkChildNamesInDocumentOrder) {
  auto root = XMLDocument::parseText(R"(<R><A><B n="1"/><B n="2"/></A><C/><A><B n="3"/></A></R>)", "t");
  RWOrdered all = root->getNamedElements("A.B");
  ASSERT_EQ(all.entries(), 3u);
  EXPECT_EQ(all(2)->attribute("n"), "3");
  EXPECT_EQ(root->getNamedElement("A.X"), nullptr);
  EXPECT_EQ(root->getNamedElement("B"), nullptr);
  EXPECT_EQ(root->getAttributeNode("n"), nullptr);
  RWOrderedIterator it(all);
  int count = 0;
  while (it()) ++count;
  EXPECT_EQ(count, 3);
}

TEST(SharedPointer, LastHolderDeletesTheElement) {
  static int deleted = 0;
  struct Counted : KvXMLElement {
    Counted() : KvXMLElement("x") {}
    ~Counted() override { ++deleted; }
  };
  SmartPtr<KvXMLElement> a(new Counted);
  {
    SmartPtr<KvXMLElement> b = a;
    a.detachCountedPtr();
    EXPECT_EQ(deleted, 0);
  }
  EXPECT_EQ(deleted, 1);
}

TEST(Degrees, SplitsAbsoluteValueWithCarryAndDirection) {
  int d, m, s;
  char dir;
  deg2dmso(40.5f, &d, &m, &s, &dir, 0);
  EXPECT_EQ((std::vector<int>{d, m, s, dir}), (std::vector<int>{40, 30, 0, 'N'}));
  deg2dmso(-75.9999999f, &d, &m, &s, &dir, 1);
  EXPECT_EQ((std::vector<int>{d, m, s, dir}), (std::vector<int>{76, 0, 0, 'W'}));
  deg2dmso(-0.0025f, &d, &m, &s, &dir, 0);
  EXPECT_EQ((std::vector<int>{d, m, s, dir}), (std::vector<int>{0, 0, 9, 'S'}));
}

TEST(ResultTable, AnotherTableNameHasNoRows) {
  ResultDocument doc;
  RWEStringCollection row;
  row.insert("a");
  doc.addRow(row);
  SmartPtr<KvXMLElement> result(doc.release().release());
  EXPECT_EQ(XMLQueryResult(nullptr, result, "Table2", '|', NONE_STRIP).numRows, 0);
  EXPECT_EQ(XMLQueryResult(nullptr, result, XMLQueryResult::_TABLE1, '|', NONE_STRIP).numRows, 1);
}

TEST(Steering, EntriesKeepFirstPlaceAndLastValueCallsKeepEveryCall) {
  TarnelSteeringData data;
  data.runMacro(0);
  data.PFTemplateName("a");
  data.runMacro(3);
  EXPECT_EQ(data.entries(), (std::vector<TarnelSteeringData::Entry>{{"runMacro", "3"},
                                                                    {"PFTemplateName", "a"}}));
  EXPECT_EQ(data.calls().size(), 3u);
}

}  // namespace
