// The reference host: one client of a simulated vault that loads the add-in as a host does and
// fires its notifications around each operation.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/AddIn.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"
#include "platform/posix/Answerers.h"
#include "sim/SimVault.h"
#include "tools/vendrel/Answers.h"
#include "tools/vendrel/DialogAnswers.h"
#include "tools/vendrel/Platform.h"
#include "tools/vendrel/Trace.h"

namespace vendrel::tools {

struct MenuEntry {
  std::int32_t id = 0;
  std::wstring text;
  std::int32_t flags = 0;
};

// What get add-in info registered, in registration order.
class Registrations final : public host::HostRegistrar {
 public:
  host::HResult AddMenuCommand(std::int32_t commandId, const std::wstring& menuText,
                               std::int32_t flags, const std::wstring& text2,
                               const std::wstring& text3, std::int32_t int1,
                               std::int32_t int2) override;
  host::HResult AddHook(std::int32_t kind, std::int32_t arg) override;

  bool Hooked(std::int32_t kind) const;

  std::vector<MenuEntry> menus;
  std::vector<std::int32_t> hooks;
};

// The answers of one operation, summed over its notifications.
struct Outcome {
  host::HResult status = host::kOk;
  std::int32_t refresh = 0;
  bool veto = false;
  host::HResult operation = host::kOk;  // the host's own operation
};

// Message boxes, button boxes and file dialogs go to the answerer and into the trace.
class TracedMessageBoxes final : public platform::MessageBoxes,
                                 public platform::ButtonBoxes,
                                 public platform::FileDialogs {
 public:
  TracedMessageBoxes(platform::Answerer& answerer, Trace& trace)
      : answerer_(answerer), trace_(trace) {}
  platform::Answer Show(const platform::MessageBoxRequest& request) override;
  std::int32_t Show(const platform::ButtonBoxRequest& request) override;
  std::optional<std::wstring> Choose(const platform::FileDialogRequest& request) override;

 private:
  platform::Answerer& answerer_;
  Trace& trace_;
};

// The workflow every new vault has, with its states in order.
inline constexpr wchar_t kWorkflow[] = L"Release";
inline constexpr const wchar_t* kWorkflowStates[] = {L"Draft", L"Review", L"Released"};

// Where a vault lives: its database and the drives its Windows paths map onto natively.
std::filesystem::path DatabaseOf(const std::filesystem::path& folder);
std::filesystem::path DrivesOf(const std::filesystem::path& folder);
// A new vault in `folder` with the users and the workflow Release (Draft, Review, Released).
// Throws when the folder holds a vault already.
std::unique_ptr<sim::SimVault> CreateVault(const std::filesystem::path& folder,
                                           const std::wstring& name, const std::wstring& root,
                                           const std::vector<std::wstring>& users);

class VaultHost {
 public:
  // Opens the vault of `folder` as `user` (empty: the vault's first user) on `computer`
  // (empty: this machine's name); `answers` answers the boxes and dialogs of actions of a linked
  // add-in, and the host's own boxes. A throwaway vault's commits do not wait for the disk.
  // Throws std::runtime_error with a reason.
  VaultHost(const std::filesystem::path& folder, std::wstring user, std::wstring computer,
            Answers& answers, std::ostream* live,
            sim::Durability durability = sim::Durability::kSynced);
  ~VaultHost();

  sim::SimVault& Vault() { return *vault_; }
  host::VaultSession& Session() { return *session_; }
  platform::Services& Services() { return services_; }
  Trace& GetTrace() { return trace_; }
  // Whether a command of an action reported a failure, or an answer did not fit; says which
  // answer was left over.
  bool Failed();
  const std::wstring& User() const { return user_; }

  // Get add-in info, as a host calls it when it loads the add-in.
  host::HResult LoadAddIn();
  const host::AddInInfo& Info() const { return info_; }
  const Registrations& Registered() const { return registrations_; }
  // Whether the add-in is linked in rather than reached through COM (LoadedAddIn::linked).
  bool AddInLinked() const { return addIn_.linked; }

  // Vault paths may be given with or without the root folder and with forward slashes.
  std::wstring VaultPath(std::wstring given) const;

  // One notification to the add-in.
  host::HResult Notify(host::HostNotification& notification);
  host::HostNotification NewNotification(std::int32_t kind,
                                         std::vector<host::HostNotificationItem> items);

  // The before-notification when hooked, the operation unless refused, the after-notification
  // when hooked. Items of the after-notification are made after the operation.
  using Items = std::function<std::vector<host::HostNotificationItem>()>;
  Outcome Operate(std::int32_t beforeKind, std::int32_t afterKind, const Items& before,
                  const std::function<host::HResult()>& operation, const Items& after);

 private:
  void Absorb(const host::HostNotification& notification, host::HResult status, Outcome& outcome);

  Trace trace_;
  Answers& answers_;
  std::unique_ptr<sim::SimVault> vault_;
  std::wstring user_;
  host::Ref<host::VaultSession> session_;
  MachineServices machine_;
  TracedMessageBoxes messageBoxes_;
  DialogAnswers dialogAnswers_;
  platform::ScriptedDialogRunner dialogs_;
  platform::Services services_;
  LoadedAddIn addIn_;
  host::AddInInfo info_;
  Registrations registrations_;
};

}  // namespace vendrel::tools
