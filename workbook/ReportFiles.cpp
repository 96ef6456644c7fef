#include "workbook/ReportFiles.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "workbook/WorkbookError.h"

namespace {
// Steering files and streams are the tool's own output: small. A file far
// larger is not one of them, and is refused before it is read into memory.
const std::streamoff kMaxFileBytes = 256LL << 20;

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw WorkbookError("Cannot read " + path);
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size > kMaxFileBytes) throw WorkbookError("Too large to be a report file: " + path);
  in.seekg(0, std::ios::beg);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw WorkbookError("Cannot read " + path);
  return text.str();
}

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string text(const nlohmann::ordered_json& object, const char* key) {
  auto it = object.find(key);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

RunInfo runInfo(const nlohmann::ordered_json& run) {
  RunInfo info;
  if (!run.is_object()) return info;
  info.report = text(run, "report");
  info.className = text(run, "class");
  info.entity = text(run, "entity");
  auto id = run.find("instance");
  if (id != run.end() && id->is_number_integer()) info.instanceId = id->get<int>();
  info.instanceName = text(run, "instanceName");
  info.scenario = text(run, "scenario");
  info.database = text(run, "database");
  info.time = text(run, "time");
  return info;
}
}  // namespace

time_t workbookTime(const std::string& iso) {
  struct tm parts {};
  if (strptime(iso.c_str(), "%Y-%m-%dT%H:%M:%SZ", &parts)) return timegm(&parts);
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch && *epoch) return static_cast<time_t>(std::strtoll(epoch, nullptr, 10));
  return std::time(nullptr);
}

ReportFiles::ReportFiles(std::vector<Entry> steering, std::string stream, RunInfo run)
    : steering_(std::move(steering)), stream_(std::move(stream)), run_(std::move(run)) {}

ReportFiles ReportFiles::read(const std::string& steeringPath) {
  nlohmann::ordered_json json;
  try {
    json = nlohmann::ordered_json::parse(readWhole(steeringPath));
  } catch (const nlohmann::json::exception&) {
    throw WorkbookError("Not steering data (JSON): " + steeringPath);
  }
  if (!json.is_object()) throw WorkbookError("Not steering data (JSON object): " + steeringPath);
  std::vector<Entry> steering;
  RunInfo run;
  for (auto it = json.begin(); it != json.end(); ++it) {
    if (it.key() == "run") {
      run = runInfo(it.value());
    } else if (it.value().is_string()) {
      steering.emplace_back(it.key(), it.value().get<std::string>());
    } else if (it.value().is_number_integer()) {
      steering.emplace_back(it.key(), std::to_string(it.value().get<long long>()));
    } else {
      throw WorkbookError("Not steering data (value of " + it.key() + "): " + steeringPath);
    }
  }
  ReportFiles files(std::move(steering), std::string(), std::move(run));
  std::string dataFile = files.has("PFDataFileName") ? files.value("PFDataFileName")
                                                     : files.value("CRSDataFile");
  if (!dataFile.empty()) {
    if (dataFile.find('/') != std::string::npos || dataFile == "." || dataFile == "..") {
      throw WorkbookError("Data file is not a file name beside the steering data: " + dataFile);
    }
    files.stream_ = readWhole(folderOf(steeringPath) + "/" + dataFile);
  }
  return files;
}

const std::string& ReportFiles::value(const std::string& key) const {
  static const std::string kNone;
  for (const Entry& e : steering_) {
    if (e.first == key) return e.second;
  }
  return kNone;
}

bool ReportFiles::has(const std::string& key) const {
  for (const Entry& e : steering_) {
    if (e.first == key) return true;
  }
  return false;
}

int ReportFiles::macro() const { return std::atoi(value("runMacro").c_str()); }
