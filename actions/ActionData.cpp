// The run context's cursors.
#include "actions/ActionData.h"

namespace vendrel::actions {
namespace {

template <class List>
Position FirstOf(const List& list) {
  return list.empty() ? Position() : Position(0);
}

template <class List>
Position At(const List& list, Position index) {
  return index && *index < list.size() ? index : Position();
}

}  // namespace

ActionData::ActionData(platform::Window owner, host::Ref<host::VaultSession> vault,
                       DocumentLists& lists, platform::Services* services)
    : ownerWindow(owner),
      vault(std::move(vault)),
      documentNames(lists.names),
      documentIds(lists.ids),
      documentSelected(lists.selected),
      documentFolderIds(lists.folderIds),
      selectedFolders(lists.selectedFolders),
      services(services) {
  ResetCursors();
}

ActionData::~ActionData() = default;

void ActionData::ResetCursors() {
  currentName = FirstOf(documentNames);
  currentId = FirstOf(documentIds);
  currentFlag = FirstOf(documentSelected);
  currentFolder = FirstOf(documentFolderIds);
}

void ActionData::SetCurrentDocument(Position index) {
  currentName = index;
  currentId = index;
  currentFolder = index;
  currentFlag = At(documentSelected, index);
}

const std::wstring* ActionData::CurrentDocumentName() const {
  const Position at = At(documentNames, currentName);
  return at ? &documentNames[*at] : nullptr;
}

std::int32_t ActionData::CurrentDocumentId() const {
  const Position at = At(documentIds, currentId);
  return at ? documentIds[*at] : 0;
}

std::int32_t ActionData::CurrentDocumentFolderId() const {
  const Position at = At(documentFolderIds, currentFolder);
  return at ? documentFolderIds[*at] : 0;
}

}  // namespace vendrel::actions
