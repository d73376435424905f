// The JSON value's name, for headers that only pass JSON values along.
#pragma once

#include <nlohmann/json_fwd.hpp>

namespace vendrel::tools {

// nlohmann's JSON with the members in the order they were added.
using Json = nlohmann::ordered_json;

}  // namespace vendrel::tools
