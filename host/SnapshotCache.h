// SnapshotCache: answers from memory the statements whose results cannot
// change while a batch reads one snapshot of the network: the engine's
// user_Tab_columns probes and the separations, by their text, and the host's
// look-ups of one instance in the catalogue and of one cell's series, which it
// reads for a block of consecutive ids at a time, so that the neighbouring
// instances of a batch find theirs already read. Each part is bounded and
// starts again when full. Entries belong to one snapshot, a generation:
// reset() drops them. Shared by a batch's workers; thread-safe.
#ifndef TARNEL_HOST_SNAPSHOTCACHE_H_
#define TARNEL_HOST_SNAPSHOTCACHE_H_

#include <functional>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/Database.h"

class SnapshotCache {
 public:
  // The host's look-ups it answers (?1 the id).
  static const char kCatalogue[];      // name, map_name, map_label of an instance
  static const char kCatalogueEntity[];  // the entity of an instance
  static const char kSeries[];         // a cell's series
  static const char kSeparations[];    // every row of tnl_separation

  // Runs a statement on the asking connection, calling the handler per row.
  typedef std::function<void(const std::string& sql, const Database::Parameters& parameters,
                             const Database::RowHandler& row)>
      Fetch;
  enum Answer { kNotMine, kFromMemory, kFetched };

  SnapshotCache() = default;
  SnapshotCache(const SnapshotCache&) = delete;
  SnapshotCache& operator=(const SnapshotCache&) = delete;

  // kNotMine when `sql` with `parameters` is not a statement it answers.
  // Otherwise calls `row` for each of the statement's rows, from memory, or
  // first reading what it lacks with `fetch` (kFetched). A caller reading
  // another `generation` than the cache's is served by `fetch` alone and
  // nothing is kept. Throws what `fetch` throws.
  Answer answer(const std::string& sql, const Database::Parameters& parameters,
                unsigned generation, const Database::RowHandler& row, const Fetch& fetch);

  // Drops every entry; those kept from now on belong to `generation`.
  void reset(unsigned generation);

  // Whether `sql` only reads user_Tab_columns (the engine's INSTANCE_ID
  // probe is such a statement).
  static bool readsSchemaColumns(const std::string& sql);

 private:
  typedef std::vector<RWEStringCollection> Rows;
  // The rows of a table's look-up statement by id, for whole blocks of ids.
  struct Blocks {
    std::unordered_set<long long> loaded;
    std::unordered_map<long long, Rows> rows;
  };

  Answer byText(const std::string& sql, const Database::Parameters& parameters,
                unsigned generation, const Database::RowHandler& row, const Fetch& fetch);
  // Answers look-up `lookup` (a row of the source's table of them) for `id`.
  Answer byBlock(size_t lookup, long long id, unsigned generation,
                 const Database::RowHandler& row, const Fetch& fetch);
  // Whether `generation` is the one the cache keeps entries of.
  bool current(unsigned generation);
  // Whether the cache holds the rows of `key` (of blocks_[blocks] holding
  // `id`) for `generation`; when it does, copies them to `rows`.
  bool held(const std::string& key, unsigned generation, Rows& rows);
  bool held(size_t blocks, long long id, unsigned generation, Rows& rows);
  // Keeps the rows `read` of a block of blocks_[blocks] for `generation`.
  void keep(size_t blocks, long long block, unsigned generation,
            std::unordered_map<long long, Rows>& read);

  std::shared_mutex mutex_;  // shared by look-ups, unique by changes
  unsigned generation_ = 0;
  std::unordered_map<std::string, Rows> texts_;
  Blocks blocks_[2];  // the catalogue's, the series'
};

#endif  // TARNEL_HOST_SNAPSHOTCACHE_H_
