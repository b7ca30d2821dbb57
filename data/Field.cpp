#include "data/Field.h"

#include "data/Currency.h"
#include "data/DataSet.h"
#include "data/Exception.h"
#include "data/FormatSettings.h"
#include "data/IntegerText.h"
#include "data/StoredDateTime.h"

#include <cmath>

namespace {

const QDate ZeroDate(1899, 12, 30);

// "HH:NN" and "HH:MM" both mean hours and minutes: the letter after the hours
// stands for minutes.
QString qtTimeFormat(QString format) {
    format.replace(QLatin1String("NN"), QLatin1String("mm"), Qt::CaseInsensitive);
    format.replace(QLatin1String("HH:MM"), QLatin1String("hh:mm"), Qt::CaseInsensitive);
    format.replace(QLatin1String("HH"), QLatin1String("hh"));
    return format;
}

QString dateTimeText(const QDateTime& value) {
    const TFormatSettings& fs = FormatSettings();
    QString text = value.date().toString(fs.ShortDateFormat);
    if (value.time().msecsSinceStartOfDay() != 0) {
        text += QLatin1Char(' ') + value.time().toString(fs.LongTimeFormat);
    }
    return text;
}

QDateTime parseDateTime(const QString& text, bool* ok) {
    const TFormatSettings& fs = FormatSettings();
    const QString trimmed = text.trimmed();
    const int blank = trimmed.indexOf(QLatin1Char(' '));
    const QString datePart = blank < 0 ? trimmed : trimmed.left(blank);
    const QString timePart = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
    QDate date = QDate::fromString(datePart, fs.ShortDateFormat);
    QTime time(0, 0);
    if (!date.isValid()) {
        // A lone time of day is a time on the zero date, as time columns hold it.
        time = QTime::fromString(datePart, QStringLiteral("H:mm:ss"));
        if (!time.isValid()) {
            time = QTime::fromString(datePart, QStringLiteral("H:mm"));
        }
        *ok = time.isValid() && timePart.isEmpty();
        return QDateTime(ZeroDate, time);
    }
    if (!timePart.isEmpty()) {
        time = QTime::fromString(timePart, QStringLiteral("H:mm:ss"));
        if (!time.isValid()) {
            time = QTime::fromString(timePart, QStringLiteral("H:mm"));
        }
    }
    *ok = time.isValid();
    return QDateTime(date, time);
}

// A date-time as the database keeps it; invalid when the text is not one.
QDateTime storedDateTime(const QString& text) {
    QDate date;
    QTime time;
    return parseStoredDateTime(text.toLatin1(), &date, &time) ? QDateTime(date, time) : QDateTime();
}

} // namespace

TField::TField(TDataSet* dataSet, QString name, TFieldType type, TFieldKind kind, int size, int index)
    : ReadOnly(kind != TFieldKind::Data || type == TFieldType::AutoInc), DisplayLabel(name),
      FDataSet(dataSet), FFieldName(std::move(name)), FDataType(type), FFieldKind(kind), FSize(size),
      FIndex(index) {}

int TField::DisplayWidth() const {
    if (FDisplayWidth >= 0) {
        return FDisplayWidth;
    }
    switch (FDataType) {
    case TFieldType::String:
        return FSize;
    case TFieldType::Boolean:
        return 5;
    default:
        return 10;
    }
}

QVariant TField::Value() const {
    return FDataSet->fieldValue(this);
}

void TField::SetValue(const QVariant& value) {
    FDataSet->setFieldValue(this, value);
}

QString TField::AsString() const {
    return textOf(Value(), false);
}

void TField::SetAsString(const QString& value) {
    if (value.isEmpty() && FDataType != TFieldType::String) {
        Clear();
        return;
    }
    SetValue(valueFromText(value));
}

int TField::AsInteger() const {
    const QVariant v = Value();
    if (FDataType == TFieldType::String) {
        return v.isNull() ? 0 : valueFromTextAs(TFieldType::Integer, v.toString()).toInt();
    }
    return v.isNull() ? 0 : int(std::lround(v.toDouble()));
}

double TField::AsFloat() const {
    const QVariant v = Value();
    if (v.isNull() || !v.isValid()) {
        return 0;
    }
    if (FDataType == TFieldType::String) {
        return valueFromTextAs(TFieldType::Float, v.toString()).toDouble();
    }
    return v.toDouble();
}

// The currency type holds whole ten-thousandths; a float becomes one by rounding
// to the nearest, halves to even, as the hardware does by default.
double TField::AsCurrency() const {
    const long double scaled = RoundHalfEven(static_cast<long double>(AsFloat()) * 10000.0L);
    return double(scaled / 10000.0L);
}

void TField::SetAsCurrency(double value) {
    const long double scaled = RoundHalfEven(static_cast<long double>(value) * 10000.0L);
    SetValue(double(scaled / 10000.0L));
}

QDateTime TField::AsDateTime() const {
    const QVariant v = Value();
    if (v.isNull() || !v.isValid()) {
        return {};
    }
    if (FDataType == TFieldType::String) {
        return valueFromTextAs(TFieldType::DateTime, v.toString()).toDateTime();
    }
    return v.toDateTime();
}

bool TField::AsBoolean() const {
    const QVariant v = Value();
    if (v.isNull() || !v.isValid()) {
        return false;
    }
    if (FDataType == TFieldType::String) {
        return valueFromTextAs(TFieldType::Boolean, v.toString()).toBool();
    }
    return v.toBool();
}

QString TField::DisplayText() const {
    return textOf(Value(), true);
}

QString TField::Text() const {
    return textOf(Value(), false);
}

QString TField::textOf(const QVariant& value, bool display) const {
    if (!value.isValid() || value.isNull()) {
        return {};
    }
    switch (FDataType) {
    case TFieldType::String:
        return value.toString();
    case TFieldType::Float:
        return FloatText(value.toDouble());
    case TFieldType::DateTime:
        if (display && !DisplayFormat.isEmpty()) {
            return value.toDateTime().toString(qtTimeFormat(DisplayFormat));
        }
        return dateTimeText(value.toDateTime());
    case TFieldType::Boolean: {
        const QStringList words = DisplayValues.split(QLatin1Char(';'));
        if (words.size() == 2) {
            return value.toBool() ? words[0] : words[1];
        }
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    }
    default:
        return QString::number(value.toLongLong());
    }
}

QVariant TField::valueFromText(const QString& text) const {
    return valueFromTextAs(FDataType, text);
}

QVariant TField::valueFromTextAs(TFieldType type, const QString& text) const {
    bool ok = true;
    QVariant result;
    switch (type) {
    case TFieldType::String:
        return text;
    case TFieldType::Float: {
        const QChar separator = FormatSettings().DecimalSeparator;
        const QStringView t = QStringView(text).trimmed();
        result = t.contains(separator) ? t.toString().replace(separator, QLatin1Char('.')).toDouble(&ok)
                                       : t.toDouble(&ok);
        break;
    }
    case TFieldType::DateTime:
        result = parseDateTime(text, &ok);
        break;
    case TFieldType::Boolean: {
        const QString t = text.trimmed();
        const QStringList words = DisplayValues.split(QLatin1Char(';'));
        if (t == QLatin1String("1") || t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
            (words.size() == 2 && t.compare(words[0], Qt::CaseInsensitive) == 0)) {
            result = true;
        } else if (t == QLatin1String("0") || t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 ||
                   (words.size() == 2 && t.compare(words[1], Qt::CaseInsensitive) == 0)) {
            result = false;
        } else {
            ok = false;
        }
        break;
    }
    default: {
        // Read as the number checks read it, so "$1F" and "0x1B" are stored as
        // the numbers they are rather than as nothing.
        const std::optional<qint32> number = IntegerFromText(text.trimmed());
        ok = number.has_value();
        result = number.value_or(0);
        break;
    }
    }
    if (!ok) {
        throw EDatabaseError(
            QStringLiteral("'%1' is not a valid value for field '%2'").arg(text, FFieldName));
    }
    return result;
}

QVariant TField::converted(const QVariant& value) const {
    if (!value.isValid() || value.isNull()) {
        return {};
    }
    bool ok = true;
    QVariant result;
    switch (FDataType) {
    case TFieldType::String:
        return value.toString();
    case TFieldType::Float:
        result = value.toDouble(&ok);
        break;
    case TFieldType::Boolean:
        result = value.userType() == QMetaType::Bool ? value.toBool() : value.toLongLong(&ok) != 0;
        break;
    case TFieldType::DateTime:
        result =
            value.userType() == QMetaType::QDateTime ? value.toDateTime() : storedDateTime(value.toString());
        ok = result.toDateTime().isValid();
        break;
    default:
        result = value.toLongLong(&ok);
        break;
    }
    return ok ? result : QVariant();
}

QVariant TField::cutToSize(const QVariant& value) const {
    if (FDataType != TFieldType::String || FSize <= 0 || value.isNull()) {
        return value;
    }
    // Most values are texts already; their length is read without a copy.
    const qsizetype length = value.userType() == QMetaType::QString
                                 ? static_cast<const QString*>(value.constData())->size()
                                 : value.toString().size();
    return length > FSize ? QVariant(value.toString().left(FSize)) : value;
}
