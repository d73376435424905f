// The reference host's client session and its notifications.
#include "tools/vendrel/Host.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Utf8.h"

namespace vendrel::tools {

namespace fs = std::filesystem;

namespace {

// The vault's paths map into its folder from here on.
std::unique_ptr<sim::SimVault> OpenVault(const fs::path& folder, sim::Durability durability) {
  UseVaultFolder(folder);
  return sim::SimVault::Open(DatabaseOf(folder), {}, durability);
}

std::wstring FirstUser(sim::SimVault& vault) {
  std::vector<std::wstring> users = vault.Users();
  if (users.empty()) throw std::runtime_error("the vault has no users");
  return std::move(users.front());
}

}  // namespace

host::HResult Registrations::AddMenuCommand(std::int32_t commandId, const std::wstring& menuText,
                                            std::int32_t flags, const std::wstring&,
                                            const std::wstring&, std::int32_t, std::int32_t) {
  menus.push_back({commandId, menuText, flags});
  return host::kOk;
}

host::HResult Registrations::AddHook(std::int32_t kind, std::int32_t) {
  hooks.push_back(kind);
  return host::kOk;
}

bool Registrations::Hooked(std::int32_t kind) const {
  return std::find(hooks.begin(), hooks.end(), kind) != hooks.end();
}

platform::Answer TracedMessageBoxes::Show(const platform::MessageBoxRequest& request) {
  const platform::Answer answer = answerer_.Reply(request);
  trace_.Message(request, answer);
  return answer;
}

std::int32_t TracedMessageBoxes::Show(const platform::ButtonBoxRequest& request) {
  const std::int32_t pressed = answerer_.Press(request);
  trace_.ButtonBox(request, pressed);
  return pressed;
}

std::optional<std::wstring> TracedMessageBoxes::Choose(const platform::FileDialogRequest& request) {
  std::optional<std::wstring> chosen = answerer_.ChooseFile(request);
  trace_.FileDialog(request, chosen);
  return chosen;
}

std::unique_ptr<sim::SimVault> CreateVault(const fs::path& folder, const std::wstring& name,
                                           const std::wstring& root,
                                           const std::vector<std::wstring>& users) {
  fs::create_directories(folder);
  UseVaultFolder(folder);
  sim::VaultSettings settings;
  settings.name = name;
  settings.rootPath = root;
  auto vault = sim::SimVault::Create(DatabaseOf(folder), settings);
  fs::create_directories(vault->LocalFolder());
  for (const std::wstring& user : users) vault->AddUser(user);
  vault->AddWorkflow(kWorkflow, {std::begin(kWorkflowStates), std::end(kWorkflowStates)});
  vault->AddTransition(kWorkflow, L"Draft", L"Review", L"Submit");
  vault->AddTransition(kWorkflow, L"Review", L"Released", L"Release");
  vault->AddTransition(kWorkflow, L"Review", L"Draft", L"Reject");
  vault->AddTransition(kWorkflow, L"Released", L"Draft", L"Revise");
  vault->SetDefaultWorkflow(kWorkflow);
  return vault;
}

fs::path DatabaseOf(const fs::path& folder) {
  return folder / "vault.db";
}

fs::path DrivesOf(const fs::path& folder) {
  return folder / "drives";
}

VaultHost::VaultHost(const fs::path& folder, std::wstring user, std::wstring computer,
                     Answers& answers, std::ostream* live, sim::Durability durability)
    : trace_(live),
      answers_(answers),
      vault_(OpenVault(folder, durability)),
      user_(user.empty() ? FirstUser(*vault_) : std::move(user)),
      machine_(folder, computer, user_),
      messageBoxes_(answers.Boxes(), trace_),
      dialogAnswers_(
          [&answers](const std::string& asked, const std::string& controls) {
            return answers.DialogLine(asked, controls);
          },
          answers.FromPerson(), answers.Notes(), trace_),
      dialogs_(
          &messageBoxes_,
          [this](platform::ScriptedSurface& surface) { dialogAnswers_.Answer(surface); },
          [this, &answers] {
            return dialogAnswers_.Waiting([&answers](const std::string& asked, bool first) {
              return answers.WaitingLine(asked, first);
            });
          }) {
  const host::HResult login = vault_->Login(user_, machine_.ComputerName(), session_);
  if (host::Failed(login) || !session_) {
    throw std::runtime_error("user \"" + platform::ToUtf8(user_) + "\" cannot log in");
  }
  services_.messageBoxes = &messageBoxes_;
  services_.buttonBoxes = &messageBoxes_;
  services_.fileDialogs = &messageBoxes_;
  machine_.Provide(services_);
  machine_.ReportShell([this](const std::wstring& request) { trace_.Shell(request); });
  services_.dialogs = &dialogs_;
  addIn_ = LoadAddInObject(services_, trace_);
}

VaultHost::~VaultHost() = default;

host::HResult VaultHost::LoadAddIn() {
  return addIn_.addIn->GetAddInInfo(&info_, session_.Get(), &registrations_);
}

bool VaultHost::Failed() {
  if (const auto unused = answers_.LeftOver()) {
    answers_.Notes() << "the answers are not all used, the first left is \"" << *unused << "\"\n";
  }
  return trace_.Failures() > 0 || dialogAnswers_.Misfits() > 0 || answers_.RanShort() ||
         answers_.LeftOver();
}

std::wstring VaultHost::VaultPath(std::wstring path) const {
  std::replace(path.begin(), path.end(), L'/', L'\\');
  // A network path would otherwise be taken for one below the root.
  if (path.starts_with(L"\\\\")) {
    throw UsageError(Utf8(path) + " is a network path; give a path below the vault's root " +
                     Utf8(vault_->RootPath()));
  }
  while (path.size() > 1 && path.back() == L'\\') path.pop_back();
  const bool absolute = path.size() >= 2 && path[1] == L':';
  if (absolute) return path;
  const std::wstring& root = vault_->RootPath();
  if (path.empty() || path == L"\\") return root;
  // Sized once: a path per selected file.
  std::wstring joined;
  joined.reserve(root.size() + 1 + path.size());
  joined.append(root);
  if (path.front() != L'\\') joined += L'\\';
  return joined.append(path);
}

host::HostNotification VaultHost::NewNotification(std::int32_t kind,
                                                  std::vector<host::HostNotificationItem> items) {
  host::HostNotification notification;
  notification.kind = kind;
  notification.parentWindow = addIn_.window;
  notification.vault = session_;
  notification.items = std::move(items);
  return notification;
}

host::HResult VaultHost::Notify(host::HostNotification& notification) {
  trace_.BeginNotification(notification.kind, notification.items ? notification.items->size() : 0,
                           addIn_.linked);
  const host::HResult status = addIn_.addIn->OnCommand(notification);
  trace_.EndNotification(status, notification.refreshFlags, notification.veto);
  return status;
}

void VaultHost::Absorb(const host::HostNotification& notification, host::HResult status,
                       Outcome& outcome) {
  if (host::Failed(status) && host::Succeeded(outcome.status)) outcome.status = status;
  outcome.refresh |= notification.refreshFlags;
  outcome.veto = outcome.veto || notification.veto != 0;
}

Outcome VaultHost::Operate(std::int32_t beforeKind, std::int32_t afterKind, const Items& before,
                           const std::function<host::HResult()>& operation, const Items& after) {
  Outcome outcome;
  if (registrations_.Hooked(beforeKind)) {
    host::HostNotification notification = NewNotification(beforeKind, before());
    Absorb(notification, Notify(notification), outcome);
    if (outcome.veto) return outcome;
  }
  outcome.operation = operation();
  if (host::Failed(outcome.operation)) return outcome;
  if (registrations_.Hooked(afterKind)) {
    host::HostNotification notification = NewNotification(afterKind, after());
    Absorb(notification, Notify(notification), outcome);
  }
  return outcome;
}

}  // namespace vendrel::tools
