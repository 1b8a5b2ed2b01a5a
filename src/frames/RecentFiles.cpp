#include "frames/RecentFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {

constexpr const char* kSection = "Recent File List";

std::string KeyOf(int index) {
  return "File" + std::to_string(index + 1);
}

}  // namespace

RecentFiles::RecentFiles(platform::SettingsStore& settings, QObject* parent)
    : QObject(parent), m_settings(settings) {
  for (std::size_t i = 0; i < m_actions.size(); ++i) {
    m_actions[i] = new QAction(this);
    connect(m_actions[i], &QAction::triggered, this, [this, i] {
      const QStringList files = Files();
      if (static_cast<int>(i) < files.size()) emit OpenRequested(files[static_cast<int>(i)]);
    });
  }
  UpdateActions();
}

void RecentFiles::AddToMenu(QMenu& menu) {
  for (QAction* a : m_actions) menu.addAction(a);
}

QStringList RecentFiles::Files() const {
  QStringList files;
  for (int i = 0; i < kCount; ++i) {
    const auto value = m_settings.GetString(kSection, KeyOf(i));
    if (value && !value->empty()) files << QString::fromStdString(*value);
  }
  return files;
}

void RecentFiles::Add(const QString& path) {
  QStringList files = Files();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kCount) files.removeLast();
  for (int i = 0; i < kCount; ++i) {
    m_settings.SetString(kSection, KeyOf(i), i < files.size() ? files[i].toStdString() : std::string());
  }
  UpdateActions();
}

void RecentFiles::UpdateActions() {
  const QStringList files = Files();
  for (std::size_t i = 0; i < m_actions.size(); ++i) {
    const bool present = static_cast<int>(i) < files.size();
    m_actions[i]->setVisible(present);
    if (present) {
      m_actions[i]->setText(
          QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[static_cast<int>(i)]).fileName()));
    }
  }
}
