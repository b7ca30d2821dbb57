#pragma once

#include <QString>

// Started from the desktop menu, the program keeps the office's database in the
// user's data folder, not in whatever folder the menu happens to start it in.

// $XDG_DATA_HOME/zelvora, or ~/.local/share/zelvora when XDG_DATA_HOME is not set.
QString desktopDataFolder();

// Makes the data folder when it is missing and makes it the current folder.
// Returns what to tell the user instead of starting the program: that the folder
// cannot be made, or that it holds no database yet, where the database is looked
// for and how to make one. Empty when the program can start.
QString enterDesktopDataFolder();
