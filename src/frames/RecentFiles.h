#pragma once
// The recent-file list of the "Datei" menu: the last four files opened or saved, kept in
// the settings ("Recent File List", File1..File4).

#include <QObject>
#include <QStringList>
#include <array>

#include "platform/SettingsStore.h"

class QAction;
class QMenu;

class RecentFiles : public QObject {
  Q_OBJECT

 public:
  static constexpr int kCount = 4;

  RecentFiles(platform::SettingsStore& settings, QObject* parent = nullptr);
  // Adds the four entries (hidden while empty) to the menu.
  void AddToMenu(QMenu& menu);
  QStringList Files() const;
  // Puts the file first.
  void Add(const QString& path);

 signals:
  void OpenRequested(const QString& path);

 private:
  void UpdateActions();

  platform::SettingsStore& m_settings;
  std::array<QAction*, kCount> m_actions{};
};
