// One user-defined variable of an action.
#pragma once

#include <cstdint>
#include <string>

namespace vendrel::actions {

class Variable {
 public:
  // Stored in action data: the values never change. Each kind but 100, 108, 114, 115, 116 and
  // 119 also has a built-in name that evaluates the same way.
  enum VariableType : std::int32_t {
    kStaticText = 100,
    kLoggedInUser = 101,
    kSelectedFileName = 102,
    kSelectedFilePath = 103,
    kCurrentFolderName = 104,
    kCurrentFolderPath = 105,
    kRootFolderPath = 106,
    kWorkflowState = 107,
    kCardValue = 108,
    kCreatedBy = 109,
    kCurrentVersion = 110,
    kCurrentRevision = 111,
    kTimeCreated = 112,
    kTimeModified = 113,
    kEnvironment = 114,
    kRegistry = 115,
    kRuntime = 116,
    kSelectedFileFolder = 117,
    kCurrentConfig = 118,
    kNoKind = 119,  // evaluated as if the variable were not defined
    kVaultName = 120,
  };

  Variable() = default;
  Variable(std::wstring name, VariableType type, std::wstring value = {}, std::wstring extra = {})
      : name(std::move(name)), type(type), value(std::move(value)), extra(std::move(extra)) {}
  virtual ~Variable() = default;

  std::wstring name;  // matched case-sensitively between the percent signs
  VariableType type = kNoKind;
  // The literal or runtime text, the card variable, environment variable or registry path.
  std::wstring value;
  // For card values: the configuration to read (empty: the run's current one).
  std::wstring extra;
};

}  // namespace vendrel::actions
