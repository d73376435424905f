// `vendrel test`: action tests run on throwaway vaults, reported as lines, JSON or JUnit XML;
// with --record the runs' results become the tests' expectations.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/actiontests/Runner.h"
#include "tools/vendrel/workbench/ActionSets.h"

namespace vendrel::tools {
namespace {

namespace fs = std::filesystem;

struct FileResults {
  fs::path file;
  std::vector<TestResult> results;
};

// --actions, else the set the file names beside itself, else the vault's.
Json SetUnderTest(Call& call, const TestFile& file) {
  if (const auto& given = call.Opt().actions) return LoadSetJson(call, *given);
  if (file.actions) return LoadSetJson(call, (file.path.parent_path() / *file.actions).string());
  if (call.Global().vault) return LoadSetJson(call, "vault");
  throw UsageError(file.path.string() +
                   " names no actions: give --actions FILE.acn, FILE.json or vault");
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void WriteJUnit(const fs::path& path, const std::vector<FileResults>& files) {
  std::ostringstream xml;
  xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites>\n";
  for (const FileResults& file : files) {
    std::size_t failures = 0;
    double seconds = 0;
    for (const TestResult& r : file.results) {
      failures += r.failure ? 1 : 0;
      seconds += r.seconds;
    }
    const std::string suite = Escaped(file.file.string());
    xml << "  <testsuite name=\"" << suite << "\" tests=\"" << file.results.size()
        << "\" failures=\"" << failures << "\" errors=\"0\" time=\"" << Seconds(seconds) << "\">\n";
    for (const TestResult& r : file.results) {
      xml << "    <testcase classname=\"" << suite << "\" name=\"" << Escaped(r.name)
          << "\" time=\"" << Seconds(r.seconds) << "\"";
      if (!r.failure) {
        xml << "/>\n";
        continue;
      }
      xml << ">\n      <failure message=\"" << Escaped(*r.failure) << "\">" << Escaped(*r.failure)
          << "</failure>\n    </testcase>\n";
    }
    xml << "  </testsuite>\n";
  }
  xml << "</testsuites>\n";
  const std::string text = xml.str();
  WriteBytes(path, Bytes(text.begin(), text.end()));
}

// The file with each test's expectations replaced by what its run left, written beside it and
// renamed over it.
void WriteRecorded(TestFile& file, const std::vector<TestResult>& results) {
  Json& tests = file.document["tests"];
  for (std::size_t i = 0; i < results.size(); ++i) tests[i]["expect"] = results[i].recorded;
  const std::string text = WriteJson(file.document);
  const fs::path beside = file.path.string() + ".new";
  WriteBytes(beside, Bytes(text.begin(), text.end()));
  fs::rename(beside, file.path);
}

}  // namespace

int RunTest(Call& call) {
  if (call.Arguments().empty()) throw call.Misused();
  const auto timeout =
      std::chrono::milliseconds(static_cast<std::int64_t>(std::stod(call.Opt().timeout) * 1000));
  const bool record = call.Opt().record;
  const bool json = call.Json();
  std::vector<TestFile> files;
  for (const std::string& path : call.Arguments()) files.push_back(ReadTestFile(path));
  std::ostream& out = call.Out();
  std::vector<FileResults> all;
  std::size_t passed = 0;
  std::size_t failed = 0;
  for (TestFile& file : files) {
    TestRunner runner(SetUnderTest(call, file), timeout);
    FileResults& done = all.emplace_back(FileResults{file.path, {}});
    for (std::size_t i = 0; i < file.tests.size(); ++i) {
      try {
        done.results.push_back(
            runner.Run(file.tests[i], "tests[" + std::to_string(i) + "]", record));
      } catch (const UsageError& e) {
        throw UsageError(file.path.string() + ": " + e.what());
      }
      const TestResult& r = done.results.back();
      (r.failure ? failed : passed) += 1;
      if (json) continue;
      if (record) {
        out << "recorded " << r.name << "\n";
      } else {
        out << (r.failure ? "FAIL " : "ok   ") << r.name << (r.failure ? ": " + *r.failure : "")
            << "\n";
      }
    }
    if (record) WriteRecorded(file, done.results);
  }
  if (const auto& junit = call.Opt().junit) WriteJUnit(*junit, all);
  const int code = failed > 0 ? kExitRefused : kExitOk;
  if (json) {
    Json tests = Json::array();
    for (const FileResults& file : all) {
      for (const TestResult& r : file.results) {
        tests.push_back({{"file", file.file.string()},
                         {"name", r.name},
                         {"passed", !r.failure},
                         {"failure", r.failure ? Json(*r.failure) : Json()},
                         {"seconds", r.seconds}});
      }
    }
    out << WriteJson(
        {{"tests", std::move(tests)}, {"passed", passed}, {"failed", failed}, {"exit", code}});
  } else {
    out << passed << " passed, " << failed << " failed\n";
  }
  return code;
}

}  // namespace vendrel::tools
