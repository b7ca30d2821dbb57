#include "data/RowFilter.h"

#include "data/DataSet.h"
#include "data/Exception.h"
#include "data/RowStore.h"

namespace {

struct Token {
    enum Kind { Name, Operator, Quoted, Open, Close, And, End } kind;
    QString text;
};

class Tokenizer {
public:
    explicit Tokenizer(const QString& text) : FText(text) {}

    Token next() {
        while (FPos < FText.size() && FText[FPos].isSpace()) {
            ++FPos;
        }
        if (FPos >= FText.size()) {
            return {Token::End, {}};
        }
        const QChar c = FText[FPos];
        if (c == QLatin1Char('(')) {
            ++FPos;
            return {Token::Open, QStringLiteral("(")};
        }
        if (c == QLatin1Char(')')) {
            ++FPos;
            return {Token::Close, QStringLiteral(")")};
        }
        if (c == QLatin1Char('\'')) {
            return quoted();
        }
        if (QStringLiteral("=<>").contains(c)) {
            return op();
        }
        return name();
    }

private:
    // A quote inside a value is written twice, as in SQL.
    Token quoted() {
        QString value;
        ++FPos;
        while (FPos < FText.size()) {
            if (FText[FPos] == QLatin1Char('\'')) {
                if (FPos + 1 < FText.size() && FText[FPos + 1] == QLatin1Char('\'')) {
                    value += QLatin1Char('\'');
                    FPos += 2;
                    continue;
                }
                ++FPos;
                return {Token::Quoted, value};
            }
            value += FText[FPos++];
        }
        throw EDatabaseError(QStringLiteral("Filter \"%1\": unterminated quoted value").arg(FText));
    }

    Token op() {
        const int start = FPos;
        while (FPos < FText.size() && QStringLiteral("=<>").contains(FText[FPos])) {
            ++FPos;
        }
        return {Token::Operator, FText.mid(start, FPos - start)};
    }

    Token name() {
        const int start = FPos;
        if (FText[FPos] == QLatin1Char('[')) {
            const int close = FText.indexOf(QLatin1Char(']'), FPos);
            if (close < 0) {
                throw EDatabaseError(QStringLiteral("Filter \"%1\": unclosed [").arg(FText));
            }
            FPos = close + 1;
            return {Token::Name, FText.mid(start + 1, close - start - 1)};
        }
        while (FPos < FText.size() && !FText[FPos].isSpace() &&
               !QStringLiteral("=<>()'").contains(FText[FPos])) {
            ++FPos;
        }
        const QString word = FText.mid(start, FPos - start);
        if (word.compare(QLatin1String("AND"), Qt::CaseInsensitive) == 0) {
            return {Token::And, word};
        }
        if (word.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0) {
            return {Token::Operator, QStringLiteral("LIKE")};
        }
        return {Token::Name, word};
    }

    const QString& FText;
    int FPos = 0;
};

} // namespace

QChar foldChar(QChar c) {
    const QChar folded = c.toCaseFolded();
    return folded == QChar(0x0451) ? QChar(0x0435) : folded; // ё -> е
}

QString foldText(QStringView text) {
    QString folded = text.toString().toCaseFolded();
    folded.replace(QChar(0x0451), QChar(0x0435));
    return folded;
}

int compareFolded(QStringView text, QStringView folded) {
    const qsizetype n = std::min(text.size(), folded.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = foldChar(text[i]);
        if (c != folded[i]) {
            return c < folded[i] ? -1 : 1;
        }
    }
    return text.size() == folded.size() ? 0 : (text.size() < folded.size() ? -1 : 1);
}

TRowFilter::TRowFilter(const TDataSet& dataSet, const QString& expression) : FDataSet(dataSet) {
    parse(dataSet, expression);
}

void TRowFilter::parse(const TDataSet& dataSet, const QString& expression) {
    Tokenizer tokens(expression);
    int depth = 0;
    const auto fail = [&](const QString& why) {
        throw EDatabaseError(QStringLiteral("Filter \"%1\": %2").arg(expression, why));
    };
    Token t = tokens.next();
    while (t.kind != Token::End) {
        while (t.kind == Token::Open) {
            ++depth;
            t = tokens.next();
        }
        if (t.kind != Token::Name) {
            fail(QStringLiteral("a field name expected"));
        }
        const TField* field = dataSet.FindField(t.text);
        if (!field) {
            fail(QStringLiteral("field '%1' not found").arg(t.text));
        }
        const Token op = tokens.next();
        const Token value = tokens.next();
        if (op.kind != Token::Operator || value.kind != Token::Quoted) {
            fail(QStringLiteral("a comparison with a quoted value expected after '%1'")
                     .arg(field->FieldName()));
        }
        static const QList<std::pair<QString, Op>> ops{
            {QStringLiteral("="), Op::Equal},   {QStringLiteral("<>"), Op::NotEqual},
            {QStringLiteral("<"), Op::Less},    {QStringLiteral("<="), Op::LessEqual},
            {QStringLiteral(">"), Op::Greater}, {QStringLiteral(">="), Op::GreaterEqual},
            {QStringLiteral("LIKE"), Op::Like}};
        const auto found =
            std::find_if(ops.begin(), ops.end(), [&](const auto& o) { return o.first == op.text; });
        if (found == ops.end()) {
            fail(QStringLiteral("unknown operator '%1'").arg(op.text));
        }
        Clause clause{
            field,   std::make_shared<TFieldReader>(dataSet, field), found->second, {}, foldText(value.text),
            nullptr, std::make_shared<QHash<qint64, bool>>()};
        if (clause.op == Op::Like) {
            clause.like = std::make_shared<const TLikePattern>(clause.pattern);
        }
        if (clause.op != Op::Like && field->DataType() != TFieldType::String) {
            clause.value = field->valueFromText(value.text);
        }
        FClauses.push_back(clause);
        t = tokens.next();
        while (t.kind == Token::Close) {
            if (--depth < 0) {
                fail(QStringLiteral("unbalanced parenthesis"));
            }
            t = tokens.next();
        }
        if (t.kind == Token::And) {
            t = tokens.next();
            if (t.kind == Token::End) {
                fail(QStringLiteral("a clause expected after AND"));
            }
        } else if (t.kind != Token::End) {
            fail(QStringLiteral("AND expected before '%1'").arg(t.text));
        }
    }
    if (depth != 0) {
        fail(QStringLiteral("unbalanced parenthesis"));
    }
}

bool TRowFilter::matches(int storedRow) const {
    for (const Clause& clause : FClauses) {
        if (!test(storedRow, clause)) {
            return false;
        }
    }
    return true;
}

// A lookup clause gives the same answer for every row with the same key, so
// it is worked out once per key.
bool TRowFilter::test(int storedRow, const Clause& clause) const {
    qint64 key = 0;
    if (!clause.reader->grouped() || !clause.reader->keyOf(storedRow, &key)) {
        return testValue(storedRow, clause);
    }
    auto it = clause.byKey->find(key);
    if (it == clause.byKey->end()) {
        it = clause.byKey->insert(key, testValue(storedRow, clause));
    }
    return it.value();
}

bool TRowFilter::testValue(int storedRow, const Clause& clause) const {
    const TField* field = clause.field;
    if (field->FieldKind() == TFieldKind::Data && field->DataType() == TFieldType::String) {
        const QStringView text = FDataSet.storedText(storedRow, field);
        if (clause.op == Op::Like) {
            return clause.like->matches(text);
        }
        return !text.isNull() && compare(compareFolded(text, clause.pattern), clause.op);
    }
    const QVariant v = clause.reader->value(storedRow);
    if (clause.op == Op::Like) {
        return clause.like->matches(field->textOf(v, false));
    }
    if (!v.isValid() || v.isNull()) {
        return false; // an empty field matches no comparison, as in SQL
    }
    switch (field->DataType()) {
    case TFieldType::String:
        return compare(compareFolded(v.toString(), clause.pattern), clause.op);
    case TFieldType::DateTime: {
        const qint64 a = TRowStore::toStamp(v.toDateTime());
        const qint64 b = TRowStore::toStamp(clause.value.toDateTime());
        return compare(a < b ? -1 : (a == b ? 0 : 1), clause.op);
    }
    default: {
        const double a = v.toDouble();
        const double b = clause.value.toDouble();
        return compare(a < b ? -1 : (a == b ? 0 : 1), clause.op);
    }
    }
}

bool TRowFilter::compare(int order, Op op) {
    switch (op) {
    case Op::Equal:
        return order == 0;
    case Op::NotEqual:
        return order != 0;
    case Op::Less:
        return order < 0;
    case Op::LessEqual:
        return order <= 0;
    case Op::Greater:
        return order > 0;
    case Op::GreaterEqual:
        return order >= 0;
    default:
        return false;
    }
}
