#include "host/BatchShard.h"

#include <cctype>

#include "framework/KvException.h"

namespace {
// More slices than this is a typing error, not a fleet of hosts.
const long kMaxCount = 100000;
const char kUsage[] = "--shard needs K/N with 1 <= K <= N <= 100000 (slice K of N), or auto: ";
const char kAuto[] = "--shard auto: ";
const char kNeither[] =
    "--shard auto needs a Kubernetes Indexed Job (JOB_COMPLETION_INDEX, with the count in TARNEL_SHARDS) "
    "or a Slurm job array (SLURM_ARRAY_TASK_ID, SLURM_ARRAY_TASK_COUNT, SLURM_ARRAY_TASK_MIN); "
    "none of them is set";
const char kBoth[] =
    "--shard auto: both JOB_COMPLETION_INDEX (Kubernetes) and SLURM_ARRAY_TASK_ID (Slurm) are set; "
    "give --shard K/N";
const char kJobIndex[] = "JOB_COMPLETION_INDEX";
const char kJobCount[] = "TARNEL_SHARDS";
const char kArrayId[] = "SLURM_ARRAY_TASK_ID";
const char kArrayCount[] = "SLURM_ARRAY_TASK_COUNT";
const char kArrayMin[] = "SLURM_ARRAY_TASK_MIN";
const char kArrayMax[] = "SLURM_ARRAY_TASK_MAX";

// The whole number `text` is, or -1 when it is none (or too large).
long wholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return -1;
  for (char c : text) {
    if (!isdigit(static_cast<unsigned char>(c))) return -1;
  }
  return std::stol(text);
}

bool valid(long index, long count) { return index >= 1 && count >= 1 && count <= kMaxCount && index <= count; }

// The scheduler's variables that --shard auto reads, each as NAME=value.
class Variables {
 public:
  explicit Variables(const BatchShard::Environment& environment) : environment_(environment) {}

  bool has(const char* name) const { return environment_(name) != nullptr; }

  // The whole number in `name`; throws when it is unset or not one.
  long number(const char* name, const char* setBy) {
    const char* value = environment_(name);
    if (!value) throw KvException(std::string(kAuto) + setBy + " is set but " + name + " is not");
    long n = wholeNumber(value);
    if (n < 0) throw KvException(std::string(kAuto) + name + " is not a whole number: " + value);
    shown_ += (shown_.empty() ? "" : ", ") + std::string(name) + "=" + value;
    return n;
  }
  // NAME=value of every number read, for messages.
  const std::string& shown() const { return shown_; }

 private:
  const BatchShard::Environment& environment_;
  std::string shown_;
};
}  // namespace

BatchShard BatchShard::parse(const std::string& text, const Environment& environment) {
  if (text == "auto") return fromScheduler(environment);
  size_t slash = text.find('/');
  long index = slash == std::string::npos ? -1 : wholeNumber(text.substr(0, slash));
  long count = slash == std::string::npos ? -1 : wholeNumber(text.substr(slash + 1));
  if (!valid(index, count)) throw KvException(kUsage + text);
  return BatchShard(static_cast<int>(index), static_cast<int>(count));
}

// A Kubernetes Indexed Job numbers its pods from 0; a Slurm array numbers its
// tasks from SLURM_ARRAY_TASK_MIN and must be a range without gaps or steps,
// or the task ids would not map to slices one to one.
BatchShard BatchShard::fromScheduler(const Environment& environment) {
  Variables variables(environment);
  bool kubernetes = variables.has(kJobIndex), slurm = variables.has(kArrayId);
  if (kubernetes && slurm) throw KvException(kBoth);
  if (!kubernetes && !slurm) throw KvException(kNeither);
  long index = 0, count = 0;
  if (kubernetes) {
    index = variables.number(kJobIndex, kJobIndex) + 1;
    count = variables.number(kJobCount, kJobIndex);
  } else {
    long id = variables.number(kArrayId, kArrayId), first = variables.number(kArrayMin, kArrayId);
    count = variables.number(kArrayCount, kArrayId);
    if (variables.has(kArrayMax) && variables.number(kArrayMax, kArrayId) - first + 1 != count) {
      throw KvException(std::string(kAuto) + "the Slurm array is not a range without gaps (" + variables.shown() +
                        "); submit it with --array=LO-HI");
    }
    index = id - first + 1;
  }
  if (!valid(index, count)) {
    throw KvException(std::string(kAuto) + variables.shown() + " give slice " + std::to_string(index) + " of " +
                      std::to_string(count) + ", not one of 1 to N (N at most 100000)");
  }
  return BatchShard(static_cast<int>(index), static_cast<int>(count));
}

std::vector<int> BatchShard::of(const std::vector<int>& instances) const {
  size_t total = instances.size();
  size_t first = total * static_cast<size_t>(index_ - 1) / static_cast<size_t>(count_);
  size_t end = total * static_cast<size_t>(index_) / static_cast<size_t>(count_);
  return std::vector<int>(instances.begin() + static_cast<long>(first),
                          instances.begin() + static_cast<long>(end));
}

std::string BatchShard::text() const { return std::to_string(index_) + "/" + std::to_string(count_); }
