#pragma once
// What the environment may set for both programs, so trials and tests are repeatable and
// never touch a user's settings: KAPIBUCH_TODAY=DD.MM.YYYY replaces today's date,
// KAPIBUCH_SETTINGS=PATH names another settings file. And the German texts of Qt's own
// dialogs and shortcut names.

#include <QCoreApplication>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "qt/QtSettingsStore.h"

namespace qt {

// The day KAPIBUCH_TODAY names, as a time; nothing when it is not set. A value that is no
// day gives nothing and an error text.
std::optional<std::time_t> TodayFromEnvironment(std::string& error);

// The settings file KAPIBUCH_SETTINGS names, else the user's.
std::unique_ptr<QtSettingsStore> SettingsFromEnvironment();

// German for Qt's own texts: "Strg+K", the file, print and preview dialogs.
void InstallGermanTranslations(QCoreApplication& app);

}  // namespace qt
