#include "host/RunOutput.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include <nlohmann/json.hpp>

#include "framework/KvException.h"
#include "framework/TarnelSteeringData.h"

namespace {
const size_t kStreamBuffer = 1 << 16;
const char kDiskSpace[] = "Unable to write all of the report  - check disk space";
const char kText[] = ".txt";
const char kSteering[] = ".steering.json";
const char kFailed[] = ".failed";
// An earlier run's good file, moved aside by a run that did not write it anew.
const char kStale[] = ".stale";
// The workbooks an earlier run may have left: a run's own workbook step, when
// asked for, writes the instance's anew after the commit.
const char* const kWorkbooks[] = {".xlsx", ".xlsm"};

void renameOrThrow(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    throw KvException("Cannot rename " + from + " to " + to + ": " + std::strerror(errno));
  }
}
}  // namespace

std::string RunOutput::fileName(const std::string& name) {
  std::string safe = name;
  for (char& c : safe) {
    bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '.' || c == '_' || c == '-';
    if (!ok) c = '_';
  }
  // No hidden files, and never "." or "..".
  if (safe.empty() || safe[0] == '.') safe = "_" + safe;
  return safe;
}

void RunOutput::makeFolder(const std::string& folder) {
  struct stat st;
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
      throw KvException("Cannot make the output folder " + folder + ": " + std::strerror(errno));
    }
    if (slash == std::string::npos) break;
  }
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    throw KvException("Output folder is not a folder: " + folder);
  }
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    throw KvException("Output folder is not writable: " + folder);
  }
}

RunOutput::RunOutput(std::string folder, RWEString name, int instanceId)
    : folder_(std::move(folder)), name_(std::move(name)), instanceId_(instanceId) {}

RunOutput::~RunOutput() {
  if (!finished_) abandon();
}

std::string RunOutput::baseName(const RWEString& title) const {
  return fileName(title.str()) + "_" + std::to_string(instanceId_);
}

int RunOutput::openStream(const RWEString& title) {
  for (size_t i = 0; i < streams_.size(); ++i) {
    if (streams_[i]->title == title) return static_cast<int>(i);
  }
  auto s = std::make_unique<Stream>();
  s->title = title;
  s->finalPath = folder_ + "/" + baseName(title) + kText;
  s->partialPath = s->finalPath + ".partial";
  s->buffer.reset(new char[kStreamBuffer]);
  s->file.rdbuf()->pubsetbuf(s->buffer.get(), kStreamBuffer);
  s->file.open(s->partialPath, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!s->file) {
    throw KvException("Cannot write the report file " + s->partialPath + ": " +
                      std::strerror(errno));
  }
  streams_.push_back(std::move(s));
  return static_cast<int>(streams_.size() - 1);
}

std::ostream& RunOutput::stream(int n) {
  if (n < 0 || static_cast<size_t>(n) >= streams_.size()) {
    throw KvException("No such report stream: " + std::to_string(n));
  }
  return streams_[static_cast<size_t>(n)]->file;
}

RWEString RunOutput::streamFilename(int n) const {
  if (n < 0 || static_cast<size_t>(n) >= streams_.size()) return RWEString();
  const std::string& path = streams_[static_cast<size_t>(n)]->finalPath;
  return RWEString(path.substr(path.rfind('/') + 1));
}

void RunOutput::commit(const TarnelSteeringData& steering, const RunRecord& run) {
  bool whole = true;
  for (auto& s : streams_) {
    s->file.close();
    if (s->file.fail()) whole = false;
  }
  if (!whole) throw KvException(kDiskSpace);
  writeSteering(steering, run);
  for (auto& s : streams_) renameOrThrow(s->partialPath, s->finalPath);
  // What earlier runs left for this instance no longer tells the truth.
  for (const std::string& text : textPaths()) {
    std::remove((text + kFailed).c_str());
    std::remove((text + kStale).c_str());
    if (!written(text)) moveAside(text);
  }
  std::remove((steeringPath() + kStale).c_str());
  moveWorkbooksAside();
  finished_ = true;
}

std::vector<std::string> RunOutput::abandon() {
  std::vector<std::string> kept;
  for (const std::string& text : textPaths()) {
    std::remove((text + kFailed).c_str());
    moveAside(text);
  }
  moveAside(steeringPath());
  moveWorkbooksAside();
  for (auto& s : streams_) {
    if (s->file.is_open()) s->file.close();
    std::string failed = s->finalPath + kFailed;
    if (std::rename(s->partialPath.c_str(), failed.c_str()) == 0) kept.push_back(failed);
  }
  finished_ = true;
  return kept;
}

std::vector<std::string> RunOutput::textPaths() const {
  std::vector<std::string> paths{folder_ + "/" + baseName(name_) + kText};
  for (const auto& s : streams_) {
    if (s->finalPath != paths[0]) paths.push_back(s->finalPath);
  }
  return paths;
}

bool RunOutput::written(const std::string& path) const {
  for (const auto& s : streams_) {
    if (s->finalPath == path) return true;
  }
  return false;
}

std::string RunOutput::steeringPath() const { return steeringPathOf(folder_, name_, instanceId_); }

void RunOutput::moveWorkbooksAside() const {
  for (const char* extension : kWorkbooks) {
    std::string path = folder_ + "/" + baseName(name_) + extension;
    std::remove((path + kStale).c_str());
    moveAside(path);
  }
}

void RunOutput::moveAside(const std::string& path) {
  std::rename(path.c_str(), (path + kStale).c_str());
}

void RunOutput::writeSteering(const TarnelSteeringData& steering, const RunRecord& run) {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  for (const auto& entry : steering.entries()) {
    if (entry.first == "runMacro") {
      json["runMacro"] = std::atoi(entry.second.data());
    } else {
      json[entry.first.str()] = entry.second.str();
    }
  }
  json["run"] = {{"report", run.report},   {"class", run.className},
                 {"entity", run.entity},   {"instance", run.instance},
                 {"instanceName", run.instanceName},
                 {"scenario", run.scenario}, {"database", run.database},
                 {"time", run.time}};
  std::string path = steeringPath();
  std::string partial = path + ".partial";
  std::ofstream out(partial, std::ios::out | std::ios::trunc | std::ios::binary);
  out << json.dump(2) << '\n';
  out.close();
  if (!out) {
    std::remove(partial.c_str());
    throw KvException(kDiskSpace);
  }
  renameOrThrow(partial, path);
}

std::string RunOutput::steeringPathOf(const std::string& folder, const RWEString& name, int instanceId) {
  return folder + "/" + fileName(name.str()) + "_" + std::to_string(instanceId) + kSteering;
}

// A run's files are "<name>_<id>." followed by their ending, so the id is the
// text between the name's "_" and the next dot.
void RunOutput::removeEarlierFiles(const std::string& folder, const RWEString& name, const std::vector<int>& ids) {
  if (ids.empty()) return;
  std::unordered_set<std::string> idTexts;
  for (int id : ids) idTexts.insert(std::to_string(id));
  std::string prefix = fileName(name.str()) + "_";
  auto kept = [](const std::string& file) {
    for (const std::string end : {kFailed, kStale}) {
      if (file.size() >= end.size() && file.compare(file.size() - end.size(), end.size(), end) == 0) return true;
    }
    return false;
  };
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) throw KvException("Cannot read the output folder " + folder + ": " + std::strerror(errno));
  std::vector<std::string> earlier;
  while (dirent* entry = readdir(dir.get())) {
    std::string file = entry->d_name;
    size_t dot = file.find('.', prefix.size());
    if (file.compare(0, prefix.size(), prefix) != 0 || dot == std::string::npos || kept(file)) continue;
    if (idTexts.count(file.substr(prefix.size(), dot - prefix.size()))) earlier.push_back(folder + "/" + file);
  }
  for (const std::string& path : earlier) {
    if (std::remove(path.c_str()) != 0 && errno != ENOENT) {
      throw KvException("Cannot remove " + path + ": " + std::strerror(errno));
    }
  }
}
