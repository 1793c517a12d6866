#include "platform/font/CUtf8Reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char32_t R = CUtf8Reader::kReplacement;

struct ReadCase {
    std::string_view bytes;
    std::vector<char32_t> chars;
    std::vector<std::size_t> ends;  // Position() after each character
};

// Names the case in the test list by its bytes in hex.
void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << (c.bytes.empty() ? "empty" : "");
    for (std::size_t i = 0; i < c.bytes.size(); ++i) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%s%02X", i ? " " : "", static_cast<unsigned char>(c.bytes[i]));
        *os << buf;
    }
}

class Utf8Read : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Utf8Read, SplitsAndDecodes)
{
    const ReadCase& c = GetParam();
    CUtf8Reader reader(c.bytes);
    std::vector<char32_t> chars;
    std::vector<std::size_t> ends;
    char32_t ch = 0;
    while (reader.Next(ch)) {
        chars.push_back(ch);
        ends.push_back(reader.Position());
    }
    EXPECT_EQ(chars, c.chars);
    EXPECT_EQ(ends, c.ends);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Next(ch));
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    WellFormed, Utf8Read,
    ::testing::Values(ReadCase{""sv, {}, {}}, ReadCase{"Ab"sv, {U'A', U'b'}, {1, 2}},
                      ReadCase{"a\0b"sv, {U'a', 0, U'b'}, {1, 2, 3}},
                      ReadCase{"\xC3\xA9"sv, {0xE9}, {2}},                    // two bytes
                      ReadCase{"\xC2\x80\xDF\xBF"sv, {0x80, 0x7FF}, {2, 4}},  // two-byte limits
                      ReadCase{"\xE2\x82\xAC"sv, {0x20AC}, {3}},              // three bytes
                      ReadCase{"\xE0\xA0\x80\xEF\xBF\xBF"sv, {0x800, 0xFFFF}, {3, 6}},
                      ReadCase{"\xED\x9F\xBF\xEE\x80\x80"sv, {0xD7FF, 0xE000}, {3, 6}},  // around surrogates
                      ReadCase{"\xF0\x9F\x82\xA1"sv, {0x1F0A1}, {4}},                    // four bytes
                      ReadCase{"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"sv, {0x10000, 0x10FFFF}, {4, 8}}));

// Each maximal ill-formed part reads as one replacement; a byte that cannot
// continue the sequence starts the next character.
INSTANTIATE_TEST_SUITE_P(
    IllFormed, Utf8Read,
    ::testing::Values(ReadCase{"\x80"sv, {R}, {1}},                                // stray continuation
                      ReadCase{"\xBF\x80"sv, {R, R}, {1, 2}},                      // two strays
                      ReadCase{"\xC3"sv, {R}, {1}},                                // cut at the end
                      ReadCase{"\xE2\x82"sv, {R}, {2}},                            // cut at the end
                      ReadCase{"\xF0\x9F\x82"sv, {R}, {3}},                        // cut at the end
                      ReadCase{"\xE2\x82" "A"sv, {R, U'A'}, {2, 3}},               // cut by ASCII
                      ReadCase{"\xC3\xC3\xA9"sv, {R, 0xE9}, {1, 3}},               // cut by a new lead
                      ReadCase{"\xC0\xAF"sv, {R, R}, {1, 2}},                      // overlong '/'
                      ReadCase{"\xC1\xBF"sv, {R, R}, {1, 2}},                      // overlong
                      ReadCase{"\xE0\x80\xAF"sv, {R, R, R}, {1, 2, 3}},            // overlong
                      ReadCase{"\xF0\x8F\xBF\xBF"sv, {R, R, R, R}, {1, 2, 3, 4}},  // overlong
                      ReadCase{"\xED\xA0\x80"sv, {R, R, R}, {1, 2, 3}},            // surrogate
                      ReadCase{"\xF4\x90\x80\x80"sv, {R, R, R, R}, {1, 2, 3, 4}},  // past U+10FFFF
                      ReadCase{"\xF5\x80"sv, {R, R}, {1, 2}},
                      ReadCase{"\xFE\xFF"sv, {R, R}, {1, 2}},
                      ReadCase{"a\xFF" "b"sv, {U'a', R, U'b'}, {1, 2, 3}}));

}  // namespace
