#include "host/BatchShard.h"

#include <map>

#include <gtest/gtest.h>

#include "tests/support/Thrown.h"

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
    EXPECT_EQ(thrown([&] { BatchShard::parse(bad); }),
              std::string("--shard needs K/N with 1 <= K <= N <= 100000 (slice K of N), or auto: ") + bad);
  }
  EXPECT_NO_THROW(BatchShard::parse("3/3"));
}

TEST(BatchShard, AutoTakesItsSliceFromKubernetesOrSlurm) {
  struct Case {
    std::map<std::string, std::string> environment;
    std::string slice;  // K/N, or the message
  } cases[] = {
      {{{"JOB_COMPLETION_INDEX", "0"}, {"TARNEL_SHARDS", "4"}}, "1/4"},
      {{{"SLURM_ARRAY_TASK_ID", "7"}, {"SLURM_ARRAY_TASK_MIN", "5"}, {"SLURM_ARRAY_TASK_COUNT", "3"},
        {"SLURM_ARRAY_TASK_MAX", "7"}},
       "3/3"},
      {{},
       "--shard auto needs a Kubernetes Indexed Job (JOB_COMPLETION_INDEX, with the count in TARNEL_SHARDS) or a "
       "Slurm job array (SLURM_ARRAY_TASK_ID, SLURM_ARRAY_TASK_COUNT, SLURM_ARRAY_TASK_MIN); none of them is set"},
      {{{"JOB_COMPLETION_INDEX", "0"}, {"SLURM_ARRAY_TASK_ID", "0"}},
       "--shard auto: both JOB_COMPLETION_INDEX (Kubernetes) and SLURM_ARRAY_TASK_ID (Slurm) are set; give --shard K/N"},
      {{{"JOB_COMPLETION_INDEX", "1"}}, "--shard auto: JOB_COMPLETION_INDEX is set but TARNEL_SHARDS is not"},
      {{{"JOB_COMPLETION_INDEX", "4"}, {"TARNEL_SHARDS", "4"}},
       "--shard auto: JOB_COMPLETION_INDEX=4, TARNEL_SHARDS=4 give slice 5 of 4, not one of 1 to N (N at most 100000)"},
      {{{"JOB_COMPLETION_INDEX", "0"}, {"TARNEL_SHARDS", "4 "}}, "--shard auto: TARNEL_SHARDS is not a whole number: 4 "},
      {{{"SLURM_ARRAY_TASK_ID", "1"}, {"SLURM_ARRAY_TASK_MIN", "2"}, {"SLURM_ARRAY_TASK_COUNT", "3"}},
       "--shard auto: SLURM_ARRAY_TASK_ID=1, SLURM_ARRAY_TASK_MIN=2, SLURM_ARRAY_TASK_COUNT=3 give slice 0 of 3, "
       "not one of 1 to N (N at most 100000)"},
      {{{"SLURM_ARRAY_TASK_ID", "3"}, {"SLURM_ARRAY_TASK_MIN", "1"}, {"SLURM_ARRAY_TASK_COUNT", "4"},
        {"SLURM_ARRAY_TASK_MAX", "7"}},
       "--shard auto: the Slurm array is not a range without gaps (SLURM_ARRAY_TASK_ID=3, SLURM_ARRAY_TASK_MIN=1, "
       "SLURM_ARRAY_TASK_COUNT=4, SLURM_ARRAY_TASK_MAX=7); submit it with --array=LO-HI"},
  };
  for (const Case& c : cases) {
    BatchShard::Environment environment = [&c](const char* name) -> const char* {
      auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    std::string slice;
    std::string error = thrown([&] { slice = BatchShard::parse("auto", environment).text(); });
    EXPECT_EQ(slice.empty() ? error : slice, c.slice);
  }
}

}  // namespace
