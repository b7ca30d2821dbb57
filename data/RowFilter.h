#pragma once

#include "data/FieldReader.h"
#include "data/LikePattern.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class TDataSet;
class TField;

// A parsed filter expression: clauses of the form
//   field = 'value'   field LIKE '%value%'   (field>='low' AND field<='high')
// (a quote inside a value is written twice; LIKE patterns as TLikePattern reads them)
// joined by AND. Values are converted to the field's type when the filter is
// set, so a bad expression is refused before any row disappears.
class TRowFilter {
public:
    // Throws EDatabaseError naming what is wrong.
    TRowFilter(const TDataSet& dataSet, const QString& expression);

    bool matches(int storedRow) const;

private:
    enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual, Like };
    struct Clause {
        const TField* field;
        std::shared_ptr<TFieldReader> reader;
        Op op;
        QVariant value;                             // converted to the field's type
        QString pattern;                            // folded text for LIKE and text comparisons
        std::shared_ptr<const TLikePattern> like;   // the LIKE pattern, read once
        std::shared_ptr<QHash<qint64, bool>> byKey; // results of a lookup clause per key
    };

    void parse(const TDataSet& dataSet, const QString& expression);
    bool test(int storedRow, const Clause& clause) const;
    bool testValue(int storedRow, const Clause& clause) const;
    static bool compare(int order, Op op);

    const TDataSet& FDataSet;
    std::vector<Clause> FClauses;
};

// Text as compared and sorted: case folded, with "ё" taken as "е" as Russian
// dictionaries order it.
QString foldText(QStringView text);
QChar foldChar(QChar c);
// Compares a text with a folded one, folding the text as it is read.
int compareFolded(QStringView text, QStringView folded);
