// Differences of action sets in unified-diff style for people, and as JSON.
#include <sstream>

#include "platform/Utf8.h"
#include "tools/vendrel/workbench/Diff.h"

namespace vendrel::tools {
namespace {

using Kind = CommandChange::Kind;

std::string Title(const ActionChange& change) {
  return "action " + std::to_string(change.id) + " \"" + platform::ToUtf8(change.name) + "\"";
}

std::string Range(std::size_t start, std::size_t length) {
  return std::to_string(length == 0 ? start : start + 1) + "," + std::to_string(length);
}

// The commands' edit script in hunks of changes with `context` kept commands around them.
void WriteHunks(std::ostream& out, const std::vector<CommandChange>& script, std::size_t context) {
  std::vector<std::size_t> changed;
  for (std::size_t k = 0; k < script.size(); ++k) {
    if (script[k].kind != Kind::kSame) changed.push_back(k);
  }
  for (std::size_t c = 0; c < changed.size();) {
    const std::size_t from = changed[c] > context ? changed[c] - context : 0;
    std::size_t last = changed[c];
    while (++c < changed.size() && changed[c] <= last + 2 * context + 1) last = changed[c];
    const std::size_t to = std::min(script.size(), last + context + 1);
    std::size_t oldStart = 0;
    std::size_t newStart = 0;
    for (std::size_t k = 0; k < from; ++k) {
      oldStart += script[k].before > 0;
      newStart += script[k].after > 0;
    }
    std::size_t oldLength = 0;
    std::size_t newLength = 0;
    std::ostringstream lines;
    for (std::size_t k = from; k < to; ++k) {
      const CommandChange& entry = script[k];
      oldLength += entry.before > 0;
      newLength += entry.after > 0;
      if (entry.kind == Kind::kSame) lines << " " << OneLine(entry.now) << "\n";
      if (entry.before > 0 && entry.kind != Kind::kSame) lines << "-" << OneLine(entry.old) << "\n";
      if (entry.after > 0 && entry.kind != Kind::kSame) lines << "+" << OneLine(entry.now) << "\n";
    }
    out << "@@ commands -" << Range(oldStart, oldLength) << " +" << Range(newStart, newLength)
        << " @@\n"
        << lines.str();
  }
}

Json EntryJson(const CommandChange& entry) {
  static const char* const kKinds[] = {"same", "removed", "added", "changed"};
  Json json = {{"change", kKinds[static_cast<int>(entry.kind)]}};
  if (entry.before > 0) json["before"] = entry.before;
  if (entry.after > 0) json["after"] = entry.after;
  if (!entry.old.is_null()) json["old"] = entry.old;
  if (!entry.now.is_null()) json["new"] = entry.now;
  return json;
}

}  // namespace

std::string DiffText(const std::vector<ActionChange>& changes, const std::string& first,
                     const std::string& second, std::size_t context) {
  if (changes.empty()) return {};
  std::ostringstream out;
  out << "--- " << first << "\n+++ " << second << "\n";
  for (const ActionChange& change : changes) {
    if (change.kind != ActionChange::Kind::kChanged) {
      out << "@@ " << Title(change)
          << (change.kind == ActionChange::Kind::kAdded ? " added" : " removed") << " @@\n";
      continue;
    }
    out << "@@ " << Title(change) << " @@\n";
    for (const FieldChange& field : change.fields) {
      if (!field.old.is_null()) out << "-\"" << field.field << "\": " << OneLine(field.old) << "\n";
      if (!field.now.is_null()) out << "+\"" << field.field << "\": " << OneLine(field.now) << "\n";
    }
    WriteHunks(out, change.commands, context);
  }
  return out.str();
}

Json DiffJson(const std::vector<ActionChange>& changes) {
  static const char* const kKinds[] = {"added", "removed", "changed"};
  Json list = Json::array();
  for (const ActionChange& change : changes) {
    Json fields = Json::array();
    for (const FieldChange& field : change.fields) {
      fields.push_back({{"field", field.field}, {"old", field.old}, {"new", field.now}});
    }
    Json commands = Json::array();
    for (const CommandChange& entry : change.commands) {
      if (entry.kind != Kind::kSame) commands.push_back(EntryJson(entry));
    }
    list.push_back({{"change", kKinds[static_cast<int>(change.kind)]},
                    {"id", change.id},
                    {"name", change.name},
                    {"fields", std::move(fields)},
                    {"commands", std::move(commands)}});
  }
  return {{"differ", !changes.empty()}, {"changes", std::move(list)}};
}

}  // namespace vendrel::tools
