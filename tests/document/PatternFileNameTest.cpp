// The one rule that says which files are pattern files, as loading, folder collection and the open
// dialog all apply it.
#include <gtest/gtest.h>

#include "document/PatternFileName.h"

TEST(PatternFileName, KindFollowsTheExactExtension) {
    const struct {
        const char* name;
        PatternFileKind kind;
    } cases[] = {
        {"p1_p45_h_co_2_0_1710.msi", PatternFileKind::Msi},
        {"A.MSI", PatternFileKind::Msi},
        {"a.cm", PatternFileKind::Encrypted},
        {"a.CM", PatternFileKind::Encrypted},
        {"a.Msi", PatternFileKind::None}, // mixed case was never read
        {"a.msi.txt", PatternFileKind::None},
        {"a.pln", PatternFileKind::None},
        {"msi", PatternFileKind::None},
        {".cm", PatternFileKind::Encrypted},
        {"", PatternFileKind::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PatternFileKindOf(c.name), c.kind) << c.name;
        EXPECT_EQ(IsPatternFileName(c.name), c.kind != PatternFileKind::None) << c.name;
    }
    EXPECT_EQ(PatternFileFilter(), "Pattern Files (*.msi *.MSI *.cm *.CM)");
}
