// The run context handed to every command: owner window, vault, documents of the run and cursors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/Ref.h"
#include "host/Vault.h"
#include "platform/Services.h"
#include "platform/Ui.h"

namespace vendrel::actions {

class Action;
class RunObserver;

// The documents of one run as parallel lists: the k-th entries describe the k-th document.
// Owned by whoever fills the run context; the context only refers to them.
struct DocumentLists {
  std::vector<std::wstring> names;  // file names without folder
  std::vector<std::int32_t> ids;
  // True for documents named by the notification itself, false for those found in a selected
  // folder. Stays empty in the contexts of a state change.
  std::vector<bool> selected;
  std::vector<std::int32_t> folderIds;
  std::vector<std::int32_t> selectedFolders;  // folders chosen with a menu command
};

// A position in a list; none ends a run (for the next command) or means "no document".
using Position = std::optional<std::size_t>;

class ActionData {
 public:
  // Takes a reference on `vault`; cursors at the first documents, no next command.
  ActionData(platform::Window owner, host::Ref<host::VaultSession> vault, DocumentLists& lists,
             platform::Services* services = nullptr);
  virtual ~ActionData();
  ActionData(const ActionData&) = delete;
  ActionData& operator=(const ActionData&) = delete;

  platform::Window ownerWindow;
  host::Ref<host::VaultSession> vault;
  std::vector<std::wstring>& documentNames;
  std::vector<std::int32_t>& documentIds;
  std::vector<bool>& documentSelected;
  std::vector<std::int32_t>& documentFolderIds;
  std::vector<std::int32_t>& selectedFolders;
  std::int32_t notificationFolderId = 0;
  Action* currentAction = nullptr;
  Position nextCommand;
  // Cursors on the current document. Name, id and folder always move together; the flag
  // follows them where the selected list has entries.
  Position currentName;
  Position currentId;
  Position currentFlag;
  Position currentFolder;
  std::int32_t runCounter = 0;
  std::wstring currentConfiguration;  // set by the all-configurations loop
  platform::Services* services;       // borrowed; null in contexts that show nothing
  RunObserver* observer = nullptr;    // borrowed; null when nobody listens

  // One service of the run, null where the context has none: Service(&Services::files).
  template <class T>
  T* Service(T* platform::Services::*member) const {
    return services ? services->*member : nullptr;
  }

  // Puts every cursor at the first entry of its list, or at none for an empty list.
  void ResetCursors();
  // Puts the four cursors at document `index` (none: no current document).
  void SetCurrentDocument(Position index);

  // Entries under the cursors: null or 0 when there is no current document.
  const std::wstring* CurrentDocumentName() const;
  std::int32_t CurrentDocumentId() const;
  std::int32_t CurrentDocumentFolderId() const;
};

}  // namespace vendrel::actions
