// Default interface queries of vault objects.
#include "host/Vault.h"

namespace vendrel::host {

HResult VaultObject::QueryFile(Ref<VaultFile>&) { return kNoInterface; }
HResult VaultObject::QueryFolder(Ref<VaultFolder>&) { return kNoInterface; }

HResult VaultFolder::QueryFolder(Ref<VaultFolder>& folder) {
  folder.Assign(this);
  return kOk;
}

HResult VaultFile::QueryFile(Ref<VaultFile>& file) {
  file.Assign(this);
  return kOk;
}

}  // namespace vendrel::host
