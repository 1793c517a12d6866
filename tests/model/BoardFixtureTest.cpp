// The helpers other tests lean on must catch what they claim to catch.
#include "model/CBoard.h"
#include "tests/support/BoardFixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using testboard::CDealFixture;
using testboard::CFace;
using testboard::CLayout;
using testboard::Describe;
using testboard::HoldsFullBoard;
using testboard::Lay;

CDealFixture LoadDeal1765372800()
{
    CDealFixture fixture;
    EXPECT_TRUE(testboard::LoadDealFixture(std::string(CORVANE_MODEL_TEST_DATA) + "/deal-1765372800.txt", fixture));
    return fixture;
}

TEST(BoardFixture, ParseCardReadsRankThenSuit)
{
    struct {
        const char* m_pszText;
        std::optional<CFace> m_face;
    } const aCase[] = {
        {"AS", CFace{0, 0}}, {"TD", CFace{3, 9}}, {"KH", CFace{1, 12}}, {"2C", CFace{2, 1}}, {"QD", CFace{3, 11}},
        {"", std::nullopt},  {"A", std::nullopt},  {"1S", std::nullopt},  {"10H", std::nullopt},
        {"as", std::nullopt}, {"AX", std::nullopt}, {"ASX", std::nullopt}, {" AS", std::nullopt},
        {"SA", std::nullopt},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(std::string("\"") + c.m_pszText + "\"");
        EXPECT_EQ(testboard::ParseCard(c.m_pszText), c.m_face);
        if (c.m_face) {
            EXPECT_EQ(testboard::CardName(c.m_face->m_nSuit, c.m_face->m_nRank), c.m_pszText);
        }
    }
}

TEST(BoardFixture, LayThenDescribeGivesTheLayoutBackAndABadNameTouchesNothing)
{
    CBoard board;
    const CLayout layout = {
        .m_strStock = "AS 2H",
        .m_strWaste = "KD",
        .m_astrColumn = {"KS QH JC", "", "", "", "", "", "", "", "", "5D"},
        .m_astrFoundation = {"", "", "", "", "", "", "", "AD"},
    };
    ASSERT_TRUE(Lay(board, layout));
    EXPECT_EQ(Describe(board), layout);
    EXPECT_EQ(testboard::CardName(board.m_apColumn[0]->m_pNext), "QH");  // deepest first

    CLayout bad = layout;
    bad.m_astrColumn[3] = "KS XX";
    const ::testing::AssertionResult result = Lay(board, bad);
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("column 3"), std::string::npos) << result.message();
    EXPECT_NE(std::string(result.message()).find("XX"), std::string::npos) << result.message();
    EXPECT_EQ(Describe(board), layout);
}

TEST(BoardFixture, HoldsFullBoardFindsWhatIsWrongWithALayout)
{
    const CDealFixture fixture = LoadDeal1765372800();
    const CLayout deal = fixture.m_layout;
    ASSERT_EQ(deal.m_astrColumn[0], "KH");
    ASSERT_EQ(deal.m_astrColumn[9].substr(0, 3), "AH ");
    ASSERT_NE(deal.m_strStock.find(" 2S "), std::string::npos);

    const auto with = [&deal](auto change) {
        CLayout layout = deal;
        change(layout);
        return layout;
    };
    struct {
        const char* m_pszWhy;
        CLayout m_layout;
        bool m_bFull;
        const char* m_pszMessage;
    } const aCase[] = {
        {"the dealt game", deal, true, ""},
        {"an Ace on its own suit's second foundation",
         with([](CLayout& l) { l.m_astrColumn[9].erase(0, 3), l.m_astrFoundation[3] = "AH"; }), true, ""},
        {"a card missing", with([](CLayout& l) { l.m_astrColumn[0] = ""; }), false, "103 cards"},
        {"a card three times", with([](CLayout& l) { l.m_astrColumn[0] = "AH"; }), false, "occurs 3 times"},
        {"an Ace on another suit's foundation",
         with([](CLayout& l) { l.m_astrColumn[9].erase(0, 3), l.m_astrFoundation[0] = "AH"; }), false,
         "foundation 0"},
        {"a 2 with no Ace below",
         with([](CLayout& l) {
             l.m_strStock.replace(l.m_strStock.find(" 2S "), 3, "");
             l.m_astrFoundation[1] = "2S";
         }),
         false, "foundation 1"},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(c.m_pszWhy);
        CBoard board;
        ASSERT_TRUE(Lay(board, c.m_layout));
        const ::testing::AssertionResult result = HoldsFullBoard(board);
        EXPECT_EQ(static_cast<bool>(result), c.m_bFull) << result.message();
        EXPECT_NE(std::string(result.message()).find(c.m_pszMessage), std::string::npos) << result.message();
    }
}

TEST(BoardFixture, HoldsFullBoardFindsSharedCardsAndRings)
{
    const CDealFixture fixture = LoadDeal1765372800();
    CBoard board;
    ASSERT_TRUE(Lay(board, fixture.m_layout));

    // Column 0's only card also hangs below column 1's last card.
    CCard* pLast = board.CardAt(1, 1);
    ASSERT_NE(pLast, nullptr);
    pLast->m_pNext = board.m_apColumn[0];
    EXPECT_FALSE(HoldsFullBoard(board));

    // Column 1 closed into a ring.
    pLast->m_pNext = board.m_apColumn[1];
    const ::testing::AssertionResult result = HoldsFullBoard(board);
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("ring"), std::string::npos) << result.message();
    EXPECT_NE(Describe(board).m_astrColumn[1].find("..."), std::string::npos);

    pLast->m_pNext = nullptr;
    EXPECT_TRUE(HoldsFullBoard(board));
}

TEST(BoardFixture, DealFileTextRoundTripsAndBadFilesSayWhy)
{
    const std::string strSnapshot = "snapshot: " + std::string(2 * CBoard::UNDO_SIZE, 'f') + "\n";
    const CLayout layout = {
        .m_strStock = "AS 2H",
        .m_strWaste = "KD",
        .m_astrColumn = {"KS QH JC", "", "", "", "", "", "", "", "", "5D"},
        .m_astrFoundation = {"", "", "", "", "", "", "", "AD"},
    };
    CDealFixture fixture;
    ASSERT_TRUE(testboard::ParseDealFixture(testboard::FormatLayout(layout) + strSnapshot, fixture));
    EXPECT_EQ(fixture.m_layout, layout);
    EXPECT_EQ(fixture.m_abSnapshot, std::vector<std::uint8_t>(CBoard::UNDO_SIZE, 0xFF));

    struct {
        std::string m_strText;
        const char* m_pszMessage;
    } const aCase[] = {
        {"stock (top first): 3S XX\n" + strSnapshot, "line 1: stock (top first): \"XX\""},
        {"heap (top first): 3S\n" + strSnapshot, "unknown pile"},
        {"column 10 (deepest first): 3S\n" + strSnapshot, "unknown pile"},
        {"column x (deepest first): 3S\n" + strSnapshot, "unknown pile"},
        {"column 1 (deepest first): 3S\n\ncolumn 1 (deepest first): 4S\n" + strSnapshot, "line 3"},
        {"column 1 (deepest first) 3S\n" + strSnapshot, "no \"name:\""},
        {"stock (top first): 3S\n", "no \"snapshot:\""},
        {"snapshot: fff\n", "hex"},
        {"snapshot: fg\n", "hex"},
        {"snapshot: ffff\n", "2 bytes"},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(c.m_strText);
        const ::testing::AssertionResult result = testboard::ParseDealFixture(c.m_strText, fixture);
        EXPECT_FALSE(result);
        EXPECT_NE(std::string(result.message()).find(c.m_pszMessage), std::string::npos) << result.message();
    }

    EXPECT_FALSE(testboard::LoadDealFixture(std::string(CORVANE_MODEL_TEST_DATA) + "/no-such-file.txt", fixture));
}

}  // namespace
