// What a host waits for on each operation: the add-in reading every action of the vault (hex
// text, archive, commands), registering their menu commands, and finding none that applies; and
// an administrator's save with lock and merge.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>

#include "actions/ActionData.h"
#include "actions/ActionStore.h"
#include "actions/HexStringFile.h"
#include "addin/CreateAddIn.h"
#include "commands/core/CmdFactory.h"
#include "sim/SimVault.h"
#include "tests/support/FakeServices.h"
#include "tools/vendrel/ActionJson.h"

namespace vendrel {
namespace {

using tools::CommandJson;
using tools::Json;

// Ten commands of six kinds, with texts of the length administrators write.
Json Action(std::int32_t id) {
  const std::wstring n = std::to_wstring(id);
  Json action = {{"id", id},
                 {"name", L"Release drawing set " + n},
                 {"menuText", L"Projects\\Release\\Drawing set " + n},
                 {"activation", Json::array({"menu", "check-out"})},
                 {"checkOut",
                  {{"path", L"C:\\Vault\\Projects\\" + n + L"\\%.prt"},
                   {"kind", "check-in"},
                   {"after", true}}}};
  const std::wstring target = L"C:\\Archive\\Projects\\" + n + L"\\%NameOfSelectedFile%";
  action["commands"] = Json::array({
      CommandJson(6, L"Target = Archive | Backup | ",
                  {{"prompt", L"Where should the drawings of set " + n + L" go?"},
                   {"variable", L"Target"},
                   {"choices", Json::array({"Archive", "Backup"})}}),
      CommandJson(2, L"Again"),
      CommandJson(14, L"C:\\Archive\\Projects\\" + n, {{"path", L"C:\\Archive\\Projects\\" + n}}),
      CommandJson(4, L"Block START"),
      CommandJson(19, L"%PathToSelectedFile% -> " + target,
                  {{"from", L"%PathToSelectedFile%"}, {"to", target}}),
      CommandJson(5, L"Block END"),
      CommandJson(8, L"IF %Target% = Backup THEN GOTO Again",
                  {{"operator", 1},
                   {"label", L"Again"},
                   {"variable", L"%Target%"},
                   {"value", L"Backup"},
                   {"ignoreCase", true}}),
      CommandJson(3, L"Done", {{"message", L"Set " + n + L" is archived in %Target%."}}),
      CommandJson(2, L"End"),
      CommandJson(22, L"FALSE"),
  });
  return action;
}

// A vault holding `count` such actions, stored as the administration dialog stores them.
class Vault {
 public:
  explicit Vault(std::int64_t count) : vault_(sim::SimVault::CreateInMemory()) {
    vault_->AddUser(L"Chief");
    vault_->Login(L"Chief", L"PC", session_);
    Json actions = Json::array();
    for (std::int32_t id = 102; id < 102 + count; ++id) actions.push_back(Action(id));
    const Json set = {{"format", "vault-set"},
                      {"version", actions::kArchiveVersion},
                      {"actions", std::move(actions)}};
    const std::wstring hex = tools::BytesToHex(tools::JsonToBytes(set, tools::DefaultCodec()));
    host::Ref<host::AddInDictionary> dictionary;
    session_->GetDictionary(actions::kDictionaryName, true, dictionary);
    dictionary->Write(actions::kActionSetKey, hex);
    dictionary->Write(actions::kCounterKey, L"1");
    textSize_ = hex.size();
  }
  host::VaultSession& Session() { return *session_; }
  std::size_t TextSize() const { return textSize_; }

 private:
  std::unique_ptr<sim::SimVault> vault_;
  host::Ref<host::VaultSession> session_;
  std::size_t textSize_ = 0;
};

class CountingRegistrar final : public host::HostRegistrar {
 public:
  host::HResult AddMenuCommand(std::int32_t, const std::wstring&, std::int32_t, const std::wstring&,
                               const std::wstring&, std::int32_t, std::int32_t) override {
    ++menus;
    return host::kOk;
  }
  host::HResult AddHook(std::int32_t, std::int32_t) override { return host::kOk; }
  std::int64_t menus = 0;
};

// Bytes in use on the heap.
double HeapInUse() {
  return static_cast<double>(mallinfo2().uordblks);
}

// Loading alone, with what a loaded set keeps on the heap against the bytes its text spells.
void LoadActions(benchmark::State& state) {
  Vault vault(state.range(0));
  testing::FakeServices fakes;
  double kept = 0;
  for (auto _ : state) {
    const double before = HeapInUse();
    actions::ActionStore store(*fakes.services.waitCursor, *fakes.services.clock,
                               *fakes.services.messageBoxes, commands::CreateCmd);
    if (!store.Load(vault.Session())) state.SkipWithError("the actions do not load");
    benchmark::DoNotOptimize(store.Set().actions.data());
    kept = HeapInUse() - before;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["stored_kB"] = static_cast<double>(vault.TextSize()) / 2 / 1024;
  state.counters["heap_kB"] = kept / 1024;
}

// The floor under loading: the stored text read from the vault and turned into bytes, no lock,
// no counter, no actions.
void ReadStoredBytes(benchmark::State& state) {
  Vault vault(state.range(0));
  host::Ref<host::AddInDictionary> dictionary;
  vault.Session().GetDictionary(actions::kDictionaryName, false, dictionary);
  for (auto _ : state) {
    actions::HexStringFile file;
    actions::HexStringFile::TextDecoder decoder(file);
    bool exists = false;
    dictionary->ReadInPieces(
        actions::kActionSetKey,
        [&](std::wstring_view piece, std::size_t left) { decoder.Add(piece, left); }, exists);
    if (!decoder.Finish() || file.GetLength() * 2 != vault.TextSize()) {
      state.SkipWithError("the text does not decode");
    }
    benchmark::DoNotOptimize(file.TakeBytes().data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void SaveActions(benchmark::State& state) {
  Vault vault(state.range(0));
  testing::FakeServices fakes;
  actions::ActionStore store(*fakes.services.waitCursor, *fakes.services.clock,
                             *fakes.services.messageBoxes, commands::CreateCmd);
  store.Load(vault.Session());
  for (auto _ : state) {
    store.Set().actions.front()->changedMark = true;
    if (!store.Save(vault.Session())) state.SkipWithError("the actions do not save");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void GetAddInInfo(benchmark::State& state) {
  Vault vault(state.range(0));
  testing::FakeServices fakes;
  const auto addIn = addin::CreateAddIn(fakes.services);
  for (auto _ : state) {
    host::AddInInfo info;
    CountingRegistrar registrar;
    addIn->GetAddInInfo(&info, &vault.Session(), &registrar);
    if (registrar.menus < state.range(0)) state.SkipWithError("menu commands missing");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// An after-check-in notification whose file no action's path matches.
void CheckInNothingApplies(benchmark::State& state) {
  Vault vault(state.range(0));
  testing::FakeServices fakes;
  const auto addIn = addin::CreateAddIn(fakes.services);
  for (auto _ : state) {
    host::HostNotification notification;
    notification.kind = 6;
    notification.vault = host::Ref<host::VaultSession>(&vault.Session());
    notification.items =
        std::vector<host::HostNotificationItem>{{2, 1, 0, L"C:\\Vault\\a.txt", L"", 0}};
    if (host::Failed(addIn->OnCommand(notification))) state.SkipWithError("check in refused");
    benchmark::DoNotOptimize(notification.veto);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A check in of many files, none of which the actions' path patterns take.
void CheckInOfManyFiles(benchmark::State& state) {
  Vault vault(state.range(0));
  testing::FakeServices fakes;
  const auto addIn = addin::CreateAddIn(fakes.services);
  std::vector<host::HostNotificationItem> items;
  for (std::int32_t i = 0; i < state.range(1); ++i) {
    items.push_back({2 + i, 1, 0, L"C:\\Vault\\Parts\\" + std::to_wstring(i) + L".prt", L"", 0});
  }
  for (auto _ : state) {
    host::HostNotification notification;
    notification.kind = 6;
    notification.vault = host::Ref<host::VaultSession>(&vault.Session());
    notification.items = items;
    if (host::Failed(addIn->OnCommand(notification))) state.SkipWithError("check in refused");
    benchmark::DoNotOptimize(notification.veto);
  }
  state.counters["ns_per_test"] =
      benchmark::Counter(static_cast<double>(state.range(0) * state.range(1)) *
                             static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One test of a path against an action's pattern, as a notification makes for each file.
void PathPatternTest(benchmark::State& state) {
  Vault vault(1);
  actions::DocumentLists lists;
  actions::ActionData run(0, host::Ref<host::VaultSession>(&vault.Session()), lists);
  const std::wstring pattern = L"C:\\Vault\\Projects\\102\\%.prt";
  const std::wstring path = L"C:\\Vault\\Parts\\Bolt M8x40.prt";
  for (auto _ : state) {
    benchmark::DoNotOptimize(actions::MatchesPathPattern(pattern, path, run));
  }
}

BENCHMARK(LoadActions)
    ->Arg(10)
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReadStoredBytes)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveActions)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(GetAddInInfo)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckInNothingApplies)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckInOfManyFiles)->Args({200, 1000})->Args({200, 10000})->Unit(benchmark::kMillisecond);
BENCHMARK(PathPatternTest);

}  // namespace
}  // namespace vendrel

BENCHMARK_MAIN();
