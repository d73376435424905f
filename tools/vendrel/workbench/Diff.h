// The difference between two sets of actions over their JSON form: actions added, removed and
// changed, matched by id and then by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/vendrel/Json.h"

namespace vendrel::tools {

// One command in the edit script of a changed action: kept, removed, added, or changed in place.
struct CommandChange {
  enum class Kind { kSame, kRemoved, kAdded, kChanged };
  Kind kind = Kind::kSame;
  std::size_t before = 0;  // its number in the first set, from 1; 0 when added
  std::size_t after = 0;   // its number in the second set, from 1; 0 when removed
  Json old;                // null when added
  Json now;                // null when removed
};

struct FieldChange {
  std::string field;
  Json old;  // null when the field is absent
  Json now;
};

struct ActionChange {
  enum class Kind { kAdded, kRemoved, kChanged };
  Kind kind = Kind::kChanged;
  std::int64_t id = 0;  // the second set's id for a changed action
  std::wstring name;
  std::vector<FieldChange> fields;
  std::vector<CommandChange> commands;  // every command of both, in order; changed actions only
};

// Empty when both hold the same actions.
std::vector<ActionChange> DiffSets(const Json& first, const Json& second);

// "--- first" and "+++ second", then each action with its changed fields and commands, the
// commands in hunks with `context` unchanged commands around each change.
std::string DiffText(const std::vector<ActionChange>& changes, const std::string& first,
                     const std::string& second, std::size_t context = 2);
Json DiffJson(const std::vector<ActionChange>& changes);

// A JSON value on one line.
std::string OneLine(const Json& json);

}  // namespace vendrel::tools
