#include "host/RunOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <nlohmann/json.hpp>

#include "framework/KvException.h"
#include "framework/TarnelSteeringData.h"

namespace {
const size_t kStreamBuffer = 1 << 16;
const char kDiskSpace[] = "Unable to write all of the report  - check disk space";

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
  s->finalPath = folder_ + "/" + baseName(title) + ".txt";
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
  finished_ = true;
}

std::vector<std::string> RunOutput::abandon() {
  std::vector<std::string> kept;
  for (auto& s : streams_) {
    if (s->file.is_open()) s->file.close();
    std::string failed = s->finalPath + ".failed";
    if (std::rename(s->partialPath.c_str(), failed.c_str()) == 0) kept.push_back(failed);
  }
  finished_ = true;
  return kept;
}

std::string RunOutput::steeringPath() const {
  return folder_ + "/" + baseName(name_) + ".steering.json";
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
