#include "host/BatchShard.h"

#include <gtest/gtest.h>

#include <numeric>

#include "framework/KvException.h"

namespace {

std::vector<int> ids(int count) {
  std::vector<int> list(static_cast<size_t>(count));
  std::iota(list.begin(), list.end(), 1000001);
  return list;
}

std::string parseError(const std::string& text) {
  try {
    BatchShard::parse(text);
  } catch (const KvException& e) {
    return e.message().str();
  }
  return "";
}

TEST(BatchShard, SlicesAreContiguousAndTogetherHoldEveryInstanceOnce) {
  for (int total : {0, 1, 2, 7, 10, 60}) {
    for (int count : {1, 2, 3, 7, 11}) {
      std::vector<int> joined;
      size_t smallest = SIZE_MAX, largest = 0;
      for (int k = 1; k <= count; ++k) {
        std::vector<int> slice = BatchShard(k, count).of(ids(total));
        joined.insert(joined.end(), slice.begin(), slice.end());
        smallest = std::min(smallest, slice.size());
        largest = std::max(largest, slice.size());
      }
      EXPECT_EQ(joined, ids(total)) << total << " in " << count;
      EXPECT_LE(largest - smallest, 1u) << total << " in " << count;
    }
  }
}

TEST(BatchShard, KeepsTheOrderOfTheList) {
  std::vector<int> list{9, 3, 7, 1, 5, 8};
  EXPECT_EQ(BatchShard::parse("2/3").of(list), (std::vector<int>{7, 1}));
  EXPECT_EQ(BatchShard::parse("1/1").of(list), list);
}

TEST(BatchShard, ParseRejectsWhatIsNotASliceOfItsCount) {
  const std::string usage = "--shard needs K/N with 1 <= K <= N (slice K of N): ";
  for (const char* bad : {"0/3", "4/3", "3", "/3", "1/", "a/b", "-1/3", "1/0", "1/3x", " 1/3",
                          "1/9999999"}) {
    EXPECT_EQ(parseError(bad), usage + bad);
  }
  EXPECT_EQ(parseError("3/3"), "");
}

}  // namespace
