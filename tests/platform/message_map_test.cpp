#include "message_map.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Base : public CCmdTarget {
public:
    std::string calls;
    void OnFirst() { calls += "base-first "; }
    void OnSecond() { calls += "base-second "; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Base, CCmdTarget)
    ON_COMMAND(1, &Base::OnFirst)
    ON_COMMAND(2, &Base::OnSecond)
END_MESSAGE_MAP()

class Derived : public Base {
public:
    void OnFirst() { calls += "derived-first "; }
    void OnPaint() { calls += "paint "; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Derived, Base)
    ON_WM_PAINT()
    ON_COMMAND(1, &Derived::OnFirst)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesWinAndTheRestFallToTheBase)
{
    Derived target;
    EXPECT_TRUE(target.OnCmdMsg(WM_COMMAND, 1));
    EXPECT_TRUE(target.OnCmdMsg(WM_COMMAND, 2));
    EXPECT_TRUE(target.OnCmdMsg(WM_PAINT, 0));
    EXPECT_FALSE(target.OnCmdMsg(WM_COMMAND, 3));
    EXPECT_FALSE(target.OnCmdMsg(WM_CLOSE, 0));
    EXPECT_EQ(target.calls, "derived-first base-second paint ");

    Base base;
    EXPECT_TRUE(base.OnCmdMsg(WM_COMMAND, 1));
    EXPECT_FALSE(base.OnCmdMsg(WM_PAINT, 0));
    EXPECT_EQ(base.calls, "base-first ");
}

}  // namespace
