#pragma once

#include "data/DataSet.h"

// A read-only dataset over a query text with named parameters (":name").
class TQuery : public TDataSet {
    Q_OBJECT
public:
    explicit TQuery(QString sql, QObject* parent = nullptr) : TDataSet(parent), SQL(std::move(sql)) {}
    QString SQL;
    // Declares or returns the parameter `name`; its value is bound at the next opening.
    QVariant& ParamByName(const QString& name);

protected:
    QString selectText() const override { return SQL; }
    std::vector<std::pair<QString, QVariant>> parameters() const override { return FParams; }

private:
    std::vector<std::pair<QString, QVariant>> FParams;
};
