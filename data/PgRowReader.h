#pragma once

#include "data/PgEngine.h"

#include <QStringList>
#include <vector>

// The rows of one query on the server, as binary cells: read from a binary
// COPY as they stream in, or from a result that holds them all (a query with
// parameters, which COPY cannot take).
class TPgRowReader : public TRowReader {
public:
    // Streams the rows of `sql`, which takes no parameters.
    static std::unique_ptr<TRowReader> Copy(TPgEngine& engine, const QString& sql);
    static std::unique_ptr<TRowReader> Result(TPgEngine::TResult result);
    ~TPgRowReader() override;

    int columnCount() const override { return int(FTypes.size()); }
    QString columnName(int column) const override { return FNames[column]; }
    bool step() override;
    Kind kind(int column) const override;
    qint64 integer(int column) const override;
    double real(int column) const override;
    QByteArrayView text(int column) const override;

private:
    explicit TPgRowReader(TPgEngine& engine);
    explicit TPgRowReader(TPgEngine::TResult result);
    void describe(const pg_result* result);
    bool stepCopy();
    bool stepResult();
    double numeric(QByteArrayView cell) const;

    TPgEngine* FEngine = nullptr; // streaming a COPY
    TPgEngine::TResult FResult;   // holding a result
    int FRow = -1;
    char* FBuffer = nullptr; // the COPY row being read
    bool FHeaderRead = false;
    bool FDone = false;
    QStringList FNames;
    std::vector<unsigned> FTypes;
    std::vector<QByteArrayView> FCells; // a null cell has a null data pointer
};
