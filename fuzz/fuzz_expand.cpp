// Expansion of %name% references: the first line is the text, each further line defines a
// variable of the action as "<kind byte>name=value", so values refer to each other, nest, loop
// back and pass through the text functions. Every expansion must end in bounded memory, and the
// text read as a template line gives the same bytes as its wide characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/TextFunctions.h"
#include "commands/core/VarHandler.h"
#include "fuzz/FuzzInput.h"
#include "platform/Ansi.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace {

using vendrel::actions::Variable;

// The kinds that need no vault object; the others are reached through the built-in names.
constexpr Variable::VariableType kKinds[] = {
    Variable::kStaticText,    Variable::kRuntime,      Variable::kEnvironment,
    Variable::kRegistry,      Variable::kLoggedInUser, Variable::kSelectedFileName,
    Variable::kCurrentConfig, Variable::kNoKind,       Variable::kVaultName};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendrel;
  const std::vector<std::string_view> lines = fuzz::Lines(data, size);
  testing::FakeServices fakes;
  fakes.environment.values[L"PATH"] = L"%PATH%;C:\\bin";
  auto vault = host::MakeRef<testing::FakeVault>();
  vault->AddFolder(10, L"\\Parts");
  vault->AddFile(20, L"a.prt", 10);
  actions::DocumentLists lists;
  lists.names = {L"a.prt"};
  lists.ids = {20};
  lists.selected = {true};
  lists.folderIds = {10};
  actions::Action action;
  actions::ActionData run(0, vault, lists, &fakes.services);
  run.currentAction = &action;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.empty()) continue;
    const Variable::VariableType kind =
        kKinds[static_cast<unsigned char>(line[0]) % std::size(kKinds)];
    line.remove_prefix(1);
    const std::size_t equals = line.find('=');
    action.variables.push_back(std::make_unique<Variable>(
        fuzz::Wide(line.substr(0, equals)), kind,
        equals == std::string_view::npos ? std::wstring() : fuzz::Wide(line.substr(equals + 1))));
  }
  commands::VarHandler handler(run);
  const std::wstring text = fuzz::Wide(lines[0]);
  handler.Expand(text, false);
  handler.Expand(text, true);
  commands::ApplyTextFunction(text, fakes.services.clock);
  // As a template line, its bytes expand to what its wide characters give, on the line that
  // first names the values and on a line after it.
  commands::VarHandler wide(run);
  commands::VarHandler bytes(run);
  for (commands::VarHandler* remembering : {&wide, &bytes}) {
    remembering->RememberValues();
    remembering->SetReporting(false);
  }
  for (int pass = 0; pass < 2; ++pass) {
    std::string expanded;
    bytes.ExpandAnsi(lines[0], expanded);
    std::string expected;
    platform::AppendAnsi(wide.Expand(platform::AnsiToWide(lines[0]), false), expected);
    if (expanded != expected) std::abort();
  }
  return 0;
}
