#include "host/SnapshotCache.h"

#include <cstring>

const char SnapshotCache::kCatalogue[] =
    "select name, map_name, map_label from tnl_instance where instance_id = ?1";
const char SnapshotCache::kCatalogueEntity[] = "select entity from tnl_instance where instance_id = ?1";
const char SnapshotCache::kSeries[] = "select series from tnl_cfg_cell where instance_id = ?1";
const char SnapshotCache::kSeparations[] =
    "select query_entity, report_entity, separation from tnl_separation";

namespace {
// A block is the ids sharing all but their lowest kBlockBits bits.
const int kBlockBits = 8;
// Past these the part starts again: a batch in id order needs a few blocks of
// each table at a time (a LAF's, its cell's, its antenna's, its trunk
// groups'), and a few dozen probe texts. 8 blocks of catalogue entries hold
// about half a megabyte.
const size_t kBlockLimit = 8;
const size_t kTextLimit = 1024;

const char kCatalogueBlock[] =
    "select instance_id, name, map_name, map_label, entity from tnl_instance "
    "where instance_id between ?1 and ?2";
const char kSeriesBlock[] =
    "select instance_id, series from tnl_cfg_cell where instance_id between ?1 and ?2";
// A look-up of one id answered from the rows of its block: the block's
// statement gives the id, then the columns of every look-up of its table;
// a look-up gives `count` of them from `first` on.
struct Lookup {
  const char* sql;
  const char* blockSql;
  size_t blocks;  // which of the cache's blocks
  int first, count;
};
const Lookup kLookups[] = {
    {SnapshotCache::kCatalogue, kCatalogueBlock, 0, 0, 3},
    {SnapshotCache::kCatalogueEntity, kCatalogueBlock, 0, 3, 1},
    {SnapshotCache::kSeries, kSeriesBlock, 1, 0, 1},
};

// ASCII lower case by table: every statement a report runs is looked at, and
// tolower() is a library call per character.
struct LowerCase {
  char of[256];
  LowerCase() {
    for (int c = 0; c < 256; ++c) of[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  }
};

bool equalNoCase(const char* a, const char* b, size_t n) {
  static const LowerCase lower;
  for (size_t i = 0; i < n; ++i) {
    if (lower.of[static_cast<unsigned char>(a[i])] != b[i]) return false;
  }
  return true;
}

// The position of `word` (lower case) in `text` from `from` on, ignoring case.
size_t findNoCase(const std::string& text, const char* word, size_t from = 0) {
  size_t n = std::strlen(word);
  for (size_t i = from; i + n <= text.size(); ++i) {
    if ((text[i] | 0x20) == (word[0] | 0x20) && equalNoCase(text.data() + i, word, n)) return i;
  }
  return std::string::npos;
}

std::string textKey(const std::string& sql, const Database::Parameters& parameters) {
  std::string key = sql;
  for (const Database::Parameter& p : parameters) key += '\x1f' + p.literal();
  return key;
}

void deliver(const std::vector<RWEStringCollection>& rows, const Database::RowHandler& row) {
  if (!row) return;
  for (RWEStringCollection values : rows) row(values);
}
}  // namespace

bool SnapshotCache::readsSchemaColumns(const std::string& sql) {
  static const char kSelect[] = "select ";
  static const char kFrom[] = " from user_tab_columns";
  static const char kWhere[] = " where ";
  if (sql.size() < sizeof kSelect || !equalNoCase(sql.data(), kSelect, sizeof kSelect - 1)) {
    return false;
  }
  if (sql.find_first_of("(;") != std::string::npos) return false;
  size_t from = findNoCase(sql, " from ");
  size_t end = from + sizeof kFrom - 1;
  if (from == std::string::npos || end > sql.size() || !equalNoCase(sql.data() + from, kFrom, end - from)) {
    return false;
  }
  if (end == sql.size()) return true;
  return findNoCase(sql, kWhere, end) == end && findNoCase(sql, " from ", end) == std::string::npos &&
         findNoCase(sql, " union ", end) == std::string::npos;
}

SnapshotCache::Answer SnapshotCache::answer(const std::string& sql,
                                            const Database::Parameters& parameters,
                                            unsigned generation, const Database::RowHandler& row,
                                            const Fetch& fetch) {
  for (size_t i = 0; i < sizeof kLookups / sizeof kLookups[0]; ++i) {
    if (sql == kLookups[i].sql) {
      if (parameters.size() != 1 || parameters[0].isText) return kNotMine;
      return byBlock(i, parameters[0].number, generation, row, fetch);
    }
  }
  if (sql == kSeparations || readsSchemaColumns(sql)) {
    return byText(sql, parameters, generation, row, fetch);
  }
  return kNotMine;
}

bool SnapshotCache::current(unsigned generation) {
  std::shared_lock<std::shared_mutex> lock(mutex_);
  return generation == generation_;
}

bool SnapshotCache::held(const std::string& key, unsigned generation, Rows& rows) {
  std::shared_lock<std::shared_mutex> lock(mutex_);
  auto it = texts_.find(key);
  if (generation != generation_ || it == texts_.end()) return false;
  rows = it->second;
  return true;
}

bool SnapshotCache::held(size_t blocks, long long id, unsigned generation, Rows& rows) {
  std::shared_lock<std::shared_mutex> lock(mutex_);
  Blocks& b = blocks_[blocks];
  if (generation != generation_ || !b.loaded.count(id >> kBlockBits)) return false;
  auto it = b.rows.find(id);
  if (it != b.rows.end()) rows = it->second;
  return true;
}

SnapshotCache::Answer SnapshotCache::byText(const std::string& sql,
                                            const Database::Parameters& parameters,
                                            unsigned generation, const Database::RowHandler& row,
                                            const Fetch& fetch) {
  std::string key = textKey(sql, parameters);
  Rows rows;
  if (held(key, generation, rows)) {
    deliver(rows, row);
    return kFromMemory;
  }
  fetch(sql, parameters, [&rows](RWEStringCollection& values) { rows.push_back(values); });
  {
    std::unique_lock<std::shared_mutex> lock(mutex_);
    if (generation == generation_) {
      if (texts_.size() >= kTextLimit) texts_.clear();
      texts_.emplace(key, rows);
    }
  }
  deliver(rows, row);
  return kFetched;
}

SnapshotCache::Answer SnapshotCache::byBlock(size_t index, long long id, unsigned generation,
                                             const Database::RowHandler& row, const Fetch& fetch) {
  const Lookup& lookup = kLookups[index];
  if (!current(generation)) {
    fetch(lookup.sql, {Database::Parameter::integer(id)}, row);
    return kFetched;
  }
  Rows rows;
  Answer answer = kFromMemory;
  if (!held(lookup.blocks, id, generation, rows)) {
    answer = kFetched;
    const long long first = (id >> kBlockBits) << kBlockBits;
    std::unordered_map<long long, Rows> read;
    fetch(lookup.blockSql,
          {Database::Parameter::integer(first),
           Database::Parameter::integer(first + (1 << kBlockBits) - 1)},
          [&read](RWEStringCollection& values) {
            RWEStringCollection columns;
            columns.reserve(values.entries() - 1);
            for (size_t c = 1; c < values.entries(); ++c) {
              columns.insert(std::move(values(static_cast<int>(c))));
            }
            read[std::atoll(values[0].data())].push_back(std::move(columns));
          });
    auto it = read.find(id);
    if (it != read.end()) rows = it->second;
    keep(lookup.blocks, id >> kBlockBits, generation, read);
  }
  for (RWEStringCollection& values : rows) {
    RWEStringCollection columns;
    for (int c = lookup.first; c < lookup.first + lookup.count; ++c) columns.insert(values[c]);
    values = std::move(columns);
  }
  deliver(rows, row);
  return answer;
}

void SnapshotCache::keep(size_t blocks, long long block, unsigned generation,
                         std::unordered_map<long long, Rows>& read) {
  std::unique_lock<std::shared_mutex> lock(mutex_);
  if (generation != generation_) return;
  Blocks& b = blocks_[blocks];
  if (b.loaded.size() >= kBlockLimit) {
    b.loaded.clear();
    b.rows.clear();
  }
  b.loaded.insert(block);
  for (auto& entry : read) b.rows[entry.first] = std::move(entry.second);
}

void SnapshotCache::reset(unsigned generation) {
  std::unique_lock<std::shared_mutex> lock(mutex_);
  generation_ = generation;
  texts_.clear();
  for (Blocks& b : blocks_) {
    b.loaded.clear();
    b.rows.clear();
  }
}
