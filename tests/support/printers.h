#pragma once

// Lets test failures show Qt values as text.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << "bytes(" << b.size() << ") " << b.left(64).toHex(' ').toStdString();
}

inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}

inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << v.typeName() << '(' << v.toString().toStdString() << ')';
}
