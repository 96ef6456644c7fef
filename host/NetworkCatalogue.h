// NetworkCatalogue: the instance catalogue tnl_instance held in memory, for
// the portal: look-up by id, the ids of an entity, a search by name, map name
// or id that answers in a few milliseconds over 100,000 instances, and the
// elements related to an instance where the network's tables have them (the
// cell of an antenna face, the faces of a cell, the sectors of a 1xEV base
// station, ...). The catalogue is read once, at construction: a snapshot of
// the network. Look-ups and searches are const and safe from any thread;
// neighbours() queries the database under a lock. Throws KvException when
// the database cannot be opened or the catalogue read.
#ifndef TARNEL_HOST_NETWORKCATALOGUE_H_
#define TARNEL_HOST_NETWORKCATALOGUE_H_

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/Database.h"

class NetworkCatalogue {
 public:
  struct Instance {
    int id = 0;
    std::string entity, name, mapName, mapLabel;
  };
  // Instances related to one instance, under the relation's label.
  struct Neighbours {
    std::string relation;
    std::vector<const Instance*> instances;
  };
  struct SearchResult {
    std::vector<const Instance*> matches;  // best first, at most the limit asked for
    size_t total = 0;                      // every match, beyond the limit too
  };

  // Opens `target` (a SQLite file or a postgresql:// URI) and reads the catalogue.
  explicit NetworkCatalogue(const std::string& target);
  NetworkCatalogue(const NetworkCatalogue&) = delete;
  NetworkCatalogue& operator=(const NetworkCatalogue&) = delete;

  // The instance `id`; null when the catalogue does not list it.
  const Instance* find(int id) const;
  // The ids of `entity`, ascending.
  std::vector<int> idsOf(const std::string& entity) const;
  // The entities of the catalogue, in alphabetical order.
  const std::vector<std::string>& entities() const { return entities_; }
  size_t size() const { return instances_.size(); }

  // Instances of `entity` (any entity when empty) whose id, name or map name
  // holds `text`, ignoring ASCII case: exact matches first, then those that
  // start with it, then the rest, each in id order. An empty text matches
  // nothing.
  SearchResult search(const std::string& text, const std::string& entity, size_t limit) const;

  // The relations of the instance's entity that hold any instance, in a
  // fixed order; related ids the catalogue does not list are left out.
  // Throws KvException when the database fails.
  std::vector<Neighbours> neighbours(const Instance& instance);

 private:
  void load();
  int entityIndex(const std::string& entity) const;

  std::unique_ptr<Database> database_;
  std::mutex databaseLock_;
  std::vector<size_t> relations_;    // the relations the network's tables answer
  std::vector<Instance> instances_;  // ascending id
  std::vector<std::string> keys_;    // per instance: "<id>\n<name>\n<map name>", lower case
  std::vector<int> entityOf_;        // per instance: its index in entities_
  std::vector<std::string> entities_;
};

#endif  // TARNEL_HOST_NETWORKCATALOGUE_H_
