// README's examples run as printed: each indented block after "<!-- example -->" is run line by
// line in one folder, and one after "<!-- example file NAME -->" is written to NAME first.
#include <regex>
#include <sstream>

#include "tests/tools/CliFixture.h"

namespace vendrel::tools {
namespace {

const fs::path kSource = VENDREL_SOURCE_DIR;

struct Example {
  std::string command;
  int exit = 0;                    // "# exits with N" at the end of the line
  std::vector<std::string> shown;  // the lines printed under it
};

class ReadmeExamplesTest : public CliTest {
 protected:
  // Runs a line of README with the built vendrel first on the path; a comment ending the line
  // ends before the redirections.
  Result Shell(const std::string& line) {
    const std::string bin = fs::path(VENDREL_BINARY).parent_path().string();
    const std::string command = "cd " + Quote(dir.string()) + " && { PATH=" + Quote(bin) +
                                ":\"$PATH\"; " + line + "\n} </dev/null >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileText(dir / "out.txt"),
            FileText(dir / "err.txt")};
  }

  // Writes the file blocks as they come and returns the examples in order.
  std::vector<Example> Examples() {
    std::istringstream readme(FileText(kSource / "README.md"));
    std::vector<Example> examples;
    std::string line;
    std::string marker;
    while (std::getline(readme, line)) {
      if (line.starts_with("<!-- example")) {
        marker = line;
        continue;
      }
      if (marker.empty()) continue;
      std::string block;
      while (line.starts_with("    ")) {
        block += line.substr(4) + "\n";
        if (!std::getline(readme, line)) break;
      }
      const std::string kFile = "<!-- example file ";
      if (marker.starts_with(kFile)) {
        Write(marker.substr(kFile.size(), marker.find(" -->") - kFile.size()), block);
      } else {
        std::istringstream lines(block);
        for (std::string text; std::getline(lines, text);) {
          if (text.starts_with("vendrel ")) {
            const std::string kExits = "# exits with ";
            const std::size_t exits = text.find(kExits);
            const int code =
                exits == std::string::npos ? 0 : std::stoi(text.substr(exits + kExits.size()));
            examples.push_back({text, code, {}});
          } else if (!examples.empty()) {
            examples.back().shown.push_back(text);
          }
        }
      }
      marker.clear();
    }
    return examples;
  }
};

TEST_F(ReadmeExamplesTest, RunAsPrintedOnAFreshVault) {
  fs::create_directory_symlink(kSource / "examples", dir / "examples");
  // V is the vault the demo leaves behind.
  fs::create_directory_symlink(DemoVault(Demo()), dir / "V");
  const std::vector<Example> examples = Examples();
  EXPECT_GE(examples.size(), 5u);
  for (const Example& example : examples) {
    const Result r = Shell(example.command);
    EXPECT_EQ(r.code, example.exit) << example.command << "\n" << r.err;
    // "..." stands for what a line leaves out, or a line for the lines left out.
    for (const std::string& shown : example.shown) {
      std::istringstream pieces(std::regex_replace(shown, std::regex("\\.\\.\\."), "\n"));
      for (std::string piece; std::getline(pieces, piece);) {
        EXPECT_NE(r.out.find(piece), std::string::npos) << example.command << "\n"
                                                        << piece << "\nnot in\n"
                                                        << r.out;
      }
    }
  }
}

}  // namespace
}  // namespace vendrel::tools
