// The host's operations on vault files, each between its before- and after-notification:
// check out, check in, undo check out, state change.
#include <filesystem>

#include "addin/CVornAddIn.h"
#include "platform/NativePath.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/NotificationItems.h"
#include "tools/vendrel/Report.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {

namespace fs = std::filesystem;
using host::HostNotificationItem;

namespace {

std::vector<HostNotificationItem> CheckOutItems(const std::vector<FileRef>& files) {
  std::vector<HostNotificationItem> items;
  for (const FileRef& f : files) items.push_back(CheckOutItem(f.fileId, f.folderId, f.path));
  return items;
}

// One operation of the check-out family on every file named.
int CheckOutFamily(Call& call, const char* operation, std::int32_t before, std::int32_t after,
                   host::HResult (*perform)(const FileRef& file, const std::wstring& comment)) {
  VaultHost& host = call.Host();
  const std::vector<FileRef> files = FindFiles(host, call.Arguments());
  const std::wstring comment = Wide(call.Opt().comment);
  const auto items = [&] { return CheckOutItems(files); };
  const Outcome outcome = host.Operate(
      before, after, items,
      [&] {
        for (const FileRef& f : files) VENDREL_RETURN_IF_FAILED(perform(f, comment));
        return host::kOk;
      },
      items);
  return Report(call, operation, outcome, PathsOf(files));
}

}  // namespace

int RunCheckOut(Call& call) {
  return CheckOutFamily(
      call, "checkout", addin::kBeforeCheckOut, addin::kAfterCheckOut,
      [](const FileRef& f, const std::wstring&) { return f.file->CheckOut(f.folderId, 0, 0); });
}

int RunCheckIn(Call& call) {
  return CheckOutFamily(call, "checkin", addin::kBeforeCheckIn, addin::kAfterCheckIn,
                        [](const FileRef& f, const std::wstring& comment) {
                          return f.file->CheckIn(0, comment, 0, 0);
                        });
}

int RunUndoCheckOut(Call& call) {
  return CheckOutFamily(
      call, "undo-checkout", addin::kBeforeUndoCheckOut, addin::kAfterUndoCheckOut,
      [](const FileRef& f, const std::wstring&) { return f.file->UndoCheckOut(0, 0); });
}

int RunChangeState(Call& call) {
  VaultHost& host = call.Host();
  const std::string target = call.Opt().to.value_or("");
  const std::size_t dot = target.find('.');
  if (dot == std::string::npos) throw UsageError("state needs --to WORKFLOW.STATE");
  const std::wstring workflow = Wide(target.substr(0, dot));
  const std::wstring state = Wide(target.substr(dot + 1));
  const std::vector<FileRef> files = FindFiles(host, call.Arguments());
  std::int32_t stateId = 0;
  try {
    stateId = host.Vault().StateId(workflow, state);
  } catch (const std::exception&) {
    throw UsageError("no state " + target);
  }
  const auto items = [&] {
    std::vector<HostNotificationItem> list;
    for (const FileRef& f : files) {
      list.push_back(StateChangeItem(f.fileId, f.folderId, f.path, stateId));
    }
    return list;
  };
  const Outcome outcome = host.Operate(
      addin::kBeforeStateChange, addin::kAfterStateChange, items,
      [&] {
        for (const FileRef& f : files) {
          VENDREL_RETURN_IF_FAILED(host.Vault().ChangeState(f.fileId, state, host.User()));
        }
        return host::kOk;
      },
      items);
  return Report(call, "state", outcome, PathsOf(files));
}

}  // namespace vendrel::tools
