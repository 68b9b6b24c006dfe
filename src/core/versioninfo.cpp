#include "versioninfo.h"

#include <QEventLoop>
#include <QScopeGuard>
#include <QTcpSocket>

namespace core {
namespace {

const QString VendorInfoHost = QStringLiteral("bilgi.velor.com.tr");

} // namespace

ServerAddress infoServerAddress()
{
    ServerAddress address{VendorInfoHost, InfoServerPort};
    const QString configured = qEnvironmentVariable("DORPAK_INFO_SERVER").trimmed();
    if (configured.isEmpty())
        return address;
    const qsizetype colon = configured.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint port = colon > 0 ? configured.mid(colon + 1).toUInt(&ok) : 0;
    if (ok && port > 0 && port <= 65535) {
        address.host = configured.left(colon);
        address.port = quint16(port);
    } else {
        address.host = configured;
    }
    return address;
}

InfoServerConnection::InfoServerConnection() : m_socket(std::make_unique<QTcpSocket>()) {}

InfoServerConnection::~InfoServerConnection() = default;

bool InfoServerConnection::isOpen() const
{
    return m_socket->state() != QAbstractSocket::UnconnectedState;
}

void InfoServerConnection::close()
{
    if (m_exchanging)
        m_abandoned = true;
    m_socket->abort();
    m_buffer.clear();
}

void InfoServerConnection::fetchNotes(const ServerAddress& server, const QString& version,
                                      const std::function<void(const QString&)>& onLine)
{
    close();
    m_exchanging = true;
    m_abandoned = false;
    const auto done = qScopeGuard([this] { m_exchanging = false; });

    m_socket->connectToHost(server.host, server.port);
    while (m_socket->state() != QAbstractSocket::ConnectedState) {
        if (m_abandoned)
            return;
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            fail(QStringLiteral("cannot connect to %1:%2: %3")
                     .arg(server.host)
                     .arg(server.port)
                     .arg(m_socket->errorString()));
        waitForSocket();
    }

    // The request: "VER", an empty line, the product code, the version.
    const QByteArray request = "VER\r\n\r\nDRP\r\n" + version.toLatin1() + "\r\n";
    m_socket->write(request);

    for (;;) {
        const std::optional<QString> line = readLine();
        if (!line)
            return; // abandoned
        if (*line == QLatin1String("@"))
            break;
        onLine(*line);
    }
    close();
}

std::optional<QString> InfoServerConnection::readLine()
{
    for (;;) {
        if (m_abandoned)
            return std::nullopt;
        const qsizetype end = m_buffer.indexOf('\n');
        if (end >= 0) {
            QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 1);
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.size() > MaxLineLength)
                fail(QStringLiteral("line of %1 bytes").arg(line.size()));
            // Seven-bit text: anything else is not carried.
            for (char& c : line)
                if (static_cast<unsigned char>(c) > 127)
                    c = '?';
            return QString::fromLatin1(line);
        }
        // One more byte than the longest line may be its CR.
        if (m_buffer.size() > MaxLineLength + 1)
            fail(QStringLiteral("line longer than %1 bytes").arg(MaxLineLength));
        if (m_socket->bytesAvailable() > 0) {
            m_buffer += m_socket->readAll();
            continue;
        }
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            fail(QStringLiteral("connection closed before the end of the answer"));
        waitForSocket();
    }
}

void InfoServerConnection::waitForSocket()
{
    QEventLoop loop;
    QObject::connect(m_socket.get(), &QTcpSocket::connected, &loop, &QEventLoop::quit);
    QObject::connect(m_socket.get(), &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(m_socket.get(), &QTcpSocket::stateChanged, &loop, &QEventLoop::quit);
    QObject::connect(m_socket.get(), &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    loop.exec();
}

void InfoServerConnection::fail(const QString& why)
{
    close();
    throw InfoServerError(why.toStdString());
}

} // namespace core
