#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The program's persistent settings: QSettings under organisation "Agrodesk" and application
// "Granum v4.0" (an INI file in the user's configuration folder on Linux, the registry on Windows).
namespace settings {

constexpr const char* kOrganisation = "Agrodesk";
constexpr const char* kApplication = "Granum v4.0";
// Groups below the application key.
constexpr const char* kSettingsGroup = "Granum/Settings";
constexpr const char* kChartDialogGroup = "Granum/Chart Dialog";

// Opens the settings positioned in group. Values are written when the object is destroyed.
std::unique_ptr<QSettings> Open(const QString& group);

// Keeps every later Open() in folder instead of the user's own settings (tests, trial runs).
void UseFolder(const QString& folder);

// Reads an integer; fallback when the value is missing or not a number.
int ReadInt(const QSettings& store, const QString& key, int fallback);

// Reads an integer flag stored as 0 or 1 (any non-zero number counts as set); fallback when the
// value is missing or not a number.
int ReadFlag(const QSettings& store, const QString& key, int fallback);

} // namespace settings
