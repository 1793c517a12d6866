// Positions the search counts as one must be won or lost together; all
// others must stay apart.
#include "solver/CBoardRelinker.h"
#include "solver/CPositionKey.h"
#include "tests/support/BoardFixture.h"

#include <gtest/gtest.h>

namespace {

using testboard::CLayout;

CPositionKey KeyOf(const CLayout& layout)
{
    CBoard board;
    EXPECT_TRUE(testboard::Lay(board, layout));
    CBoardRelinker relinker(board);
    const CSnapshot abSnapshot = relinker.Snapshot();
    return CPositionKey(abSnapshot, CPositionKey::FoundationsInOrder(abSnapshot));
}

TEST(PositionKey, SameForPositionsWonOrLostTogether)
{
    const CLayout base = {
        .m_strStock = "3D 7C",
        .m_strWaste = "QS 9H",
        .m_astrColumn = {"KS QH", "", "9C", "4D"},
        .m_astrFoundation = {"AS", "", "2H AH", "AH"},
    };
    struct {
        const char* m_pszName;
        CLayout m_layout;
        bool m_bSame;
    } const aCase[] = {
        // Turned order 9H QS 3D 7C: the same with any split of stock and waste.
        {"two more turns", {.m_strStock = "", .m_strWaste = "7C 3D QS 9H"}, true},
        {"turned back", {.m_strStock = "9H QS 3D 7C", .m_strWaste = ""}, true},
        {"another turned order", {.m_strStock = "7C 3D", .m_strWaste = "QS 9H"}, false},
        {"a card fewer", {.m_strStock = "3D", .m_strWaste = "QS 9H"}, false},
        {"columns in another order", {.m_astrColumn = {"4D", "9C", "", "KS QH"}}, true},
        {"a column changed", {.m_astrColumn = {"KS QH", "", "9C", "4H"}}, false},
        {"a card moved between columns", {.m_astrColumn = {"KS", "QH", "9C", "4D"}}, false},
        {"a suit's foundations swapped", {.m_astrFoundation = {"", "AS", "AH", "2H AH"}}, true},
        {"foundations of two suits swapped", {.m_astrFoundation = {"2H AH", "AH", "AS", ""}}, false},
    };
    const CPositionKey baseKey = KeyOf(base);
    for (const auto& c : aCase) {
        SCOPED_TRACE(c.m_pszName);
        CLayout layout = base;
        if (c.m_layout.m_strStock != "" || c.m_layout.m_strWaste != "") {
            layout.m_strStock = c.m_layout.m_strStock;
            layout.m_strWaste = c.m_layout.m_strWaste;
        }
        if (c.m_layout.m_astrColumn != CLayout{}.m_astrColumn)
            layout.m_astrColumn = c.m_layout.m_astrColumn;
        if (c.m_layout.m_astrFoundation != CLayout{}.m_astrFoundation)
            layout.m_astrFoundation = c.m_layout.m_astrFoundation;
        const CPositionKey key = KeyOf(layout);
        EXPECT_EQ(key == baseKey, c.m_bSame);
        if (c.m_bSame) {
            EXPECT_EQ(key.Hash(), baseKey.Hash());
        }
    }
}

// A foundation out of order (not something the game reaches) keeps the two
// of a suit apart: which one holds what may then matter.
TEST(PositionKey, FoundationsOutOfOrderAreNotSwapped)
{
    const CLayout inOrder = {.m_astrFoundation = {"2S AS", ""}};
    const CLayout swapped = {.m_astrFoundation = {"", "2S AS"}};
    EXPECT_EQ(KeyOf(inOrder), KeyOf(swapped));

    const CLayout gap = {.m_astrFoundation = {"3S AS", ""}};
    const CLayout gapSwapped = {.m_astrFoundation = {"", "3S AS"}};
    EXPECT_FALSE(KeyOf(gap) == KeyOf(gapSwapped));
    CBoard board;
    ASSERT_TRUE(testboard::Lay(board, gap));
    CBoardRelinker relinker(board);
    EXPECT_FALSE(CPositionKey::FoundationsInOrder(relinker.Snapshot()));
}

}  // namespace
