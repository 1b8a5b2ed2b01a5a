#pragma once
// Each command adds its subcommand to the application; its callback sets the result.

#include <CLI/CLI.hpp>

#include "cli/Cli.h"

namespace cli {

void AddDocumentCommands(CLI::App& app, const Context& ctx, int& result);

}  // namespace cli
