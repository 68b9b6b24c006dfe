#include "db/database.h"

#include <gtest/gtest.h>

namespace {

// Runs with DORPAK_FBCLIENT naming a library that is not there.
TEST(OpenErrors, MissingClientLibrary)
{
    db::Database database;
    try {
        database.open(QStringLiteral("/tmp/DORPAK2026.GDB"));
        FAIL() << "opened without a client library";
    } catch (const db::DbOpenError& e) {
        EXPECT_EQ(int(e.kind()), int(db::DbOpenError::Kind::ClientLibraryMissing));
    }
    EXPECT_FALSE(database.isOpen());
}

} // namespace
