// Card values with their conversions, the variable manager and batch updates.
#include "sim/Cards.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cwchar>
#include <sstream>

#include "platform/CaseFold.h"
#include "platform/TextConversion.h"

namespace vendrel::sim {

using host::HResult;
using host::Value;
using host::ValueKind;

namespace {

// Variables whose flags hold one of these bits may be written without a check-out.
constexpr std::int32_t kWritableWithoutCheckOut = 4 | 8;

std::wstring Trimmed(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::optional<std::int64_t> ParseInteger(const std::wstring& text) {
  const std::wstring trimmed = Trimmed(text);
  if (trimmed.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  errno = 0;
  const long long number = std::wcstoll(trimmed.c_str(), &end, 10);
  if (errno != 0 || *end != L'\0') return std::nullopt;
  return number;
}

std::optional<double> ParseDouble(const std::wstring& text) {
  const std::wstring trimmed = Trimmed(text);
  if (trimmed.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  const double number = std::wcstod(trimmed.c_str(), &end);
  if (*end != L'\0' || !std::isfinite(number)) return std::nullopt;
  return number;
}

std::optional<std::int32_t> ParseYesNo(const std::wstring& text) {
  const std::wstring lower = platform::LowerCase(Trimmed(text));
  if (lower == L"yes" || lower == L"true") return 1;
  if (lower == L"no" || lower == L"false") return 0;
  if (const auto number = ParseInteger(lower)) return *number != 0 ? 1 : 0;
  return std::nullopt;
}

std::optional<double> AsNumber(const Value& value) {
  switch (host::KindOf(value)) {
    case ValueKind::kInt32:
      return std::get<std::int32_t>(value);
    case ValueKind::kInteger:
      return static_cast<double>(std::get<std::int64_t>(value));
    case ValueKind::kDouble:
      return std::get<double>(value);
    case ValueKind::kSingle:
      return std::get<float>(value);
    case ValueKind::kString:
      return ParseDouble(std::get<std::wstring>(value));
    case ValueKind::kBool:
      return std::get<bool>(value) ? -1.0 : 0.0;  // as the host counts true
    default:
      return std::nullopt;
  }
}

std::wstring AsText(const Value& value) {
  std::wostringstream text;
  switch (host::KindOf(value)) {
    case ValueKind::kInt32:
      text << std::get<std::int32_t>(value);
      break;
    case ValueKind::kInteger:
      text << std::get<std::int64_t>(value);
      break;
    case ValueKind::kDouble:
      text << std::get<double>(value);
      break;
    case ValueKind::kSingle:
      text << std::get<float>(value);
      break;
    case ValueKind::kDate:
      return FormatDate(std::get<host::Date>(value));
    case ValueKind::kString:
      return std::get<std::wstring>(value);
    case ValueKind::kBool:
      return std::get<bool>(value) ? L"True" : L"False";
    case ValueKind::kEmpty:
    case ValueKind::kOther:
      break;
  }
  return text.str();
}

}  // namespace

HResult ConvertToCardType(const Value& value, std::int32_t type, Value& converted) {
  if (host::KindOf(value) == ValueKind::kEmpty) {
    converted = Value();
    return host::kOk;
  }
  if (host::KindOf(value) == ValueKind::kOther) return host::kTypeMismatch;
  const auto* text = std::get_if<std::wstring>(&value);
  switch (static_cast<CardType>(type)) {
    case CardType::kText:
      converted = AsText(value);
      return host::kOk;
    case CardType::kInteger: {
      std::optional<std::int64_t> number =
          text ? ParseInteger(*text) : std::optional<std::int64_t>();
      if (!text) {
        const auto real = AsNumber(value);
        if (real && *real == std::trunc(*real) && std::fabs(*real) < 1e18)
          number = static_cast<std::int64_t>(*real);
      }
      if (!number || *number < INT32_MIN || *number > INT32_MAX) return host::kTypeMismatch;
      converted = static_cast<std::int32_t>(*number);
      return host::kOk;
    }
    case CardType::kFloat: {
      const auto number = AsNumber(value);
      if (!number) return host::kTypeMismatch;
      converted = *number;
      return host::kOk;
    }
    case CardType::kYesNo: {
      std::optional<std::int32_t> flag;
      if (text) {
        flag = ParseYesNo(*text);
      } else if (const auto number = AsNumber(value)) {
        flag = *number != 0 ? 1 : 0;
      }
      if (!flag) return host::kTypeMismatch;
      converted = *flag;
      return host::kOk;
    }
    case CardType::kDate: {
      std::optional<host::Date> date;
      if (const auto* given = std::get_if<host::Date>(&value)) date = *given;
      if (const auto* real = std::get_if<double>(&value)) date = host::Date{*real};
      // The system's reading, as the add-in's own conversions use it.
      double serial = 0;
      if (text && platform::TextToDate(*text, serial) == platform::kConverted)
        date = host::Date{serial};
      if (!date) return host::kTypeMismatch;
      converted = *date;
      return host::kOk;
    }
  }
  return host::kInvalidType;
}

void StoreCardValue(platform::Database& db, std::int32_t variableId, CardOwner owner,
                    std::int32_t ownerId, const std::wstring& configuration, const Value& value) {
  platform::Statement store = db.Query(
      "INSERT OR REPLACE INTO card_values"
      "(variable_id, object_kind, object_id, configuration, kind, value) VALUES(?, ?, ?, ?, ?, ?)",
      variableId, static_cast<std::int32_t>(owner), ownerId, configuration,
      static_cast<std::int32_t>(value.index()));
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>)
          store.Bind(6, nullptr);
        else if constexpr (std::is_same_v<T, host::Date>)
          store.Bind(6, v.serial);
        else if constexpr (std::is_same_v<T, bool>)
          store.Bind(6, std::int32_t{v ? 1 : 0});
        else if constexpr (std::is_same_v<T, host::OtherValue>)
          store.Bind(6, std::int32_t{v.type});
        else
          store.Bind(6, v);
      },
      value);
  store.Run();
}

Value LoadCardValue(platform::Database& db, std::int32_t variableId, CardOwner owner,
                    std::int32_t ownerId, const std::wstring& configuration) {
  platform::Statement row = db.Query(
      "SELECT kind, value FROM card_values WHERE variable_id = ? AND object_kind = ? AND "
      "object_id = ? AND configuration IN (?4, '') ORDER BY configuration = ?4 DESC LIMIT 1",
      variableId, static_cast<std::int32_t>(owner), ownerId, configuration);
  if (!row.Step()) return Value();
  switch (static_cast<ValueKind>(row.Int(0))) {
    case ValueKind::kInt32:
      return row.Int(1);
    case ValueKind::kInteger:
      return row.Int64(1);
    case ValueKind::kDouble:
      return row.Double(1);
    case ValueKind::kSingle:
      return static_cast<float>(row.Double(1));
    case ValueKind::kDate:
      return host::Date{row.Double(1)};
    case ValueKind::kString:
      return row.Text(1);
    case ValueKind::kBool:
      return row.Int(1) != 0;
    case ValueKind::kOther:
      return host::OtherValue{static_cast<std::uint16_t>(row.Int(1))};
    case ValueKind::kEmpty:
      break;
  }
  return Value();
}

HResult SimCardSet::GetValue(const std::wstring& variable, const std::wstring& configuration,
                             Value& value) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  Store& store = *client_->store;
  return store.Read([&] {
    platform::Statement found =
        store.Db().Query("SELECT id FROM variables WHERE name = ?", variable);
    if (!found.Step()) return host::kVariableNotFound;
    value = LoadCardValue(store.Db(), found.Int(0), CardOwner::kFile, fileId_, configuration);
    return host::kOk;
  });
}

HResult SimVariableManager::Variables(std::vector<host::CardVariableInfo>& variables) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  Store& store = *client_->store;
  return store.Read([&] {
    platform::Statement rows =
        store.Db().Prepare("SELECT name, type, flags, id FROM variables ORDER BY id");
    std::vector<host::CardVariableInfo> found;
    while (rows.Step()) found.push_back({rows.Text(0), rows.Int(1), rows.Int(2), rows.Int(3)});
    variables = std::move(found);
    return host::kOk;
  });
}

HResult SimVariableManager::VariableByName(const std::wstring& name,
                                           host::CardVariableInfo& variable) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  Store& store = *client_->store;
  return store.Read([&] {
    platform::Statement row =
        store.Db().Query("SELECT name, type, flags, id FROM variables WHERE name = ?", name);
    if (!row.Step()) return host::kFalse;
    variable = {row.Text(0), row.Int(1), row.Int(2), row.Int(3)};
    return host::kOk;
  });
}

HResult SimBatchUpdate::AddFileValue(std::int32_t fileId, std::int32_t variableId,
                                     const Value& value,
                                     const std::optional<std::wstring>& configuration,
                                     std::int32_t) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  entries_.push_back({CardOwner::kFile, fileId, variableId, value, configuration});
  return host::kOk;
}

HResult SimBatchUpdate::AddFolderValue(std::int32_t folderId, std::int32_t variableId,
                                       const Value& value, std::int32_t) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  entries_.push_back({CardOwner::kFolder, folderId, variableId, value, std::nullopt});
  return host::kOk;
}

HResult SimBatchUpdate::Apply(const Entry& entry, std::int32_t& folderId) {
  platform::Database& db = client_->store->Db();
  const bool file = entry.owner == CardOwner::kFile;
  platform::Statement owner =
      file ? db.Query("SELECT folder_id FROM files WHERE id = ?", entry.ownerId)
           : db.Query("SELECT id FROM folders WHERE id = ?", entry.ownerId);
  if (!owner.Step()) return file ? host::kFileNotFound : host::kFolderNotFound;
  folderId = owner.Int(0);
  platform::Statement refusal =
      db.Query("SELECT code FROM card_refusals WHERE object_kind = ? AND object_id = ?",
               static_cast<std::int32_t>(entry.owner), entry.ownerId);
  if (refusal.Step()) return refusal.Int(0);

  platform::Statement variable =
      db.Query("SELECT type, flags FROM variables WHERE id = ?", entry.variableId);
  if (!variable.Step()) return host::kVariableNotFound;
  Value converted;
  VENDREL_RETURN_IF_FAILED(ConvertToCardType(entry.value, variable.Int(0), converted));
  if (!file) {
    StoreCardValue(db, entry.variableId, entry.owner, entry.ownerId, L"", converted);
    return host::kOk;
  }

  if (const auto held = LoadCheckOut(db, entry.ownerId)) {
    VENDREL_RETURN_IF_FAILED(CheckOutConflict(*client_, *held, held->folderId));
  } else if ((variable.Int(1) & kWritableWithoutCheckOut) == 0) {
    return host::kFileNotLockedByYou;
  }

  std::vector<std::wstring> configurations;
  platform::Statement names =
      db.Query("SELECT name FROM configurations WHERE file_id = ?", entry.ownerId);
  while (names.Step()) configurations.push_back(names.Text(0));
  if (entry.configuration) {
    bool known = false;
    for (const std::wstring& name : configurations) known = known || name == *entry.configuration;
    if (!known) return host::kInvalidName;
    StoreCardValue(db, entry.variableId, entry.owner, entry.ownerId, *entry.configuration,
                   converted);
    return host::kOk;
  }
  // A value for all configurations replaces each configuration's own value too.
  configurations.push_back(L"");
  for (const std::wstring& name : configurations)
    StoreCardValue(db, entry.variableId, entry.owner, entry.ownerId, name, converted);
  return host::kOk;
}

HResult SimBatchUpdate::Commit(std::vector<host::BatchError>& errors) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  std::vector<Entry> entries = std::move(entries_);
  entries_.clear();
  std::vector<host::BatchError> found;
  const HResult hr = client_->store->Write([&] {
    found.clear();
    platform::Database& db = client_->store->Db();
    platform::Statement batch = db.Prepare("SELECT IFNULL(MAX(batch), 0) + 1 FROM batch_errors");
    batch.Step();
    const std::int32_t batchId = batch.Int(0);
    for (const Entry& entry : entries) {
      std::int32_t folderId = 0;
      const HResult code = Apply(entry, folderId);
      if (code == host::kOk) continue;
      host::BatchError error{entry.owner == CardOwner::kFile ? entry.ownerId : 0, folderId, code};
      if (entry.owner == CardOwner::kFolder) error.folderId = entry.ownerId;
      db.Run("INSERT INTO batch_errors(batch, file_id, folder_id, code) VALUES(?, ?, ?, ?)",
             batchId, error.fileId, error.folderId, error.code);
      found.push_back(error);
    }
    return host::kOk;
  });
  if (host::Succeeded(hr)) errors = std::move(found);
  return hr;
}

}  // namespace vendrel::sim
