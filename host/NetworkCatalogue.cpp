#include "host/NetworkCatalogue.h"

#include <algorithm>

#include "framework/KvException.h"

namespace {
const char kCatalogue[] =
    "select instance_id, entity, name, map_name, map_label from tnl_instance order by instance_id";
const int kNoInstance = -1;  // the id the relations are probed with

// Related instances: `sql` returns their ids for the instance bound to ?1.
struct Relation {
  const char* entity;
  const char* label;
  const char* sql;
};

const Relation kRelations[] = {
    {"Cell", "ECP", "select ecp_id from tnl_cfg_cell where instance_id = ?1"},
    {"Cell", "Antenna faces",
     "select instance_id from tnl_cfg_antenna where cell_id = ?1 order by face"},
    {"Cell", "Voice LAFs",
     "select instance_id from tnl_cfg_voicelaf where cell_id = ?1 order by face"},
    {"Cell", "Microcell antennas",
     "select instance_id from tnl_cfg_mcant where cell_id = ?1 order by position"},
    {"Cell", "1xEV base stations",
     "select instance_id from tnl_ent_1xEVBTS where cell_id = ?1 order by instance_id"},
    {"Antenna", "Cell", "select cell_id from tnl_cfg_antenna where instance_id = ?1"},
    {"Antenna", "Voice LAF",
     "select v.instance_id from tnl_cfg_antenna a join tnl_cfg_voicelaf v "
     "on v.cell_id = a.cell_id and v.antenna_id = a.instance_id where a.instance_id = ?1"},
    {"VoiceLAF", "Cell", "select cell_id from tnl_cfg_voicelaf where instance_id = ?1"},
    {"VoiceLAF", "Antenna face", "select antenna_id from tnl_cfg_voicelaf where instance_id = ?1"},
    {"VoiceLAF", "Server group", "select sg_id from tnl_cfg_lafparam where instance_id = ?1"},
    {"VoiceLAF", "Packet-pipe trunk group",
     "select pptg_id from tnl_cfg_lafparam where instance_id = ?1"},
    {"ECP", "Cells", "select instance_id from tnl_cfg_cell where ecp_id = ?1 order by instance_id"},
    {"ECP", "Trunk groups",
     "select instance_id from tnl_cfg_trunkgroup where ecp_id = ?1 order by instance_id"},
    {"ECP", "Server groups",
     "select instance_id from tnl_cfg_servergroup where ecp_id = ?1 order by instance_id"},
    {"TrunkGroup", "ECP", "select ecp_id from tnl_cfg_trunkgroup where instance_id = ?1"},
    {"ServerGroup", "ECP", "select ecp_id from tnl_cfg_servergroup where instance_id = ?1"},
    {"ServerGroup", "Voice LAFs",
     "select instance_id from tnl_cfg_lafparam where sg_id = ?1 order by instance_id"},
    {"MicrocellAntenna", "Cell", "select cell_id from tnl_cfg_mcant where instance_id = ?1"},
    {"1xEVBTS", "Cell", "select cell_id from tnl_ent_1xEVBTS where instance_id = ?1"},
    {"1xEVBTS", "Sectors",
     "select instance_id from tnl_ent_1xEVBTSSector where bts_instance_id = ?1 order by "
     "instance_id"},
    {"1xEVBTSSector", "Base station",
     "select bts_instance_id from tnl_ent_1xEVBTSSector where instance_id = ?1"},
    {"1xEVBTSSector", "Neighbour sectors",
     "select nbr_sector_id from tnl_ent_1xEVNbr where instance_id = ?1 order by nbr_rank"},
};

std::string lowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// How well `key` ("<id>\n<name>\n<map name>") matches `text`, first found
// at `at`: 0 a whole field, 1 the start of a field, 2 inside one.
int rankOf(const std::string& key, const std::string& text, size_t at) {
  int best = 2;
  for (; at != std::string::npos; at = key.find(text, at + 1)) {
    if (at != 0 && key[at - 1] != '\n') continue;
    size_t end = at + text.size();
    if (end == key.size() || key[end] == '\n') return 0;
    best = 1;
  }
  return best;
}
}  // namespace

NetworkCatalogue::NetworkCatalogue(const std::string& target) : database_(Database::open(target)) {
  load();
  for (size_t r = 0; r < sizeof kRelations / sizeof kRelations[0]; ++r) {
    try {
      database_->query(kRelations[r].sql, {Database::Parameter::integer(kNoInstance)}, nullptr);
      relations_.push_back(r);
    } catch (const KvException&) {
      // This network has not got the relation's tables.
    }
  }
}

void NetworkCatalogue::load() {
  database_->query(kCatalogue, {}, [this](RWEStringCollection& row) {
    Instance instance;
    instance.id = row.getInt(0);
    instance.entity = row[1].str();
    instance.name = row[2].str();
    instance.mapName = row[3].str();
    instance.mapLabel = row[4].str();
    keys_.push_back(
        lowerCase(std::to_string(instance.id) + '\n' + instance.name + '\n' + instance.mapName));
    instances_.push_back(std::move(instance));
  });
  for (const Instance& instance : instances_) entities_.push_back(instance.entity);
  std::sort(entities_.begin(), entities_.end());
  entities_.erase(std::unique(entities_.begin(), entities_.end()), entities_.end());
  entityOf_.reserve(instances_.size());
  for (const Instance& instance : instances_) entityOf_.push_back(entityIndex(instance.entity));
}

int NetworkCatalogue::entityIndex(const std::string& entity) const {
  auto it = std::lower_bound(entities_.begin(), entities_.end(), entity);
  return it == entities_.end() || *it != entity ? -1 : static_cast<int>(it - entities_.begin());
}

const NetworkCatalogue::Instance* NetworkCatalogue::find(int id) const {
  auto it = std::lower_bound(instances_.begin(), instances_.end(), id,
                             [](const Instance& i, int value) { return i.id < value; });
  return it == instances_.end() || it->id != id ? nullptr : &*it;
}

std::vector<int> NetworkCatalogue::idsOf(const std::string& entity) const {
  std::vector<int> ids;
  int wanted = entityIndex(entity);
  for (size_t i = 0; i < instances_.size(); ++i) {
    if (entityOf_[i] == wanted) ids.push_back(instances_[i].id);
  }
  return ids;
}

NetworkCatalogue::SearchResult NetworkCatalogue::search(const std::string& text,
                                                        const std::string& entity,
                                                        size_t limit) const {
  SearchResult result;
  std::string wanted = lowerCase(text);
  wanted.erase(std::remove(wanted.begin(), wanted.end(), '\n'), wanted.end());
  int entityFilter = entity.empty() ? -1 : entityIndex(entity);
  if (wanted.empty() || (!entity.empty() && entityFilter < 0)) return result;
  std::vector<const Instance*> byRank[3];
  for (size_t i = 0; i < keys_.size(); ++i) {
    if (entityFilter >= 0 && entityOf_[i] != entityFilter) continue;
    size_t at = keys_[i].find(wanted);
    if (at == std::string::npos) continue;
    ++result.total;
    std::vector<const Instance*>& bucket = byRank[rankOf(keys_[i], wanted, at)];
    if (bucket.size() < limit) bucket.push_back(&instances_[i]);
  }
  for (const std::vector<const Instance*>& bucket : byRank) {
    for (const Instance* match : bucket) {
      if (result.matches.size() == limit) return result;
      result.matches.push_back(match);
    }
  }
  return result;
}

std::vector<NetworkCatalogue::Neighbours> NetworkCatalogue::neighbours(const Instance& instance) {
  std::vector<Neighbours> related;
  std::lock_guard<std::mutex> guard(databaseLock_);
  for (size_t r : relations_) {
    const Relation* relation = &kRelations[r];
    if (instance.entity != relation->entity) continue;
    Neighbours group{relation->label, {}};
    database_->query(relation->sql, {Database::Parameter::integer(instance.id)},
                     [this, &group](RWEStringCollection& row) {
                       if (const Instance* found = find(row.getInt(0)))
                         group.instances.push_back(found);
                     });
    if (!group.instances.empty()) related.push_back(std::move(group));
  }
  return related;
}
