// The host's operations on vault files, each between its before- and after-notification:
// check out, check in, undo check out, state change.
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Operations.h"
#include "tools/vendrel/Report.h"

namespace vendrel::tools {
namespace {

int CheckOutFamily(Call& call, const char* name, FileOperation operation) {
  VaultHost& host = call.Host();
  const std::vector<FileRef> files = FindFiles(host, call.Arguments());
  const Outcome outcome = OperateOnFiles(host, operation, files, Wide(call.Opt().comment));
  return Report(call, name, outcome, PathsOf(files));
}

}  // namespace

int RunCheckOut(Call& call) {
  return CheckOutFamily(call, "checkout", FileOperation::kCheckOut);
}

int RunCheckIn(Call& call) {
  return CheckOutFamily(call, "checkin", FileOperation::kCheckIn);
}

int RunUndoCheckOut(Call& call) {
  return CheckOutFamily(call, "undo-checkout", FileOperation::kUndoCheckOut);
}

int RunChangeState(Call& call) {
  VaultHost& host = call.Host();
  const std::vector<FileRef> files = FindFiles(host, call.Arguments());
  const Outcome outcome = ChangeStates(host, files, call.Opt().to.value_or(""));
  return Report(call, "state", outcome, PathsOf(files));
}

}  // namespace vendrel::tools
