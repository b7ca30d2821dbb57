#pragma once

#include <QStringList>

class TDataSet;

// Why a report over this dataset could not read every value it shows: for the
// dataset itself and for each dataset its lookups read, directly or through
// another lookup, that cannot be opened, one text naming what is missing (a
// table, its columns) or, when the shape is right, the error of reading it.
// Empty when everything can be read. A closed dataset is opened on the way, so
// a table that has become readable since start-up serves the report.
QStringList unreadableData(TDataSet* dataSet);
