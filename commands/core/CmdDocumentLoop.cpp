// The document loop. Its partners are found by walking the list around its end, so a start
// placed after its end still pairs up; the runner's block check keeps the pairs balanced.
#include "commands/core/CmdDocumentLoop.h"

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CommandList.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

template <class List>
actions::Position Entry(const List& list, std::size_t index) {
  return index < list.size() ? actions::Position(index) : actions::Position();
}

}  // namespace

CmdAllDocuments::CmdAllDocuments(actions::Action* owner) : Cmd(kAllDocumentsType) {
  SetUp(owner);
}

bool CmdAllDocuments::Edit(platform::Window) {
  SetSummary(strings::Load(178, L"Block START"));
  return true;
}

bool CmdAllDocuments::Execute(actions::ActionData& run) {
  ++index_;
  const auto index = static_cast<std::size_t>(index_);
  run.currentName = Entry(run.documentNames, index);
  run.currentId = Entry(run.documentIds, index);
  run.currentFlag = Entry(run.documentSelected, index);
  run.currentFolder = Entry(run.documentFolderIds, index);
  if (run.currentName && run.currentId && run.currentFolder) return true;

  run.ResetCursors();
  index_ = -1;
  const actions::Action& action = *run.currentAction;
  const std::size_t count = action.commands.size();
  const std::size_t start = run.nextCommand.value_or(0);
  int depth = 0;
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t at = (start + step) % count;
    const std::int32_t type = TypeAt(action, at);
    if (type == kAllDocumentsType) {
      ++depth;
    } else if (type == kEndAllDocumentsType) {
      if (depth == 0) {
        run.nextCommand = After(action, at);
        break;
      }
      --depth;
    }
  }
  return true;
}

CmdEndAllDocuments::CmdEndAllDocuments(actions::Action* owner) : Cmd(kEndAllDocumentsType) {
  SetUp(owner);
}

bool CmdEndAllDocuments::Edit(platform::Window) {
  SetSummary(strings::Load(30, L"Block END"));
  return true;
}

bool CmdEndAllDocuments::Execute(actions::ActionData& run) {
  const actions::Action& action = *run.currentAction;
  const actions::Position self = IndexOf(action, this);
  if (!self) return true;
  const std::size_t count = action.commands.size();
  int depth = -1;  // this command brings it to 0
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t at = (*self + count - step) % count;
    const std::int32_t type = TypeAt(action, at);
    if (type == kEndAllDocumentsType) {
      ++depth;
    } else if (type == kAllDocumentsType) {
      if (depth == 0) {
        run.nextCommand = at;
        break;
      }
      --depth;
    }
  }
  return true;
}

}  // namespace vendrel::commands
