#pragma once

#include <QString>

class QApplication;

// Applies the program's visual style "Amethyst Kamri", a style sheet carried in
// the resources. When it cannot be read, says so in its own error box and
// leaves the default look; the caller goes on either way.
void applyStyle(QApplication& application, const QString& fileName = QStringLiteral(":/style.qss"));
