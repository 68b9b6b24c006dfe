#pragma once

// Surroundings the start-up tests need: private per-user settings, a private
// current folder, and small loopback servers standing in for the vendor's
// information server and download host.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QVariant>

namespace coretest {

// Per-user settings in a temporary folder, and that folder as the current
// directory, for as long as the sandbox lives. The real settings are never
// touched.
class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();

    QString folder() const { return m_dir.path(); }
    void store(const QString& key, const QString& value);
    // The stored value, or an invalid QVariant when the key is missing.
    QVariant value(const QString& key) const;

private:
    QTemporaryDir m_dir;
    QString m_previousCurrent;
};

// A line server on the loopback address: it reads the client's four request
// lines, then sends the reply as it is and, if asked, closes the connection.
class LineServer : public QObject {
public:
    explicit LineServer(QByteArray reply, bool closeAfterReply = true);
    quint16 port() const { return m_server.serverPort(); }
    // "127.0.0.1:port", as DORPAK_INFO_SERVER takes it.
    QString address() const;
    QByteArray request() const { return m_request; }
    int connections() const { return m_connections; }

private:
    QTcpServer m_server;
    QByteArray m_reply;
    bool m_close;
    QByteArray m_request;
    int m_connections = 0;
};

// An HTTP server on the loopback address answering every GET with one
// status and body.
class HttpServer : public QObject {
public:
    HttpServer(int status, QByteArray body);
    quint16 port() const { return m_server.serverPort(); }
    QString hostAndPort() const;
    // The paths asked for.
    QStringList paths() const { return m_paths; }

private:
    QTcpServer m_server;
    int m_status;
    QByteArray m_body;
    QStringList m_paths;
};

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value);
    ~ScopedEnv();

private:
    const char* m_name;
    QByteArray m_previous;
    bool m_wasSet;
};

} // namespace coretest
