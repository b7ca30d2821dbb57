#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

// How the report sees a field of a program dataset.
enum class TfrxSourceFieldKind { String, WideString, Boolean, DateTime, Integer, Float, Blob };

// The program dataset as the report engine reads it. The application wraps its own
// datasets in this interface; the engine never sees the data layer itself. Field
// values are Null when empty; display texts use the field's own display settings.
class TfrxDataSource {
public:
    using THandler = std::function<void()>;
    virtual ~TfrxDataSource() = default;

    virtual bool active() const = 0;
    virtual void open() = 0;
    virtual void close() = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    virtual int recordCount() const = 0;
    // What keeps the report from reading every value it shows, one text each (a
    // missing table or column behind the dataset or behind a value it looks up);
    // empty when everything can be read. A report refuses to run otherwise, since
    // it would print empty names and zero prices without a word.
    virtual QStringList unreadable() { return {}; }

    virtual QStringList fieldNames() const = 0;
    // -1 when the dataset has no such field (names compare ignoring case).
    virtual int fieldIndex(const QString& name) const = 0;
    virtual TfrxSourceFieldKind fieldKind(int field) const = 0;
    virtual QVariant value(int field) const = 0;
    virtual QString displayText(int field) const = 0;

    // Tells the windows showing the dataset to stop following its moves while a
    // report walks it, then to catch up with where it stands.
    virtual void disableControls() {}
    virtual void enableControls() {}

    // A position to come back to: the current record's, or an invalid value when
    // there is none. Ranges that start or end at the current record use it, and
    // a run comes back to it at its end.
    virtual QVariant bookmark() const = 0;
    virtual void gotoBookmark(const QVariant& bookmark) = 0;

    // Notifications the dataset fires after opening and before closing. A report
    // replaces them while it runs and calls the previous ones itself.
    virtual THandler afterOpen() const = 0;
    virtual void setAfterOpen(THandler handler) = 0;
    virtual THandler beforeClose() const = 0;
    virtual void setBeforeClose(THandler handler) = 0;
};
