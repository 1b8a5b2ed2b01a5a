#include "cli/GermanHelp.h"

#include <regex>
#include <sstream>
#include <utility>
#include <vector>

namespace cli {

namespace {

// CLI11's names of value types and its positional FILE, in German.
std::string GermanWord(const std::string& word) {
  if (word == "INT" || word == "UINT" || word == "FLOAT" || word == "NUMBER") return "ZAHL";
  if (word == "FILE") return "DATEI";
  return word;
}

// "INT:INT in [1 - 10]" as "ZAHL:ZAHL in [1 - 10]": every upper-case word translated.
std::string GermanType(const std::string& type) {
  static const std::regex word("[A-Z]+");
  std::string result;
  auto last = type.cbegin();
  for (std::sregex_iterator it(type.begin(), type.end(), word), end; it != end; ++it) {
    result.append(last, type.cbegin() + it->position());
    result += GermanWord(it->str());
    last = type.cbegin() + it->position() + it->length();
  }
  result.append(last, type.cend());
  return result;
}

}  // namespace

GermanFormatter::GermanFormatter() {
  for (const auto& [english, german] :
       std::vector<std::pair<const char*, const char*>>{{"Usage", "Aufruf"},
                                                        {"OPTIONS", "OPTIONEN"},
                                                        {"SUBCOMMAND", "BEFEHL"},
                                                        {"SUBCOMMANDS", "BEFEHLE"},
                                                        {"Positionals", "Argumente"},
                                                        {"Options", "Optionen"},
                                                        {"REQUIRED", "ERFORDERLICH"},
                                                        {"Env", "Umgebung"},
                                                        {"Needs", "Erfordert"},
                                                        {"Excludes", "Unvereinbar"}})
    label(english, german);
}

std::string GermanFormatter::make_group(std::string group, bool is_positional,
                                        std::vector<const CLI::Option*> opts) const {
  return Formatter::make_group(get_label(group), is_positional, std::move(opts));
}

std::string GermanFormatter::make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const {
  std::string text = Formatter::make_subcommands(app, mode);
  const std::string heading = "\nSubcommands:\n";
  if (text.compare(0, heading.size(), heading) == 0) text.replace(0, heading.size(), "\nBefehle:\n");
  return text;
}

std::string GermanFormatter::make_option_name(const CLI::Option* opt, bool is_positional) const {
  return is_positional ? GermanWord(opt->get_name(true, false)) : opt->get_name(false, true);
}

// As CLI11 writes the value and notes of an option, in German.
std::string GermanFormatter::make_option_opts(const CLI::Option* opt) const {
  if (!opt->get_option_text().empty()) return " " + opt->get_option_text();
  std::ostringstream out;
  if (opt->get_type_size() != 0) {
    if (!opt->get_type_name().empty()) out << " " << GermanType(opt->get_type_name());
    if (!opt->get_default_str().empty()) out << "=" << opt->get_default_str();
    if (opt->get_expected_max() == CLI::detail::expected_max_vector_size)
      out << " ...";
    else if (opt->get_expected_min() > 1)
      out << " x " << opt->get_expected();
    if (opt->get_required()) out << " " << get_label("REQUIRED");
  }
  if (!opt->get_envname().empty()) out << " (" << get_label("Env") << ":" << opt->get_envname() << ")";
  if (!opt->get_needs().empty()) {
    out << " " << get_label("Needs") << ":";
    for (const CLI::Option* other : opt->get_needs()) out << " " << other->get_name();
  }
  if (!opt->get_excludes().empty()) {
    out << " " << get_label("Excludes") << ":";
    for (const CLI::Option* other : opt->get_excludes()) out << " " << other->get_name();
  }
  return out.str();
}

std::string GermanError(const std::string& english) {
  // The first pattern that matches turns the whole message.
  static const std::vector<std::pair<std::regex, std::string>> patterns = [] {
    std::vector<std::pair<std::regex, std::string>> list;
    for (const auto& [pattern, german] : std::vector<std::pair<const char*, const char*>>{
             {"A subcommand is required|Requires at least 1 subcommands?", "Ein Befehl fehlt"},
             {"The following arguments? (?:was|were) not expected: (.*)", "Unerwartet: $1"},
             {"(\\S+): \\d+ required \\S+ missing", "$1: der Wert fehlt"},
             {"(\\S+): Value (.*) not in range (.*) to (.*)", "$1: $2 liegt nicht zwischen $3 und $4"},
             {"(\\S+): (.*) not in (\\{.*\\})", "$1: \"$2\" ist keiner der Werte $3"},
             {"Could not convert: (\\S+) = (.*)", "$1: \"$2\" ist kein gültiger Wert"},
             {"(\\S+) excludes (\\S+)", "$1 nicht zusammen mit $2"},
             {"(\\S+) requires (\\S+)", "$1 nur zusammen mit $2"},
             {"(.+) is required", "$1 fehlt"}})
      list.emplace_back(std::regex(pattern), german);
    return list;
  }();
  for (const auto& [pattern, german] : patterns) {
    std::smatch match;
    if (!std::regex_match(english, match, pattern)) continue;
    std::string text = match.format(german);
    // Names in the message as the help writes them.
    text = std::regex_replace(text, std::regex("\\bFILE\\b"), "DATEI");
    return std::regex_replace(text, std::regex(" or (-)"), " oder $1");
  }
  return english;
}

void MakeGerman(CLI::App& app, const std::string& version) {
  app.formatter(std::make_shared<GermanFormatter>());
  app.set_help_flag("-h,--help", "Diese Hilfe anzeigen und beenden");
  app.set_version_flag("--version", version, "Die Version anzeigen und beenden");
  app.failure_message([](const CLI::App*, const CLI::Error& e) {
    return GermanError(e.what()) + "\nMehr dazu mit --help.\n";
  });
}

}  // namespace cli
