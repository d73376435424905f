// The writing step of the generate command: a template copied line by line, each line expanded.
#pragma once

#include <optional>
#include <string>

#include "commands/core/VarHandler.h"
#include "platform/FileSystem.h"

namespace vendrel::commands {

// Copies `templatePath` to `output` (created if missing, emptied unless `append`), expanding each
// line on its own, so a reference split over two lines stays as it is; `lines` counts the lines
// written. Empty on success, else the description of the file error that stopped it.
std::optional<std::wstring> ExpandTemplate(platform::FileSystem& files, VarHandler& variables,
                                           const std::wstring& templatePath,
                                           const std::wstring& output, bool append,
                                           std::size_t& lines);

}  // namespace vendrel::commands
