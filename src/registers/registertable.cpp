#include "registertable.h"

namespace registers {

const RegisterTable& incomingRegister()
{
    static const RegisterTable table{
        .reg = Register::Gelen,
        .table = QStringLiteral("GELEN"),
        .numberColumn = QStringLiteral("GELNO"),
        .dateColumn = QStringLiteral("GELTAR"),
        .keyGenerator = QStringLiteral("GEN_GELKAYNO"),
        .numberGenerator = QStringLiteral("GEN_GELNO"),
        .numberFromHighest = true,
        .dateColumns = {QStringLiteral("GELTAR"), QStringLiteral("ZTAR"), QStringLiteral("EVTAR")},
        .departmentTiedToUser = true,
        .numbersInGroups = true,
        .ownsTextRows = true,
    };
    return table;
}

const RegisterTable& outgoingRegister()
{
    static const RegisterTable table{
        .reg = Register::Giden,
        .table = QStringLiteral("GIDEN"),
        .numberColumn = QStringLiteral("GIDNO"),
        .dateColumn = QStringLiteral("GIDTAR"),
        .keyGenerator = QStringLiteral("GEN_GELKAYNO"),
        .numberGenerator = QStringLiteral("GEN_GIDNO"),
        .numberFromHighest = true,
        .dateColumns = {QStringLiteral("GIDTAR"), QStringLiteral("ZTAR"), QStringLiteral("EVTAR")},
        .departmentTiedToUser = true,
        .numbersInGroups = true,
        .ownsTextRows = true,
    };
    return table;
}

const RegisterTable& petitionRegister()
{
    static const RegisterTable table{
        .reg = Register::Dilekce,
        .table = QStringLiteral("DILEKCE"),
        .numberColumn = QStringLiteral("DILNO"),
        .dateColumn = QStringLiteral("GELTAR"),
        .keyGenerator = QStringLiteral("GEN_DILKAYNO"),
        .numberGenerator = QStringLiteral("GEN_DILNO"),
        .numberFromHighest = false,
        .dateColumns = {QStringLiteral("GELTAR"), QStringLiteral("ZTAR"), QStringLiteral("DILTAR")},
        .departmentTiedToUser = false,
        .numbersInGroups = false,
    };
    return table;
}

} // namespace registers
