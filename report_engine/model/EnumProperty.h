#pragma once

#include "report_engine/base/ReportError.h"

#include <QString>

// Enumerations stored by the names of their values, in the order of the values.
namespace frxProp {
template <typename TEnum, int N> QString enumName(TEnum value, const char* const (&names)[N]) {
    return QLatin1String(names[static_cast<int>(value)]);
}

template <typename TEnum, int N> TEnum enumValue(const QString& text, const char* const (&names)[N]) {
    for (int i = 0; i < N; ++i)
        if (text == QLatin1String(names[i]))
            return static_cast<TEnum>(i);
    throw EfrxError(QStringLiteral("Unknown value \"%1\"").arg(text));
}
} // namespace frxProp
