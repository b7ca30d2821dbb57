#pragma once

#include "report_engine/run/DataSource.h"

#include <QVariantList>
#include <vector>

// An in-memory program dataset: named columns, rows of values, display texts that
// are the values' own text unless a column maps them (as a boolean's "Да;Нет" does).
class TFakeDataSource : public TfrxDataSource {
public:
    explicit TFakeDataSource(QStringList names, std::vector<TfrxSourceFieldKind> kinds = {})
        : FNames(std::move(names)), FKinds(std::move(kinds)) {
        FKinds.resize(static_cast<size_t>(FNames.size()), TfrxSourceFieldKind::String);
    }
    void addRow(const QVariantList& values) { FRows.push_back(values); }
    void setBooleanTexts(const QString& yes, const QString& no) {
        FYes = yes;
        FNo = no;
    }
    int position() const { return FPos; }

    bool active() const override { return FActive; }
    void open() override {
        FActive = true;
        FPos = 0;
        ++FOpenCount;
        if (FAfterOpen)
            FAfterOpen();
    }
    void close() override {
        if (FBeforeClose)
            FBeforeClose();
        FActive = false;
    }
    void first() override { FPos = 0; }
    void next() override {
        if (FPos < static_cast<int>(FRows.size()))
            ++FPos;
    }
    bool eof() const override { return FPos >= static_cast<int>(FRows.size()); }
    int recordCount() const override { return static_cast<int>(FRows.size()); }
    QStringList fieldNames() const override { return FNames; }
    int fieldIndex(const QString& name) const override {
        for (int i = 0; i < FNames.size(); ++i)
            if (FNames[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    TfrxSourceFieldKind fieldKind(int field) const override { return FKinds[static_cast<size_t>(field)]; }
    QVariant value(int field) const override {
        if (eof())
            return {};
        return FRows[static_cast<size_t>(FPos)].value(field);
    }
    QString displayText(int field) const override {
        const QVariant v = value(field);
        if (v.isNull())
            return {};
        if (fieldKind(field) == TfrxSourceFieldKind::Boolean)
            return v.toBool() ? FYes : FNo;
        return v.toString();
    }
    void disableControls() override { ++FControlsDisabled; }
    void enableControls() override { --FControlsDisabled; }
    QVariant bookmark() const override { return FPos; }
    void gotoBookmark(const QVariant& bookmark) override { FPos = bookmark.toInt(); }
    THandler afterOpen() const override { return FAfterOpen; }
    void setAfterOpen(THandler handler) override { FAfterOpen = std::move(handler); }
    THandler beforeClose() const override { return FBeforeClose; }
    void setBeforeClose(THandler handler) override { FBeforeClose = std::move(handler); }

    int FOpenCount = 0;
    int FControlsDisabled = 0; // how many disables are not yet given back

private:
    QStringList FNames;
    std::vector<TfrxSourceFieldKind> FKinds;
    std::vector<QVariantList> FRows;
    bool FActive = true;
    int FPos = 0;
    QString FYes = QStringLiteral("Да");
    QString FNo = QStringLiteral("Нет");
    THandler FAfterOpen;
    THandler FBeforeClose;
};
