#pragma once
// Message boxes and questions. Forms report through a Prompter; the desktop program shows
// a message box, the command-line tool prints the text, tests script the answers.

#include <string>

namespace platform {

enum class Icon { Information, Exclamation, Question, Error };
// OverwriteSaveAsCancel: "Überschreiben", "Speichern unter..." and "Abbrechen".
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, OverwriteSaveAsCancel };
enum class Answer { Ok, Cancel, Yes, No, Overwrite, SaveAs };

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Answer Ask(const std::string& caption, const std::string& text, Icon icon, Buttons buttons) = 0;
  void Tell(const std::string& caption, const std::string& text, Icon icon = Icon::Information) {
    Ask(caption, text, icon, Buttons::Ok);
  }
};

}  // namespace platform
