#include "host/ReportCatalogue.h"

#include <fstream>

#include "framework/KvException.h"

const char ReportCatalogue::kFileName[] = "catalogue.tsv";

namespace {
const size_t kColumns = 4;  // configuration, class, instances, title
const char kNameCharacters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-";

std::vector<std::string> columnsOf(const std::string& line) {
  std::vector<std::string> columns;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    columns.push_back(line.substr(start, tab - start));
  }
  columns.push_back(line.substr(start));
  return columns;
}

}  // namespace

ReportCatalogue::ReportCatalogue(const std::string& folder,
                                 const std::vector<std::string>& libraries,
                                 const ReportRegistry& registry) {
  std::string path = folder + "/" + kFileName;
  std::ifstream in(path);
  if (!in) throw KvException(RWEString(path + ": cannot read file"));
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    try {
      Entry entry = load(folder, columnsOf(line), libraries, registry);
      if (find(entry.name)) throw KvException(RWEString("a second report named " + entry.name));
      entries_.push_back(std::move(entry));
    } catch (const KvException& e) {
      throw KvException(RWEString(path + ":" + std::to_string(number) + ": " + e.message().str()));
    }
  }
  if (entries_.empty()) throw KvException(RWEString(path + ": lists no report configuration"));
}

ReportCatalogue::Entry ReportCatalogue::load(const std::string& folder,
                                             const std::vector<std::string>& columns,
                                             const std::vector<std::string>& libraries,
                                             const ReportRegistry& registry) const {
  if (columns.size() != kColumns) {
    throw KvException(RWEString(
        "expected 4 tab-separated columns (configuration, class, instances, title), found " +
        std::to_string(columns.size())));
  }
  Entry entry;
  entry.path = folder + "/" + columns[0];
  entry.className = columns[1];
  entry.constructor = registry.find(entry.className);
  if (!entry.constructor) throw KvException(RWEString("unknown report class " + entry.className));
  entry.configuration = std::make_unique<ReportConfiguration>(entry.path, libraries);
  entry.name = entry.configuration->stem();
  if (entry.name.empty() || entry.name[0] == '.' ||
      entry.name.find_first_not_of(kNameCharacters) != std::string::npos) {
    throw KvException(
        RWEString("a configuration's name may hold only A-Za-z0-9._- and not start with a dot: " +
                  columns[0]));
  }
  entry.title = columns[3].empty() ? entry.name : columns[3];
  entry.entity = entry.configuration->entity().str();
  if (entry.entity.empty()) {
    throw KvException(RWEString(entry.path + ": the root element has no Entity attribute"));
  }
  return entry;
}

const ReportCatalogue::Entry* ReportCatalogue::find(const std::string& name) const {
  for (const Entry& e : entries_) {
    if (e.name == name) return &e;
  }
  return nullptr;
}

std::vector<const ReportCatalogue::Entry*> ReportCatalogue::forEntity(
    const std::string& entity) const {
  std::vector<const Entry*> matching;
  for (const Entry& e : entries_) {
    if (e.entity == entity) matching.push_back(&e);
  }
  return matching;
}
