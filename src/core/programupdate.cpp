#include "programupdate.h"

#include "prompter.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QSaveFile>

namespace core {
namespace {

const QString VendorDownloadHost = QStringLiteral("www.velor.com.tr");
const QString UpdaterDownloadPath = QStringLiteral("/ftproot/Pguncelle.EXE");

} // namespace

QUrl updaterUrl()
{
    QString host = qEnvironmentVariable("DORPAK_UPDATE_HOST").trimmed();
    if (host.isEmpty())
        host = VendorDownloadHost;
    return QUrl(QStringLiteral("http://") + host + UpdaterDownloadPath);
}

QString updaterPath()
{
    QString folder = qEnvironmentVariable("TEMP");
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir::toNativeSeparators(folder + QStringLiteral("/PGUNCELLE.EXE"));
}

QStringList updaterArguments(const QString& programFolder)
{
    QString folder = QDir::toNativeSeparators(programFolder);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return {QStringLiteral("DRP"), folder};
}

bool downloadFile(const QUrl& url, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QNetworkAccessManager network;
    QNetworkRequest request(url);
    QNetworkReply* reply = network.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop,
                     [&] { file.write(reply->readAll()); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    file.write(reply->readAll());
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool startUpdater(const QString& path, const QString& programFolder)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser |
                                    QFile::ExeGroup | QFile::ExeOther);
    return QProcess::startDetached(path, updaterArguments(programFolder));
}

bool PRGGUNCELLE(const QUrl& source, const QString& programFolder)
{
    if (!Prompter::current().question(
            QStringLiteral("DİKKAT! Programınızın Daha Yeni Sürümü Mevcuttur.\n"
                           "Şimdi Güncellemek İstermisiniz.")))
        return false;
    const QString path = updaterPath();
    // An updater left by an earlier run is started again as it is.
    if (!QFileInfo::exists(path) && !downloadFile(source, path))
        return false;
    return startUpdater(path, programFolder);
}

} // namespace core
