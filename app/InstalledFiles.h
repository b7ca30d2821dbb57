#pragma once

#include <QString>

// The program's own files are looked for beside the executable first (a build
// folder, or a copy carried about together with its Data folder), and otherwise
// where the package installs them, relative to the executable's folder.

// Data/background.bmp for the executable in programFolder; the one beside it
// when neither exists, so that the error names the place looked in first.
QString backgroundFile(const QString& programFolder);

// The program that the desktop launcher in launcherFolder starts.
QString programFromLauncher(const QString& launcherFolder);
