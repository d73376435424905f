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
    {0, L"CmdSetVar", 47, L"Set variables", 48, L"User defined variables used in this action",
     nullptr},
    {1, L"CmdEditBox", 26, L"Edit box", 27, L"User defined editbox", Make<CmdEditBox>},
    {2, L"CmdLabel", 38, L"Label", 39, L"Label defined by user", Make<CmdLabel>},
    {3, L"CmdOkMsgBox", 40, L"OK MessageBox", 41, L"User defined MessageBox", Make<CmdOkMsgBox>},
    {4, L"CmdAllDocuments", 19, L"For all documents", 20, L"Start of block action",
     Make<CmdAllDocuments>},
    {5, L"CmdEndAllDocuments", 28, L"End for all documents", 29, L"End of block action",
     Make<CmdEndAllDocuments>},
    {6, L"CmdComboBox", 21, L"Combo Box", 22, L"Multiple choice selection", Make<CmdComboBox>},
    {7, L"CmdYesNoBox", 77, L"Yes-No MessageBox", 78, L"Yes-No options", Make<CmdYesNoBox>},
    {8, L"CmdJump", 33, L"Jump", 34, L"Conditional jump", Make<CmdJump>},
    {9, L"CmdRegistry", 42, L"Write registry value", 43, L"Writes a value to the windows registry",
     Make<CmdRegistry>},
    {10, L"CmdWait", 67, L"Wait", 68, L"Wait until condition is true", Make<CmdWait>},
    {11, L"CmdDeleteFile", 23, L"Delete file", 24, L"Deletes a file", Make<CmdDeleteFile>},
    {12, L"CmdShell", 65, L"Shell Execute", 66, L"Execute with shell", Make<CmdShell>},
    {13, L"CmdGenerateFile", 31, L"Generate parameter file", 32, L"Generate file based on template",
     Make<CmdGenerateFile>},
    {14, L"CmdCreateFolder", 94, L"Create folder", 0, nullptr, Make<CmdCreateFolder>},
    {15, L"CmdMoveFolder", 96, L"Move folder", 0, nullptr, Make<CmdMoveFolder>},
    {16, L"CmdMoveFile", 98, L"Move file", 0, nullptr, Make<CmdMoveFile>},
    {17, L"CmdLockFile", 103, L"Check out file", 0, nullptr, Make<CmdLockFile>},
    {18, L"CmdUnlockFile", 106, L"Check in file", 0, nullptr, Make<CmdUnlockFile>},
    {19, L"CmdCopyFile", 108, L"Copy file", 0, nullptr, Make<CmdCopyFile>},
    {20, L"CmdAllConfigs", 136, L"For all configurations", 20, L"Start of block action",
     Make<CmdAllConfigs>},
    {21, L"CmdEndAllConfigs", 137, L"End for all configurations", 29, L"End of block action",
     Make<CmdEndAllConfigs>},
    {22, L"CmdCancel", 139, L"Cancel Kalvano Command", 0, nullptr, Make<CmdCancel>},
    {23, L"CmdGetFile", 140, L"Get file", 0, nullptr, Make<CmdGetFile>},
    {24, L"CmdSendMsg", 156, L"Send Message", 0, nullptr, Make<CmdSendMsg>},
    {25, L"CmdSetCardVar", 158, L"Set card variables", 159, L"Sets file and folder variables",
     Make<CmdSetCardVar>},
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
