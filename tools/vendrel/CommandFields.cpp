// The JSON fields of each command kind, in stored order after the summary. A kind without a row
// keeps its stored bytes as hex in the JSON form.
#include "tools/vendrel/ActionJson.h"

#include "commands/core/CmdFactory.h"

namespace vendrel::tools {

JsonCodec DefaultCodec() {
  return {commands::CreateCmd, {}};
}

}  // namespace vendrel::tools
