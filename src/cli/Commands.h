#pragma once
// Each command adds its subcommand to the application; its callback sets the result.

#include <CLI/CLI.hpp>

#include "cli/Cli.h"

namespace cli {

void AddDocumentCommands(CLI::App& app, const Context& ctx, int& result);
void AddBookingCommands(CLI::App& app, const Context& ctx, int& result);
void AddPriceFileCommands(CLI::App& app, const Context& ctx, int& result);
void AddViewCommands(CLI::App& app, const Context& ctx, int& result);
void AddPriceSourceCommands(CLI::App& app, const Context& ctx, int& result);

// Splits "1,5;2" style lists: the values are separated by ";" or by "," between whole
// quantities, see the .cpp.
std::vector<std::string> SplitList(const std::string& text);

}  // namespace cli
