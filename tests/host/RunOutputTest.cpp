// After a run the output folder shows that run's outcome for the instance
// alone: earlier .failed files go when a run succeeds, earlier good files are
// moved aside as .stale when one does not.
#include "host/RunOutput.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <set>

#include "framework/TarnelSteeringData.h"
#include "tests/support/TestFiles.h"

namespace {

TEST(RunOutput, TheFolderShowsTheLastRunsOutcomeAlone) {
  TempFolder temp;
  const std::string& folder = temp.path;
  const struct Step {
    bool ok, stream;
    std::set<std::string> files;
  } steps[] = {
      {true, true, {"r_7.steering.json", "r_7.txt", "r_7.xlsx"}},  // and its workbook
      {false, true, {"r_7.steering.json.stale", "r_7.txt.failed", "r_7.txt.stale", "r_7.xlsx.stale"}},
      {false, false, {"r_7.steering.json.stale", "r_7.txt.stale"}},  // failed before its stream
      {true, true, {"r_7.steering.json", "r_7.txt"}},
      {true, false, {"r_7.steering.json", "r_7.txt.stale"}},  // a report that writes no stream
  };
  for (const Step& s : steps) {
    RunOutput output(folder, "r", 7);
    if (s.stream) output.stream(output.openStream("r")) << "text\n";
    s.ok ? output.commit(TarnelSteeringData(), RunRecord()) : (void)output.abandon();
    if (&s == &steps[0]) std::fclose(std::fopen((folder + "/r_7.xlsx").c_str(), "w"));
    std::set<std::string> files;
    DIR* dir = opendir(folder.c_str());
    while (dirent* e = readdir(dir)) {
      if (e->d_name[0] != '.') files.insert(e->d_name);
    }
    closedir(dir);
    EXPECT_EQ(files, s.files);
  }
}

}  // namespace
