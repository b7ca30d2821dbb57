#pragma once

#include <QCheckBox>

class TDataSource;
class TField;
class TFieldDataLink;

// A check box bound to a boolean field: ticked for true, clear for false or an
// empty field. Clicking writes the new state at once (starting to edit a
// browsing record); while the field cannot be written a click changes nothing.
class TDBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TDBCheckBox(const QString& text = QString(), QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* dataSource);
    QString DataField() const;
    void SetDataField(const QString& fieldName);
    TField* Field() const;

protected:
    void nextCheckState() override;

private:
    void loadField();

    TFieldDataLink* FLink;
};
