#include "tests/support/BoardFixture.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <functional>
#include <sstream>
#include <unordered_set>

namespace testboard {
namespace {

constexpr std::string_view RANKS = "A23456789TJQK";
constexpr std::string_view SUITS = "SHCD";
constexpr int NUM_FACES = 52;

// Walks never go further than this, so a ring of cards cannot hang a test.
constexpr int WALK_LIMIT = 2 * CBoard::NUM_CARDS;

struct CPileRef {
    std::string m_strName;
    CCard* const* m_ppHead;
    int m_nFoundation;  // -1 for the other piles
};

// The piles in snapshot order: stock, waste, foundations 0-7, columns 0-9.
std::vector<CPileRef> PilesOf(const CBoard& board)
{
    std::vector<CPileRef> aPile;
    aPile.push_back({"stock", &board.m_pStock, -1});
    aPile.push_back({"waste", &board.m_pWaste, -1});
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f)
        aPile.push_back({"foundation " + std::to_string(f), &board.m_apFoundation[f], f});
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c)
        aPile.push_back({"column " + std::to_string(c), &board.m_apColumn[c], -1});
    return aPile;
}

std::vector<std::string_view> Words(std::string_view strText)
{
    std::vector<std::string_view> aWord;
    std::size_t nPos = 0;
    while (nPos < strText.size()) {
        const std::size_t nStart = strText.find_first_not_of(" \t\r\n", nPos);
        if (nStart == std::string_view::npos)
            break;
        std::size_t nEnd = strText.find_first_of(" \t\r\n", nStart);
        if (nEnd == std::string_view::npos)
            nEnd = strText.size();
        aWord.push_back(strText.substr(nStart, nEnd - nStart));
        nPos = nEnd;
    }
    return aWord;
}

// Parses a pile's cards, or says which word is not a card.
::testing::AssertionResult ParsePile(std::string_view strName, std::string_view strCards,
                                     std::vector<CFace>& aFace)
{
    aFace.clear();
    for (std::string_view strWord : Words(strCards)) {
        const std::optional<CFace> face = ParseCard(strWord);
        if (!face)
            return ::testing::AssertionFailure()
                   << strName << ": \"" << strWord << "\" is not a card (rank A 2-9 T J Q K, then suit S H C D)";
        aFace.push_back(*face);
    }
    return ::testing::AssertionSuccess();
}

std::string Join(const std::vector<CFace>& aFace)
{
    std::string strText;
    for (const CFace& face : aFace) {
        if (!strText.empty())
            strText += ' ';
        strText += CardName(face.m_nSuit, face.m_nRank);
    }
    return strText;
}

std::string DescribePile(const CCard* pCard)
{
    std::string strText;
    for (int n = 0; pCard != nullptr; pCard = pCard->m_pNext, ++n) {
        if (!strText.empty())
            strText += ' ';
        if (n == WALK_LIMIT) {
            strText += "...";
            break;
        }
        strText += CardName(pCard);
    }
    return strText;
}

std::string_view Trim(std::string_view str)
{
    const std::size_t nStart = str.find_first_not_of(" \t\r");
    if (nStart == std::string_view::npos)
        return {};
    const std::size_t nEnd = str.find_last_not_of(" \t\r");
    return str.substr(nStart, nEnd - nStart + 1);
}

// "column 3 (deepest first)" with prefix "column " and suffix " (deepest
// first)" gives 3 when it lies below nCount.
std::optional<int> NumberedHeader(std::string_view strHeader, std::string_view strPrefix,
                                  std::string_view strSuffix, int nCount)
{
    if (!strHeader.starts_with(strPrefix) || !strHeader.ends_with(strSuffix)
        || strHeader.size() <= strPrefix.size() + strSuffix.size())
        return std::nullopt;
    const std::string_view strDigits =
        strHeader.substr(strPrefix.size(), strHeader.size() - strPrefix.size() - strSuffix.size());
    int nValue = -1;
    const auto [pEnd, ec] = std::from_chars(strDigits.data(), strDigits.data() + strDigits.size(), nValue);
    if (ec != std::errc() || pEnd != strDigits.data() + strDigits.size() || nValue < 0 || nValue >= nCount)
        return std::nullopt;
    return nValue;
}

std::optional<std::vector<std::uint8_t>> ParseHex(std::string_view strHex)
{
    if (strHex.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> abBytes;
    for (std::size_t k = 0; k < strHex.size(); k += 2) {
        unsigned nValue = 0;
        const auto [pEnd, ec] = std::from_chars(strHex.data() + k, strHex.data() + k + 2, nValue, 16);
        if (ec != std::errc() || pEnd != strHex.data() + k + 2)
            return std::nullopt;
        abBytes.push_back(static_cast<std::uint8_t>(nValue));
    }
    return abBytes;
}

}  // namespace

std::optional<CFace> ParseCard(std::string_view strCard)
{
    if (strCard.size() != 2)
        return std::nullopt;
    const std::size_t nRank = RANKS.find(strCard[0]);
    const std::size_t nSuit = SUITS.find(strCard[1]);
    if (nRank == std::string_view::npos || nSuit == std::string_view::npos)
        return std::nullopt;
    return CFace{static_cast<std::uint8_t>(nSuit), static_cast<std::uint8_t>(nRank)};
}

std::string CardName(std::uint8_t nSuit, std::uint8_t nRank)
{
    if (nSuit >= SUITS.size() || nRank >= RANKS.size())
        return "?" + std::to_string(nSuit) + "/" + std::to_string(nRank);
    return {RANKS[nRank], SUITS[nSuit]};
}

CCard MakeCard(std::string_view strCard)
{
    const std::optional<CFace> face = ParseCard(strCard);
    if (!face) {
        ADD_FAILURE() << "\"" << strCard << "\" is not a card";
        return CCard(0, 0);
    }
    return CCard(face->m_nSuit, face->m_nRank);
}

std::string CardName(const CCard* pCard)
{
    return pCard == nullptr ? "--" : CardName(pCard->m_nSuit, pCard->m_nRank);
}

::testing::AssertionResult Lay(CBoard& board, const CLayout& layout)
{
    std::vector<CFace> aStock;
    std::vector<CFace> aWaste;
    std::array<std::vector<CFace>, CBoard::NUM_COLUMNS> aColumn;
    std::array<std::vector<CFace>, CBoard::NUM_FOUNDATIONS> aFoundation;

    // Everything is read before the board is touched.
    if (auto result = ParsePile("stock", layout.m_strStock, aStock); !result)
        return result;
    if (auto result = ParsePile("waste", layout.m_strWaste, aWaste); !result)
        return result;
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        if (auto result = ParsePile("column " + std::to_string(c), layout.m_astrColumn[c], aColumn[c]); !result)
            return result;
    }
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
        auto result = ParsePile("foundation " + std::to_string(f), layout.m_astrFoundation[f], aFoundation[f]);
        if (!result)
            return result;
    }

    board.FreeAllCards();
    const auto build = [](CCard*& pHead, const std::vector<CFace>& aFace) {
        CCard** ppLink = &pHead;
        for (const CFace& face : aFace) {
            *ppLink = new CCard(face.m_nSuit, face.m_nRank);
            ppLink = &(*ppLink)->m_pNext;
        }
    };
    build(board.m_pStock, aStock);
    build(board.m_pWaste, aWaste);
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c)
        build(board.m_apColumn[c], aColumn[c]);
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f)
        build(board.m_apFoundation[f], aFoundation[f]);
    board.m_nSelKind = CBoard::SEL_NONE;
    return ::testing::AssertionSuccess();
}

CLayout Describe(const CBoard& board)
{
    CLayout layout;
    layout.m_strStock = DescribePile(board.m_pStock);
    layout.m_strWaste = DescribePile(board.m_pWaste);
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c)
        layout.m_astrColumn[c] = DescribePile(board.m_apColumn[c]);
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f)
        layout.m_astrFoundation[f] = DescribePile(board.m_apFoundation[f]);
    return layout;
}

std::string FormatLayout(const CLayout& layout)
{
    std::string strText;
    const auto line = [&strText](const std::string& strHeader, const std::string& strCards) {
        strText += strHeader + ":";
        if (!strCards.empty())
            strText += " " + strCards;
        strText += "\n";
    };
    line("stock (top first)", layout.m_strStock);
    line("waste (top first)", layout.m_strWaste);
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f)
        line("foundation " + std::to_string(f) + " (top first)", layout.m_astrFoundation[f]);
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c)
        line("column " + std::to_string(c) + " (deepest first)", layout.m_astrColumn[c]);
    return strText;
}

void PrintTo(const CLayout& layout, std::ostream* pOut) { *pOut << "\n" << FormatLayout(layout); }

std::vector<std::uint8_t> SnapshotOf(const CBoard& board)
{
    std::vector<std::uint8_t> abBytes;
    for (const CPileRef& pile : PilesOf(board)) {
        int n = 0;
        for (const CCard* pCard = *pile.m_ppHead; pCard != nullptr && n < WALK_LIMIT; pCard = pCard->m_pNext, ++n)
            abBytes.push_back(static_cast<std::uint8_t>(pCard->m_nSuit * 13 + pCard->m_nRank));
        abBytes.push_back(CBoard::UNDO_SEPARATOR);
    }
    return abBytes;
}

std::string Hex(std::span<const std::uint8_t> abBytes)
{
    static constexpr char DIGITS[] = "0123456789abcdef";
    std::string strHex;
    for (std::uint8_t b : abBytes) {
        strHex += DIGITS[b >> 4];
        strHex += DIGITS[b & 0xF];
    }
    return strHex;
}

std::string UndoHex(const CBoard& board) { return Hex(board.m_abUndo); }

::testing::AssertionResult HoldsFullBoard(const CBoard& board)
{
    std::unordered_set<const CCard*> seen;
    std::array<int, NUM_FACES> anCount{};
    for (const CPileRef& pile : PilesOf(board)) {
        std::vector<const CCard*> aCard;
        for (const CCard* pCard = *pile.m_ppHead; pCard != nullptr; pCard = pCard->m_pNext) {
            if (!seen.insert(pCard).second)
                return ::testing::AssertionFailure()
                       << pile.m_strName << ": card " << CardName(pCard) << " at index " << aCard.size()
                       << " is already linked from another place (shared between piles or a ring)";
            if (pCard->m_nSuit >= 4 || pCard->m_nRank >= 13)
                return ::testing::AssertionFailure() << pile.m_strName << ": impossible card " << CardName(pCard);
            ++anCount[pCard->m_nSuit * 13 + pCard->m_nRank];
            aCard.push_back(pCard);
        }
        if (const int f = pile.m_nFoundation; f >= 0) {
            // Listed top first, so the ranks fall to the Ace at the bottom.
            const int nCards = static_cast<int>(aCard.size());
            for (int k = 0; k < nCards; ++k) {
                const CCard* pCard = aCard[k];
                if (pCard->m_nSuit != f / 2 || pCard->m_nRank != nCards - 1 - k)
                    return ::testing::AssertionFailure()
                           << pile.m_strName << " holds " << DescribePile(*pile.m_ppHead)
                           << ": not suit " << f / 2 << " from the Ace up without a gap";
            }
        }
    }
    if (seen.size() != static_cast<std::size_t>(CBoard::NUM_CARDS))
        return ::testing::AssertionFailure() << seen.size() << " cards on the board, not " << CBoard::NUM_CARDS;
    for (int nFace = 0; nFace < NUM_FACES; ++nFace) {
        if (anCount[nFace] != 2)
            return ::testing::AssertionFailure()
                   << CardName(static_cast<std::uint8_t>(nFace / 13), static_cast<std::uint8_t>(nFace % 13))
                   << " occurs " << anCount[nFace] << " times, not twice";
    }
    const std::vector<std::uint8_t> abSnapshot = SnapshotOf(board);
    const auto nSeparators = std::count(abSnapshot.begin(), abSnapshot.end(), CBoard::UNDO_SEPARATOR);
    if (abSnapshot.size() != static_cast<std::size_t>(CBoard::UNDO_SIZE) || nSeparators != CBoard::NUM_PILES)
        return ::testing::AssertionFailure() << "snapshot of " << abSnapshot.size() << " bytes with "
                                             << nSeparators << " separators";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ParseDealFixture(std::string_view strText, CDealFixture& fixture)
{
    CDealFixture result;
    std::unordered_set<std::string> seenHeaders;
    bool bSnapshot = false;
    int nLine = 0;
    while (!strText.empty()) {
        ++nLine;
        const std::size_t nEnd = strText.find('\n');
        const std::string_view strLine = Trim(strText.substr(0, nEnd));
        strText = nEnd == std::string_view::npos ? std::string_view{} : strText.substr(nEnd + 1);
        if (strLine.empty())
            continue;

        const auto failure = [nLine]() { return ::testing::AssertionFailure() << "line " << nLine << ": "; };
        const std::size_t nColon = strLine.find(':');
        if (nColon == std::string_view::npos)
            return failure() << "no \"name:\" at its start";
        const std::string strHeader(Trim(strLine.substr(0, nColon)));
        const std::string_view strBody = Trim(strLine.substr(nColon + 1));
        if (!seenHeaders.insert(strHeader).second)
            return failure() << "\"" << strHeader << "\" given twice";

        std::string* pstrPile = nullptr;
        if (strHeader == "snapshot") {
            const std::optional<std::vector<std::uint8_t>> abBytes = ParseHex(strBody);
            if (!abBytes)
                return failure() << "snapshot is not an even run of hex digits";
            if (abBytes->size() != static_cast<std::size_t>(CBoard::UNDO_SIZE))
                return failure() << "snapshot of " << abBytes->size() << " bytes, not " << CBoard::UNDO_SIZE;
            result.m_abSnapshot = *abBytes;
            bSnapshot = true;
            continue;
        }
        if (strHeader == "stock (top first)")
            pstrPile = &result.m_layout.m_strStock;
        else if (strHeader == "waste (top first)")
            pstrPile = &result.m_layout.m_strWaste;
        else if (auto nColumn = NumberedHeader(strHeader, "column ", " (deepest first)", CBoard::NUM_COLUMNS))
            pstrPile = &result.m_layout.m_astrColumn[*nColumn];
        else if (auto nFoundation =
                     NumberedHeader(strHeader, "foundation ", " (top first)", CBoard::NUM_FOUNDATIONS))
            pstrPile = &result.m_layout.m_astrFoundation[*nFoundation];
        else
            return failure() << "unknown pile \"" << strHeader << "\"";

        std::vector<CFace> aFace;
        if (auto parsed = ParsePile(strHeader, strBody, aFace); !parsed)
            return failure() << parsed.message();
        *pstrPile = Join(aFace);
    }
    if (!bSnapshot)
        return ::testing::AssertionFailure() << "no \"snapshot:\" line";
    fixture = std::move(result);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult LoadDealFixture(const std::string& strPath, CDealFixture& fixture)
{
    std::ifstream file(strPath, std::ios::binary);
    if (!file)
        return ::testing::AssertionFailure() << "cannot open " << strPath;
    std::ostringstream text;
    text << file.rdbuf();
    if (auto result = ParseDealFixture(text.str(), fixture); !result)
        return ::testing::AssertionFailure() << strPath << ": " << result.message();
    return ::testing::AssertionSuccess();
}

}  // namespace testboard
