#pragma once

#include "cli/cli.h"

namespace vetrilo::cli {

// script forecast FILE.lsc ... / script test FILE.lsc --draws N ...: the
// words after "script".
int ScriptRunCommand(const TCliContext& context);

}  // namespace vetrilo::cli
