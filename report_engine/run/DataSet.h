#pragma once

#include <QStringList>
#include <QVariant>

class TfrxRunContext;

enum class TfrxFieldType { fftNumeric, fftString, fftBoolean, fftDateTime };
enum class TfrxRangeBegin { rbFirst, rbCurrent };
enum class TfrxRangeEnd { reLast, reCurrent, reCount };

// A dataset as the report sees it: named by UserName, walked by the band engine.
class TfrxDataSet {
public:
    virtual ~TfrxDataSet() = default;

    virtual void Initialize() = 0;
    virtual void Finalize() = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool Eof() = 0;
    virtual int RecordCount() = 0;
    virtual QVariant GetValue(const QString& alias) = 0;
    virtual QString GetDisplayText(const QString& alias) = 0;
    virtual TfrxFieldType GetFieldType(const QString& alias) = 0;
    virtual bool HasField(const QString& alias) = 0;
    virtual QStringList GetFieldList() = 0;

    QString Name;
    QString UserName;
    bool Enabled = true;
    TfrxRangeBegin RangeBegin = TfrxRangeBegin::rbFirst;
    TfrxRangeEnd RangeEnd = TfrxRangeEnd::reLast;
    int RangeEndCount = 0;
    int RecNo = 0;
    TfrxRunContext* Context = nullptr;
};
