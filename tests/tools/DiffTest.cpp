// Differences of action sets over their JSON form.
#include "tools/vendrel/workbench/Diff.h"

#include <gtest/gtest.h>

namespace vendrel::tools {
namespace {

using Kind = CommandChange::Kind;

std::string Copy(const std::string& to) {
  return R"({"type": 19, "summary": "", "from": "%PathToSelectedFile%", "to": ")" + to + R"("})";
}

// Two actions; the backup's commands are made, its third copies to `target`.
Json Set(const std::string& target, const std::string& backupName = "Backup",
         std::int32_t backupId = 102) {
  return ParseJson(R"({"format": "vault-set", "actions": [
    {"id": )" + std::to_string(backupId) +
                   R"(, "name": ")" + backupName +
                   R"(", "activation": ["menu"], "commands": [
      {"type": 4, "summary": "Block START"}, )" +
                   Copy("C:\\\\A") + ", " + Copy(target) + ", " + Copy("C:\\\\C") +
                   R"(, {"type": 5, "summary": "Block END"}]},
    {"id": 103, "name": "Guard", "activation": ["check-out"]}]})");
}

TEST(DiffTest, ASetAgainstItselfIsEmpty) {
  const Json set = Set("C:\\\\B");
  EXPECT_TRUE(DiffSets(set, set).empty());
  EXPECT_EQ(DiffText(DiffSets(set, set), "a", "b"), "");
  EXPECT_EQ(DiffJson({}).at("differ"), false);
}

TEST(DiffTest, OneChangedCommandShowsAsOneChangedCommand) {
  const std::vector<ActionChange> changes = DiffSets(Set("C:\\\\B"), Set("D:\\\\B"));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].kind, ActionChange::Kind::kChanged);
  EXPECT_EQ(changes[0].id, 102);
  EXPECT_TRUE(changes[0].fields.empty());
  std::vector<const CommandChange*> changed;
  for (const CommandChange& c : changes[0].commands) {
    if (c.kind != Kind::kSame) changed.push_back(&c);
  }
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0]->kind, Kind::kChanged);
  EXPECT_EQ(changed[0]->before, 3u);
  EXPECT_EQ(changed[0]->after, 3u);

  // One kept command of context on each side of the change.
  EXPECT_EQ(DiffText(changes, "old.acn", "vault", 1),
            "--- old.acn\n+++ vault\n"
            "@@ action 102 \"Backup\" @@\n"
            "@@ commands -2,3 +2,3 @@\n " +
                Copy("C:\\\\A") + "\n-" + Copy("C:\\\\B") + "\n+" + Copy("D:\\\\B") + "\n " +
                Copy("C:\\\\C") + "\n");
  const Json json = DiffJson(changes);
  const Json& commands = json.at("changes")[0].at("commands");
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].at("change"), "changed");
}

TEST(DiffTest, ActionsMatchByIdThenByName) {
  // Renamed under its id: a changed name.
  std::vector<ActionChange> changes = DiffSets(Set("B"), Set("B", "Copy"));
  ASSERT_EQ(changes.size(), 1u);
  ASSERT_EQ(changes[0].fields.size(), 1u);
  EXPECT_EQ(changes[0].fields[0].field, "name");
  EXPECT_NE(DiffText(changes, "a", "b").find("-\"name\": \"Backup\"\n+\"name\": \"Copy\"\n"),
            std::string::npos);

  // A new id under its name: a changed id.
  changes = DiffSets(Set("B"), Set("B", "Backup", 140));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].fields[0].field, "id");

  // Neither: one removed, one added; commands added at the end show as added.
  changes = DiffSets(Set("B"), Set("B", "Other", 141));
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, ActionChange::Kind::kRemoved);
  EXPECT_EQ(changes[1].kind, ActionChange::Kind::kAdded);
  EXPECT_EQ(changes[1].id, 141);
  const Json shorter = ParseJson(R"({"actions": [{"id": 102, "commands": []}]})");
  const Json longer = ParseJson(R"({"actions": [{"id": 102, "commands": [)" + Copy("X") + "]}]}");
  changes = DiffSets(shorter, longer);
  ASSERT_EQ(changes[0].commands.size(), 1u);
  EXPECT_EQ(changes[0].commands[0].kind, Kind::kAdded);
}

}  // namespace
}  // namespace vendrel::tools
