#include "host/BatchShard.h"

#include <gtest/gtest.h>

#include "framework/KvException.h"

namespace {

// `count` instance ids in descending order (a list that is not sorted).
std::vector<int> ids(int count) {
  std::vector<int> list;
  for (int id = 1000000 + count; id > 1000000; --id) list.push_back(id);
  return list;
}

TEST(BatchShard, SlicesAreContiguousInListOrderAndTogetherHoldEveryInstanceOnce) {
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
  EXPECT_EQ(BatchShard::parse("2/3").of({9, 3, 7, 1, 5, 8}), (std::vector<int>{7, 1}));
}

TEST(BatchShard, ParseRejectsWhatIsNotASliceOfItsCount) {
  for (const char* bad : {"0/3", "4/3", "3", "/3", "1/", "a/b", "-1/3", "1/0", "1/3x", " 1/3",
                          "1/100001", "1/9999999"}) {
    try {
      BatchShard::parse(bad);
      ADD_FAILURE() << bad << " accepted";
    } catch (const KvException& e) {
      EXPECT_EQ(e.message().str(), std::string("--shard needs K/N with 1 <= K <= N <= 100000 (slice K of N): ") + bad);
    }
  }
  EXPECT_NO_THROW(BatchShard::parse("3/3"));
}

}  // namespace
