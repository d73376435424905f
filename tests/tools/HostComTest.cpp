// vendrel.exe as a vault host on Windows: the add-in created through COM from the registered
// vendrel.dll, driven by the program's commands on a vault in a temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/com/ServerSupport.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

namespace fs = std::filesystem;

struct Result {
  DWORD code = 0;
  std::string out;
  std::string err;
};

using com::BinFolder;

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::erase(text, '\r');
  return text;
}

// A file handle a child process inherits; closed with this object.
class InheritedFile {
 public:
  InheritedFile(const fs::path& file, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    handle_ = CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                          disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~InheritedFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  InheritedFile(const InheritedFile&) = delete;
  InheritedFile& operator=(const InheritedFile&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Runs `program` with `args` in `folder`: no input, output and errors through files there.
Result Execute(const fs::path& program, const std::vector<std::string>& args,
               const fs::path& folder) {
  std::wstring command = L"\"" + program.wstring() + L"\"";
  for (const std::string& arg : args) {
    command += L" \"" + fs::path(arg).wstring() + L"\"";
  }
  Result result;
  {
    InheritedFile in(L"NUL", GENERIC_READ, OPEN_EXISTING);
    InheritedFile out(folder / "out.txt", GENERIC_WRITE, CREATE_ALWAYS);
    InheritedFile err(folder / "err.txt", GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.Get();
    startup.hStdOutput = out.Get();
    startup.hStdError = err.Get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
      ADD_FAILURE() << "cannot start " << program.string();
      return result;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &result.code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  result.out = Slurp(folder / "out.txt");
  result.err = Slurp(folder / "err.txt");
  return result;
}

// regsvr32 /s [/u] bin\vendrel.dll: registers or removes the add-in class.
DWORD Regsvr32(bool unregister) {
  return com::RunRegsvr32(unregister ? L"/u" : L"", (BinFolder() / L"vendrel.dll").wstring());
}

// The host's UI library where the add-in loads it from, as a setup leaves it.
const auto* const installation = ::testing::AddGlobalTestEnvironment(new com::HostInstallation);

// Backslashes doubled for a JSON string.
std::string JsonText(const fs::path& path) {
  std::string text;
  for (const char c : path.string()) text += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return text;
}

class HostComTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(Regsvr32(false), 0u); }
  static void TearDownTestSuite() { Regsvr32(true); }

  HostComTest() {
    std::random_device random;
    dir = fs::temp_directory_path() / ("vendrel-host-" + std::to_string(random()));
    fs::create_directories(dir);
    SetEnvironmentVariableW(L"VENDREL_VAULT", nullptr);
  }
  ~HostComTest() override {
    // Checked-in files are read-only, which stops a removal on Windows.
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    }
    std::error_code error;
    fs::remove_all(dir, error);
    EXPECT_FALSE(error) << error.message();
  }

  Result Run(const std::vector<std::string>& args) {
    return Execute(BinFolder() / "vendrel.exe", args, dir);
  }
  Result RunOk(const std::vector<std::string>& args) {
    Result r = Run(args);
    EXPECT_EQ(r.code, 0u) << args.back() << "\n" << r.out << r.err;
    return r;
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
  }

  // A vault whose local files lie in dir\files, with a.txt added, and three actions: a menu
  // command copying the selected files into dir\out, a copy into dir\archive after each check
  // in, and a refusal of every change of a text file into Review. No action shows a window.
  void MakeVault() {
    RunOk({"init", "v", "--root", (dir / "files").string(), "--user", "Chief"});
    Write("a.txt", "alpha\n");
    RunOk({"--vault", "v", "add", "a.txt", "--to", (dir / "files").string()});
    const std::string out = JsonText(dir / "out");
    const std::string archive = JsonText(dir / "archive");
    const auto copyInto = [](const std::string& folder) {
      return R"({"type": 14, "summary": "", "path": ")" + folder +
             R"("}, {"type": 19, "summary": "", "from": "%PathToSelectedFile%", "to": ")" + folder +
             R"(\\%NameOfSelectedFile%"})";
    };
    Write("actions.json",
          R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 1, "name": "Copy out", "menuText": "Tools\\Copy out", "activation": ["menu"],
   "commands": [{"type": 4, "summary": ""}, )" +
              copyInto(out) + R"(, {"type": 5, "summary": ""}]},
  {"id": 2, "name": "Archive", "activation": ["check-out"],
   "checkOut": {"path": "%", "kind": "check-in", "after": true},
   "commands": [)" +
              copyInto(archive) + R"(]},
  {"id": 3, "name": "Hold", "activation": ["state-change"],
   "stateChange": {"path": "%.txt", "stateId": 2, "after": false},
   "commands": [{"type": 22, "summary": "TRUE"}]}]})");
    RunOk({"acn", "from-json", "actions.json", "-o", "actions.acn"});
    RunOk({"--vault", "v", "import", "actions.acn"});
  }

  fs::path dir;
};

TEST_F(HostComTest, TheRegisteredAddInRegistersItsCommandsAndHooks) {
  MakeVault();
  const Result r = RunOk({"--vault", "v", "--user", "Chief", "registered"});
  EXPECT_NE(r.out.find("Vendrel, Zentrik Corporation"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("menu 100 \"\xC2\xA7(8,TS,Vorn)Administrate Actions...\" flags 0x00020040"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"Tools\\Copy out\" flags 0x00004000"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("hook 6 after check in"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("hook 9 before state change"), std::string::npos) << r.out;
}

TEST_F(HostComTest, AMenuCommandRunsInTheDllAndItsFilesAppear) {
  MakeVault();
  const Result r = RunOk({"--vault", "v", "menu", "Tools\\Copy out", "a.txt"});
  EXPECT_EQ(Slurp(dir / "out" / "a.txt"), "alpha\n");
  EXPECT_NE(r.out.find("menu command (notification 1), 1 item(s)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("answered 0x00000000, refresh 1, veto 0"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("menu done; the add-in asks for a refresh"), std::string::npos) << r.out;
  // Through COM the host cannot see the runs, and does not pretend to.
  EXPECT_EQ(r.out.find("run \""), std::string::npos) << r.out;
}

TEST_F(HostComTest, CheckInAnswersCrossComIntoTheJson) {
  MakeVault();
  RunOk({"--vault", "v", "checkout", "a.txt"});
  const Result r = RunOk({"--vault", "v", "--json", "checkin", "a.txt", "--comment", "done"});
  EXPECT_EQ(Slurp(dir / "archive" / "a.txt"), "alpha\n");
  const Json json = Json::Parse(r.out);
  EXPECT_EQ(json.Find("veto")->AsInteger(""), 0);
  EXPECT_EQ(json.Find("refresh")->AsInteger(""), 0);  // only menu commands ask for a refresh
  EXPECT_EQ(json.Find("runs"), nullptr);              // unknown through COM, so not an empty list
  const Json::Array& notifications = json.Find("notifications")->AsArray("");
  ASSERT_EQ(notifications.size(), 1u);  // only the after-check-in is hooked
  EXPECT_EQ(notifications[0].Find("kind")->AsInteger(""), 6);
  EXPECT_EQ(notifications[0].Find("items")->AsInteger(""), 1);
  EXPECT_EQ(notifications[0].Find("status")->AsInteger(""), 0);
  const Json::Array& files = json.Find("files")->AsArray("");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].Find("version")->AsInteger(""), 2);
  EXPECT_EQ(files[0].Find("checkedOutBy")->AsString(""), L"");
  EXPECT_NE(RunOk({"--vault", "v", "show", "a.txt"}).out.find("\"done\""), std::string::npos);
}

TEST_F(HostComTest, ABeforeStateChangeVetoRefusesWithExitCodeOne) {
  MakeVault();
  const Result refused = Run({"--vault", "v", "state", "a.txt", "--to", "Release.Review"});
  EXPECT_EQ(refused.code, 1u) << refused.out << refused.err;
  EXPECT_NE(refused.out.find("answered 0x00000000, refresh 0, veto 1"), std::string::npos)
      << refused.out;
  EXPECT_NE(refused.out.find("state refused by the add-in\n  a.txt  v1  Draft\n"),
            std::string::npos)
      << refused.out;
  EXPECT_NE(RunOk({"--vault", "v", "ls"}).out.find("a.txt  v1  Draft"), std::string::npos);
}

TEST_F(HostComTest, AnUnregisteredClassIsOneLineAndExitCodeTwo) {
  RunOk({"init", "v", "--root", (dir / "files").string(), "--user", "Chief"});
  ASSERT_EQ(Regsvr32(true), 0u);
  const Result r = Run({"--vault", "v", "registered"});
  ASSERT_EQ(Regsvr32(false), 0u);
  EXPECT_EQ(r.code, 2u);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_TRUE(r.err.starts_with("vendrel: ")) << r.err;
  EXPECT_NE(r.err.find("register vendrel.dll with regsvr32"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace vendrel::tools
