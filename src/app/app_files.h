#pragma once
// Where the program keeps mainSettings.ini and settings.dat: beside the
// executable when its folder is writable (a build tree, a portable copy),
// otherwise in the user's configuration folder (Qt's application config
// location, ~/.config/loggard), created on demand.

#include <QString>

namespace AppFiles {

QString SettingsFolder();

}  // namespace AppFiles
