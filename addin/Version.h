// The add-in's version as get add-in info reports it. The windows build names its installer
// package after these three numbers, read from this file.
#pragma once

#include <cstdint>

namespace vendrel::addin {

inline constexpr std::int32_t kVersionYear = 2016;
inline constexpr std::int32_t kServicePack = 0;
inline constexpr std::int32_t kBuild = 826;

}  // namespace vendrel::addin
