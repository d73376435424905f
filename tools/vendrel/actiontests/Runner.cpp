// One action test: the fixture on a copy of the base vault, the operation, what it left.
#include "tools/vendrel/actiontests/Runner.h"

#include <cstdio>
#include <sstream>

#include "platform/NativePath.h"
#include "tools/vendrel/Answers.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Operations.h"
#include "tools/vendrel/Platform.h"
#include "tools/vendrel/actiontests/Expectations.h"
#include "tools/vendrel/actiontests/Fixture.h"
#include "tools/vendrel/workbench/ActionSets.h"
#include "tools/vendrel/workbench/VaultCopy.h"

namespace vendrel::tools {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

Outcome Perform(VaultHost& host, const Operation& operation) {
  if (operation.kind == "menu") {
    Args args{operation.menu};
    args.insert(args.end(), operation.paths.begin(), operation.paths.end());
    return ChooseMenuCommand(host, args).outcome;
  }
  if (operation.kind == "add") {
    Args locals;
    for (const std::string& path : operation.paths) {
      locals.push_back(platform::NativePath(Wide(path)).string());
    }
    return AddLocalFiles(host, locals, operation.to, nullptr).outcome;
  }
  const std::vector<FileRef> files = FindFiles(host, operation.paths);
  if (operation.kind == "state") return ChangeStates(host, files, operation.to);
  const FileOperation kind = operation.kind == "checkout"  ? FileOperation::kCheckOut
                             : operation.kind == "checkin" ? FileOperation::kCheckIn
                                                           : FileOperation::kUndoCheckOut;
  return OperateOnFiles(host, kind, files, Wide(operation.comment));
}

}  // namespace

TestRunner::TestRunner(Json actions, std::chrono::milliseconds timeout)
    : actions_(std::move(actions)),
      timeout_(timeout),
      registry_(RegistryFile()),
      folder_(MakeTemporaryFolder("vendrel-test-")) {}

TestRunner::~TestRunner() {
  UseRegistryFile(registry_);
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

const fs::path& TestRunner::Base(const Fixture& fixture) {
  std::vector<std::wstring> users = fixture.users;
  if (users.empty()) users.push_back(MachineServices::LoginName());
  std::wstring key = fixture.root;
  for (const std::wstring& user : users) key += L'\n' + user;
  if (const auto found = bases_.find(key); found != bases_.end()) return found->second;
  const fs::path folder = folder_ / ("base-" + std::to_string(bases_.size()));
  CreateVault(folder, L"Vault", fixture.root, users);
  UseRegistryFile(folder / "registry.db");
  // Made now, so that each copy takes it rather than making and syncing one of its own.
  MachineRegistry()->KeyExists(platform::RegistryRoot::kCurrentUser, L"Software");
  std::ostringstream notes;
  Answers nobody(notes);
  VaultHost host(folder, L"", L"", nobody, nullptr);
  StoreSetJson(host, actions_);
  return bases_.emplace(std::move(key), folder).first->second;
}

TestResult TestRunner::Run(const ActionTest& test, const std::string& where, bool record) {
  const Clock::time_point started = Clock::now();
  TestResult result{test.name, std::nullopt, 0, nullptr};
  const fs::path& base = Base(test.fixture);
  // Each copy takes the registry beside the vault it copies.
  UseRegistryFile(base / "registry.db");
  VaultCopy fixtureVault(base);
  std::ostringstream notes;
  try {
    Answers nobody(notes);
    VaultHost builder(fixtureVault.Folder(), L"", test.fixture.computer, nobody, nullptr,
                      sim::Durability::kThrowaway);
    BuildFixture(builder, test.fixture, fixtureVault.Folder() / "scratch", where + ".fixture");
  } catch (const std::runtime_error& e) {
    if (dynamic_cast<const UsageError*>(&e)) throw;
    throw UsageError(where + ".fixture cannot be built: " + e.what());
  }
  // What changed is seen against a copy of the fixture, made only when it is needed.
  std::optional<VaultCopy> runVault;
  if (record || WantsChanges(test.expect)) runVault.emplace(fixtureVault.Folder());
  Answers answers(test.answers, notes);
  answers.CancelWaitsFrom(started + timeout_);
  std::ostringstream trace;
  std::unique_ptr<VaultHost> host;
  try {
    host = std::make_unique<VaultHost>(runVault ? runVault->Folder() : fixtureVault.Folder(),
                                       test.fixture.user, test.fixture.computer, answers, &trace,
                                       sim::Durability::kThrowaway);
  } catch (const std::runtime_error& e) {
    throw UsageError(where + ".fixture.user: " + e.what());
  }
  host->LoadAddIn();
  Outcome outcome;
  try {
    outcome = Perform(*host, test.operation);
  } catch (const UsageError& e) {
    throw UsageError(where + ".operation: " + e.what());
  }
  CopyChanges changes;
  if (runVault) changes = runVault->Changes();
  const Observed observed{*host, outcome, trace.str(), runVault ? &changes : nullptr};
  if (answers.WaitCancelled()) {
    char limit[32];
    std::snprintf(limit, sizeof limit, "%g", static_cast<double>(timeout_.count()) / 1000);
    result.failure = "timed out after " + std::string(limit) +
                     " s: a wait nobody answered was cancelled at the time limit";
  } else if (record) {
    result.recorded = RecordExpectations(test, observed);
  } else if (const std::optional<Mismatch> mismatch = FirstMismatch(test.expect, observed)) {
    result.failure = mismatch->Text();
  }
  result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
  return result;
}

}  // namespace vendrel::tools
