#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace core {

// The updater on the vendor's download host. DORPAK_UPDATE_HOST may name
// another host as "host" or "host:port".
QUrl updaterUrl();

// Where the updater is kept: TEMP, or the system's temporary folder when
// TEMP is not set, followed by PGUNCELLE.EXE.
QString updaterPath();

// The updater's arguments: the product code and the folder of the running
// program with its final separator.
QStringList updaterArguments(const QString& programFolder);

// A plain HTTP GET saved at path. The file appears only when the whole
// answer came with a success status, so that a broken download is never
// started later as the updater. False on any failure.
bool downloadFile(const QUrl& url, const QString& path);

// Makes the updater executable and starts it without waiting for it.
bool startUpdater(const QString& path, const QString& programFolder);

// PRGGUNCELLE up to the start of the updater: asks whether to update, then
// downloads the updater unless an earlier run left it, and starts it.
// Returns true when the updater runs and the program must end; false when
// the clerk declined or the download or start failed (silently).
bool PRGGUNCELLE(const QUrl& source, const QString& programFolder);

} // namespace core
