// Data cards: variable definitions, values per file or folder and configuration, batch writes.
#pragma once

#include <vector>

#include "host/Vault.h"
#include "sim/Client.h"

namespace vendrel::sim {

using host::CardType;
enum class CardOwner : std::int32_t { kFile = 1, kFolder = 2 };

// The value in the representation of a card variable type: text, 32-bit integer, double,
// 32-bit 0 or 1, date. kTypeMismatch when it does not convert; empty stays empty.
host::HResult ConvertToCardType(const host::Value& value, std::int32_t type,
                                host::Value& converted);
// Stores an already converted value, replacing the one there.
void StoreCardValue(platform::Database& db, std::int32_t variableId, CardOwner owner,
                    std::int32_t ownerId, const std::wstring& configuration,
                    const host::Value& value);
// The value for the configuration, else the one not bound to a configuration, else empty.
host::Value LoadCardValue(platform::Database& db, std::int32_t variableId, CardOwner owner,
                          std::int32_t ownerId, const std::wstring& configuration);

class SimCardSet : public host::CountedImpl<host::CardVariableSet> {
 public:
  SimCardSet(ClientPtr client, std::int32_t fileId) : client_(std::move(client)), fileId_(fileId) {}
  host::HResult GetValue(const std::wstring& variable, const std::wstring& configuration,
                         host::Value& value) override;

 private:
  ClientPtr client_;
  std::int32_t fileId_;
};

class SimVariableManager : public host::CountedImpl<host::VariableManager> {
 public:
  explicit SimVariableManager(ClientPtr client) : client_(std::move(client)) {}
  host::HResult Variables(std::vector<host::CardVariableInfo>& variables) override;
  host::HResult VariableByName(const std::wstring& name, host::CardVariableInfo& variable) override;

 private:
  ClientPtr client_;
};

// Values are kept until Commit, which writes every value it can in one transaction and reports
// the others as error records (also kept in the vault's batch error table).
class SimBatchUpdate : public host::CountedImpl<host::BatchUpdate> {
 public:
  explicit SimBatchUpdate(ClientPtr client) : client_(std::move(client)) {}
  host::HResult AddFileValue(std::int32_t fileId, std::int32_t variableId, const host::Value& value,
                             const std::optional<std::wstring>& configuration,
                             std::int32_t flags) override;
  host::HResult AddFolderValue(std::int32_t folderId, std::int32_t variableId,
                               const host::Value& value, std::int32_t flags) override;
  host::HResult Commit(std::vector<host::BatchError>& errors) override;

 private:
  struct Entry {
    CardOwner owner;
    std::int32_t ownerId;
    std::int32_t variableId;
    host::Value value;
    std::optional<std::wstring> configuration;
  };
  // kOk when the entry was written, else the code of its error record.
  host::HResult Apply(const Entry& entry, std::int32_t& folderId);

  ClientPtr client_;
  std::vector<Entry> entries_;
};

}  // namespace vendrel::sim
