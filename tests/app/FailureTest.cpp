#include <gtest/gtest.h>

#include <functional>

#include "app/Failure.h"
#include "app/OutputBatch.h"
#include "app/WriteLedger.h"
#include "support/TestSupport.h"

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

// A write that fails is booked in the run's ledger as a Failure naming the file, whichever way it
// was written.
TEST(Failure, LedgerBooksFailedWritesWithTheirPath) {
    TempDir dir;
    const std::string missing = (dir.Path() / "no" / "x.pln").string();
    struct Case {
        const char* what;
        std::function<void(WriteLedger&, Notifier&)> write;
    } cases[] = {
        {"one file",
         [&](WriteLedger& l, Notifier& n) { WriteOutput(&l, n, missing, "x", "a.msi", "failed", "C"); }},
        {"a batch",
         [&](WriteLedger& l, Notifier& n) {
             OutputBatch batch;
             batch.Add(missing, "a.msi", [] { return std::string("x"); });
             batch.Write(l, n, 2, "failed", "C");
         }},
    };
    for (const Case& c : cases) {
        RecordingNotifier notifier;
        WriteLedger ledger;
        c.write(ledger, notifier);
        ASSERT_EQ(ledger.Failures().size(), 1u) << c.what;
        const Failure& failure = ledger.Failures().front();
        EXPECT_EQ(failure.kind, FailureKind::WriteFailed) << c.what;
        EXPECT_EQ(failure.path, missing) << c.what;
        EXPECT_EQ(failure.Describe().rfind(missing + ": ", 0), 0u) << c.what << ": " << failure.Describe();
        EXPECT_FALSE(failure.reason.empty()) << c.what;
    }
}
