#pragma once

#include "data/DatabaseEngine.h"

// A write transaction with one owner: committed when Commit() is called,
// rolled back when the guard is left without it, whatever ended the scope.
class TTransaction {
public:
    explicit TTransaction(TDatabaseEngine& engine) : FEngine(engine) { FEngine.begin(); }
    ~TTransaction() {
        if (!FCommitted)
            FEngine.rollback();
    }
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;

    void Commit() {
        FEngine.commit();
        FCommitted = true;
    }

private:
    TDatabaseEngine& FEngine;
    bool FCommitted = false;
};
