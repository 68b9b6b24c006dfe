#include "db/fbclient.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Stands in for an interface of the client: counts how it was let go.
struct FakeInterface {
    int released = 0;
    int ended = 0;
    void release() { ++released; }
    template <typename S> void close(S* status)
    {
        ++ended;
        status->fail = failNext;
    }
    bool failNext = false;
};

struct FakeStatus {
    bool fail = false;
    FakeStatus* get() { return this; }
    bool failed() const { return fail; }
};

using Handle = db::fb::Handle<FakeInterface>;

TEST(Handle, LetsItsInterfaceGoOnEveryPathAndNeverTwice)
{
    FakeInterface a;
    try {
        Handle h(&a);
        throw std::runtime_error("a statement failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(a.released, 1); // an exception's path too

    // An ending call that succeeded let it go on the server's side: the
    // holder does not release it again.
    FakeInterface b;
    {
        Handle h(&b);
        FakeStatus st;
        EXPECT_TRUE(h.finish(st, &FakeInterface::close<FakeStatus>));
        EXPECT_FALSE(h);
    }
    EXPECT_EQ(b.ended, 1);
    EXPECT_EQ(b.released, 0);

    // One that failed leaves it to the holder.
    FakeInterface c;
    c.failNext = true;
    {
        Handle h(&c);
        FakeStatus st;
        EXPECT_FALSE(h.finish(st, &FakeInterface::close<FakeStatus>));
        EXPECT_TRUE(h);
    }
    EXPECT_EQ(c.released, 1);

    // Moved, it is let go once, by its new holder.
    FakeInterface d;
    {
        Handle outer;
        {
            Handle inner(&d);
            outer = std::move(inner);
        }
        EXPECT_EQ(d.released, 0);
    }
    EXPECT_EQ(d.released, 1);
}

} // namespace
