#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

class TDataSet;

enum class TFieldType { AutoInc, Integer, Float, String, DateTime, Boolean };
enum class TFieldKind { Data, Lookup, Calculated };

// One field of a dataset as the program declares it. Reads and writes go to the
// dataset's active record: the current record, the edit buffer while editing, or
// the record being calculated inside OnCalcFields.
class TField {
public:
    TField(TDataSet* dataSet, QString name, TFieldType type, TFieldKind kind, int size, int index);

    const QString& FieldName() const { return FFieldName; }
    TFieldType DataType() const { return FDataType; }
    TFieldKind FieldKind() const { return FFieldKind; }
    int Size() const { return FSize; }
    int Index() const { return FIndex; }
    TDataSet* DataSet() const { return FDataSet; }
    bool IsText() const { return FDataType == TFieldType::String; }

    // Display settings.
    bool ReadOnly = false;
    bool Visible = true;
    QString DisplayLabel;
    QString DisplayValues; // "true text;false text", e.g. "Да;Нет"
    QString DisplayFormat; // for date-time fields, e.g. "HH:NN"
    QString EditMask;      // e.g. "!99/99/0000;1;_"
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { FDisplayWidth = width; }

    // Lookup settings (FieldKind() == Lookup).
    QString KeyFields;
    TDataSet* LookupDataSet = nullptr;
    QString LookupKeyFields;
    QString LookupResultField;

    // Values. An empty field reads as "", 0 or false; Value() is a null QVariant.
    QVariant Value() const;
    void SetValue(const QVariant& value);
    bool IsNull() const { return !Value().isValid() || Value().isNull(); }
    void Clear() { SetValue(QVariant()); }

    QString AsString() const;
    void SetAsString(const QString& value);
    int AsInteger() const;
    void SetAsInteger(int value) { SetValue(value); }
    double AsFloat() const;
    void SetAsFloat(double value) { SetValue(value); }
    // Currency: four decimal places, the value rounded half to even on the way in and out.
    double AsCurrency() const;
    void SetAsCurrency(double value);
    QDateTime AsDateTime() const;
    void SetAsDateTime(const QDateTime& value) { SetValue(value); }
    bool AsBoolean() const;
    void SetAsBoolean(bool value) { SetValue(value); }

    // Text as shown in a grid or report (display values and format applied).
    QString DisplayText() const;
    // Text as edited in a box (no display format).
    QString Text() const;

    // Conversions shared with the dataset: the value a stored variant gives as text.
    QString textOf(const QVariant& value, bool display) const;
    // Converts text to this field's type; throws EDatabaseError when it cannot.
    QVariant valueFromText(const QString& text) const;
    QVariant valueFromTextAs(TFieldType type, const QString& text) const;
    // A value given by a caller or read as text, converted to this field's
    // type; a null result means it does not convert.
    QVariant converted(const QVariant& value) const;
    // The value as this field holds it: a text longer than the field is cut to its size.
    QVariant cutToSize(const QVariant& value) const;

private:
    TDataSet* FDataSet;
    QString FFieldName;
    TFieldType FDataType;
    TFieldKind FFieldKind;
    int FSize;
    int FIndex;
    int FDisplayWidth = -1;
};
