// PgNetworkLoader: copies a network database from a SQLite file into a
// PostgreSQL database, then runs the PostgreSQL scripts of a folder (the
// stored procedures as functions, the user_tab_columns view). Every table of
// the file is replaced by one of the same name (in lower case) with its
// columns, primary key, indexes and rows; SQLite's REAL values are kept as
// numeric with SQLite's text, so that values read back print the same on
// both databases. All of it runs in one transaction: on failure the server is
// left as it was.
#ifndef TARNEL_HOST_PGNETWORKLOADER_H_
#define TARNEL_HOST_PGNETWORKLOADER_H_

#include <string>

class PgNetworkLoader {
 public:
  // Copies `sqlitePath` into the database at `uri` and runs every "*.sql"
  // file of `scriptFolder` in name order. Throws KvException naming the table
  // or script and giving the database's message; also when a procedure of
  // tnl_procedure has no function of that name after the scripts ran.
  static void load(const std::string& sqlitePath, const std::string& uri,
                   const std::string& scriptFolder);
};

#endif  // TARNEL_HOST_PGNETWORKLOADER_H_
