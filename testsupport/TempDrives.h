// Temporary drive folders for one test: C: (and optionally D:, E:) point into a fresh
// temporary folder, as does the configuration folder, so no test touches the user's home.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class TempDrives
{
public:
    TempDrives();
    ~TempDrives();
    // The Linux folder that stands for drive C: (ends without a slash).
    QString DriveC() const { return m_c; }
    // Makes drive D: or E: exist as a fixed drive, in the same temporary folder.
    QString AddDrive(char letter);
    // Full Linux path of a Windows-relative path on drive C: ("MyData/a.txt").
    QString OnC(const QString& relative) const { return m_c + "/" + relative; }
    QString Root() const { return m_dir->path(); }

    // The drives of the test that is running.
    static TempDrives* Current();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_c;
};
