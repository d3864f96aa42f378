#include <gtest/gtest.h>

#include "app/WriteLedger.h"

// The ledger keeps its clashes folded into shared folders and one text of names; every spelling
// must come back exactly as it was claimed, in claim order.
TEST(WriteLedgerClashes, ComeBackAsClaimed) {
    struct Case {
        std::string path;
        std::string firstSource;
        std::string skippedSource;
    };
    const std::vector<Case> cases = {
        {"/out/PLN/QX_1710_X.pln", "/in/SN01/p1_1710.msi", "/in/SN02/p1_1710.msi"},
        {"/out/PLN/QX_1742_X.pln", "/in/SN01/p1_1742.msi", "/in/SN02/p1_1742.msi"},
        {"rel/a.txt", "a.msi", "b.msi"},                        // no folder in the sources
        {"/x", "/", "/in/SN03/"},                               // a root file, a bare root, a folder
        {"/out/PLN/QX_1710_X.pln", "/in/SN01/p1_1710.msi", ""}, // clashes again, from nothing
    };
    WriteLedger ledger;
    for (const Case& c : cases)
        if (!ledger.Wrote(c.path))
            ASSERT_EQ(ledger.Claim(c.path, c.firstSource), WriteLedger::Outcome::Written);
    for (const Case& c : cases)
        ASSERT_EQ(ledger.Claim(c.path, c.skippedSource), WriteLedger::Outcome::Duplicate) << c.path;
    ASSERT_EQ(ledger.Duplicates().size(), cases.size());
    size_t i = 0;
    for (const WriteLedger::Duplicate& clash : ledger.Duplicates()) {
        EXPECT_EQ(clash.path, cases[i].path);
        EXPECT_EQ(clash.firstSource, cases[i].firstSource);
        EXPECT_EQ(clash.skippedSource, cases[i].skippedSource);
        ++i;
    }
    EXPECT_EQ(ledger.Duplicates().back().skippedSource, "");
}
