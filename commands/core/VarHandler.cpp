// Variable values from the action, the run state, the vault, the environment and the registry.
#include "commands/core/VarHandler.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "actions/Action.h"
#include "actions/RunObserver.h"
#include "commands/core/RegistryPath.h"
#include "commands/core/TextFunctions.h"
#include "commands/core/ValueText.h"
#include "commands/core/VariableKinds.h"
#include "platform/Ansi.h"
#include "platform/CaseFold.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using host::Failed;

// Replaces every occurrence left to right; replaced text is not searched again.
// False, leaving the text as it was, when the result would be longer than `limit`.
template <class Char>
bool ReplaceAll(std::basic_string<Char>& text, std::basic_string_view<Char> from,
                std::basic_string_view<Char> to, std::size_t limit = std::wstring::npos) {
  constexpr std::size_t npos = std::basic_string<Char>::npos;
  const std::size_t first = text.find(from);
  if (first == npos) return true;
  if (to.size() > from.size()) {
    const std::size_t room = (limit - std::min(limit, text.size())) / (to.size() - from.size());
    // Counted only when that many occurrences could fit in the text at all.
    std::size_t count = 0;
    if (text.size() / from.size() > room) {
      for (std::size_t at = first; at != npos; at = text.find(from, at + from.size())) ++count;
    }
    if (count > room) return false;
  }
  for (std::size_t at = first; at != npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return true;
}

// A vault object by kind and id, through its interface query; null when any step fails.
template <class T>
host::Ref<T> Lookup(const host::Ref<host::VaultSession>& vault, host::ObjectKind kind,
                    std::int32_t id, host::HResult (host::VaultObject::*query)(host::Ref<T>&)) {
  host::Ref<host::VaultObject> object;
  host::Ref<T> result;
  if (!vault || Failed(vault->GetObject(kind, id, object)) || !object ||
      Failed(((*object).*query)(result))) {
    return nullptr;
  }
  return result;
}

// The text of a host read, or "N/A" when the host fails.
template <class Read>
std::wstring TextOr(Read read) {
  std::wstring text;
  return Failed(read(text)) ? kNotAvailable : text;
}

}  // namespace

VarHandler::VarHandler(actions::ActionData& run) : run_(&run) {}

VarHandler::~VarHandler() = default;

std::wstring VarHandler::Expand(const std::wstring& text, bool doubleAmpersands) {
  if (depth_ >= kMaxNesting) return text;
  if (depth_ == 0) {
    evaluations_ = 0;
    work_ = 0;
  }
  ++depth_;
  // Room for values longer than their references, so that replacing rarely reallocates.
  std::wstring result;
  result.reserve(2 * text.size());
  result = text;
  std::wstring scratch;
  Substitute(std::wstring_view(text), result,
             [&](std::wstring_view reference) -> const std::wstring* {
               const std::wstring& value = ValueOf(reference, doubleAmpersands, scratch);
               // Values with doubled ampersands are never remembered: this one is the scratch.
               if (doubleAmpersands) ReplaceAll<wchar_t>(scratch, L"&", L"&&");
               return &value;
             });
  --depth_;
  work_ += result.size();
  if (work_ <= kMaxWork)
    result = ApplyTextFunction(std::move(result), run_->services ? run_->services->clock : nullptr);
  if (depth_ == 0 && reporting_ && run_->observer) run_->observer->TextExpanded(text, result);
  return result;
}

void VarHandler::ExpandAnsi(std::string_view line, std::string& out) {
  const bool reported = reporting_ && run_->observer;
  if (remember_ && !reported && depth_ == 0 && ExpandAscii(line, out)) return;
  platform::AppendAnsi(Expand(platform::AnsiToWide(line), false), out);
}

// Plain ASCII bytes are characters one to one, so they go through the same steps as the
// characters would.
bool VarHandler::ExpandAscii(std::string_view line, std::string& out) {
  const std::size_t start = out.size();
  evaluations_ = 0;
  work_ = 0;
  ++depth_;
  bool whole = SubstituteInOnePass(line, out);
  if (!whole && platform::IsAscii(line)) {
    evaluations_ = 0;
    work_ = 0;
    asciiLine_ = line;
    whole = Substitute(line, asciiLine_, [this](std::string_view reference) {
      return rememberedAscii_.Find(reference);
    });
    if (whole) out += asciiLine_;
  }
  --depth_;
  if (!whole) return false;
  work_ += out.size() - start;
  if (work_ <= kMaxWork && out.find('(', start) != std::string::npos) {
    const std::wstring wide(out.begin() + static_cast<std::ptrdiff_t>(start), out.end());
    out.resize(start);
    platform::AppendAnsi(ApplyTextFunction(wide, run_->services ? run_->services->clock : nullptr),
                         out);
  }
  return true;
}

template <class Char, class FindValue>
bool VarHandler::Substitute(std::basic_string_view<Char> text, std::basic_string<Char>& result,
                            FindValue valueOf) {
  using View = std::basic_string_view<Char>;
  static constexpr Char kPercents[] = {'%', '%'};
  // Positions are those of the input; replacements go to the result.
  for (std::size_t scan = 0;;) {
    const std::size_t open = text.find(Char{'%'}, scan);
    if (open == View::npos) break;
    const std::size_t close = text.find(Char{'%'}, open + 1);
    if (close == View::npos) break;
    work_ += result.size();
    if (work_ > kMaxWork) break;
    if (close == open + 1) {
      ReplaceAll(result, View(kPercents, 2), View(kPercents, 1));
    } else {
      if (++evaluations_ > kMaxEvaluations) break;
      const View reference = text.substr(open, close - open + 1);
      const std::basic_string<Char>* value = valueOf(reference);
      if (value == nullptr) return false;
      if (!ReplaceAll(result, reference, View(*value), kMaxExpandedLength)) break;
    }
    scan = close + 1;
  }
  return true;
}

// Substitute replaces every occurrence of a reference in the result, values included, one
// reference after the other. That replaces just the references themselves, each where it stands,
// when no value holds a "%" (so the only percent signs are the line's own), no stretch between
// neighbouring percent signs after a reference spells its name, and no bound is reached. Those
// lines are expanded in one pass. A "%%" has no value remembered and is left to Substitute.
bool VarHandler::SubstituteInOnePass(std::string_view text, std::string& out) {
  constexpr std::size_t kMaxReferences = 16;
  std::array<std::size_t, 2 * kMaxReferences + 1> percent;
  std::size_t count = 0;
  std::uint8_t all = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    all |= c;
    if (c != '%') continue;
    if (count == percent.size()) return false;
    percent[count++] = i;
  }
  if (all >= 0x80) return false;
  // Stretch 2k is the name of reference k, stretch 2k + 1 what lies between it and the next.
  const auto stretch = [&](std::size_t i) {
    return text.substr(percent[i] + 1, percent[i + 1] - percent[i] - 1);
  };
  const std::size_t references = count / 2;
  for (std::size_t k = 0; k < references; ++k) {
    const std::string_view name = stretch(2 * k);
    for (std::size_t i = 2 * k + 1; i + 1 < count; ++i) {
      if (stretch(i) == name) return false;
    }
  }
  const std::size_t start = out.size();
  std::size_t size = text.size();
  std::size_t done = 0;
  for (std::size_t k = 0; k < references; ++k) {
    const std::size_t open = percent[2 * k];
    const std::size_t length = percent[2 * k + 1] - open + 1;
    work_ += size;
    const std::string* value = nullptr;
    if (work_ <= kMaxWork && ++evaluations_ <= kMaxEvaluations)
      value = rememberedAscii_.Find(text.substr(open, length));
    size = size - length + (value ? value->size() : 0);
    if (!value || (value->size() > length && size > kMaxExpandedLength)) {
      out.resize(start);
      return false;
    }
    out.append(text.data() + done, open - done).append(*value);
    done = open + length;
  }
  out.append(text.data() + done, text.size() - done);
  return true;
}

const std::wstring& VarHandler::ValueOf(std::wstring_view reference, bool doubleAmpersands,
                                        std::wstring& scratch) {
  // Only a text's own references: deeper down the nesting bound may cut a value short.
  const bool rememberable = remember_ && !doubleAmpersands && depth_ == 1;
  if (rememberable) {
    if (const std::wstring* known = remembered_.Find(reference)) return *known;
  }
  scratch = Expand(EvaluateVariable(std::wstring(reference)), doubleAmpersands);
  if (!rememberable) return scratch;
  if (platform::IsAscii(reference) && platform::IsAscii(std::wstring_view(scratch)) &&
      scratch.find(L'%') == std::wstring::npos)
    rememberedAscii_.Add(std::string(reference.begin(), reference.end()),
                         std::string(scratch.begin(), scratch.end()));
  return remembered_.Add(reference, std::move(scratch));
}

std::wstring VarHandler::EvaluateVariable(const std::wstring& reference) {
  std::wstring name = reference;
  if (name.starts_with(L'%')) name.erase(0, 1);
  if (name.ends_with(L'%')) name.pop_back();

  if (const actions::Action* action = run_->currentAction) {
    for (const auto& variable : action->variables) {
      if (!variable || variable->name != name) continue;
      if (variable->type != Variable::kNoKind) {
        return Evaluate(variable->type, variable->value, variable->extra);
      }
      break;
    }
  }
  for (const VariableKind& kind : VariableKinds()) {
    if (!kind.builtInName.empty() && name == kind.builtInName) return Evaluate(kind.type, {}, {});
  }
  return Evaluate(Variable::kCardValue, name, {});
}

void VarHandler::SetRuntimeValue(const std::wstring& name, const std::wstring& value) {
  if (run_->currentAction == nullptr) return;
  for (const auto& variable : run_->currentAction->variables) {
    if (variable && variable->name == name) {
      variable->value = value;
      return;
    }
  }
}

std::int32_t VarHandler::CurrentDocumentId() const {
  return run_->CurrentDocumentId();
}

std::int32_t VarHandler::CurrentDocumentFolderId() const {
  return run_->CurrentDocumentFolderId();
}

host::Ref<host::VaultFile> VarHandler::FileById(std::int32_t id) const {
  return Lookup(run_->vault, host::ObjectKind::kFile, id, &host::VaultObject::QueryFile);
}

host::Ref<host::VaultFile> VarHandler::CurrentFile() const {
  const std::int32_t id = CurrentDocumentId();
  return id == 0 ? nullptr : FileById(id);
}

host::Ref<host::VaultFolder> VarHandler::FolderById(std::int32_t id) const {
  return Lookup(run_->vault, host::ObjectKind::kFolder, id, &host::VaultObject::QueryFolder);
}

std::wstring VarHandler::FolderName(std::int32_t folderId) const {
  const auto folder = FolderById(folderId);
  if (!folder) return kNotAvailable;
  return TextOr([&](std::wstring& text) { return folder->Name(text); });
}

std::wstring VarHandler::FolderPath(std::int32_t folderId) const {
  const auto folder = FolderById(folderId);
  if (!folder) return kNotAvailable;
  return TextOr([&](std::wstring& text) { return folder->LocalPath(text); });
}

std::wstring VarHandler::LoggedInUser() const {
  host::Ref<host::VaultUserDirectory> users;
  host::Ref<host::VaultUser> user;
  if (!run_->vault || Failed(run_->vault->UserDirectory(users)) || !users ||
      Failed(users->LoggedInUser(user)) || !user) {
    return kNotAvailable;
  }
  return TextOr([&](std::wstring& text) { return user->Name(text); });
}

// Creation is the oldest entry of the history, modification the newest.
std::wstring VarHandler::FromHistory(bool created, bool user) const {
  const auto file = CurrentFile();
  std::vector<host::VersionInfo> history;
  if (!file || Failed(file->VersionHistory(history)) || history.empty()) return kNotAvailable;
  const host::VersionInfo& entry = created ? history.front() : history.back();
  if (user) return entry.user;
  return Timestamp(entry.time).value_or(kNotAvailable);
}

std::wstring VarHandler::CardValue(const std::wstring& variable,
                                   const std::wstring& configuration) {
  const std::int32_t fileId = CurrentDocumentId();
  if (fileId == 0) return kNotAvailable;
  if (cachedFileId_ != fileId) cachedCard_ = nullptr;
  if (!cachedCard_) {
    const auto file = CurrentFile();
    host::Ref<host::CardVariableSet> card;
    if (!file || Failed(file->CardVariables(card)) || !card) return kNotAvailable;
    cachedCard_ = card;
  }
  host::Value value;
  const std::wstring& config = configuration.empty() ? run_->currentConfiguration : configuration;
  if (Failed(cachedCard_->GetValue(variable, config, value))) return kNotAvailable;
  cachedFileId_ = fileId;
  return ValueToText(value);
}

std::wstring VarHandler::EnvironmentValue(const std::wstring& value) {
  const std::wstring name = value.find(L'%') != std::wstring::npos ? Expand(value, false) : value;
  platform::Environment* environment = run_->services ? run_->services->environment : nullptr;
  if (environment == nullptr) return kNotAvailable;
  return environment->Get(name).value_or(kNotAvailable);
}

std::wstring VarHandler::RegistryValue(const std::wstring& path) const {
  platform::Registry* registry = run_->services ? run_->services->registry : nullptr;
  const std::optional<RegistryPath> where = SplitRegistryPath(path);
  if (registry == nullptr || !where) return kNotAvailable;
  const auto data = registry->Read(where->root, where->subkey, where->name);
  if (!data) return kNotAvailable;
  if (const auto* text = std::get_if<std::wstring>(&*data)) return *text;
  return std::to_wstring(std::get<std::uint32_t>(*data));
}

std::wstring VarHandler::Evaluate(Variable::VariableType type, const std::wstring& value,
                                  const std::wstring& extra) {
  // File-based values need a current document and the file the vault has for it.
  const auto fileText = [this](auto read) -> std::wstring {
    const auto file = CurrentFile();
    if (!file) return kNotAvailable;
    return read(*file);
  };
  switch (type) {
    case Variable::kStaticText:
    case Variable::kRuntime:
      return value;
    case Variable::kLoggedInUser:
      return LoggedInUser();
    case Variable::kSelectedFileName: {
      const std::wstring* name = run_->CurrentDocumentName();
      return name ? *name : kNotAvailable;
    }
    case Variable::kSelectedFilePath: {
      const std::wstring folder = FolderPath(CurrentDocumentFolderId());
      const std::wstring* name = run_->CurrentDocumentName();
      if (folder == kNotAvailable || name == nullptr) return kNotAvailable;
      return folder + L"\\" + *name;
    }
    case Variable::kSelectedFileFolder:
      return FolderPath(CurrentDocumentFolderId());
    case Variable::kCurrentFolderName:
      return FolderName(run_->notificationFolderId);
    case Variable::kCurrentFolderPath:
      return FolderPath(run_->notificationFolderId);
    case Variable::kRootFolderPath:
      if (!run_->vault) return kNotAvailable;
      return TextOr([&](std::wstring& text) { return run_->vault->RootFolderPath(text); });
    case Variable::kWorkflowState:
      return fileText([](host::VaultFile& file) {
        std::int32_t stateId = 0;
        return TextOr([&](std::wstring& text) { return file.CurrentState(text, stateId); });
      });
    case Variable::kCurrentVersion:
      return fileText([](host::VaultFile& file) -> std::wstring {
        std::int32_t version = 0;
        if (Failed(file.CurrentVersion(version))) return kNotAvailable;
        return std::to_wstring(version);
      });
    case Variable::kCurrentRevision:
      return fileText([](host::VaultFile& file) {
        return TextOr([&](std::wstring& text) { return file.CurrentRevision(text); });
      });
    case Variable::kCreatedBy:
      return FromHistory(true, true);
    case Variable::kTimeCreated:
      return FromHistory(true, false);
    case Variable::kTimeModified:
      return FromHistory(false, false);
    case Variable::kCardValue:
      return CardValue(value, extra);
    case Variable::kEnvironment:
      return EnvironmentValue(value);
    case Variable::kRegistry:
      return RegistryValue(value);
    case Variable::kCurrentConfig:
      return run_->currentConfiguration;
    case Variable::kVaultName: {
      std::wstring name;
      if (!run_->vault || Failed(run_->vault->Name(name))) return {};
      return name;
    }
    case Variable::kNoKind:
      break;
  }
  // A type no release has written (damaged data) has no value.
  return {};
}

}  // namespace vendrel::commands
