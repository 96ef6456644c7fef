#include "host/InstanceSelection.h"

#include <climits>
#include <unordered_set>

#include "framework/KvException.h"
#include "host/ReportSession.h"

namespace {
const char kAll[] = "all";
const char kNotAnId[] = "Not an instance id: \"";
const char kNotAnIdEnd[] = "\" (an id is a plain decimal number)";

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::vector<int> withoutRepeats(const std::vector<int>& ids) {
  std::vector<int> unique;
  std::unordered_set<int> seen;
  for (int id : ids) {
    if (seen.insert(id).second) unique.push_back(id);
  }
  return unique;
}
}  // namespace

int InstanceSelection::parseId(const std::string& text) {
  long long id = 0;
  bool digits = !text.empty() && text.size() <= 10;
  for (char c : text) {
    digits = digits && c >= '0' && c <= '9';
    if (digits) id = id * 10 + (c - '0');
  }
  if (!digits || id > INT_MAX) throw KvException(kNotAnId + text + kNotAnIdEnd);
  return static_cast<int>(id);
}

std::vector<int> InstanceSelection::select(const std::string& text, ReportSession& session,
                                           const std::string& entity) {
  if (text == kAll) return all(session, entity);
  std::vector<int> ids;
  for (size_t start = 0;;) {
    size_t comma = text.find(',', start);
    std::string item = text.substr(start, comma == std::string::npos ? comma : comma - start);
    size_t dash = item.find('-', 1);
    if (dash == std::string::npos) {
      ids.push_back(parseId(item));
    } else {
      std::vector<int> found = range(item, dash, session);
      ids.insert(ids.end(), found.begin(), found.end());
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return withoutRepeats(ids);
}

std::vector<int> InstanceSelection::all(ReportSession& session, const std::string& entity) {
  if (entity.empty()) {
    throw KvException("--instances all needs an Entity attribute on the configuration's root");
  }
  std::vector<int> ids = session.instancesOf(entity);
  if (ids.empty()) {
    throw KvException("--instances all selects nothing: the catalogue has no instance of entity \"" +
                      entity + "\" (its entities: " + joined(session.entities()) + ")");
  }
  return ids;
}

std::vector<int> InstanceSelection::range(const std::string& item, size_t dash,
                                          ReportSession& session) {
  int low = parseId(item.substr(0, dash)), high = parseId(item.substr(dash + 1));
  if (low > high) throw KvException("--instances " + item + " is a reversed range (LO-HI needs LO <= HI)");
  std::vector<int> ids = session.instancesBetween(low, high);
  if (ids.empty()) {
    throw KvException("--instances " + item + " selects nothing: the catalogue has no instance from " +
                      std::to_string(low) + " to " + std::to_string(high));
  }
  return ids;
}
