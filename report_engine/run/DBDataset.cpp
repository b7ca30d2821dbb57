#include "report_engine/run/DBDataset.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/run/RunContext.h"

#include <algorithm>
#include <utility>

TfrxDBDataset::~TfrxDBDataset() {
    unhook();
}

QString TfrxDBDataset::ConvertAlias(const QString& alias) const {
    for (const QString& line : FieldAliases) {
        const int eq = static_cast<int>(line.indexOf(QLatin1Char('=')));
        if (eq >= 0 && line.mid(eq + 1).compare(alias, Qt::CaseInsensitive) == 0)
            return line.left(eq);
    }
    return alias;
}

QString TfrxDBDataset::GetAlias(const QString& name) const {
    for (const QString& line : FieldAliases) {
        const int eq = static_cast<int>(line.indexOf(QLatin1Char('=')));
        if (eq >= 0 && line.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return name;
}

QStringList TfrxDBDataset::GetFieldList() {
    QStringList list;
    for (const QString& line : FieldAliases) {
        const int eq = static_cast<int>(line.indexOf(QLatin1Char('=')));
        if (eq >= 0 && !line.startsWith(QLatin1Char('-')))
            list.append(line.mid(eq + 1));
    }
    if (FieldAliases.isEmpty() && FDataSource)
        list = FDataSource->fieldNames();
    return list;
}

void TfrxDBDataset::buildFields() {
    FFields.clear();
    FLookup.clear();
    for (const QString& alias : GetFieldList())
        FFields.push_back({alias, FDataSource->fieldIndex(ConvertAlias(alias))});
    std::sort(FFields.begin(), FFields.end(), [](const TField& a, const TField& b) {
        return a.FAlias.compare(b.FAlias, Qt::CaseInsensitive) < 0;
    });
}

void TfrxDBDataset::hook() {
    FSavedAfterOpen = FDataSource->afterOpen();
    FSavedBeforeClose = FDataSource->beforeClose();
    FDataSource->setAfterOpen([this] {
        buildFields();
        if (FSavedAfterOpen)
            FSavedAfterOpen();
    });
    FDataSource->setBeforeClose([this] {
        if (FSavedBeforeClose)
            FSavedBeforeClose();
        FBookmark = QVariant();
        FInitialized = false;
    });
    FHooked = true;
}

void TfrxDBDataset::unhook() {
    if (!FHooked)
        return;
    FDataSource->setAfterOpen(FSavedAfterOpen);
    FDataSource->setBeforeClose(FSavedBeforeClose);
    FSavedAfterOpen = nullptr;
    FSavedBeforeClose = nullptr;
    FHooked = false;
}

void TfrxDBDataset::Initialize() {
    if (!FDataSource)
        throw EfrxError(QStringLiteral("DataSet %1 is not connected to data").arg(Name));
    if (const QStringList missing = FDataSource->unreadable(); !missing.isEmpty())
        throw EfrxError(
            QStringLiteral("DataSet %1 cannot be read: %2").arg(Name, missing.join(QStringLiteral("; "))));
    unhook();
    hook();
    FInitialized = false;
    FEof = false;
    if (!FControlsDisabled) {
        FDataSource->disableControls();
        FControlsDisabled = true;
    }
}

void TfrxDBDataset::Open() {
    if (FInitialized)
        return;
    FInitialized = true;
    if (!FDataSource->active())
        FDataSource->open();
    buildFields();
    FBookmark = FDataSource->bookmark();
}

// The dataset goes back to the record it stood on before the run, for every
// range: the windows showing it act on their current record, and a run that
// left the list on its last row turned the user's next delete on the wrong sale.
void TfrxDBDataset::Finalize() {
    if (!FDataSource)
        return;
    if (FBookmark.isValid())
        FDataSource->gotoBookmark(FBookmark);
    FBookmark = QVariant();
    if (CloseDataSource)
        FDataSource->close();
    unhook();
    FInitialized = false;
    if (std::exchange(FControlsDisabled, false))
        FDataSource->enableControls();
}

void TfrxDBDataset::First() {
    Open();
    if (RangeBegin == TfrxRangeBegin::rbCurrent && FBookmark.isValid())
        FDataSource->gotoBookmark(FBookmark);
    else
        FDataSource->first();
    FEof = false;
    RecNo = 0;
}

void TfrxDBDataset::Next() {
    Open();
    FEof = false;
    if (RangeEnd == TfrxRangeEnd::reCurrent && FDataSource->bookmark() == FBookmark)
        FEof = true;
    else
        FDataSource->next();
    ++RecNo;
}

bool TfrxDBDataset::Eof() {
    Open();
    if (RangeEnd == TfrxRangeEnd::reCount && RecNo >= RangeEndCount)
        return true;
    return FDataSource->eof() || FEof;
}

int TfrxDBDataset::RecordCount() {
    Open();
    return FDataSource->recordCount();
}

const TfrxDBDataset::TField* TfrxDBDataset::findField(const QString& alias) const {
    // Holding a copy keeps the buffer alive, so an equal address means an equal string.
    auto known = std::find_if(FLookup.begin(), FLookup.end(), [&alias](const auto& entry) {
        return entry.first.constData() == alias.constData() && entry.first.size() == alias.size();
    });
    if (known == FLookup.end())
        known = std::find_if(FLookup.begin(), FLookup.end(),
                             [&alias](const auto& entry) { return entry.first == alias; });
    if (known == FLookup.end()) {
        if (FLookup.size() >= MaxLookups)
            FLookup.clear();
        int found = -1;
        for (size_t i = 0; i < FFields.size() && found < 0; ++i)
            if (FFields[i].FAlias.compare(alias, Qt::CaseInsensitive) == 0)
                found = static_cast<int>(i);
        FLookup.emplace_back(alias, found);
        known = FLookup.end() - 1;
    }
    return known->second < 0 ? nullptr : &FFields[static_cast<size_t>(known->second)];
}

QString TfrxDBDataset::reference(const QString& alias) const {
    return QStringLiteral("%1.\"%2\"").arg(UserName, alias);
}

void TfrxDBDataset::fieldNotFound(const QString& alias) const {
    if (Context)
        Context->addError(
            QStringLiteral("%1: Field not found: %2").arg(Context->currentObject(), reference(alias)));
}

bool TfrxDBDataset::HasField(const QString& alias) {
    Open();
    return findField(alias) != nullptr;
}

QVariant TfrxDBDataset::GetValue(const QString& alias) {
    Open();
    const TField* field = findField(alias);
    if (!field || field->FIndex < 0) {
        fieldNotFound(alias);
        return {};
    }
    return FDataSource->value(field->FIndex);
}

QString TfrxDBDataset::GetDisplayText(const QString& alias) {
    if (!FDataSource || !FDataSource->active())
        return reference(alias);
    Open();
    if (FFields.empty()) {
        const int index = FDataSource->fieldIndex(alias);
        return index >= 0 ? FDataSource->displayText(index) : QString();
    }
    const TField* field = findField(alias);
    if (!field || field->FIndex < 0) {
        fieldNotFound(alias);
        return QStringLiteral("Field not found: ") + reference(alias);
    }
    if (FDataSource->fieldKind(field->FIndex) == TfrxSourceFieldKind::WideString)
        return FDataSource->value(field->FIndex).toString();
    return FDataSource->displayText(field->FIndex);
}

TfrxFieldType TfrxDBDataset::GetFieldType(const QString& alias) {
    Open();
    const TField* field = findField(alias);
    if (!field || field->FIndex < 0)
        return TfrxFieldType::fftNumeric;
    switch (FDataSource->fieldKind(field->FIndex)) {
    case TfrxSourceFieldKind::String:
    case TfrxSourceFieldKind::WideString:
    case TfrxSourceFieldKind::Blob:
        return TfrxFieldType::fftString;
    case TfrxSourceFieldKind::Boolean:
        return TfrxFieldType::fftBoolean;
    case TfrxSourceFieldKind::DateTime:
        return TfrxFieldType::fftDateTime;
    default:
        return TfrxFieldType::fftNumeric;
    }
}
