#pragma once

#include "support/testdb.h"

#include <QString>
#include <QVariant>

namespace liststest {

enum class Register { Incoming, Outgoing };

// One incoming or outgoing document as a test writes it. Unset columns
// are NULL, apart from the link columns, which start at 0 as the entry
// screens start them.
struct Document {
    int no = 0; // GELNO or GIDNO
    QString date{};
    int dkod = 0;
    int bkod = 0;
    QString konu{};
    QVariant cevdur = QStringLiteral("E");
    QVariant cevno = 0;
    int ilgno = 0;
    QString ilgdur{}; // outgoing only
    QVariant evsay{};
    QVariant evtar{};
    QVariant ekod{};
    QVariant zdur{};
    QVariant zno{};
    QVariant ztar{};
    QVariant gizder{};
    QVariant tesadi{};
    QVariant tesgor{};
    QVariant eksay{};
    QVariant ek{};
    int kayno = 0; // 0: drawn from GEN_GELKAYNO
};

struct Petition {
    int no = 0;
    QString date{};
    QString adsoy{};
    int bkod = 0;
    QString konu{};
    QVariant cevdur = QStringLiteral("E");
    QVariant cevno = 0;
    QVariant diltar{};
    QVariant ekod{};
    QVariant zdur{};
    QVariant zno{};
    QVariant ztar{};
    QVariant gizder{};
    QVariant tesadi{};
    QVariant tesgor{};
    QVariant eksay{};
    QVariant ek{};
    int kayno = 0; // 0: drawn from GEN_DILKAYNO
};

// Writes the rows of a test: code-table rows and documents of the three
// registers, and links replies on both sides as saving an entry does.
class Registry {
public:
    explicit Registry(testsupport::TempDatabase& db) : m_db(db) {}

    // Code-table rows; each returns the code given, counting from 1.
    int institution(const QString& name);
    int department(const QString& name);
    int docType(const QString& name);

    // The KAYNO of the row written.
    int add(Register reg, const Document& d);
    int incoming(const Document& d) { return add(Register::Incoming, d); }
    int outgoing(const Document& d) { return add(Register::Outgoing, d); }
    int petition(const Petition& p);

    // The reply link, both sides: `reply` answers `answered`.
    void outgoingAnswersIncoming(int reply, int answered);
    void incomingAnswersOutgoing(int reply, int answered);
    void outgoingAnswersPetition(int reply, int answered);

private:
    int nextCode(const QString& table, const QString& column);

    testsupport::TempDatabase& m_db;
};

} // namespace liststest
