// The index of the definitions by keyword and flag, as it grows: it never runs full.
#include "TestSupport.h"
#include "detail/NameIndex.h"

TEST(NameIndex, FindsEveryNameAsItGrowsAndNothingElse) {
    std::vector<std::string> keywords(100000);
    std::vector<char> places(keywords.size());  // stand-ins for the definitions, never read
    const auto definition = [&](std::size_t i) { return reinterpret_cast<CParamDef*>(&places[i]); };
    param_detail::NameIndex index;
    EXPECT_EQ(index.withKeyword("kw0"), index.withFlag('a'));
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        keywords[i] = "kw" + std::to_string(i);  // the index keeps this text
        ASSERT_TRUE(index.add(definition(i), keywords[i].c_str(), i < 3 ? "a\xff"[i] : 0));
        for (std::size_t n = 0; (i == 16 || i == 1000 || i + 1 == keywords.size()) && n <= i; ++n) {
            ASSERT_EQ(index.withKeyword(("kw" + std::to_string(n)).c_str()), definition(n)) << n;
        }
    }
    EXPECT_TRUE(index.withFlag('a') == definition(0) && index.withFlag('\xff') == definition(1) && !index.withFlag('\0'));
    for (const char* missing : {"kw100000", "kw", "", "Kw1", "kw1 "}) EXPECT_EQ(index.withKeyword(missing), nullptr);
}
