#include "sandbox.h"

#include <QDir>
#include <QSettings>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace coretest {

SettingsSandbox::SettingsSandbox() : m_previousCurrent(QDir::currentPath())
{
    if (!m_dir.isValid())
        ADD_FAILURE() << "no temporary folder for the settings";
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path() + "/settings");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path() + "/settings");
    QDir::setCurrent(m_dir.path());
}

SettingsSandbox::~SettingsSandbox()
{
    QDir::setCurrent(m_previousCurrent);
}

void SettingsSandbox::store(const QString& key, const QString& value)
{
    QSettings(QStringLiteral("VELOR"), QStringLiteral("DORPAK")).setValue(key, value);
}

QVariant SettingsSandbox::value(const QString& key) const
{
    return QSettings(QStringLiteral("VELOR"), QStringLiteral("DORPAK")).value(key);
}

LineServer::LineServer(QByteArray reply, bool closeAfterReply)
    : m_reply(std::move(reply)), m_close(closeAfterReply)
{
    if (!m_server.listen(QHostAddress::LocalHost))
        ADD_FAILURE() << "line server cannot listen";
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        QTcpSocket* socket = m_server.nextPendingConnection();
        ++m_connections;
        m_request.clear();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            m_request += socket->readAll();
            if (m_request.count("\r\n") < 4)
                return;
            socket->write(m_reply);
            if (m_close)
                socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    });
}

QString LineServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

HttpServer::HttpServer(int status, QByteArray body) : m_status(status), m_body(std::move(body))
{
    if (!m_server.listen(QHostAddress::LocalHost))
        ADD_FAILURE() << "HTTP server cannot listen";
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        QTcpSocket* socket = m_server.nextPendingConnection();
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n"))
                return;
            m_paths << QString::fromLatin1(request->split(' ').value(1));
            const QByteArray reason = m_status == 200 ? "OK" : "Not Found";
            socket->write("HTTP/1.1 " + QByteArray::number(m_status) + ' ' + reason +
                          "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                          QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" +
                          m_body);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    });
}

QString HttpServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

ScopedEnv::ScopedEnv(const char* name, const QString& value)
    : m_name(name), m_previous(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name))
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value.toUtf8());
}

ScopedEnv::~ScopedEnv()
{
    if (m_wasSet)
        qputenv(m_name, m_previous);
    else
        qunsetenv(m_name);
}

} // namespace coretest
