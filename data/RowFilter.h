#pragma once

#include <QString>
#include <QVariant>
#include <vector>

class TDataSet;
class TField;

// A parsed filter expression: clauses of the form
//   field = 'value'   field LIKE '%value%'   (field>='low' AND field<='high')
// joined by AND. Values are converted to the field's type when the filter is
// set, so a bad expression is refused before any row disappears.
class TRowFilter {
public:
    // Throws EDatabaseError naming what is wrong.
    TRowFilter(const TDataSet& dataSet, const QString& expression);

    bool matches(const TDataSet& dataSet, int storedRow) const;

private:
    enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual, Like };
    struct Clause {
        const TField* field;
        Op op;
        QVariant value;  // converted to the field's type
        QString pattern; // folded text for LIKE and text comparisons
    };

    void parse(const TDataSet& dataSet, const QString& expression);
    bool test(const TDataSet& dataSet, int storedRow, const Clause& clause) const;

    std::vector<Clause> FClauses;
};

// Text as compared and sorted: case folded, with "ё" taken as "е" as Russian
// dictionaries order it.
QString foldText(QStringView text);
// SQL-style LIKE on folded texts: "%" any run, "_" one character.
bool likeMatch(QStringView text, QStringView pattern);
