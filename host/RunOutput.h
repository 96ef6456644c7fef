// RunOutput: the files of one report run in the output folder. Streams are
// written under "<file>.partial" and renamed to their final names, with the
// steering data beside them, only when the run succeeded and every stream was
// written whole; a failed run leaves "<file>.failed" for diagnosis and no file
// under a final name. The folder then shows this run's outcome for the
// instance alone: a successful run removes the ".failed" and ".stale" files
// earlier runs left; a run that did not succeed moves the earlier run's good
// files aside as "<file>.stale" and removes its ".failed" file (replaced by
// this run's own when it failed). File names are "<name>_<instance>.txt" and
// "<name>_<instance>.steering.json", with characters outside A-Za-z0-9._-
// of the name replaced by '_'. Not copyable; one run, one thread.
#ifndef TARNEL_HOST_RUNOUTPUT_H_
#define TARNEL_HOST_RUNOUTPUT_H_

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/RWEString.h"

class TarnelSteeringData;

// The run, as the steering data's last key "run" records it for the workbook
// made from the files afterwards.
struct RunRecord {
  std::string report;        // the report's name
  std::string className;     // the report class
  std::string entity;        // the report's entity
  int instance = 0;
  std::string instanceName;  // the catalogue's name of the instance
  std::string scenario;      // "" without one
  std::string database;      // as Database::displayName shows it: never a password
  std::string time;          // ISO 8601 in UTC, "2023-11-14T22:13:20Z"
};

class RunOutput {
 public:
  // Makes `folder` with its parents when it does not exist (as mkdir -p
  // would) and checks that files can be written in it. Throws KvException
  // naming the folder and the reason when it cannot be made or written.
  static void makeFolder(const std::string& folder);

  // `name` is the report's name, which names the steering file.
  RunOutput(std::string folder, RWEString name, int instanceId);
  ~RunOutput();
  RunOutput(const RunOutput&) = delete;
  RunOutput& operator=(const RunOutput&) = delete;

  // Opens the stream of `title`, or returns the one already open for it.
  // Throws KvException when the file cannot be created.
  int openStream(const RWEString& title);
  // Stream n; throws KvException for a number never returned.
  std::ostream& stream(int n);
  // Final file name (without folder) of stream n; "" for -1 or unknown n.
  RWEString streamFilename(int n) const;

  // Closes the streams, checks that every one was written whole, renames them
  // Closes the streams, checks that every one was written whole, renames them
  // to their final names and writes the steering data, `run` as its last key.
  // Throws KvException "Unable to write all of the report  - check disk space"
  // when a stream failed (the run is then abandoned).
  void commit(const TarnelSteeringData& steering, const RunRecord& run);
  // Moves the earlier run's good files aside (".stale"), closes the streams
  // and keeps them as "<file>.failed"; returns the paths of those.
  std::vector<std::string> abandon();
  // Path of the steering file (written by commit).
  std::string steeringPath() const;
  // `name` as it appears in file names: characters outside A-Za-z0-9._-
  // replaced by '_', and never starting with '.'.
  static std::string fileName(const std::string& name);

  // Path of the steering file of report `name` for `instanceId` in `folder`.
  static std::string steeringPathOf(const std::string& folder, const RWEString& name, int instanceId);
  // Removes the files that earlier runs of report `name` left in `folder`
  // for the instances `ids`: final files (workbooks included) and ".partial"
  // ones, not ".failed" or ".stale" ones. Throws KvException when the folder
  // cannot be read or a file cannot be removed.
  static void removeEarlierFiles(const std::string& folder, const RWEString& name, const std::vector<int>& ids);

 private:
  struct Stream {
    RWEString title;
    std::string finalPath;
    std::string partialPath;
    std::unique_ptr<char[]> buffer;
    std::ofstream file;
  };
  std::string baseName(const RWEString& title) const;
  void writeSteering(const TarnelSteeringData& steering, const RunRecord& run);
  // The stream files this instance may have: the report name's, and any this
  // run opened under another title.
  std::vector<std::string> textPaths() const;
  bool written(const std::string& path) const;
  // An earlier run's workbook does not show this run: moved aside as ".stale".
  void moveWorkbooksAside() const;
  static void moveAside(const std::string& path);

  std::string folder_;
  RWEString name_;
  int instanceId_;
  std::vector<std::unique_ptr<Stream>> streams_;
  bool finished_ = false;
};

#endif  // TARNEL_HOST_RUNOUTPUT_H_
