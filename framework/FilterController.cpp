#include "framework/FilterController.h"

#include "data/DataSet.h"

namespace {

// Values go in as typed, except that an apostrophe is written twice: a surname
// such as O'Neil then matches itself instead of breaking the whole expression.
QString quoted(const QString& value) {
    QString text = value;
    text.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// The user searches for the text as typed: "%", "_" and the escape character
// itself stand for themselves, so "50%" finds "50%" and not every row.
QString literalLike(const QString& value) {
    QString text;
    text.reserve(value.size() * 2);
    for (const QChar c : value) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_')) {
            text += QLatin1Char('\\');
        }
        text += c;
    }
    return text;
}

// Spaces and control characters at both ends, as a date box pads its text.
QString trimmedLow(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] <= QLatin1Char(' ')) {
        ++from;
    }
    while (to > from && text[to - 1] <= QLatin1Char(' ')) {
        --to;
    }
    return text.mid(from, to - from);
}

constexpr int DateLength = 10;

} // namespace

TFilterController::TFilterController(TDataSet* table) : tbl(table) {}

void TFilterController::AddParamsQuery(const QString& value, const QString& field, const QString& op) {
    if (value.isEmpty()) {
        return;
    }
    filter.append(field + QLatin1Char(' ') + op + QLatin1Char(' ') + quoted(value));
}

void TFilterController::AddParamLike(const QString& value, const QString& field) {
    if (value.isEmpty()) {
        return;
    }
    AddParamsQuery(QLatin1Char('%') + literalLike(value) + QLatin1Char('%'), field, QStringLiteral("LIKE"));
}

void TFilterController::AddBetween(const QString& field, const QString& value1, const QString& value2) {
    const QString first = trimmedLow(value1);
    const QString last = trimmedLow(value2);
    if (first.size() != DateLength || last.size() != DateLength) {
        return;
    }
    filter.append(QLatin1Char('(') + field + QLatin1String(">=") + quoted(first) + QLatin1String(" AND ") +
                  field + QLatin1String("<=") + quoted(last) + QLatin1Char(')'));
}

int TFilterController::getIndex() const {
    return int(filter.size()) - 1;
}

QString TFilterController::getFilter() const {
    return filter.join(QLatin1String(" AND "));
}

void TFilterController::Exec() {
    if (getIndex() < 0) {
        return;
    }
    tbl->SetFilter(getFilter());
    tbl->SetFiltered(true);
}

void TFilterController::Stop() {
    filter.clear();
    tbl->SetFiltered(false);
}
