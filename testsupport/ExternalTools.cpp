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
