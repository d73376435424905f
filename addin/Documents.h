// The documents of one notification: the run's document lists, the item paths for the
// conditions, and one record per item of a state change.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "actions/ActionData.h"
#include "host/AddIn.h"
#include "host/Vault.h"

namespace vendrel::addin {

// Windows handles travel as 32-bit values; widened without sign.
platform::Window OwnerWindow(host::HostWindow window);

// One item of a state change with run lists of its own (one entry each, selected flag false).
struct StateActionData {
  StateActionData(const host::HostNotification& notification,
                  const host::Ref<host::VaultSession>& vault, const std::wstring& path,
                  std::int32_t fileId, std::int32_t folderId, std::int32_t stateId);
  StateActionData(const StateActionData&) = delete;
  StateActionData& operator=(const StateActionData&) = delete;

  actions::DocumentLists lists;
  actions::ActionData run;
  std::wstring fileName;
  std::wstring fullPath;
  std::int32_t stateId;
};

struct Documents {
  actions::DocumentLists lists;
  std::vector<std::wstring> paths;  // for condition matching only
  std::vector<std::unique_ptr<StateActionData>> stateItems;
};

// Appends the files of the folder and, depth first, of its subfolders, each folder's files
// before its subfolders. A host failure ends that folder's expansion silently.
void ExpandFolder(host::VaultSession& vault, std::int32_t folderId, actions::DocumentLists& lists);

// Turns the notification's items into documents. Fails only for the kinds that name files by
// path, when the vault gives no file for one: the host's code, or kInvalidArg without one.
host::HResult CollectDocuments(const host::HostNotification& notification,
                               const host::Ref<host::VaultSession>& vault, Documents& documents);

// The id of the vault folder holding `path`, 0 when the vault does not know it.
std::int32_t FolderIdOfPath(host::VaultSession& vault, const std::wstring& path);

}  // namespace vendrel::addin
