#include "report_engine/model/PrintOptions.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/model/Component.h"

#include <initializer_list>

namespace {
// An enumerated option by the names the templates write: the value's position
// in the list.
template <class T> T enumValue(const QString& value, std::initializer_list<const char*> names) {
    int index = 0;
    for (const char* name : names) {
        if (value == QLatin1String(name))
            return static_cast<T>(index);
        ++index;
    }
    throw EfrxError(QStringLiteral("Invalid property value: %1").arg(value));
}
} // namespace

bool TfrxPrintOptions::takeSetting(const QString& name, const QString& value) {
    if (name == QLatin1String("Copies"))
        Copies = frxProp::toInt(value);
    else if (name == QLatin1String("Collate"))
        Collate = frxProp::toBool(value);
    else if (name == QLatin1String("PageNumbers"))
        PageNumbers = value;
    else if (name == QLatin1String("Printer"))
        Printer = value;
    else if (name == QLatin1String("PrintMode"))
        PrintMode = enumValue<TfrxPrintMode>(value, {"pmDefault", "pmSplit", "pmJoin", "pmScale"});
    else if (name == QLatin1String("PrintOnSheet"))
        PrintOnSheet = frxProp::toInt(value);
    else if (name == QLatin1String("PrintPages"))
        PrintPages = enumValue<TfrxPrintPages>(value, {"ppAll", "ppOdd", "ppEven"});
    else if (name == QLatin1String("Reverse"))
        Reverse = frxProp::toBool(value);
    else if (name == QLatin1String("ShowDialog"))
        ShowDialog = frxProp::toBool(value);
    else if (name == QLatin1String("SplicingLine"))
        SplicingLine = frxProp::toInt(value);
    else if (name == QLatin1String("Duplex"))
        Duplex = enumValue<TfrxDuplexMode>(value, {"dmNone", "dmVertical", "dmHorizontal", "dmSimplex"});
    else if (name == QLatin1String("PrnOutFileName"))
        PrnOutFileName = value;
    else if (name == QLatin1String("PagesOnSheet"))
        PagesOnSheet = frxProp::toInt(value);
    else
        return false;
    return true;
}
