#include "tests/support/InMemoryDataManager.h"

#include "framework/KvException.h"
#include "framework/XMLDocument.h"

void InMemoryDataManager::defineQueries(const std::string& xml) {
  documents_.push_back(XMLDocument::parseText(xml, "queries"));
  for (KvXMLElement* q : documents_.back()->getNamedElements("QUERIES.QUERY")) {
    queries_[q->attribute("Name").str()] = q;
  }
}

KvXMLElement* InMemoryDataManager::query(const RWEString& name) {
  auto it = queries_.find(name.str());
  return it == queries_.end() ? nullptr : it->second;
}

int InMemoryDataManager::openStream(const RWEString& title) {
  calls.push_back("openStream " + title.str());
  auto it = streamByTitle_.find(title.str());
  if (it != streamByTitle_.end()) return it->second;
  int n = static_cast<int>(streams_.size());
  streams_.push_back(std::make_unique<std::ostringstream>());
  if (failing_.count(n)) streams_.back()->setstate(std::ios::badbit);
  streamByTitle_[title.str()] = n;
  return n;
}

std::ostream& InMemoryDataManager::stream(int n) {
  if (n < 0 || static_cast<size_t>(n) >= streams_.size()) {
    throw KvException("No such stream: " + std::to_string(n));
  }
  return *streams_[static_cast<size_t>(n)];
}

RWEString InMemoryDataManager::streamFilename(int n) {
  if (n < 0 || static_cast<size_t>(n) >= streams_.size()) return RWEString();
  return RWEString("stream" + std::to_string(n) + ".txt");
}

int InMemoryDataManager::separation(const RWEString& queryEntity, const RWEString& reportEntity) {
  calls.push_back("separation " + queryEntity.str() + "," + reportEntity.str());
  auto it = separations.find({queryEntity.str(), reportEntity.str()});
  return it == separations.end() ? 1 : it->second;
}

int InMemoryDataManager::inScenario(int id, const RWEString&) { return outOfScenario.count(id) ? 0 : 1; }

int InMemoryDataManager::seriesForCell(int id) {
  auto it = series.find(id);
  return it == series.end() ? -1 : it->second;
}

namespace {
// prefix + the name of `id`; "" for an unnamed instance.
RWEString named(const std::map<int, std::string>& names, int id, const std::string& prefix) {
  auto it = names.find(id);
  return it == names.end() ? RWEString() : RWEString(prefix + it->second);
}
}  // namespace

RWEString InMemoryDataManager::instanceName(int id) { return named(names, id, ""); }
RWEString InMemoryDataManager::instanceMapName(int id) { return named(names, id, "map-"); }
RWEString InMemoryDataManager::instanceMapLabel(int id) { return named(names, id, "label-"); }

void InMemoryDataManager::populateTempScenarioTable(const RWEString& entity, const RWEString& scenario) {
  calls.push_back("populateTempScenarioTable " + entity.str() + "," + scenario.str());
}

std::string InMemoryDataManager::text(int n) const { return streams_.at(static_cast<size_t>(n))->str(); }

void InMemoryDataManager::failStream(int n) {
  failing_.insert(n);
  if (static_cast<size_t>(n) < streams_.size()) {
    streams_[static_cast<size_t>(n)]->setstate(std::ios::badbit);
  }
}
