// Programs outside the suite that some tests use to check what the suite wrote.
#pragma once

#include <QByteArray>
#include <QString>

// A python interpreter that has `module`; empty when there is none.
QString PythonWith(const char* module);

// The text of a PDF file through `pdftotext -layout` (pages end in a form feed); a null array
// when poppler-utils is missing.
QByteArray PdfText(const QString& path);
