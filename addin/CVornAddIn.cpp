// CVornAddIn: the info record, registration of commands and hooks, and the notification handler.
#include "addin/CVornAddIn.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <span>
#include <utility>

#include "actions/Runner.h"
#include "addin/Documents.h"
#include "addin/RunLogger.h"
#include "addin/Version.h"
#include "commands/core/VarHandler.h"
#include "host/Strings.h"
#include "platform/PathParts.h"

namespace vendrel::addin {
namespace {

constexpr wchar_t kAdminMenuText[] = L"\u00a7(8,TS,Vorn)Administrate Actions...";
constexpr wchar_t kAdminSecondText[] = L"\u00a7(9,TS,Vorn)Administrate Actions";
constexpr wchar_t kChief[] = L"Chief";

using actions::Action;

bool CheckOutHook(const Action& a, std::int32_t kind, bool after) {
  return (a.activationKinds & actions::kActivateOnCheckOut) != 0 && a.checkOutKind == kind &&
         a.checkOutAfter == after;
}

bool StateHook(const Action& a, bool after) {
  return (a.activationKinds & actions::kActivateOnStateChange) != 0 && a.stateChangeAfter == after;
}

bool AddHook(const Action& a, bool after) {
  return (a.activationKinds & actions::kActivateOnAdd) != 0 && a.addAfter == after;
}

// The hooks in the order they are registered, each with the actions that need it.
struct HookRule {
  std::int32_t kind;
  bool (*needs)(const Action&);
};
constexpr std::array<HookRule, 12> kHookRules{{
    {kAfterStateChange, [](const Action& a) { return StateHook(a, true); }},
    {kAfterCheckOut, [](const Action& a) { return CheckOutHook(a, actions::kCheckOut, true); }},
    {kAfterCheckIn, [](const Action& a) { return CheckOutHook(a, actions::kCheckIn, true); }},
    {kAfterUndoCheckOut,
     [](const Action& a) { return CheckOutHook(a, actions::kUndoCheckOut, true); }},
    {kBeforeStateChange, [](const Action& a) { return StateHook(a, false); }},
    {kBeforeCheckOut, [](const Action& a) { return CheckOutHook(a, actions::kCheckOut, false); }},
    {kBeforeCheckIn, [](const Action& a) { return CheckOutHook(a, actions::kCheckIn, false); }},
    {kBeforeUndoCheckOut,
     [](const Action& a) { return CheckOutHook(a, actions::kUndoCheckOut, false); }},
    {kBeforeAdd, [](const Action& a) { return AddHook(a, false); }},
    {kBeforeAddByPath, [](const Action& a) { return AddHook(a, false); }},
    {kAfterAdd, [](const Action& a) { return AddHook(a, true); }},
    {kAfterAddByPath, [](const Action& a) { return AddHook(a, true); }},
}};

std::wstring LoggedInUserName(host::VaultSession* vault) {
  host::Ref<host::VaultUserDirectory> directory;
  host::Ref<host::VaultUser> user;
  std::wstring name;
  if (vault == nullptr || host::Failed(vault->UserDirectory(directory)) || !directory ||
      host::Failed(directory->LoggedInUser(user)) || !user || host::Failed(user->Name(name))) {
    return commands::kNotAvailable;
  }
  return name;
}

bool HostHasEveryoneAdmin(host::VaultSession* vault) {
  std::int32_t major = 0;
  std::int32_t minor = 0;
  if (vault == nullptr || host::Failed(vault->HostVersion(major, minor))) return false;
  return major > 6 || (major == 6 && minor >= 4);
}

// The after flag and, for the check-out family, the check-out kind of a hook kind.
bool IsAfter(std::int32_t kind) {
  return kind == kAfterCheckOut || kind == kAfterCheckIn || kind == kAfterUndoCheckOut ||
         kind == kAfterStateChange || kind == kAfterAdd || kind == kAfterAddByPath;
}

std::int32_t CheckOutKindOf(std::int32_t kind) {
  return (kind - kBeforeCheckOut) / 2 + actions::kCheckOut;
}

// Marks the add-in busy for one call; notifications arriving meanwhile do nothing.
class InProgressScope {
 public:
  explicit InProgressScope(bool& mark) : mark_(mark) { mark_ = true; }
  ~InProgressScope() { mark_ = false; }
  InProgressScope(const InProgressScope&) = delete;
  InProgressScope& operator=(const InProgressScope&) = delete;

 private:
  bool& mark_;
};

// The run context of one action during a state change, with document lists of its own.
struct StateRun {
  explicit StateRun(Action& action) : action(action) {}
  Action& action;
  actions::DocumentLists lists;
  actions::ActionData run{0, nullptr, lists};
};

// Runs every action that qualifies for the paths against the shared context; the last run
// action's veto mark decides.
template <class Qualifies>
bool RunForPaths(actions::ActionList& list, const Documents& documents, actions::ActionData& shared,
                 bool after, Qualifies qualifies) {
  shared.notificationFolderId =
      documents.paths.empty()
          ? 0
          : FolderIdOfPath(*shared.vault, platform::FolderOfPath(documents.paths.back()));
  const actions::ItemPaths paths(documents.paths, shared);
  bool veto = false;
  for (std::size_t i = 0; i < list.size(); ++i) {
    Action* action = list[i].get();
    if (!action || !qualifies(*action, paths)) continue;
    action->vetoMark = false;
    actions::Run(*action, shared);
    if (!after) veto = action->vetoMark;
  }
  return veto;
}

// Each action runs once, over the items it qualifies for; any veto refuses the state change.
bool RunStateChange(actions::ActionList& list, const Documents& documents, bool after,
                    platform::Services& services, actions::RunObserver* observer) {
  if (documents.stateItems.empty()) return false;
  std::vector<std::unique_ptr<StateRun>> runs;
  for (const auto& action : list)
    runs.push_back(action ? std::make_unique<StateRun>(*action) : nullptr);
  for (const auto& item : documents.stateItems) {
    const actions::ItemPaths path(std::span(&item->fullPath, 1), item->run);
    for (const auto& state : runs) {
      if (!state || !state->action.QualifiesForStateChange(after, item->stateId, path)) continue;
      state->action.vetoMark = false;
      state->lists.names.push_back(item->fileName);
      state->lists.ids.push_back(item->lists.ids.front());
      state->lists.folderIds.push_back(item->lists.folderIds.front());
      state->run.ownerWindow = item->run.ownerWindow;
      state->run.vault = item->run.vault;
      state->run.notificationFolderId = item->run.notificationFolderId;
    }
  }
  bool veto = false;
  for (const auto& state : runs) {
    if (!state || state->lists.names.empty()) continue;
    state->run.ResetCursors();
    state->run.services = &services;
    state->run.observer = observer;
    actions::Run(state->action, state->run);
    if (!after && state->action.vetoMark) veto = true;
  }
  return veto;
}

}  // namespace

CVornAddIn::CVornAddIn(platform::Services& services, actions::CommandFactory factory)
    : services_(services),
      store_(*services.waitCursor, *services.clock, *services.messageBoxes, factory),
      administration_(services) {}

CVornAddIn::~CVornAddIn() = default;

host::HResult CVornAddIn::GetAddInInfo(host::AddInInfo* info, host::VaultSession* vault,
                                       host::HostRegistrar* registrar) {
  if (info == nullptr) return host::kPointer;
  try {
    const strings::DefaultFileScope scope;
    info->name = L"Vendrel";
    info->company = L"Zentrik Corporation";
    info->description = L"Version " + std::to_wstring(kVersionYear) + L", SP" +
                        std::to_wstring(kServicePack) + L", Build " + std::to_wstring(kBuild);
    info->version = kVersionYear * 1000000 + kServicePack * 1000 + kBuild;
    info->field5 = 16;
    info->field6 = 0;
    if (registrar == nullptr) return host::kPointer;
    Register(vault, *registrar);
    return host::kOk;
  } catch (const std::bad_alloc&) {
    return host::kOutOfMemory;
  } catch (...) {
    return host::kFail;
  }
}

void CVornAddIn::Register(host::VaultSession* vault, host::HostRegistrar& registrar) {
  if (LoggedInUserName(vault) == kChief) {
    registrar.AddMenuCommand(actions::kAdminCommandId, kAdminMenuText, kAdminChiefFlags,
                             kAdminSecondText, L"", 0, 0);
  }
  if (HostHasEveryoneAdmin(vault)) {
    registrar.AddMenuCommand(actions::kAdminCommandId, kAdminMenuText, kAdminEveryoneFlags,
                             kAdminSecondText, L"", 0, 0);
  }
  if (vault == nullptr || !store_.Load(*vault)) return;

  actions::ActionList& list = store_.Set().actions;
  std::erase(list, nullptr);
  actions::SortByMenuText(list);
  std::array<bool, kHookRules.size()> needed{};
  for (const auto& action : list) {
    if ((action->activationKinds & actions::kActivateByMenu) != 0) {
      registrar.AddMenuCommand(action->actionId, action->menuText, kActionMenuFlags, L"", L"", 0,
                               0);
    }
    for (std::size_t i = 0; i < kHookRules.size(); ++i) {
      needed[i] = needed[i] || kHookRules[i].needs(*action);
    }
  }
  for (std::size_t i = 0; i < kHookRules.size(); ++i) {
    if (needed[i]) registrar.AddHook(kHookRules[i].kind, 0);
  }
}

host::HResult CVornAddIn::OnCommand(host::HostNotification& notification) {
  if (inProgress_) return host::kOk;
  const InProgressScope busy(inProgress_);
  try {
    // Message 10 is the add-in's own text too, so the string file is chosen before it.
    const strings::DefaultFileScope scope;
    const host::Ref<host::VaultSession> vault = notification.vault;
    if (!vault) {
      services_.messageBoxes->Show(
          {OwnerWindow(notification.parentWindow),
           strings::Load(10, L"The command failed because this Add-In could not find the vault"),
           L"Vendrel", platform::mb::kOk | platform::mb::kIconError});
      return host::kFail;
    }
    if (!notification.items) return host::kPointer;
    return Handle(notification, *vault);
  } catch (const std::bad_alloc&) {
    return host::kOutOfMemory;
  } catch (...) {
    return host::kFail;
  }
}

host::HResult CVornAddIn::Handle(host::HostNotification& notification, host::VaultSession& vault) {
  const host::Ref<host::VaultSession> vaultRef(&vault);
  Documents documents;
  VENDREL_RETURN_IF_FAILED(CollectDocuments(notification, vaultRef, documents));

  actions::ActionData shared(OwnerWindow(notification.parentWindow), vaultRef, documents.lists,
                             &services_);
  shared.notificationFolderId = notification.folderId;
  RunLogger runLog(services_, observer_, notification.kind);
  shared.observer = runLog.Observer();

  const bool loadedThisCall = !store_.Loaded() && store_.Load(vault);

  const std::int32_t kind = notification.kind;
  const bool after = IsAfter(kind);
  actions::ActionList& list = store_.Set().actions;
  bool veto = false;
  if (kind == kMenuCommand && notification.commandId == actions::kAdminCommandId) {
    if (admin_) admin_->Administrate({notification, vault, store_, loadedThisCall});
  } else if (kind == kMenuCommand) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      Action* action = list[i].get();
      if (!action || !action->QualifiesForMenu(notification.commandId)) continue;
      actions::Run(*action, shared);
      if (action->refreshMark) notification.refreshFlags = kRefreshAfterRun;
    }
  } else if (kind == kBeforeStateChange || kind == kAfterStateChange) {
    veto = RunStateChange(list, documents, after, services_, runLog.Observer());
  } else if (kind >= kBeforeCheckOut && kind <= kAfterUndoCheckOut) {
    veto = RunForPaths(list, documents, shared, after, [&](const Action& a, const auto& paths) {
      return a.QualifiesForCheckOut(after, CheckOutKindOf(kind), paths);
    });
  } else if (kind == kBeforeAdd || kind == kAfterAdd || kind == kBeforeAddByPath ||
             kind == kAfterAddByPath) {
    veto = RunForPaths(list, documents, shared, after, [&](const Action& a, const auto& paths) {
      return a.QualifiesForAdd(after, paths);
    });
  }
  notification.veto = veto ? 1 : 0;
  return host::kOk;
}

}  // namespace vendrel::addin
