#pragma once
// kapibuch-cli speaks German throughout: CLI11's help texts (headings, labels, the help and
// version options) and its usage errors with their hint.

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

// The help in German: "Aufruf:", "Optionen:", "Befehle:", "Argumente:", "ERFORDERLICH",
// "DATEI", "ZAHL" for CLI11's "INT", "Erfordert:" and "Unvereinbar:" for its "Needs:" and
// "Excludes:".
class GermanFormatter : public CLI::Formatter {
 public:
  GermanFormatter();
  std::string make_group(std::string group, bool is_positional,
                         std::vector<const CLI::Option*> opts) const override;
  std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override;
  std::string make_option_name(const CLI::Option* opt, bool is_positional) const override;
  std::string make_option_opts(const CLI::Option* opt) const override;
};

// Sets the German formatter, the help and version options and the usage errors. Call it
// before any command is added: commands take over the help option as it is then.
void MakeGerman(CLI::App& app, const std::string& version);

// A usage error of CLI11 in German, e.g. "--date fehlt" for "--date is required".
std::string GermanError(const std::string& english);

}  // namespace cli
