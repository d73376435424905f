// The stored action containers read from hostile bytes: the first byte picks the vault set, an
// action file or the clipboard; every command kind's payload is read through the factory. What
// reads must write back to bytes that read again to the same bytes, and a vault set read with its
// commands left stored must fail or write alike.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "actions/ActionArchive.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"

namespace {

using namespace vendrel;

actions::HexStringFile FileOf(const std::uint8_t* data, std::size_t size) {
  actions::HexStringFile file;
  if (size > 0) {
    file.Write(data, size);
    file.Seek(0, actions::File::Origin::kBegin);
  }
  return file;
}

std::wstring Written(const actions::ActionList& list) {
  actions::HexStringFile file;
  actions::Archive out(file, actions::Archive::Mode::kStore);
  actions::WriteActionSet(out, list);
  return file.ToText();
}

// Writing what was read and reading it again must give the very same set.
void CheckRewrite(const actions::ActionList& list) {
  const std::wstring once = Written(list);
  actions::HexStringFile file;
  if (!file.FromText(once)) std::abort();
  actions::Archive in(file, actions::Archive::Mode::kLoad);
  actions::ActionSet again;
  actions::ReadActionSet(in, again, &commands::CreateCmd);
  if (Written(again.actions) != once) std::abort();
}

// The vault set with its commands left in the bytes until reached: null when the read failed.
std::optional<std::wstring> ReadDeferred(const std::uint8_t* data, std::size_t size) {
  actions::ActionSet set;
  try {
    actions::ReadActionSet({data, size}, set, &commands::CreateCmd);
  } catch (const actions::ArchiveError&) {
    return std::nullopt;
  }
  return Written(set.actions);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  actions::HexStringFile file = FileOf(data + 1, size - 1);
  actions::Archive archive(file, actions::Archive::Mode::kLoad);
  actions::ActionSet set;
  const std::optional<std::wstring> deferred =
      data[0] % 3 == 0 ? ReadDeferred(data + 1, size - 1) : std::nullopt;
  try {
    switch (data[0] % 3) {
      case 0:
        actions::ReadActionSet(archive, set, &commands::CreateCmd);
        break;
      case 1:
        if (!actions::ReadActionFile(archive, set.actions, &commands::CreateCmd)) return 0;
        break;
      default:
        actions::ReadClipboardActions(archive, set.actions, &commands::CreateCmd);
        break;
    }
  } catch (const actions::ArchiveError&) {
    if (deferred) std::abort();
    return 0;
  } catch (const actions::FileError&) {
    return 0;
  }
  if (data[0] % 3 == 0 && deferred != Written(set.actions)) std::abort();
  CheckRewrite(set.actions);
  return 0;
}
