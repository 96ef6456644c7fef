#include "framework/TarnelSteeringData.h"

void TarnelSteeringData::runMacro(TarnelMacroFile code) { set("runMacro", intText(code)); }

void TarnelSteeringData::set(const char* key, const RWEString& value) {
  calls_.emplace_back(key, value);
  for (Entry& e : entries_) {
    if (e.first == key) {
      e.second = value;
      return;
    }
  }
  entries_.emplace_back(key, value);
}

RWEString TarnelSteeringData::value(const RWEString& key) const {
  for (const Entry& e : entries_) {
    if (e.first == key) return e.second;
  }
  return RWEString();
}

bool TarnelSteeringData::has(const RWEString& key) const {
  for (const Entry& e : entries_) {
    if (e.first == key) return true;
  }
  return false;
}
