// Collecting the documents of a notification, with selected folders expanded.
#include "addin/Documents.h"

#include "addin/CVornAddIn.h"
#include "platform/PathParts.h"

namespace vendrel::addin {
namespace {

bool NamesFileByPath(std::int32_t kind) {
  return kind == kBeforeAddByPath || kind == kAfterAddByPath;
}

bool IsAdd(std::int32_t kind) {
  return kind == kBeforeAdd || kind == kAfterAdd;
}

bool IsStateChange(std::int32_t kind) {
  return kind == kBeforeStateChange || kind == kAfterStateChange;
}

host::HResult FileIdOfPath(host::VaultSession& vault, const std::wstring& path, std::int32_t& id) {
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  VENDREL_RETURN_IF_FAILED(vault.GetFileFromPath(path, file, folder));
  if (!file) return host::kInvalidArg;
  return file->Id(id);
}

}  // namespace

platform::Window OwnerWindow(host::HostWindow window) {
  // Handles travel as 32-bit values; Windows sign-extends them back.
  return static_cast<platform::Window>(static_cast<std::intptr_t>(window));
}

StateActionData::StateActionData(const host::HostNotification& notification,
                                 const host::Ref<host::VaultSession>& vault,
                                 const std::wstring& path, std::int32_t fileId,
                                 std::int32_t folderId, std::int32_t stateId)
    : lists{{platform::NameOfPath(path)}, {fileId}, {false}, {folderId}, {}},
      run(OwnerWindow(notification.parentWindow), vault, lists),
      fileName(platform::NameOfPath(path)),
      fullPath(path),
      stateId(stateId) {
  run.notificationFolderId = folderId;
}

void ExpandFolder(host::VaultSession& vault, std::int32_t folderId, actions::DocumentLists& lists) {
  host::Ref<host::VaultObject> object;
  if (host::Failed(vault.GetObject(host::ObjectKind::kFolder, folderId, object)) || !object) {
    return;
  }
  host::Ref<host::VaultFolder> folder;
  if (host::Failed(object->QueryFolder(folder)) || !folder) return;
  std::vector<host::Ref<host::VaultFile>> files;
  if (host::Failed(folder->Files(files))) return;
  for (const auto& file : files) {
    std::wstring name;
    std::int32_t id = 0;
    if (!file || host::Failed(file->Name(name)) || host::Failed(file->Id(id))) return;
    lists.names.push_back(name);
    lists.ids.push_back(id);
    lists.selected.push_back(false);
    lists.folderIds.push_back(folderId);
  }
  std::vector<host::Ref<host::VaultFolder>> subFolders;
  if (host::Failed(folder->SubFolders(subFolders))) return;
  for (const auto& sub : subFolders) {
    std::int32_t id = 0;
    if (!sub || host::Failed(sub->Id(id))) return;
    ExpandFolder(vault, id, lists);
  }
}

host::HResult CollectDocuments(const host::HostNotification& notification,
                               const host::Ref<host::VaultSession>& vault, Documents& documents) {
  const std::int32_t kind = notification.kind;
  actions::DocumentLists& lists = documents.lists;
  for (const host::HostNotificationItem& item : *notification.items) {
    if (kind == kMenuCommand && item.first < 2) {
      lists.selectedFolders.push_back(item.second);
      ExpandFolder(*vault, item.second, lists);
      continue;
    }
    const std::wstring& path = NamesFileByPath(kind) ? item.secondText : item.firstText;
    std::int32_t fileId = item.first;
    std::int32_t folderId = item.second;
    if (IsAdd(kind)) {
      fileId = item.second;
      folderId = item.first;
    } else if (NamesFileByPath(kind)) {
      VENDREL_RETURN_IF_FAILED(FileIdOfPath(*vault, path, fileId));
      folderId = item.first;
    } else if (kind == kMenuCommand) {
      folderId = item.third;
    }
    documents.paths.push_back(path);
    lists.names.push_back(platform::NameOfPath(path));
    lists.ids.push_back(fileId);
    lists.selected.push_back(true);
    lists.folderIds.push_back(folderId);
    if (IsStateChange(kind)) {
      documents.stateItems.push_back(std::make_unique<StateActionData>(
          notification, vault, path, fileId, folderId, item.fourth));
    }
  }
  return host::kOk;
}

std::int32_t FolderIdOfPath(host::VaultSession& vault, const std::wstring& path) {
  host::Ref<host::VaultFolder> folder;
  std::int32_t id = 0;
  if (vault.GetFolderFromPath(path, folder) != host::kOk || !folder) return 0;
  if (host::Failed(folder->Id(id))) return 0;
  return id;
}

}  // namespace vendrel::addin
