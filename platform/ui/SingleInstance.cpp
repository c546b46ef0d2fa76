#include "platform/ui/SingleInstance.h"

#include "platform/core/FileApi.h"
#include "platform/core/RegisteredMessage.h"
#include "platform/core/Sync.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QWidget>

#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace
{
// The name made safe for a file and a socket name, with the user's id.
QString InstanceKey(LPCSTR name)
{
    QString key = QString::fromLocal8Bit(name ? name : "");
    for (QChar& c : key)
        if (!c.isLetterOrNumber() && c != '-' && c != '_')
            c = '_';
    return key + "-" + QString::number(static_cast<qulonglong>(::getuid()));
}

QString RuntimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

// The holder's socket, beside its lock file in the user's runtime folder.
QString SocketPath(LPCSTR name)
{
    return RuntimeFolder() + "/" + InstanceKey(name) + ".socket";
}

// The holder's answer to one request "raise <identify message>\n": "raised\n" or "none\n".
QByteArray Answer(const QByteArray& request)
{
    if (!request.startsWith("raise "))
        return "none\n";
    const QByteArray message = request.mid(6).trimmed();
    std::fprintf(stderr, "Single instance: another start asked this copy to come forward\n");
    const UINT value = RegisterWindowMessageA(message.constData());
    for (QWidget* widget : QApplication::topLevelWidgets())
    {
        CWnd* wnd = CWnd::FromWidget(widget);
        if (!wnd || !wnd->GetSafeHwnd())
            continue;
        if (static_cast<UINT>(wnd->SendMessage(value, 0, 0)) != value)
            continue;
        wnd->SetForegroundWindow();
        if (wnd->IsIconic())
            wnd->ShowWindow(SW_RESTORE);
        return "raised\n";
    }
    return "none\n";
}

class CInstanceLock : public CKernelObject
{
public:
    explicit CInstanceLock(int fd) : m_fd(fd) {}
    ~CInstanceLock() override
    {
        delete m_server.data();
        if (m_fd >= 0)
            ::close(m_fd); // lets the flock go
    }
    DWORD Wait(DWORD) override { return WAIT_OBJECT_0; }

    void Listen(const QString& socketPath)
    {
        if (!QCoreApplication::instance())
            return;
        QLocalServer::removeServer(socketPath); // a socket file a dead holder left
        QLocalServer* server = new QLocalServer();
        server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!server->listen(socketPath))
        {
            delete server;
            return;
        }
        QObject::connect(server, &QLocalServer::newConnection, server, [server]() {
            while (QLocalSocket* socket = server->nextPendingConnection())
            {
                QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket]() {
                    if (!socket->canReadLine())
                        return;
                    socket->write(Answer(socket->readLine()));
                    socket->flush();
                    socket->disconnectFromServer();
                });
            }
        });
        m_server = server;
    }

private:
    int m_fd = -1;
    QPointer<QLocalServer> m_server;
};
} // namespace

CString GetInstanceLockPath(LPCSTR name)
{
    return CString((RuntimeFolder() + "/" + InstanceKey(name) + ".lock").toLocal8Bit().constData());
}

HANDLE CreateInstanceMutex(LPCSTR name)
{
    const QByteArray path = QString::fromLocal8Bit((LPCSTR)GetInstanceLockPath(name)).toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        ::close(fd);
        SetLastError(ERROR_ALREADY_EXISTS);
        return AfxRegisterHandle(std::make_shared<CInstanceLock>(-1));
    }
    // The holder's process id, for whoever looks at the file.
    const QByteArray pid = QByteArray::number(static_cast<qlonglong>(::getpid())) + "\n";
    if (::ftruncate(fd, 0) == 0)
        (void)!::write(fd, pid.constData(), static_cast<size_t>(pid.size()));
    auto lock = std::make_shared<CInstanceLock>(fd);
    lock->Listen(SocketPath(name));
    HANDLE handle = AfxRegisterHandle(lock);
    SetLastError(ERROR_SUCCESS);
    return handle;
}

BOOL RaiseRunningInstance(LPCSTR name, LPCSTR identifyMessage, DWORD timeout)
{
    QElapsedTimer clock;
    clock.start();
    auto left = [&]() { return std::max<qint64>(0, static_cast<qint64>(timeout) - clock.elapsed()); };
    QLocalSocket socket;
    socket.connectToServer(SocketPath(name));
    if (!socket.waitForConnected(static_cast<int>(left())))
        return FALSE;
    socket.write(QByteArray("raise ") + (identifyMessage ? identifyMessage : "") + "\n");
    if (!socket.waitForBytesWritten(static_cast<int>(left())))
        return FALSE;
    while (!socket.canReadLine())
        if (left() <= 0 || !socket.waitForReadyRead(static_cast<int>(left())))
            return FALSE;
    return socket.readLine().trimmed() == "raised" ? TRUE : FALSE;
}
