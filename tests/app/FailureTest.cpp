#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "app/ConfigStore.h"
#include "app/Failure.h"
#include "app/OutputBatch.h"
#include "app/WriteLedger.h"
#include "conformance/DatasheetLimits.h"
#include "document/QuadrelDoc.h"
#include "import/PlanningImport.h"
#include "support/TestSupport.h"

namespace {
Failure LoadRefusal(const std::string& path) {
    CQuadrelDoc doc;
    doc.LoadPatternFile(path);
    return doc.LastLoadFailure();
}
Failure ImportRefusal(const std::string& path) {
    RecordingNotifier notifier;
    const ImportOutcome outcome = ImportPlanningFiles({path}, ImportOptions{}, notifier);
    return outcome.refused.empty() ? Failure{} : outcome.refused.front();
}
Failure LimitsRefusal(const std::string& path) {
    return LoadLimitsFile(path).error;
}
Failure ConfigFault(const std::string& path) {
    return ConfigStore(path).Fault();
}
} // namespace

TEST(Failure, DescribeNamesPathAndLineOnlyWhereThereAreSome) {
    struct Case {
        Failure failure;
        const char* expected;
    } cases[] = {
        {{FailureKind::Refused, "a/b.toml", 12, "unknown key"}, "a/b.toml:12: unknown key"},
        {{FailureKind::Unreadable, "a/b.msi", 0, "no such file"}, "a/b.msi: no such file"},
        {{FailureKind::WriteFailed, "", 0, "stopped"}, "stopped"},
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
        const char* reasonPart;
        size_t written;
    } cases[] = {
        {"one file",
         [&](WriteLedger& l, Notifier& n) { WriteOutput(&l, n, missing, "x", "a.msi", "failed", "C"); },
         "No such file", 0},
        {"a batch",
         [&](WriteLedger& l, Notifier& n) {
             OutputBatch batch;
             batch.Add(missing, "a.msi", [] { return std::string("x"); });
             batch.Write(l, n, 2, "failed", "C");
         },
         "No such file", 0},
        {"a batch whose maker throws",
         [&](WriteLedger& l, Notifier& n) {
             OutputBatch batch;
             batch.Add(missing, "a.msi",
                       []() -> std::string { throw std::range_error("cell 42: value out of range"); });
             batch.Add((dir.Path() / "b.pln").string(), "b.msi", [] { return std::string("b"); });
             batch.Write(l, n, 2, "failed", "C");
         },
         "cell 42: value out of range", 1},
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
        EXPECT_NE(failure.reason.find(c.reasonPart), std::string::npos) << c.what << ": " << failure.reason;
        EXPECT_EQ(ledger.WrittenCount(), c.written) << c.what;
    }
}

// Readers refuse with the file and, where they know it, the line at fault.
TEST(Failure, ReadersRefuseWithPathAndLine) {
    TempDir dir;
    struct Case {
        const char* name;
        const char* bytes;
        std::function<Failure(const std::string&)> read;
        FailureKind kind;
        int line;
        const char* reasonPart;
    } cases[] = {
        {"Lab_P_M_D_B_S/p1_p45_h_co_6_0_1800.msi", "", LoadRefusal, FailureKind::Refused, 0, "empty"},
        {"Lab_P_M_D_B_S/gone.msi", nullptr, LoadRefusal, FailureKind::Unreadable, 0, "no such file"},
        {"a.pln", "NAME A\nFREQUENCY 1800\nHORIZONTAL 2\n0 0\n1 abc\n", ImportRefusal, FailureKind::Refused,
         5, "expected an angle"},
        {"b.pln", nullptr, ImportRefusal, FailureKind::Unreadable, 0, "cannot be read"},
        {"l.toml", "\nmodel = 3\n", LimitsRefusal, FailureKind::Refused, 2, "model must be a text"},
        {"m.toml", nullptr, LimitsRefusal, FailureKind::Unreadable, 0, "cannot read"},
        {"c/Config.xml", "<ConfigApp>\n<A>\n</ConfigApp>\n", ConfigFault, FailureKind::Refused, 2, "not XML"},
        {"d/Config.xml", "<Other/>", ConfigFault, FailureKind::Refused, 0, "not ConfigApp"},
    };
    for (const Case& c : cases) {
        const std::string path = c.bytes ? dir.Write(c.name, c.bytes) : (dir.Path() / c.name).string();
        const Failure failure = c.read(path);
        EXPECT_EQ(failure.kind, c.kind) << c.name;
        EXPECT_EQ(failure.path, path) << c.name;
        EXPECT_EQ(failure.line, c.line) << c.name;
        EXPECT_NE(failure.reason.find(c.reasonPart), std::string::npos) << c.name << ": " << failure.reason;
    }
}
