#include "screens/Chooser.h"

#include "ui/DBLookupComboBox.h"
#include "ui/Form.h"
#include "ui/ShowingErrors.h"

#include <QPushButton>

TDBLookupComboBox* TChooser::create(QWidget* parent, const char* name, TDataSource* list,
                                    const QString& listField, TDataSource* dataSource, const QString& field) {
    auto* chooser = new TDBLookupComboBox(parent);
    chooser->setObjectName(QString::fromLatin1(name));
    chooser->SetListSource(list);
    chooser->SetKeyField(QStringLiteral("id"));
    chooser->SetListField(listField);
    if (dataSource) {
        chooser->SetDataSource(dataSource);
        chooser->SetDataField(field);
    }
    return chooser;
}

QString TChooser::keyText(const TDBLookupComboBox* chooser) {
    const QVariant key = chooser->KeyValue();
    return key.isNull() || !key.isValid() ? QString() : QString::number(key.toLongLong());
}

void TChooser::clear(TDBLookupComboBox* chooser) {
    if (!chooser->KeyValue().isNull())
        chooser->SetKeyValue(QVariant());
}

QPushButton* TChooser::findButton(QWidget* parent, const char* name, TForm* listWindow) {
    auto* button = new QPushButton(QStringLiteral("Найти"), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, parent, showingErrors(listWindow, &TForm::ShowModal));
    return button;
}
