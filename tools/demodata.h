#pragma once

#include <QByteArray>
#include <QString>

namespace db {
class Database;
}

namespace tools {

// Fills a new yearly file with something to look at: the institution,
// code tables, a small file plan, documents of every register with reply
// links, a scanned page, a letter and a letter template. Dates fall in
// the given year. Needs a QGuiApplication (the scanned page is drawn).
void fillDemoData(db::Database& db, int year);

// RTF of a few paragraphs in Windows-1254, the form letters are stored in.
QByteArray demoRtf(const QStringList& paragraphs);

} // namespace tools
