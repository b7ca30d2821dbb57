#pragma once

#include <QByteArray>
#include <QStringView>

// Texts in the office's single-byte code pages: the ANSI one (Windows-1251, in
// which exported files are written) and the OEM one (866, for programs of the
// console age). A character the code page cannot hold becomes its default
// character, "?".
QByteArray frxToAnsi(QStringView text);
void frxAppendAnsi(QByteArray& bytes, QStringView text);
// Converts ANSI bytes to the OEM code page where they are.
void frxAnsiToOem(char* first, char* last);
