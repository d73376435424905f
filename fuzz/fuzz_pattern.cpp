// The path-pattern match of activation conditions: the first line is the pattern, the second the
// path, the third the vault's root folder. It must end, an empty pattern matches anything, and a
// notification's paths folded once match as each path alone does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "fuzz/FuzzInput.h"
#include "tests/support/FakeVault.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendrel;
  const std::vector<std::string_view> lines = fuzz::Lines(data, size);
  if (lines.size() < 3) return 0;
  auto vault = host::MakeRef<testing::FakeVault>();
  vault->rootPath = fuzz::Wide(lines[2]);
  actions::DocumentLists lists;
  actions::ActionData run(0, vault, lists);
  const std::wstring pattern = fuzz::Wide(lines[0]);
  const std::wstring path = fuzz::Wide(lines[1]);
  const bool matches = actions::MatchesPathPattern(pattern, path, run);
  if (pattern.empty() && !matches) std::abort();
  if (!path.empty() && actions::ItemPaths(std::span(&path, 1), run).AnyMatches(pattern) != matches)
    std::abort();
  return 0;
}
