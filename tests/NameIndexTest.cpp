// The index of the definitions by keyword and flag, as it grows: it never runs full.
#include <memory>

#include "TestSupport.h"
#include "detail/NameIndex.h"

TEST(NameIndex, FindsEveryNameAsItGrowsAndNothingElse) {
    constexpr std::size_t kCount = 100000;
    std::vector<std::unique_ptr<CParamDef>> definitions;
    std::vector<ParamListElement> elements(kCount);
    param_detail::NameIndex index;
    EXPECT_EQ(index.withKeyword("kw0"), index.withFlag('a'));
    for (std::size_t i = 0; i < kCount; ++i) {
        const char flag = i < 3 ? "a\xff"[i] : 0;
        definitions.push_back(std::make_unique<CParamDef>(("kw" + std::to_string(i)).c_str(), flag, TYPE_INT, "n", "d", "e", true, -1));
        elements[i] = {nullptr, definitions[i].get(), {}};
        ASSERT_TRUE(index.add(&elements[i], flag, param_detail::NameIndex::hashOf(definitions[i]->getKeyword())));
        for (std::size_t n = 0; (i == 16 || i == 1000 || i + 1 == kCount) && n <= i; ++n) {
            ASSERT_EQ(index.withKeyword(("kw" + std::to_string(n)).c_str()), &elements[n]) << n;
        }
    }
    EXPECT_EQ(index.withFlag('a'), &elements[0]);
    EXPECT_EQ(index.withFlag('\xff'), &elements[1]);
    EXPECT_EQ(index.withFlag('\0'), nullptr);
    for (const char* missing : {"kw100000", "kw", "", "Kw1", "kw1 "}) EXPECT_EQ(index.withKeyword(missing), nullptr);
}
