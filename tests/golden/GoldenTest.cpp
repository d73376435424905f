// Each command kind read from bytes written by hand from its stored layout: every field reads as
// the file says, and storing the action again gives the very same bytes.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "GoldenFiles.h"
#include "actions/ActionArchive.h"
#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"
#include "platform/Utf8.h"

namespace vendrel::commands {
namespace {

struct Golden {
  std::wstring hex;
  std::int32_t kind = -1;
  std::string summary;
  std::vector<std::string> fields;  // "name = value", in stored order
};

// Hex digits before each "#"; after it, the lines "kind = ", "summary = " and "field ".
Golden Parse(const std::string& text) {
  Golden golden;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t hash = line.find('#');
    for (char c : line.substr(0, hash)) {
      if (c != ' ') golden.hex += static_cast<wchar_t>(c);
    }
    if (hash == std::string::npos) continue;
    const std::string note = line.substr(hash + 2);
    if (note.rfind("kind = ", 0) == 0) golden.kind = std::stoi(note.substr(7));
    if (note.rfind("summary = ", 0) == 0) golden.summary = note.substr(10);
    if (note.rfind("field ", 0) == 0) golden.fields.push_back(note.substr(6));
  }
  return golden;
}

// The fields as the golden files write them.
class FieldLines final : public FieldVisitor {
 public:
  void Int32(const char* name, std::int32_t& value) override { Add(name, std::to_string(value)); }
  void Bool(const char* name, bool& value) override { Add(name, value ? "true" : "false"); }
  void Text(const char* name, std::wstring& value, TextUse) override {
    Add(name, platform::ToUtf8(value));
  }
  void TextList(const char* name, std::vector<std::wstring>& values, TextUse) override {
    std::string joined;
    for (const std::wstring& value : values) {
      joined += (joined.empty() ? "" : "|") + platform::ToUtf8(value);
    }
    Add(name, joined);
  }

  std::vector<std::string> lines;

 private:
  void Add(const char* name, const std::string& value) {
    lines.push_back(std::string(name) + " = " + value);
  }
};

class GoldenTest : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(GoldenTest, EachFieldReadsAsWrittenAndStoresTheSameBytes) {
  const Golden golden = Parse(GetParam().second);
  actions::HexStringFile in;
  ASSERT_TRUE(in.FromText(golden.hex));
  actions::Archive load(in, actions::Archive::Mode::kLoad);
  actions::ActionList actions;
  ASSERT_TRUE(actions::ReadActionFile(load, actions, CreateCmd));
  ASSERT_EQ(actions.size(), 1u);
  ASSERT_EQ(actions[0]->commands.size(), 1u);
  Cmd& command = *actions[0]->commands[0];

  EXPECT_EQ(command.TypeId(), golden.kind);
  EXPECT_EQ(platform::ToUtf8(command.Summary()), golden.summary);
  FieldLines fields;
  command.VisitFields(fields);
  EXPECT_EQ(fields.lines, golden.fields);

  actions::HexStringFile out;
  actions::Archive store(out, actions::Archive::Mode::kStore);
  const actions::Action* list[] = {actions[0].get()};
  actions::WriteActionFile(store, list);
  EXPECT_EQ(out.ToText(), golden.hex);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, GoldenTest, testing::ValuesIn(kGoldenFiles),
                         [](const auto& info) {
                           const std::string name = info.param.first;
                           return name.substr(0, name.find('.'));
                         });

TEST(GoldenFilesTest, CoverEveryListKind) {
  std::set<std::int32_t> kinds;
  for (const auto& [name, text] : kGoldenFiles) kinds.insert(Parse(text).kind);
  for (const CommandKind& kind : CommandKinds())
    EXPECT_TRUE(kinds.count(kind.typeId)) << kind.typeId;
}

}  // namespace
}  // namespace vendrel::commands
