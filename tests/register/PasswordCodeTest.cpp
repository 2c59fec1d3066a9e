#include <gtest/gtest.h>

#include "register/PasswordCode.h"

namespace ledgora {
namespace {

TEST(PasswordCode, ThreeLettersGiveTwentyFiveDigits) {
    // Bytes: 3 'a' 'b' 'c' 'a' 'b' 'c' 'a' 'b' 'c' -> words 3+256*97, 98+256*99, ...
    const std::string code = encodePassword("abc");
    ASSERT_EQ(code.size(), 25u);
    EXPECT_EQ(code.substr(0, 5), std::to_string(3 + 256 * 'a' + 29371));
    EXPECT_EQ(code.substr(5, 5), std::to_string('b' + 256 * 'c' + 29371));
    EXPECT_EQ(code.substr(10, 5), std::to_string('a' + 256 * 'b' + 29371));
    EXPECT_EQ(code, "54206"
                    "54813"
                    "54556"
                    "54302"
                    "54813");
}

TEST(PasswordCode, DecodesEveryLengthBack) {
    std::string password;
    for (int n = 1; n <= 40; ++n) {
        password.push_back(static_cast<char>('A' + (n * 7) % 26));
        const std::string code = encodePassword(password);
        EXPECT_EQ(code.size() % 5, 0u);
        EXPECT_GE(code.size(), 25u);
        EXPECT_EQ(decodePassword(code), password) << n;
    }
    EXPECT_EQ(decodePassword(encodePassword("Zoé été")), "Zoé été");
}

TEST(PasswordCode, EmptyAndDamagedCodes) {
    EXPECT_EQ(encodePassword(""), "");
    EXPECT_EQ(decodePassword(""), "");
    EXPECT_EQ(decodePassword("abcde"), "");
    EXPECT_EQ(decodePassword("00001"), "");           // below the offset
    EXPECT_EQ(decodePassword("99999"), "");           // above 16 bits
    EXPECT_EQ(decodePassword("54206"), "a");          // claims 3 letters, holds one
    EXPECT_EQ(decodePassword("542065481354"), "abc"); // a trailing partial group is ignored
}

} // namespace
} // namespace ledgora
