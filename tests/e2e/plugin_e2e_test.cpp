// Report plug-ins: libraries refused with their messages, from --plugin on
// any subcommand and from TARNEL_PLUGIN_PATH; classes with their library;
// the example plug-in's report run on the demo network; --version.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

const std::string kPlugins = TARNEL_TEST_PLUGINS;
const std::string kExample = kPlugins + "/libexample_coverage.so";
const char kExampleClass[] = "ExampleCellCoverageReport";

std::string plugin(const char* name) { return kPlugins + "/libtest_plugin_" + std::string(name) + ".so"; }

std::string refused(const std::string& path, const std::string& reason) {
  return "tarnel-report: error: Cannot load plug-in " + path + ": " + reason + "\n";
}

// The file tests/plugins/expected/<name>.
std::string expectedPluginText(const std::string& name) {
  return readFile(std::string(TARNEL_SOURCE_DIR) + "/tests/plugins/expected/" + name);
}

// {out} stands for the case's own output folder.
struct Case {
  std::vector<std::string> args;
  std::map<std::string, std::string> env;
  int exitCode;
  std::string out, err;
};

TEST(Plugins, LoadedOrRefusedWithTheirMessages) {
  const std::string in = freshFolder(), db = demoDatabase();
  writeFile(in + "/text.so", "A text file, long enough to hold an ELF header if it were a library.\n");
  writeFile(in + "/copy.so", readFile(kExample));
  const std::string config = examplePath("plugin/coverage.xml");
  const std::string withExample = std::string(kExampleClass) + std::string(13, ' ') + kExample + "\n" +
                                  expectedText("classes.txt");
  const Case cases[] = {
      {{"classes", "--plugin", in + "/text.so"}, {}, 2, "", refused(in + "/text.so", "invalid ELF header")},
      {{"classes", "--plugin", "missing.so"}, {}, 2, "",
       refused("missing.so", "cannot open shared object file: No such file or directory")},
      {{"check-config", config, "--plugin", plugin("NoEntryPoint")}, {}, 2, "",
       refused(plugin("NoEntryPoint"), "no entry point tarnel_report_library (not a report library)")},
      {{"--plugin", plugin("OtherAbi"), "demo-db", "{out}/x.db"}, {}, 2, "",
       refused(plugin("OtherAbi"), "built for report registry ABI 2.0, this program takes 1.x")},
      {{"batch", "--db", db, "--config", config, "--class", kExampleClass, "--instances", "all", "--out", "{out}"},
       {{"TARNEL_PLUGIN_PATH", plugin("Throws")}}, 2, "",
       refused(plugin("Throws"), "registering its classes threw: licence file missing")},
      {runArgs(db, config, "TarnelECPReport", "3000001", "{out}", {"--plugin", plugin("Clash")}), {}, 2, "",
       refused(plugin("Clash"), "report class TarnelECPReport is already registered by libTarnelEntity.so.1")},
      {{"classes", "--plugin", in + "/copy.so"}, {{"TARNEL_PLUGIN_PATH", kExample}}, 2, "",
       refused(in + "/copy.so", "report class ExampleCellCoverageReport is already registered by " + kExample)},
      // A library named twice loads once; empty entries of the path are skipped.
      {{"--plugin", kExample, "classes"}, {{"TARNEL_PLUGIN_PATH", ":" + kExample + "::"}}, 0, withExample, ""},
      {runArgs(db, config, kExampleClass, "1000017", "{out}", {"--plugin", kExample}), {}, 4, "",
       "tarnel-report: skipped: Cell not equipped: 1000017\n"},
      {{"--version"}, {}, 0, std::string("tarnel-report ") + TARNEL_VERSION + "\n", ""},
  };
  for (const Case& c : cases) {
    std::string out = expectRun(c.args, c.exitCode, c.out, c.err, c.env);
    if (c.exitCode != 0) {
      EXPECT_EQ(filesIn(out), std::vector<std::string>{});
    }
  }
}

TEST(Plugins, ExampleReportWritesItsExpectedFiles) {
  const std::string out = freshFolder();
  CommandResult r = runTarnel(runArgs(demoDatabase(), examplePath("plugin/coverage.xml"), kExampleClass,
                                      "1000007", out, {"--plugin", kExample}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* name : {"coverage_1000007.txt", "coverage_1000007.steering.json"}) {
    EXPECT_EQ(replaced(readFile(out + "/" + name), demoDatabase(), "demo.db"), expectedPluginText(name)) << name;
  }
}

}  // namespace
