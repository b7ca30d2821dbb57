#pragma once

#include <QString>
#include <QStringList>

// Which database the program opens: the one named by "--db NAME" (or
// "--db=NAME") on the command line, else by the environment variable
// ZELVORA_DB, else db.sqlite in the current directory. A name is a file or a
// server's URI.
QString chosenDatabase(const QStringList& arguments);
