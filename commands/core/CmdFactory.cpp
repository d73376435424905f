// The command kind table as data and the factory over it.
#include "commands/core/CmdFactory.h"

#include <array>

#include "commands/core/CmdCancel.h"
#include "commands/core/CmdConfigLoop.h"
#include "commands/core/CmdDocumentLoop.h"
#include "commands/core/CmdJump.h"
#include "commands/core/CmdLabel.h"
#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/files/CmdDeleteFile.h"
#include "commands/files/CmdMoveFile.h"
#include "commands/files/CmdMoveFolder.h"
#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"
#include "commands/system/CmdRegistry.h"
#include "commands/system/CmdShell.h"
#include "commands/system/CmdWait.h"
#include "commands/vault/CmdGenerateFile.h"
#include "commands/vault/CmdGetFile.h"
#include "commands/vault/CmdLockFile.h"
#include "commands/vault/CmdSendMsg.h"
#include "commands/vault/CmdSetCardVar.h"
#include "commands/vault/CmdUnlockFile.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

template <class Kind>
std::unique_ptr<Cmd> Make(actions::Action* owner) {
  return std::make_unique<Kind>(owner);
}

// Index = type id.
constexpr std::array<CommandKind, 26> kKinds{{
    {kSetVarType, L"CmdSetVar", 47, L"Set variables", 48,
     L"User defined variables used in this action", nullptr},
    {kEditBoxType, L"CmdEditBox", 26, L"Edit box", 27, L"User defined editbox", Make<CmdEditBox>},
    {kLabelType, L"CmdLabel", 38, L"Label", 39, L"Label defined by user", Make<CmdLabel>},
    {kOkMsgBoxType, L"CmdOkMsgBox", 40, L"OK MessageBox", 41, L"User defined MessageBox",
     Make<CmdOkMsgBox>},
    {kAllDocumentsType, L"CmdAllDocuments", 19, L"For all documents", 20, L"Start of block action",
     Make<CmdAllDocuments>},
    {kEndAllDocumentsType, L"CmdEndAllDocuments", 28, L"End for all documents", 29,
     L"End of block action", Make<CmdEndAllDocuments>},
    {kComboBoxType, L"CmdComboBox", 21, L"Combo Box", 22, L"Multiple choice selection",
     Make<CmdComboBox>},
    {kYesNoBoxType, L"CmdYesNoBox", 77, L"Yes-No MessageBox", 78, L"Yes-No options",
     Make<CmdYesNoBox>},
    {kJumpType, L"CmdJump", 33, L"Jump", 34, L"Conditional jump", Make<CmdJump>},
    {kRegistryType, L"CmdRegistry", 42, L"Write registry value", 43,
     L"Writes a value to the windows registry", Make<CmdRegistry>},
    {kWaitType, L"CmdWait", 67, L"Wait", 68, L"Wait until condition is true", Make<CmdWait>},
    {kDeleteFileType, L"CmdDeleteFile", 23, L"Delete file", 24, L"Deletes a file",
     Make<CmdDeleteFile>},
    {kShellType, L"CmdShell", 65, L"Shell Execute", 66, L"Execute with shell", Make<CmdShell>},
    {kGenerateFileType, L"CmdGenerateFile", 31, L"Generate parameter file", 32,
     L"Generate file based on template", Make<CmdGenerateFile>},
    {kCreateFolderType, L"CmdCreateFolder", 94, L"Create folder", 0, nullptr,
     Make<CmdCreateFolder>},
    {kMoveFolderType, L"CmdMoveFolder", 96, L"Move folder", 0, nullptr, Make<CmdMoveFolder>},
    {kMoveFileType, L"CmdMoveFile", 98, L"Move file", 0, nullptr, Make<CmdMoveFile>},
    {kLockFileType, L"CmdLockFile", 103, L"Check out file", 0, nullptr, Make<CmdLockFile>},
    {kUnlockFileType, L"CmdUnlockFile", 106, L"Check in file", 0, nullptr, Make<CmdUnlockFile>},
    {kCopyFileType, L"CmdCopyFile", 108, L"Copy file", 0, nullptr, Make<CmdCopyFile>},
    {kAllConfigsType, L"CmdAllConfigs", 136, L"For all configurations", 20,
     L"Start of block action", Make<CmdAllConfigs>},
    {kEndAllConfigsType, L"CmdEndAllConfigs", 137, L"End for all configurations", 29,
     L"End of block action", Make<CmdEndAllConfigs>},
    {kCancelType, L"CmdCancel", 139, L"Cancel Kalvano Command", 0, nullptr, Make<CmdCancel>},
    {kGetFileType, L"CmdGetFile", 140, L"Get file", 0, nullptr, Make<CmdGetFile>},
    {kSendMsgType, L"CmdSendMsg", 156, L"Send Message", 0, nullptr, Make<CmdSendMsg>},
    {kSetCardVarType, L"CmdSetCardVar", 158, L"Set card variables", 159,
     L"Sets file and folder variables", Make<CmdSetCardVar>},
}};

}  // namespace

std::wstring CommandKind::Name() const {
  return strings::Load(nameId, nameDefault);
}

std::wstring CommandKind::Description() const {
  return descriptionId == 0 ? std::wstring() : strings::Load(descriptionId, descriptionDefault);
}

std::span<const CommandKind> CommandKinds() {
  return std::span<const CommandKind>(kKinds).subspan(kFirstListType);
}

const CommandKind* FindCommandKind(std::int32_t typeId) {
  if (typeId < 0 || typeId > kLastListType) return nullptr;
  return &kKinds[static_cast<std::size_t>(typeId)];
}

std::unique_ptr<Cmd> CreateCmd(std::int32_t typeId, actions::Action* owner) {
  if (typeId < kFirstListType) return nullptr;
  const CommandKind* kind = FindCommandKind(typeId);
  if (kind == nullptr || kind->create == nullptr) return nullptr;
  return kind->create(owner);
}

}  // namespace vendrel::commands
