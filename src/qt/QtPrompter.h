#pragma once
// Message boxes with the caption, icon and buttons a form asks for.

#include <QWidget>

#include "platform/Prompter.h"

namespace platform {

class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
  void SetParent(QWidget* parent) { m_parent = parent; }
  Answer Ask(const std::string& caption, const std::string& text, Icon icon, Buttons buttons) override;

 private:
  QWidget* m_parent;
};

}  // namespace platform
