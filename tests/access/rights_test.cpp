#include "access/rights.h"
#include "support/testdb.h"

#include <gtest/gtest.h>

#include <vector>

using testsupport::TempDatabase;

namespace {

// The main menu as a list of what MENUYAP hid.
class RecordingMenu : public MenuTrimmer {
public:
    QList<int> entries;
    QStringList menus;
    void hideEntry(int rightCode) override { entries << rightCode; }
    void hideMenu(const QString& caption) override { menus << caption; }
};

struct Right {
    int kod;
    const char* g;
};

void addRights(TempDatabase& t, int hno, const std::vector<Right>& rights)
{
    for (const Right& r : rights)
        t.exec(QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(:H,:K,:G,'E','E','E')"),
               {hno, r.kod, QString::fromLatin1(r.g)});
}

TEST(MENUYAP, HidesEntriesByTheAccessFlagAndMenusLeftEmpty)
{
    // 35 rows of codes no menu entry knows, for the rows past the 35th.
    std::vector<Right> filler;
    for (int kod = 101; kod <= 134; ++kod)
        filler.push_back({kod, "H"});
    std::vector<Right> pastTheGrid = {{1, "H"}};
    pastTheGrid.insert(pastTheGrid.end(), filler.begin(), filler.end());
    pastTheGrid.push_back({2, "H"}); // the 36th row
    pastTheGrid.push_back({27, "H"});

    struct Case {
        const char* what;
        std::vector<Right> rights;
        QList<int> hiddenEntries;
        QStringList hiddenMenus;
    };
    const Case cases[] = {
        {"1 to 3 hidden",
         {{1, "H"}, {2, "H"}, {3, "H"}, {12, "E"}, {21, "E"}},
         {1, 2, 3},
         {QStringLiteral("Evrak İşlemleri")}},
        {"12 hidden alone", {{12, "H"}, {13, "E"}, {14, "E"}}, {12}, {}},
        {"no rows at all", {}, {}, {}},
        {"lower-case h does not hide", {{1, "h"}, {2, "H"}, {3, "H"}}, {2, 3}, {}},
        {"rows past the 35th are never looked at", pastTheGrid, {1}, {}},
        {"every guarded entry hidden",
         {{1, "H"},
          {2, "H"},
          {3, "H"},
          {11, "H"},
          {12, "H"},
          {13, "H"},
          {14, "H"},
          {21, "H"},
          {22, "H"},
          {23, "H"},
          {24, "H"},
          {25, "H"},
          {26, "H"},
          {27, "H"},
          {50, "H"}},
         {1, 2, 3, 12, 13, 14, 21, 22, 23, 24, 25, 27},
         {QStringLiteral("Evrak İşlemleri"), QStringLiteral("Raporlar"),
          QStringLiteral("Parametreler")}},
        {"one visible entry keeps its menu",
         {{21, "H"}, {22, "H"}, {23, "H"}, {24, "H"}, {25, "E"}, {27, "H"}},
         {21, 22, 23, 24, 27},
         {}},
    };

    TempDatabase t;
    int hno = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ++hno;
        addRights(t, hno, c.rights);
        core::AppContext ctx;
        ctx.UserNo = hno;
        RIGHTSAKTAR(t.dm(), ctx);
        EXPECT_EQ(ctx.RightsCache.size(), qsizetype(c.rights.size()));
        RecordingMenu menu;
        MENUYAP(ctx, menu);
        EXPECT_EQ(menu.entries, c.hiddenEntries);
        EXPECT_EQ(menu.menus, c.hiddenMenus);
    }
}

TEST(HAKBUL, GivesTheFlagsOfTheFirstRowWithTheCode)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(4,22,'E','H','E','H')"));
    t.exec(QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(4,22,'H','E','H','E')"));
    t.exec(QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(4,50,'E','E','H','H')"));
    t.exec(QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(5,27,'E','E','E','E')"));
    core::AppContext ctx;
    ctx.UserNo = 4;
    RIGHTSAKTAR(t.dm(), ctx);
    ASSERT_EQ(ctx.RightsCache.size(), 3);
    EXPECT_EQ(ctx.RightsCache[2],
              (core::RightsRow{QStringLiteral("50"), QStringLiteral("E"), QStringLiteral("E"),
                               QStringLiteral("H"), QStringLiteral("H")}));

    struct Case {
        QString code;
        QString g, k, d, s;
    };
    const Case cases[] = {
        {QStringLiteral("22"), QStringLiteral("E"), QStringLiteral("H"), QStringLiteral("E"),
         QStringLiteral("H")},
        {QStringLiteral("50"), QStringLiteral("E"), QStringLiteral("E"), QStringLiteral("H"),
         QStringLiteral("H")},
        {QStringLiteral("27"), {}, {}, {}, {}},  // another user's row
        {QStringLiteral("022"), {}, {}, {}, {}}, // the code is compared as text
        {QString(), {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        ctx.RightFlags = {QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"),
                          QStringLiteral("x")};
        const core::RightFlagsResult flags = HAKBUL(ctx, c.code);
        for (const core::RightFlagsResult& f : {flags, ctx.RightFlags}) {
            EXPECT_EQ(f.G, c.g);
            EXPECT_EQ(f.K, c.k);
            EXPECT_EQ(f.D, c.d);
            EXPECT_EQ(f.S, c.s);
        }
    }
}

TEST(RIGHTSAKTAR, TheVendorAccountOfANewFileSeesTheWholeMenu)
{
    TempDatabase t;
    core::AppContext ctx;
    ctx.UserNo = 1;
    RIGHTSAKTAR(t.dm(), ctx);
    EXPECT_EQ(ctx.RightsCache.size(), 15);
    RecordingMenu menu;
    MENUYAP(ctx, menu);
    EXPECT_TRUE(menu.entries.isEmpty());
    EXPECT_TRUE(menu.menus.isEmpty());
    EXPECT_EQ(HAKBUL(ctx, QStringLiteral("50")).K, QStringLiteral("E"));
}

} // namespace
