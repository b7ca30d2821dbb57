#include "reports/ProgramDataSource.h"

#include "data/DataSet.h"
#include "reports/UnreadableData.h"

bool TProgramDataSource::active() const {
    return FDataSet->Active();
}
void TProgramDataSource::open() {
    FDataSet->Open();
}
void TProgramDataSource::close() {
    FDataSet->Close();
}
void TProgramDataSource::first() {
    FDataSet->First();
}
void TProgramDataSource::next() {
    FDataSet->Next();
}
bool TProgramDataSource::eof() const {
    return FDataSet->Eof();
}
void TProgramDataSource::disableControls() {
    FDataSet->DisableControls();
}
void TProgramDataSource::enableControls() {
    FDataSet->EnableControls();
}
int TProgramDataSource::recordCount() const {
    return FDataSet->RecordCount();
}

QStringList TProgramDataSource::unreadable() {
    return unreadableData(FDataSet);
}

QStringList TProgramDataSource::fieldNames() const {
    QStringList names;
    for (const auto& field : FDataSet->Fields()) {
        names << field->FieldName();
    }
    return names;
}

int TProgramDataSource::fieldIndex(const QString& name) const {
    const TField* field = FDataSet->FindField(name);
    return field ? field->Index() : -1;
}

TfrxSourceFieldKind TProgramDataSource::fieldKind(int field) const {
    switch (FDataSet->Fields()[size_t(field)]->DataType()) {
    case TFieldType::String:
        return TfrxSourceFieldKind::WideString;
    case TFieldType::Boolean:
        return TfrxSourceFieldKind::Boolean;
    case TFieldType::DateTime:
        return TfrxSourceFieldKind::DateTime;
    case TFieldType::Float:
        return TfrxSourceFieldKind::Float;
    default:
        return TfrxSourceFieldKind::Integer;
    }
}

QVariant TProgramDataSource::value(int field) const {
    return FDataSet->Fields()[size_t(field)]->Value();
}

QString TProgramDataSource::displayText(int field) const {
    return FDataSet->Fields()[size_t(field)]->DisplayText();
}

QVariant TProgramDataSource::bookmark() const {
    const TBookmark bookmark = FDataSet->GetBookmark();
    return bookmark == TDataSet::NoBookmark ? QVariant() : QVariant(bookmark);
}

void TProgramDataSource::gotoBookmark(const QVariant& bookmark) {
    FDataSet->GotoBookmark(bookmark.toInt());
}

namespace {

// A dataset event handed to the engine as a plain handler. When the engine
// gives it back after its run, the original event is put back unwrapped, so
// runs do not stack wrappers on the module's handlers.
struct TEventCall {
    TDataSetNotifyEvent event;
    TDataSet* dataSet;
    void operator()() const { event(dataSet); }
};

TfrxDataSource::THandler handed(const TDataSetNotifyEvent& event, TDataSet* dataSet) {
    return event ? TfrxDataSource::THandler(TEventCall{event, dataSet}) : TfrxDataSource::THandler();
}

TDataSetNotifyEvent taken(const TfrxDataSource::THandler& handler) {
    if (!handler) {
        return nullptr;
    }
    if (const auto* call = handler.target<TEventCall>()) {
        return call->event;
    }
    return [handler](TDataSet*) { handler(); };
}

} // namespace

// The engine keeps the handler it replaces and calls it itself, so the data
// module's own handlers (the default sort after opening) still run.
TfrxDataSource::THandler TProgramDataSource::afterOpen() const {
    return handed(FDataSet->AfterOpen, FDataSet);
}

void TProgramDataSource::setAfterOpen(THandler handler) {
    FDataSet->AfterOpen = taken(handler);
}

TfrxDataSource::THandler TProgramDataSource::beforeClose() const {
    return handed(FDataSet->BeforeClose, FDataSet);
}

void TProgramDataSource::setBeforeClose(THandler handler) {
    FDataSet->BeforeClose = taken(handler);
}
