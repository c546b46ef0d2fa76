#include "testsupport/ExternalTools.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

QString PythonWith(const char* module)
{
    for (const QString& candidate : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")})
    {
        const QString exe = candidate.startsWith('/') ? candidate : QStandardPaths::findExecutable(candidate);
        if (exe.isEmpty() || !QFile::exists(exe))
            continue;
        QProcess p;
        p.start(exe, {QStringLiteral("-c"), QStringLiteral("import %1").arg(module)});
        if (p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return exe;
    }
    return QString();
}

QImage PdfPage(const QString& path, int dotsPerInch)
{
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (exe.isEmpty())
        return QImage();
    QProcess p;
    p.start(exe, {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-f"),
                  QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"), path});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QImage();
    return QImage::fromData(p.readAllStandardOutput(), "PNG");
}

QByteArray PdfText(const QString& path)
{
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (exe.isEmpty())
        return QByteArray();
    QProcess p;
    p.start(exe, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}

std::set<std::string> ExportedSymbols(const QString& library)
{
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", "-C", library});
    std::set<std::string> symbols;
    if (!nm.waitForFinished(30000) || nm.exitStatus() != QProcess::NormalExit || nm.exitCode() != 0)
        return symbols;
    const std::string constSuffix = " const";
    for (const QByteArray& line : nm.readAllStandardOutput().split('\n'))
    {
        // "<address> <kind> <name>"
        const int kind = line.indexOf(' ', line.indexOf(' ') + 1);
        if (kind <= 0)
            continue;
        std::string name = line.mid(kind + 1).toStdString();
        if (name.size() > constSuffix.size() &&
            name.compare(name.size() - constSuffix.size(), constSuffix.size(), constSuffix) == 0)
            name.resize(name.size() - constSuffix.size());
        symbols.insert(name);
    }
    return symbols;
}
