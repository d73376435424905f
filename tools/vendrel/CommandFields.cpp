// The JSON fields of each command kind, in stored order after the summary. A kind without a row
// keeps its stored bytes as hex in the JSON form; the tests check each row against the kind's
// own Serialize.
#include <array>

#include "commands/core/CmdFactory.h"
#include "tools/vendrel/ActionJson.h"

namespace vendrel::tools {
namespace {

constexpr Field kEditBox[] = {{"prompt", FieldType::kText}, {"variable", FieldType::kText}};
constexpr Field kOkMessageBox[] = {{"message", FieldType::kText}};
constexpr Field kComboBox[] = {{"prompt", FieldType::kText},
                               {"variable", FieldType::kText},
                               {"choices", FieldType::kTextList}};
constexpr Field kYesNoBox[] = {{"prompt", FieldType::kText},
                               {"variable", FieldType::kText},
                               {"yes", FieldType::kText},
                               {"no", FieldType::kText}};
constexpr Field kJump[] = {{"operator", FieldType::kInt32},
                           {"label", FieldType::kText},
                           {"variable", FieldType::kText},
                           {"value", FieldType::kText},
                           {"ignoreCase", FieldType::kBool}};
constexpr Field kRegistry[] = {
    {"keyPath", FieldType::kText}, {"value", FieldType::kText}, {"kind", FieldType::kInt32}};
constexpr Field kWait[] = {{"path", FieldType::kText}, {"condition", FieldType::kInt32}};
constexpr Field kShell[] = {{"verb", FieldType::kText},
                            {"file", FieldType::kText},
                            {"parameters", FieldType::kText},
                            {"halt", FieldType::kInt32},
                            {"mode", FieldType::kInt32}};
constexpr Field kDeleteFile[] = {{"path", FieldType::kText}, {"fromVault", FieldType::kBool}};
constexpr Field kCreateFolder[] = {{"path", FieldType::kText}};
constexpr Field kMoveFolder[] = {{"from", FieldType::kText}, {"to", FieldType::kText}};
constexpr Field kMoveFile[] = {{"from", FieldType::kText}, {"newName", FieldType::kText}};
constexpr Field kCopyFile[] = {{"from", FieldType::kText}, {"to", FieldType::kText}};
constexpr Field kGenerateFile[] = {{"output", FieldType::kText},
                                   {"template", FieldType::kText},
                                   {"assignTo", FieldType::kText},
                                   {"useCounter", FieldType::kInt32},
                                   {"append", FieldType::kInt32}};
constexpr Field kLockFile[] = {{"path", FieldType::kText}};
constexpr Field kUnlockFile[] = {{"path", FieldType::kText}, {"comment", FieldType::kText}};
constexpr Field kGetFile[] = {{"path", FieldType::kText}, {"alsoIfEarlier", FieldType::kBool}};

constexpr Field kSendMessage[] = {{"subject", FieldType::kText},
                                  {"message", FieldType::kText},
                                  {"users", FieldType::kTextList},
                                  {"groups", FieldType::kTextList}};
constexpr Field kSetCardVariable[] = {{"item", FieldType::kInt32},
                                      {"filePath", FieldType::kText},
                                      {"folderPath", FieldType::kText},
                                      {"value", FieldType::kText},
                                      {"variable", FieldType::kText},
                                      {"variableType", FieldType::kInt32},
                                      {"configurations", FieldType::kTextList}};

constexpr std::span<const Field> kBaseOnly{};

constexpr std::array<CommandFields, 25> kCommandFields{{
    {1, kEditBox},          {2, kBaseOnly},      {3, kOkMessageBox}, {4, kBaseOnly},
    {5, kBaseOnly},         {6, kComboBox},      {7, kYesNoBox},     {8, kJump},
    {9, kRegistry},         {10, kWait},         {11, kDeleteFile},  {12, kShell},
    {13, kGenerateFile},    {14, kCreateFolder}, {15, kMoveFolder},  {16, kMoveFile},
    {17, kLockFile},        {18, kUnlockFile},   {19, kCopyFile},    {20, kBaseOnly},
    {21, kBaseOnly},        {22, kBaseOnly},     {23, kGetFile},     {24, kSendMessage},
    {25, kSetCardVariable},
}};

}  // namespace

JsonCodec DefaultCodec() {
  return {commands::CreateCmd, kCommandFields};
}

}  // namespace vendrel::tools
