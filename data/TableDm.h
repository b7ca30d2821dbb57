#pragma once

#include "data/Table.h"

#include <QObject>
#include <QString>

class TConnection;
class TDataSource;

// What every entity data module shares: one table `tbl` opened whole by name,
// the data source `ds` that windows, choosers and reports follow, and the
// default order put on the rows each time the table is opened.
//
// Creating a module declares its fields and binds its events but opens
// nothing; the start-up sequence then calls DataModuleCreate, so a table that
// cannot be opened raises EDatabaseError to the caller and the module stays
// alive with its table closed.
class TTableDm : public QObject {
    Q_OBJECT
public:
    TTable* tbl;
    TDataSource* ds;

    void initTable(bool active);
    void DataModuleCreate(QObject* Sender);
    void tblAfterOpen(TDataSet* DataSet);

protected:
    TTableDm(const QString& name, const QString& tableName, QString defaultSort, TConnection* connection,
             QObject* parent);

private:
    QString FDefaultSort;
};
