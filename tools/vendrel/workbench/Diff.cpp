// Differences of action sets: actions matched by id, then by name; commands compared as whole
// JSON values, aligned by their longest common run.
#include "tools/vendrel/workbench/Diff.h"

#include <algorithm>
#include <optional>

#include "platform/Utf8.h"

namespace vendrel::tools {
namespace {

using Kind = CommandChange::Kind;

// The list `key` of an object; an empty list when it has none.
const Json& ListOf(const Json& object, const char* key) {
  static const Json kNone = Json::array();
  return object.is_object() && object.contains(key) ? AsList(object.at(key), key) : kNone;
}

std::optional<std::int64_t> IdOf(const Json& action) {
  if (!action.is_object() || !action.contains("id") || !action.at("id").is_number_integer()) {
    return std::nullopt;
  }
  return AsInteger(action.at("id"), "id");
}

std::wstring NameOf(const Json& action) {
  if (!action.is_object() || !action.contains("name") || !action.at("name").is_string()) return {};
  return AsText(action.at("name"), "name");
}

// Pairs a run of removals with the additions right after it into changes in place.
void PairReplacements(std::vector<CommandChange>& script) {
  std::vector<CommandChange> paired;
  for (std::size_t i = 0; i < script.size();) {
    if (script[i].kind == Kind::kSame) {
      paired.push_back(std::move(script[i++]));
      continue;
    }
    std::vector<CommandChange> removed;
    std::vector<CommandChange> added;
    for (; i < script.size() && script[i].kind != Kind::kSame; ++i) {
      (script[i].kind == Kind::kRemoved ? removed : added).push_back(std::move(script[i]));
    }
    const std::size_t both = std::min(removed.size(), added.size());
    for (std::size_t k = 0; k < both; ++k) {
      paired.push_back({Kind::kChanged, removed[k].before, added[k].after,
                        std::move(removed[k].old), std::move(added[k].now)});
    }
    for (std::size_t k = both; k < removed.size(); ++k) paired.push_back(std::move(removed[k]));
    for (std::size_t k = both; k < added.size(); ++k) paired.push_back(std::move(added[k]));
  }
  script = std::move(paired);
}

std::vector<CommandChange> Script(const Json& a, const Json& b) {
  std::vector<std::string> left;
  std::vector<std::string> right;
  for (const Json& c : a) left.push_back(OneLine(c));
  for (const Json& c : b) right.push_back(OneLine(c));
  const std::size_t n = a.size();
  const std::size_t m = b.size();
  // common[i][j]: the longest common run of a[i..] and b[j..].
  std::vector<std::vector<std::size_t>> common(n + 1, std::vector<std::size_t>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      common[i][j] = left[i] == right[j] ? common[i + 1][j + 1] + 1
                                         : std::max(common[i + 1][j], common[i][j + 1]);
    }
  }
  std::vector<CommandChange> script;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && left[i] == right[j]) {
      script.push_back({Kind::kSame, i + 1, j + 1, a[i], b[j]});
      ++i;
      ++j;
    } else if (j == m || (i < n && common[i + 1][j] >= common[i][j + 1])) {
      script.push_back({Kind::kRemoved, i + 1, 0, a[i], {}});
      ++i;
    } else {
      script.push_back({Kind::kAdded, 0, j + 1, {}, b[j]});
      ++j;
    }
  }
  PairReplacements(script);
  return script;
}

std::vector<FieldChange> Fields(const Json& a, const Json& b) {
  std::vector<std::string> keys;
  for (const Json* side : {&b, &a}) {
    for (const auto& [key, value] : side->items()) {
      if (key != "commands" && std::find(keys.begin(), keys.end(), key) == keys.end()) {
        keys.push_back(key);
      }
    }
  }
  std::vector<FieldChange> fields;
  for (const std::string& key : keys) {
    const Json* old = a.contains(key) ? &a.at(key) : nullptr;
    const Json* now = b.contains(key) ? &b.at(key) : nullptr;
    if (old && now && OneLine(*old) == OneLine(*now)) continue;
    fields.push_back({key, old ? *old : Json(), now ? *now : Json()});
  }
  return fields;
}

// For each action of `first`, its match in `second`: the same id, else the same name.
std::vector<std::optional<std::size_t>> Match(const Json& first, const Json& second) {
  std::vector<std::optional<std::size_t>> match(first.size());
  std::vector<bool> taken(second.size(), false);
  const auto pass = [&](auto same) {
    for (std::size_t i = 0; i < first.size(); ++i) {
      for (std::size_t j = 0; j < second.size() && !match[i]; ++j) {
        if (!taken[j] && same(first[i], second[j])) {
          match[i] = j;
          taken[j] = true;
        }
      }
    }
  };
  pass([](const Json& a, const Json& b) { return IdOf(a) && IdOf(a) == IdOf(b); });
  pass([](const Json& a, const Json& b) { return !NameOf(a).empty() && NameOf(a) == NameOf(b); });
  return match;
}

ActionChange Whole(ActionChange::Kind kind, const Json& action) {
  return {kind, IdOf(action).value_or(0), NameOf(action), {}, {}};
}

}  // namespace

std::string OneLine(const Json& json) {
  const std::string text = WriteJson(json);
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') {
      line += text[i];
      continue;
    }
    while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
    const bool opens = !line.empty() && (line.back() == '{' || line.back() == '[');
    const bool closes = i + 1 < text.size() && (text[i + 1] == '}' || text[i + 1] == ']');
    if (!opens && !closes && i + 1 < text.size()) line += ' ';
  }
  return line;
}

std::vector<ActionChange> DiffSets(const Json& first, const Json& second) {
  const Json& a = ListOf(first, "actions");
  const Json& b = ListOf(second, "actions");
  const std::vector<std::optional<std::size_t>> match = Match(a, b);
  std::vector<ActionChange> changes;
  std::vector<bool> matched(b.size(), false);
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!match[i]) {
      changes.push_back(Whole(ActionChange::Kind::kRemoved, a[i]));
      continue;
    }
    const Json& now = b[*match[i]];
    matched[*match[i]] = true;
    if (OneLine(a[i]) == OneLine(now)) continue;
    ActionChange change = Whole(ActionChange::Kind::kChanged, now);
    change.fields = Fields(a[i], now);
    change.commands = Script(ListOf(a[i], "commands"), ListOf(now, "commands"));
    changes.push_back(std::move(change));
  }
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (!matched[j]) changes.push_back(Whole(ActionChange::Kind::kAdded, b[j]));
  }
  return changes;
}

}  // namespace vendrel::tools
