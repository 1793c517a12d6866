#include "platform/font/CUtf8Reader.h"

bool CUtf8Reader::Next(char32_t& ch)
{
    if (AtEnd())
        return false;
    const unsigned lead = static_cast<unsigned char>(m_strText[m_nPos++]);
    if (lead < 0x80) {
        ch = lead;
        return true;
    }

    // The lead byte fixes the length and the range of the first continuation
    // byte; the narrowed ranges shut out overlong forms, surrogates and
    // values past U+10FFFF.
    int nMore = 0;
    unsigned lo = 0x80, hi = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        nMore = 1;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        nMore = 2;
        value = lead & 0x0Fu;
        if (lead == 0xE0)
            lo = 0xA0;
        else if (lead == 0xED)
            hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        nMore = 3;
        value = lead & 0x07u;
        if (lead == 0xF0)
            lo = 0x90;
        else if (lead == 0xF4)
            hi = 0x8F;
    } else {
        ch = kReplacement;
        return true;
    }

    for (int i = 0; i < nMore; ++i) {
        if (AtEnd()) {
            ch = kReplacement;
            return true;
        }
        const unsigned next = static_cast<unsigned char>(m_strText[m_nPos]);
        if (next < lo || next > hi) {
            // The offending byte starts the next character.
            ch = kReplacement;
            return true;
        }
        value = (value << 6) | (next & 0x3Fu);
        ++m_nPos;
        lo = 0x80;
        hi = 0xBF;
    }
    ch = value;
    return true;
}
