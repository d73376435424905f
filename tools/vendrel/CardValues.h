// The card of a vault file or folder as the reference host shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Vault.h"
#include "sim/Cards.h"

namespace vendrel::tools {

class VaultHost;

struct CardLine {
  host::CardVariableInfo variable;
  host::Value value;  // empty when the card has none
};

// Every card variable of the vault in its order, with the value of the file or folder for the
// configuration (else the value for all configurations).
// The type number of a type name: text, integer, float, date or yesno.
std::optional<std::int32_t> CardTypeNamed(std::string_view name);

std::vector<CardLine> CardOf(VaultHost& host, sim::CardOwner owner, std::int32_t id,
                             const std::wstring& configuration);

}  // namespace vendrel::tools
