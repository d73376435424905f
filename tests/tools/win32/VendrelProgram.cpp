// Running vendrel.exe from a test: redirected output, registration, a vault with actions.
#include "tests/tools/win32/VendrelProgram.h"

#include <fstream>
#include <random>

#include "tests/com/ServerSupport.h"

namespace vendrel::tools {
namespace {

namespace fs = std::filesystem;

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
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.Get();
    startup.hStdOutput = out.Get();
    startup.hStdError = err.Get();
    DWORD error = 0;
    const std::optional<DWORD> code = com::RunAndWait(command, startup, folder.c_str(), error);
    if (!code) {
      ADD_FAILURE() << "cannot start " << program.string() << ": error " << error;
      return result;
    }
    result.code = *code;
  }
  result.out = Slurp(folder / "out.txt");
  result.err = Slurp(folder / "err.txt");
  return result;
}

}  // namespace

DWORD Regsvr32(bool unregister) {
  return com::RunRegsvr32(unregister ? L"/u" : L"", (com::BinFolder() / L"vendrel.dll").wstring());
}

std::string JsonText(const fs::path& path) {
  std::string text;
  for (const char c : path.string()) text += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return text;
}

void VendrelProgramTest::SetUpTestSuite() {
  com::HostInstallation().SetUp();
  ASSERT_EQ(Regsvr32(false), 0u);
}

void VendrelProgramTest::TearDownTestSuite() {
  Regsvr32(true);
}

VendrelProgramTest::VendrelProgramTest() {
  std::random_device random;
  dir = fs::temp_directory_path() / ("vendrel-host-" + std::to_string(random()));
  fs::create_directories(dir);
  SetEnvironmentVariableW(L"VENDREL_VAULT", nullptr);
}

VendrelProgramTest::~VendrelProgramTest() {
  // Checked-in files are read-only, which stops a removal on Windows.
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
  }
  std::error_code error;
  fs::remove_all(dir, error);
  EXPECT_FALSE(error) << error.message();
}

Result VendrelProgramTest::Run(const std::vector<std::string>& args) {
  return Execute(com::BinFolder() / "vendrel.exe", args, dir);
}

Result VendrelProgramTest::RunOk(const std::vector<std::string>& args) {
  Result r = Run(args);
  EXPECT_EQ(r.code, 0u) << args.back() << "\n" << r.out << r.err;
  return r;
}

void VendrelProgramTest::Write(const std::string& name, const std::string& text) {
  std::ofstream(dir / name, std::ios::binary) << text;
}

void VendrelProgramTest::MakeVault(const std::string& actions) {
  RunOk({"init", "v", "--root", (dir / "files").string(), "--user", "Chief"});
  Write("a.txt", "alpha\n");
  RunOk({"--vault", "v", "add", "a.txt", "--to", (dir / "files").string()});
  Write("actions.json",
        R"({"format": "action-file", "version": 1600, "actions": [)" + actions + "]}");
  RunOk({"acn", "from-json", "actions.json", "-o", "actions.acn"});
  RunOk({"--vault", "v", "import", "actions.acn"});
}

}  // namespace vendrel::tools
