#pragma once

#include <QString>

// Started from the desktop menu, the program keeps the office's database in the
// user's data folder, not in whatever folder the menu happens to start it in.

// $XDG_DATA_HOME/zelvora, or ~/.local/share/zelvora when XDG_DATA_HOME is not set.
QString desktopDataFolder();

// Makes the data folder when it is missing and makes it the current folder.
// Returns what to tell the user instead of starting the program: that the folder
// cannot be made, or that the chosen database file (a name relative to the folder,
// as the program will open it) does not exist yet, where it is looked for and how
// to make one. Empty when the program can start; a server is never looked for.
QString enterDesktopDataFolder(const QString& database);
