// An action's commands. Those of a set read from the vault stay as their stored bytes until
// something reaches them: every client reads the whole set when it starts, and runs or edits
// few of its actions. Each action keeps the bytes of its own commands only, so a loaded set holds
// little more than its stored size.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vendrel::commands {
class Cmd;
}

namespace vendrel::actions {

class Action;
class Archive;

// Makes the command of a stored type id for its owning action, null for an unknown id. The
// command factory lives above this layer, so its callers hand it in.
using CommandFactory = std::unique_ptr<commands::Cmd> (*)(std::int32_t typeId, Action* owner);

// Reads a stored type id and the command it names. Throws ArchiveError, kBadIndex for a type the
// factory does not know.
std::unique_ptr<commands::Cmd> ReadCommand(Archive& archive, CommandFactory factory, Action* owner);

// Commands left in their stored form: `count` of them in `bytes`, in the layout of `version`,
// made by `factory` for `owner`.
struct StoredCommands {
  std::vector<std::uint8_t> bytes;
  std::int32_t count = 0;
  std::int32_t version = 0;
  CommandFactory factory = nullptr;
  Action* owner = nullptr;
};

// A list of commands with the members of a vector its users need; every one but the count
// decodes stored commands first. An action is used by one thread at a time.
class ActionCommands {
 public:
  using List = std::vector<std::unique_ptr<commands::Cmd>>;

  ActionCommands();
  ~ActionCommands();
  ActionCommands(ActionCommands&&) noexcept;
  ActionCommands& operator=(ActionCommands&&) noexcept;
  ActionCommands& operator=(List list);

  // Replaces the list by commands decoded when first reached. The bytes must hold them whole,
  // as a walk over them with texts skimmed has shown.
  void Defer(StoredCommands stored);
  bool Deferred() const { return stored_.has_value(); }

  List& Items() { return Decoded(); }
  const List& Items() const { return Decoded(); }

  std::size_t size() const;
  bool empty() const { return size() == 0; }
  List::reference operator[](std::size_t i) { return Decoded()[i]; }
  List::const_reference operator[](std::size_t i) const { return Decoded()[i]; }
  List::reference at(std::size_t i) { return Decoded().at(i); }
  List::const_reference at(std::size_t i) const { return Decoded().at(i); }
  List::reference back() { return Decoded().back(); }
  List::const_reference back() const { return Decoded().back(); }
  List::iterator begin() { return Decoded().begin(); }
  List::iterator end() { return Decoded().end(); }
  List::const_iterator begin() const { return Decoded().begin(); }
  List::const_iterator end() const { return Decoded().end(); }
  void push_back(List::value_type command);
  List::iterator erase(List::const_iterator at);
  void clear();

 private:
  List& Decoded() const;

  mutable List list_;
  mutable std::optional<StoredCommands> stored_;
};

}  // namespace vendrel::actions
