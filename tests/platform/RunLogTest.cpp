// The run log's file: lines kept across one rotation, and a log that cannot be written.
#include "platform/RunLog.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vendrel::platform {
namespace {

namespace fs = std::filesystem;

class RunLogTest : public ::testing::Test {
 protected:
  RunLogTest()
      : dir(fs::temp_directory_path() /
            (std::string("vendrel-log-") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(dir);
  }
  ~RunLogTest() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST_F(RunLogTest, APastLimitLineStartsANewFileAndTheOneBeforeGoes) {
  RotatedLogFile log(dir / "Vendrel" / "runs.log", 25);  // two lines of ten bytes each fit
  for (const wchar_t* line : {L"first one", L"second on", L"third one"}) {
    EXPECT_TRUE(log.Append(line));
  }
  EXPECT_EQ(log.Lines(), (std::vector<std::wstring>{L"first one", L"second on", L"third one"}));
  EXPECT_TRUE(fs::exists(dir / "Vendrel" / "runs.log.1"));
  for (const wchar_t* line : {L"fourth on", L"fifth one"}) EXPECT_TRUE(log.Append(line));
  EXPECT_EQ(log.Lines(), (std::vector<std::wstring>{L"third one", L"fourth on", L"fifth one"}));
  EXPECT_LE(fs::file_size(dir / "Vendrel" / "runs.log"), 25u);
}

TEST_F(RunLogTest, ALogThatCannotBeWrittenSaysSoAndThrowsNothing) {
  fs::create_directories(dir);
  std::ofstream(dir / "Vendrel") << "a file where the folder should be";
  RotatedLogFile log(dir / "Vendrel" / "runs.log");
  EXPECT_FALSE(log.Append(L"lost"));
  EXPECT_TRUE(log.Lines().empty());
}

}  // namespace
}  // namespace vendrel::platform
