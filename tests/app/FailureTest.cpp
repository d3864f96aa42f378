#include <gtest/gtest.h>

#include "app/Failure.h"

TEST(Failure, DescribeNamesPathAndLineOnlyWhereThereAreSome) {
    struct Case {
        Failure failure;
        const char* expected;
    } cases[] = {
        {{FailureKind::Refused, "a/b.toml", 12, "unknown key"}, "a/b.toml:12: unknown key"},
        {{FailureKind::Unreadable, "a/b.msi", 0, "no such file"}, "a/b.msi: no such file"},
        {{FailureKind::Cancelled, "", 0, "stopped"}, "stopped"},
        {{FailureKind::WriteFailed, "", 3, "part 3"}, "line 3: part 3"},
        {{FailureKind::Refused, "x\ny.msi", 2, "bad"}, "x\\ny.msi:2: bad"}, // a name cannot split the line
    };
    for (const Case& c : cases) EXPECT_EQ(c.failure.Describe(), c.expected);
}
