#include "host/SnapshotCache.h"

#include <gtest/gtest.h>

namespace {

typedef Database::Parameter P;

// A database of the catalogue rows of ids 250 to 260 (name n<id>, entity
// Cell, ECP for 250) and one
// separation; it records every statement fetched.
struct Source {
  std::vector<std::string> fetched;

  SnapshotCache::Fetch fetch() {
    return [this](const std::string& sql, const Database::Parameters& p, const Database::RowHandler& row) {
      fetched.push_back(Database::withLiterals(sql, p));
      auto give = [&row](std::vector<std::string> values) {
        RWEStringCollection r;
        for (const std::string& v : values) r.insert(RWEString(v.c_str()));
        row(r);
      };
      if (sql.find("between") != std::string::npos) {
        for (long long id = std::max(250LL, p[0].number); id <= std::min(260LL, p[1].number); ++id) {
          give({std::to_string(id), "n" + std::to_string(id), "m", "l", id == 250 ? "ECP" : "Cell"});
        }
      } else if (sql == SnapshotCache::kSeparations) {
        give({"CELL", "ECP", "1"});
      } else if (sql == SnapshotCache::kCatalogue) {
        give({"alone", "m", "l"});
      }
    };
  }
};

// The rows `cache` gives for `sql`, values joined by '/', rows by ' '.
std::string rows(SnapshotCache& cache, Source& source, const std::string& sql, Database::Parameters p,
                 unsigned generation = 0, SnapshotCache::Answer* answer = nullptr) {
  std::string text;
  SnapshotCache::Answer a = cache.answer(sql, p, generation, [&text](RWEStringCollection& row) {
    std::string line;
    for (const RWEString& v : row) line += (line.empty() ? "" : "/") + v.str();
    text += (text.empty() ? "" : " ") + line;
  }, source.fetch());
  if (answer) *answer = a;
  return text;
}

TEST(SnapshotCache, LookUpsReadTheirIdsBlockOnceAndTextsOnce) {
  SnapshotCache cache;
  Source source;
  const struct {
    const char* sql;
    long long id;
    std::string rows;
  } cases[] = {
      {SnapshotCache::kCatalogue, 255, "n255/m/l"},
      {SnapshotCache::kCatalogueEntity, 250, "ECP"},
      {SnapshotCache::kCatalogueEntity, 251, "Cell"},
      {SnapshotCache::kCatalogueEntity, 249, ""},
      {SnapshotCache::kCatalogue, 256, "n256/m/l"},
      {SnapshotCache::kCatalogue, 300, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(rows(cache, source, c.sql, {P::integer(c.id)}), c.rows) << c.id;
  SnapshotCache::Answer answer;
  EXPECT_EQ(rows(cache, source, SnapshotCache::kSeparations, {}, 0, &answer), "CELL/ECP/1");
  rows(cache, source, SnapshotCache::kSeparations, {}, 0, &answer);
  EXPECT_EQ(answer, SnapshotCache::kFromMemory);
  // A reader of another snapshot (generation) gets its own rows; nothing is kept.
  EXPECT_EQ(rows(cache, source, SnapshotCache::kCatalogue, {P::integer(3)}, 1, &answer), "alone/m/l");
  rows(cache, source, "select a from t where id = ?1", {P::integer(3)}, 0, &answer);
  EXPECT_EQ(answer, SnapshotCache::kNotMine);
  const std::string block =
      "select instance_id, name, map_name, map_label, entity from tnl_instance where instance_id between ";
  EXPECT_EQ(source.fetched, (std::vector<std::string>{block + "0 and 255", block + "256 and 511",
                                                       SnapshotCache::kSeparations, "select name, map_name, map_label "
                                                       "from tnl_instance where instance_id = 3"}));
}

TEST(SnapshotCache, ProbesAreSelectsOfUserTabColumnsAlone) {
  const std::pair<const char*, bool> cases[] = {
      {"select 1 from user_Tab_columns where table_name='T' and column_name='INSTANCE_ID'", true},
      {"SELECT column_name FROM USER_TAB_COLUMNS", true},
      {"select 1 from user_tab_columns u join t on t.a = u.table_name", false},
      {"select 1 from user_tab_columns, t", false},
      {"select 1 from user_tab_columns_x", false},
      {"select 1 from user_tab_columns where 1 = 1 union select 1 from t", false},
      {"select f(1) from user_tab_columns", false},
      {"select 1 from t where a in (select 1 from user_tab_columns)", false},
      {"delete from user_tab_columns", false},
  };
  for (const auto& c : cases) EXPECT_EQ(SnapshotCache::readsSchemaColumns(c.first), c.second) << c.first;
}

}  // namespace
