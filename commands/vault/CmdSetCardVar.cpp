// Set card variables: the value is typed when the command runs, every target goes into one
// batch, and the messages of a run are shown together at its end.
#include "commands/vault/CmdSetCardVar.h"

#include <cstdio>
#include <optional>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/VarHandler.h"
#include "commands/files/FileCommandSupport.h"
#include "commands/vault/CDisplayErrorsDlg.h"
#include "commands/vault/CSetCardVariablesDlg.h"
#include "commands/vault/CardValue.h"
#include "commands/vault/HostErrors.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

constexpr std::int32_t kOkToAll = 101;
constexpr std::int32_t kWarningIcon = 243;
// Card variables with one of these flags may be written without a check-out.
constexpr std::int32_t kWritableWithoutCheckOut = 4 | 8;
constexpr std::int32_t kAllConfigurationsFlags = 3;
constexpr std::int32_t kOneConfigurationFlags = 0;
constexpr std::int32_t kFolderFlags = 2;

std::wstring Unexpected() {
  return strings::Load(176, L"Unexpected error.");
}

}  // namespace

// One execution: the value, the targets, the batch and the messages gathered on the way.
class CardWrite {
 public:
  CardWrite(CmdSetCardVar& command, actions::ActionData& run)
      : command_(command), fields_(command.fields_), run_(run), variables_(run) {}

  bool Run();

 private:
  struct Message {
    std::wstring text;
    bool checkOutWarning = false;
  };

  bool PrepareValue();
  bool CollectTargets();
  void AddFile(std::int32_t id, const std::wstring& name);
  bool WriteBatch();
  // Adds the file's values unless its check-out forbids; false after a failure, reported.
  bool AddFileValues(host::BatchUpdate& batch, std::int32_t fileId);
  bool AddFolderValue(host::BatchUpdate& batch, std::int32_t folderId);
  // kOk with the file's name and whether the current user may write its card.
  host::HResult IsWritable(std::int32_t fileId, std::wstring& name, bool& writable);
  std::wstring BatchErrorText(const host::BatchError& error);
  bool Finish();

  std::wstring WithCode(const std::wstring& message, host::HResult code) const;
  std::wstring BoxText(const std::wstring& message) const;
  // The report box: the stop icon, OK only.
  void Report(const std::wstring& message) const;
  void ReportCode(const std::wstring& message, host::HResult code) const {
    Report(WithCode(message, code));
  }
  // The box with "OK" and "OK to All"; true when "OK to All" was pressed.
  bool Warn(const std::wstring& message) const;

  CmdSetCardVar& command_;
  const CmdSetCardVar::Fields& fields_;
  actions::ActionData& run_;
  VarHandler variables_;
  host::CardVariableInfo variable_;
  host::Value value_;
  std::vector<std::int32_t> files_;
  std::vector<std::int32_t> folders_;
  std::vector<Message> messages_;
};

std::wstring CardWrite::WithCode(const std::wstring& message, host::HResult code) const {
  return message + L"\r\n[" + DescribeHostCode(run_, code) + L"]\r\n[" + strings::HexCode(code) +
         L"]";
}

std::wstring CardWrite::BoxText(const std::wstring& message) const {
  const std::wstring action = run_.currentAction ? run_.currentAction->name : std::wstring();
  return strings::Load(172, L"Action:") + L" " + action + L"\r\n" + message;
}

void CardWrite::Report(const std::wstring& message) const {
  platform::MessageBoxes* boxes = run_.Service(&platform::Services::messageBoxes);
  if (!boxes) return;
  boxes->Show({run_.ownerWindow, BoxText(message), L"Vendrel",
               platform::mb::kOk | platform::mb::kIconError});
}

bool CardWrite::Warn(const std::wstring& message) const {
  platform::ButtonBoxes* buttons = run_.Service(&platform::Services::buttonBoxes);
  if (!buttons) return false;
  platform::ButtonBoxRequest box{
      run_.ownerWindow,
      BoxText(message),
      L"Vendrel",
      kWarningIcon,
      {{strings::Load(153, L"OK"), platform::kIdOk}, {strings::Load(178, L"OK to All"), kOkToAll}},
      true};
  return buttons->Show(box) == kOkToAll;
}

bool CardWrite::Run() {
  if (!run_.vault) {
    ReportCode(Unexpected(), host::kInvalidArg);
    return false;
  }
  if (!PrepareValue()) return false;
  if (!CollectTargets()) return false;
  if (!WriteBatch()) return false;
  return Finish();
}

bool CardWrite::PrepareValue() {
  host::Ref<host::VariableManager> manager;
  host::HResult hr = run_.vault->Variables(manager);
  if (host::Succeeded(hr) && !manager) hr = host::kPointer;
  if (host::Succeeded(hr)) hr = manager->VariableByName(fields_.variableName, variable_);
  if (host::Failed(hr)) {
    ReportCode(Unexpected(), hr);
    return false;
  }
  if (hr != host::kOk) {
    Report(strings::Fill(strings::Load(160, L"Error, variable %s was not found in vault."),
                         {fields_.variableName}));
    return false;
  }
  if (variable_.type != fields_.variableType) {
    Report(strings::Fill(strings::Load(161,
                                       L"Error, variable %s's type has changed since this "
                                       L"command was configured."),
                         {fields_.variableName}));
    return false;
  }
  command_.variableFlags_ = variable_.flags;
  if (!host::IsCardType(variable_.type)) return false;

  hr = ConvertCardValue(variables_.Expand(fields_.value, false), variable_.type, value_);
  if (hr == host::kTypeMismatch) {
    ReportCode(
        strings::Fill(strings::Load(162, L"Error, could not set variable %s, type mismatch."),
                      {fields_.variableName}),
        hr);
    return false;
  }
  if (host::Failed(hr)) {
    ReportCode(Unexpected(), hr);
    return false;
  }
  return true;
}

bool CardWrite::CollectTargets() {
  switch (fields_.itemKind) {
    case CmdSetCardVar::kFolderWithPath: {
      const std::wstring path = variables_.Expand(fields_.folderPath, false);
      host::Ref<host::VaultFolder> folder;
      const host::HResult hr = FolderFromPath(run_, path, folder);
      if (host::Failed(hr)) {
        ReportCode(Unexpected(), hr);
        return true;
      }
      if (hr != host::kOk || !folder) {
        Report(strings::Fill(strings::Load(164, L"Error, folder %s doesn't exist."), {path}));
        return false;
      }
      std::int32_t id = 0;
      if (const host::HResult idResult = folder->Id(id); host::Failed(idResult)) {
        ReportCode(Unexpected(), idResult);
        return true;
      }
      folders_.push_back(id);
      return true;
    }
    case CmdSetCardVar::kFileWithPath: {
      host::Ref<host::VaultFile> file;
      host::Ref<host::VaultFolder> parent;
      const host::HResult hr =
          FileFromPath(run_, variables_.Expand(fields_.filePath, false), file, parent);
      if (host::Failed(hr) && hr != host::kPointer) {
        ReportCode(Unexpected(), hr);
        return true;
      }
      if (hr != host::kOk || !file) {
        Report(strings::Fill(strings::Load(163, L"Error, file %s doesn't exist."),
                             {fields_.filePath}));
        return true;
      }
      std::int32_t id = 0;
      std::wstring name;
      if (const host::HResult idResult = file->Id(id); host::Failed(idResult)) {
        ReportCode(Unexpected(), idResult);
        return true;
      }
      file->Name(name);
      AddFile(id, name);
      return true;
    }
    case CmdSetCardVar::kSelectedFile:
      // Documents found by expanding a selected folder are not written; the folder is.
      if (run_.currentId && (!run_.currentFlag || run_.documentSelected.empty() ||
                             run_.documentSelected[*run_.currentFlag])) {
        const std::wstring* name = run_.CurrentDocumentName();
        AddFile(run_.CurrentDocumentId(), name ? *name : std::wstring());
      }
      folders_ = run_.selectedFolders;
      return true;
    default:
      return false;
  }
}

void CardWrite::AddFile(std::int32_t id, const std::wstring& name) {
  if (id != 0) {
    files_.push_back(id);
    return;
  }
  if (command_.showAddWarning_ &&
      Warn(strings::Fill(strings::Load(177,
                                       L"Cannot set file card variable for file %s. The file "
                                       L"must be added to the vault before this command will "
                                       L"run."),
                         {name}))) {
    command_.showAddWarning_ = false;
  }
}

host::HResult CardWrite::IsWritable(std::int32_t fileId, std::wstring& name, bool& writable) {
  host::Ref<host::VaultObject> object;
  VENDREL_RETURN_IF_FAILED(run_.vault->GetObject(host::ObjectKind::kFile, fileId, object));
  if (!object) return host::kPointer;
  host::Ref<host::VaultFile> file;
  VENDREL_RETURN_IF_FAILED(object->QueryFile(file));
  if (!file) return host::kPointer;
  CheckOutStand stand;
  VENDREL_RETURN_IF_FAILED(file->CheckOutState(stand.info));
  VENDREL_RETURN_IF_FAILED(CurrentUserId(run_, stand.currentUser));
  file->Name(name);
  writable =
      stand.Mine() || (stand.Free() && (command_.variableFlags_ & kWritableWithoutCheckOut) != 0);
  return host::kOk;
}

bool CardWrite::WriteBatch() {
  host::Ref<host::BatchUpdate> batch;
  host::HResult hr = run_.vault->CreateBatchUpdate(batch);
  if (host::Succeeded(hr) && !batch) hr = host::kPointer;
  if (host::Failed(hr)) {
    ReportCode(Unexpected(), hr);
    return false;
  }
  for (std::int32_t fileId : files_) {
    if (!AddFileValues(*batch, fileId)) return false;
  }
  for (std::int32_t folderId : folders_) {
    if (!AddFolderValue(*batch, folderId)) return false;
  }
  std::vector<host::BatchError> errors;
  hr = batch->Commit(errors);
  if (host::Failed(hr)) {
    ReportCode(Unexpected(), hr);
    return false;
  }
  for (const host::BatchError& error : errors) messages_.push_back({BatchErrorText(error), false});
  return true;
}

bool CardWrite::AddFileValues(host::BatchUpdate& batch, std::int32_t fileId) {
  std::wstring name;
  bool writable = false;
  if (const host::HResult hr = IsWritable(fileId, name, writable); host::Failed(hr)) {
    ReportCode(Unexpected(), hr);
    return true;
  }
  if (!writable) {
    if (command_.showCheckOutWarning_) {
      messages_.push_back({strings::Fill(strings::Load(165,
                                                       L"Cannot set card variables for file "
                                                       L"%s, you must check out the file "
                                                       L"before this command will run."),
                                         {name}),
                           true});
    }
    return true;
  }
  const std::wstring variableId = std::to_wstring(variable_.id);
  if (fields_.configurations.empty()) {
    const host::HResult hr =
        batch.AddFileValue(fileId, variable_.id, value_, std::nullopt, kAllConfigurationsFlags);
    if (host::Failed(hr)) {
      ReportCode(strings::FillNumbered(strings::Load(166,
                                                     L"Error setting variable %1 on file %2 "
                                                     L"across all configurations."),
                                       {variableId, std::to_wstring(fileId)}),
                 hr);
      return false;
    }
    return true;
  }
  for (const std::wstring& configuration : fields_.configurations) {
    const host::HResult hr =
        batch.AddFileValue(fileId, variable_.id, value_, configuration, kOneConfigurationFlags);
    if (host::Failed(hr)) {
      ReportCode(strings::FillNumbered(strings::Load(167,
                                                     L"Error setting variable %1 on file %2 on "
                                                     L"configuration %3."),
                                       {variableId, std::to_wstring(fileId), configuration}),
                 hr);
      return false;
    }
  }
  return true;
}

bool CardWrite::AddFolderValue(host::BatchUpdate& batch, std::int32_t folderId) {
  const host::HResult hr = batch.AddFolderValue(folderId, variable_.id, value_, kFolderFlags);
  if (host::Succeeded(hr)) return true;
  ReportCode(strings::FillNumbered(strings::Load(168, L"Error setting folder variable - %1 %2."),
                                   {std::to_wstring(folderId), std::to_wstring(variable_.id)}),
             hr);
  return false;
}

// A record naming a file but no folder gives only the code's text.
std::wstring CardWrite::BatchErrorText(const host::BatchError& error) {
  const std::wstring codeText = DescribeHostCode(run_, error.code);
  if (error.fileId != 0 && error.folderId == 0) return codeText;
  const bool file = error.fileId != 0;
  const std::int32_t id = file ? error.fileId : error.folderId;
  host::Ref<host::VaultObject> object;
  std::wstring name;
  host::HResult hr =
      run_.vault->GetObject(file ? host::ObjectKind::kFile : host::ObjectKind::kFolder, id, object);
  if (host::Succeeded(hr)) hr = object ? object->Name(name) : host::kPointer;
  if (host::Failed(hr)) {
    return strings::FillNumbered(strings::Load(169, L"Error getting file object for file %1. %2"),
                                 {std::to_wstring(id), codeText});
  }
  if (file) {
    return strings::FillNumbered(strings::Load(170, L"Error setting variable for file %1. %2"),
                                 {name, codeText});
  }
  return strings::FillNumbered(strings::Load(171, L"Error setting variable for folder %1. %2"),
                               {name, codeText});
}

bool CardWrite::Finish() {
  if (messages_.empty()) return true;
  if (messages_.size() == 1) {
    if (!messages_.front().checkOutWarning) {
      Report(messages_.front().text);
    } else if (Warn(messages_.front().text)) {
      command_.showCheckOutWarning_ = false;
    }
    return false;
  }
  std::vector<std::wstring> texts;
  for (const Message& message : messages_) texts.push_back(message.text);
  CDisplayErrorsDlg report(texts, run_.currentAction ? run_.currentAction->name : std::wstring(),
                           fields_.variableName);
  if (platform::DialogRunner* dialogs = run_.Service(&platform::Services::dialogs))
    dialogs->Run(report, platform::kDefaultOwner);
  return false;
}

std::wstring CmdSetCardVar::Summarize(const Fields&) const {
  return strings::Load(64, L"Variables ...");
}

bool CmdSetCardVar::Edit(platform::Window parent) {
  return EditWith(CSetCardVariablesDlg(*this), parent);
}

bool CmdSetCardVar::Execute(actions::ActionData& run) {
  return CardWrite(*this, run).Run();
}

void CmdSetCardVar::PrepareRun() {
  showCheckOutWarning_ = true;
  showAddWarning_ = true;
}

}  // namespace vendrel::commands
