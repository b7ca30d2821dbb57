#pragma once

#include <QString>

class TDataSet;

// Builds a person's full name from the current record of a dataset, for the
// calculated name fields of employees and clients. The dataset is not owned.
class TDbCalcField {
public:
    explicit TDbCalcField(TDataSet* ADataSet) : FDataSet(ADataSet) {}

    // The text of the named field of the current record; empty for a null
    // value. Throws EDatabaseError when the dataset has no such field.
    QString getStringValue(const QString& fieldnane) const;

    // Surname, first name and patronymic joined by single spaces. Empty parts
    // are kept, blanks and all, so the lists line names up the way the office
    // always saw them.
    QString GetFio() const;

private:
    TDataSet* FDataSet;
};
