// The examples of README.md and of every page of docs/ run as written and
// print what the page shows. The convention a page follows, new pages too:
//
// - A fenced block whose first line starts with "$ " is an example. Each line
//   starting with "$ " is a command (a line ending in "\" continues it); the
//   lines after it, up to the next command, are what it prints, standard
//   output and error together, exactly. A command that exits with another
//   code than 0 ends with the line "[exit N]".
// - A line "..." stands for any number of lines (none included); "[...]"
//   within a line for any text, for output that varies (a run time, say).
// - Commands run with /bin/sh in a fresh folder per page holding build/ (the
//   built tarnel-report), examples/ (the source's) and out/demo.db, the network
//   the README's first command makes (60 cells, seed 7); blocks of a page run
//   in page order and share the folder.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kPrompt[] = "$ ";
const char kAnyLines[] = "...";
const char kAnyText[] = "[...]";

struct Example {
  int line;  // of the command in the page
  std::string command;
  std::vector<std::string> output;
};

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The examples of the page `text`, in page order.
std::vector<Example> examplesOf(const std::string& text) {
  std::vector<Example> examples;
  std::vector<std::string> lines = linesOf(text);
  bool fenced = false, example = false, continued = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (startsWith(line, "```")) {
      fenced = !fenced;
      example = fenced && i + 1 < lines.size() && startsWith(lines[i + 1], kPrompt);
      continued = false;
    } else if (example && continued) {
      examples.back().command += "\n" + line;
      continued = !line.empty() && line.back() == '\\';
    } else if (example && startsWith(line, kPrompt)) {
      examples.push_back({static_cast<int>(i + 1), line.substr(2), {}});
      continued = line.back() == '\\';
    } else if (example) {
      examples.back().output.push_back(line);
    }
  }
  return examples;
}

// Whether `actual` is `expected`, "[...]" standing for any text.
bool lineMatches(const std::string& expected, const std::string& actual) {
  size_t cut = expected.find(kAnyText);
  if (cut == std::string::npos) return expected == actual;
  std::string head = expected.substr(0, cut), tail = expected.substr(cut + sizeof kAnyText - 1);
  if (!startsWith(actual, head)) return false;
  for (size_t at = head.size(); at <= actual.size(); ++at) {
    if (lineMatches(tail, actual.substr(at))) return true;
  }
  return false;
}

// Whether the lines `actual` are `expected`, a line "..." standing for any lines.
bool linesMatch(const std::vector<std::string>& expected, size_t e, const std::vector<std::string>& actual,
                size_t a) {
  if (e == expected.size()) return a == actual.size();
  if (expected[e] == kAnyLines) {
    for (size_t skip = a; skip <= actual.size(); ++skip) {
      if (linesMatch(expected, e + 1, actual, skip)) return true;
    }
    return false;
  }
  return a < actual.size() && lineMatches(expected[e], actual[a]) && linesMatch(expected, e + 1, actual, a + 1);
}

// README.md and the pages of docs/, relative to the source folder.
std::vector<std::string> pages() {
  std::vector<std::string> list{"README.md"};
  for (const std::string& f : filesIn(std::string(TARNEL_SOURCE_DIR) + "/docs")) {
    if (f.size() > 3 && f.compare(f.size() - 3, 3, ".md") == 0) list.push_back("docs/" + f);
  }
  return list;
}

// A folder as the page's examples expect it.
std::string pageFolder() {
  std::string folder = freshFolder();
  for (const char* sub : {"/build", "/out"}) mkdir((folder + sub).c_str(), 0755);
  if (symlink(TARNEL_REPORT_BINARY, (folder + "/build/tarnel-report").c_str()) != 0 ||
      symlink((std::string(TARNEL_SOURCE_DIR) + "/examples").c_str(), (folder + "/examples").c_str()) != 0) {
    ADD_FAILURE() << "cannot link the tool and the examples into " << folder;
  }
  writeFile(folder + "/out/demo.db", readFile(demoDatabase()));
  return folder;
}

class DocExamples : public testing::TestWithParam<std::string> {};

TEST_P(DocExamples, RunAsWritten) {
  const std::string page = GetParam();
  const std::string folder = pageFolder();
  for (const Example& example : examplesOf(readFile(std::string(TARNEL_SOURCE_DIR) + "/" + page))) {
    CommandResult r = runShell(example.command, folder);
    std::vector<std::string> actual = linesOf(r.out);
    if (r.exitCode != 0) actual.push_back("[exit " + std::to_string(r.exitCode) + "]");
    std::string shown;
    for (const std::string& line : actual) shown += line + "\n";
    EXPECT_TRUE(linesMatch(example.output, 0, actual, 0))
        << page << ":" << example.line << ": $ " << example.command << "\nprinted:\n" << shown;
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, DocExamples, testing::ValuesIn(pages()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name) {
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
