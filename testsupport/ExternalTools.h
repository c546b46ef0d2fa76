// Programs outside the suite that some tests use to check what the suite wrote.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <set>
#include <string>

// A python interpreter that has `module`; empty when there is none.
QString PythonWith(const char* module);

// The text of a PDF file through `pdftotext -layout` (pages end in a form feed); a null array
// when poppler-utils is missing.
QByteArray PdfText(const QString& path);

// The first page of a PDF file rendered through `pdftoppm` at `dotsPerInch`, the whole sheet of
// paper; a null image when poppler-utils is missing or the file cannot be rendered.
QImage PdfPage(const QString& path, int dotsPerInch);

// The dynamic symbols a shared library defines, through `nm -D --defined-only -C`, demangled
// and without a trailing " const" ("CPane::Create(CWnd*, int)"); empty when nm fails.
std::set<std::string> ExportedSymbols(const QString& library);
