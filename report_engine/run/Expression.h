#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <utility>

// Replaces every delimited expression of a text by its computed text, left to
// right. Delimiters nest, and delimiters inside quoted strings do not count.
// calc receives the expression without its delimiters and the index of its format.
QString frxExpandExpressions(const QString& text, const QString& delimiters,
                             const std::function<QString(const QString& expression, int formatIndex)>& calc,
                             int formatCount = 1);

// Splits "[,]" into its opening and closing delimiter.
std::pair<QStringView, QStringView> frxSplitDelimiters(QStringView delimiters);
