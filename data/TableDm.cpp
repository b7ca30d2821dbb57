#include "data/TableDm.h"

#include "data/DataSource.h"

TTableDm::TTableDm(const QString& name, const QString& tableName, QString defaultSort,
                   TConnection* connection, QObject* parent)
    : QObject(parent), tbl(new TTable(tableName, this)), ds(new TDataSource(tbl, this)),
      FDefaultSort(std::move(defaultSort)) {
    setObjectName(name);
    tbl->setObjectName(QStringLiteral("tbl"));
    ds->setObjectName(QStringLiteral("ds"));
    tbl->Connection = connection;
    tbl->AfterOpen = [this](TDataSet* dataSet) { tblAfterOpen(dataSet); };
}

void TTableDm::initTable(bool active) {
    tbl->SetActive(active);
}

void TTableDm::DataModuleCreate(QObject*) {
    initTable(true);
}

// The sort lives only while the table is open, so it is put back on every opening.
void TTableDm::tblAfterOpen(TDataSet*) {
    tbl->SetSort(FDefaultSort);
}
