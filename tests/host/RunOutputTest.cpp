// After a run the output folder shows that run's outcome for the instance
// alone: earlier .failed files go when a run succeeds, earlier good files are
// moved aside as .stale when one does not.
#include "host/RunOutput.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>

#include "framework/TarnelSteeringData.h"

namespace {

std::string files(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  while (dirent* e = readdir(dir)) {
    if (e->d_name[0] != '.') names.push_back(e->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  std::string text;
  for (const std::string& n : names) text += n + " ";
  return text;
}

// One run of report "r" on instance 7: writes a stream (unless `stream` is
// false), then commits (`ok`) or abandons.
void run(const std::string& folder, bool ok, bool stream = true) {
  RunOutput output(folder, "r", 7);
  if (stream) output.stream(output.openStream("r")) << "text\n";
  if (ok) {
    output.commit(TarnelSteeringData());
  } else {
    output.abandon();
  }
}

TEST(RunOutput, TheFolderShowsTheLastRunsOutcomeAlone) {
  char pattern[] = "/tmp/tarnel-runoutput-XXXXXX";
  const std::string folder = mkdtemp(pattern);
  const struct Step {
    bool ok, stream;
    const char* files;
  } steps[] = {
      {true, true, "r_7.steering.json r_7.txt "},
      {false, true, "r_7.steering.json.stale r_7.txt.failed r_7.txt.stale "},
      {false, false, "r_7.steering.json.stale r_7.txt.stale "},  // failed before its stream
      {true, true, "r_7.steering.json r_7.txt "},
      {true, false, "r_7.steering.json r_7.txt.stale "},  // a report that writes no stream
  };
  for (const Step& s : steps) {
    run(folder, s.ok, s.stream);
    EXPECT_EQ(files(folder), s.files);
  }
  std::system(("rm -rf " + folder).c_str());
}

}  // namespace
