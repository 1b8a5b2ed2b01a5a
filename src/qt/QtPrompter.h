#pragma once
// Message boxes with the caption, icon and buttons a form asks for.

#include <QWidget>

#include "platform/Prompter.h"

namespace qt {

class QtPrompter : public platform::Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
  void SetParent(QWidget* parent) { m_parent = parent; }
  platform::Answer Ask(const std::string& caption, const std::string& text, platform::Icon icon,
                       platform::Buttons buttons) override;

 private:
  QWidget* m_parent;
};

}  // namespace qt
