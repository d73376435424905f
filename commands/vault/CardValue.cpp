// Card values through the system's text conversions.
#include "commands/vault/CardValue.h"

#include "host/Vault.h"
#include "platform/TextConversion.h"

namespace vendrel::commands {

host::HResult ConvertCardValue(const std::wstring& text, std::int32_t type, host::Value& value) {
  switch (static_cast<host::CardType>(type)) {
    case host::CardType::kText:
      value = text;
      return host::kOk;
    case host::CardType::kInteger: {
      std::int32_t number = 0;
      VENDREL_RETURN_IF_FAILED(platform::TextToInt32(text, number));
      value = number;
      return host::kOk;
    }
    case host::CardType::kFloat: {
      float number = 0;
      VENDREL_RETURN_IF_FAILED(platform::TextToSingle(text, number));
      value = number;
      return host::kOk;
    }
    case host::CardType::kYesNo: {
      bool flag = false;
      VENDREL_RETURN_IF_FAILED(platform::TextToBool(text, flag));
      value = flag;
      return host::kOk;
    }
    case host::CardType::kDate: {
      double serial = 0;
      VENDREL_RETURN_IF_FAILED(platform::TextToDate(text, serial));
      value = host::Date{serial};
      return host::kOk;
    }
    default:
      return host::kInvalidType;
  }
}

}  // namespace vendrel::commands
