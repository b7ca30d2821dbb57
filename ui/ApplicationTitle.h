#pragma once

#include <QString>

// The title of the program is made from the executable's name: the file name
// without its directory and without everything from its first full stop, first
// letter upper case and every letter after it lower case ("zelvora" gives
// "Zelvora"). The program sets no title of its own.
QString titleFromExecutable(const QString& path);

// The title of the running program; it titles plain notices and error boxes.
QString applicationTitle();
