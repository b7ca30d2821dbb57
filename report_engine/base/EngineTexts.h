#pragma once

#include <QString>

// The engine's own English texts (preview, search, progress), looked up by name
// in one table so every window of the engine words a thing the same way.
// An unknown name comes back as itself.
QString frxGet(const char* name);
