#pragma once
// Reads UTF-8 one character at a time. Ill-formed input never stops it: each
// maximal ill-formed part (a stray byte, a sequence cut short, an overlong
// form, a surrogate, a value past U+10FFFF) reads as one kReplacement, the
// way Unicode recommends, so the same bytes always split the same way.

#include <cstddef>
#include <string_view>

class CUtf8Reader {
public:
    static constexpr char32_t kReplacement = 0xFFFD;

    explicit CUtf8Reader(std::string_view text) : m_strText(text) {}

    // Reads the next character into ch; false at the end of the text.
    bool Next(char32_t& ch);

    // Byte offset of the next character to read.
    std::size_t Position() const { return m_nPos; }
    bool AtEnd() const { return m_nPos >= m_strText.size(); }

private:
    std::string_view m_strText;
    std::size_t m_nPos = 0;
};
