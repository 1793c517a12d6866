#include "tests/soak/CSoakChecker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

using testboard::CLayout;

namespace {

constexpr int kFaces = 52;

int PileLength(const CCard* pCard)
{
    int n = 0;
    // A ring is reported by the full-board check; never walk it for ever.
    for (; pCard && n <= CBoard::NUM_CARDS; pCard = pCard->m_pNext)
        ++n;
    return n;
}

std::string Indented(const CLayout& layout)
{
    std::string text = testboard::FormatLayout(layout);
    std::string out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        out += "    " + line + "\n";
    return out;
}

std::string SelectionText(const CBoard& b)
{
    return "selection kind " + std::to_string(b.m_nSelKind) + ", pile " + std::to_string(b.m_nSelPile) + ", card " +
           std::to_string(b.m_nSelCard);
}

}  // namespace

void CSoakChecker::Restart()
{
    m_bPrimed = false;
    m_bBoardInput = false;
    m_bUndo = false;
    m_beforeLastMove.reset();
}

std::vector<std::string> CSoakChecker::CheckBoard(const CBoard& b)
{
    std::vector<std::string> problems;
    // 104 cards, each pair twice, each card in one pile, foundations from
    // the Ace up without a gap, and a snapshot of the board that fits.
    if (auto full = testboard::HoldsFullBoard(b); !full)
        problems.push_back(std::string("the board is not whole: ") + full.message());

    switch (b.m_nSelKind) {
    case CBoard::SEL_NONE:
        break;
    case CBoard::SEL_WASTE:
        if (!b.m_pWaste)
            problems.push_back("the waste is selected but empty");
        break;
    case CBoard::SEL_FOUNDATION:
        if (b.m_nSelPile < 0 || b.m_nSelPile >= CBoard::NUM_FOUNDATIONS)
            problems.push_back("a foundation that does not exist is selected: " + SelectionText(b));
        else if (!b.m_apFoundation[b.m_nSelPile])
            problems.push_back("an empty foundation is selected: " + SelectionText(b));
        break;
    case CBoard::SEL_COLUMN:
        if (b.m_nSelPile < 0 || b.m_nSelPile >= CBoard::NUM_COLUMNS)
            problems.push_back("a column that does not exist is selected: " + SelectionText(b));
        else if (!b.IsRun(b.m_nSelPile, b.m_nSelCard))
            problems.push_back("the selected cards are not a run of their column: " + SelectionText(b));
        break;
    default:
        problems.push_back("an unknown selection: " + SelectionText(b));
        break;
    }

    // The stored snapshot: 124 bytes, 20 separators, every card twice.
    int separators = 0;
    std::array<int, kFaces> count{};
    bool badByte = false;
    for (std::uint8_t v : b.m_abUndo) {
        if (v == CBoard::UNDO_SEPARATOR)
            ++separators;
        else if (v < kFaces)
            ++count[v];
        else
            badByte = true;
    }
    const bool everyTwice = std::all_of(count.begin(), count.end(), [](int n) { return n == 2; });
    if (badByte || separators != CBoard::NUM_PILES || !everyTwice ||
        b.m_abUndo[CBoard::UNDO_SIZE - 1] != CBoard::UNDO_SEPARATOR)
        problems.push_back("the undo snapshot is not a whole board: " + testboard::UndoHex(b));
    return problems;
}

std::optional<std::string> CSoakChecker::CheckFreshDeal(const CBoard& b)
{
    std::string problem;
    if (PileLength(b.m_pStock) != 49)
        problem += " the stock holds " + std::to_string(PileLength(b.m_pStock)) + " cards, not 49;";
    if (b.m_pWaste)
        problem += " the waste is not empty;";
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f)
        if (b.m_apFoundation[f])
            problem += " foundation " + std::to_string(f) + " is not empty;";
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c)
        if (PileLength(b.m_apColumn[c]) != c + 1)
            problem += " column " + std::to_string(c) + " holds " + std::to_string(PileLength(b.m_apColumn[c])) +
                       " cards;";
    if (b.m_nSelKind != CBoard::SEL_NONE)
        problem += " something is selected;";
    if (problem.empty())
        return std::nullopt;
    return "not a fresh deal:" + problem;
}

std::vector<std::string> CSoakChecker::CheckGame(const CBoard& b)
{
    std::vector<std::string> problems = CheckBoard(b);
    CLayout layout = testboard::Describe(b);
    if (!m_bPrimed || !problems.empty()) {
        Remember(b, std::move(layout));
        return problems;
    }

    const bool changed = layout != m_prevLayout;
    const bool undoWritten = std::memcmp(b.m_abUndo, m_abPrevUndo.data(), m_abPrevUndo.size()) != 0;
    const bool canUndo = b.m_bCanUndo != 0;

    if (m_bUndo) {
        if (!m_bPrevCanUndo) {
            problems.push_back("the Undo command ran while Undo was disabled");
        } else {
            if (!m_beforeLastMove)
                problems.push_back("Undo was enabled, yet no move had been made");
            else if (layout != *m_beforeLastMove)
                problems.push_back("Undo did not bring back the board from before the last move; expected\n" +
                                   Indented(*m_beforeLastMove) + "  but the board holds\n" + Indented(layout));
            if (canUndo)
                problems.push_back("Undo left Undo enabled");
            if (b.m_nSelKind != CBoard::SEL_NONE)
                problems.push_back("Undo left a selection: " + SelectionText(b));
            if (undoWritten)
                problems.push_back("Undo wrote the snapshot");
        }
        m_beforeLastMove.reset();
    } else if (changed && m_bBoardInput) {
        // A tap or double tap on the board moved cards: that is a move.
        if (!canUndo)
            problems.push_back("a move left Undo disabled");
        if (!std::equal(m_abPrevBoard.begin(), m_abPrevBoard.end(), b.m_abUndo, b.m_abUndo + CBoard::UNDO_SIZE))
            problems.push_back("the snapshot written for the move is not the board from before it: " +
                               testboard::UndoHex(b) + "\n  the board before the move was\n" + Indented(m_prevLayout));
        if (b.m_nSelKind != CBoard::SEL_NONE)
            problems.push_back("a move left a selection: " + SelectionText(b));
        m_beforeLastMove = m_prevLayout;
    } else if (changed) {
        // Nothing but a new deal changes the board otherwise.
        if (auto deal = CheckFreshDeal(b))
            problems.push_back("the board changed without a move or an undo, and it is " + *deal);
        if (undoWritten || canUndo != m_bPrevCanUndo)
            problems.push_back("a new deal changed the undo state");
    } else {
        if (undoWritten)
            problems.push_back("the snapshot was written, yet no card moved");
        if (canUndo != m_bPrevCanUndo)
            problems.push_back(std::string("Undo became ") + (canUndo ? "enabled" : "disabled") +
                               ", yet no card moved");
    }
    Remember(b, std::move(layout));
    return problems;
}

void CSoakChecker::Remember(const CBoard& b, CLayout layout)
{
    m_bPrimed = true;
    m_bBoardInput = false;
    m_bUndo = false;
    m_prevLayout = std::move(layout);
    m_abPrevBoard = testboard::SnapshotOf(b);
    std::memcpy(m_abPrevUndo.data(), b.m_abUndo, m_abPrevUndo.size());
    m_bPrevCanUndo = b.m_bCanUndo != 0;
}

std::optional<std::string> CSoakChecker::CheckScreen(const CSurface& painted, const CSurface& screen,
                                                     CPoint boardOrigin, const CRegion& visible)
{
    long differing = 0;
    std::optional<CPoint> first;
    for (const CRect& r : visible.Rects()) {
        const CRect area = r.Intersect(screen.Bounds()).Intersect(painted.Bounds().Offset(boardOrigin));
        for (int y = area.top; y < area.bottom; ++y) {
            const Pixel* shown = screen.Row(y) + area.left;
            const Pixel* fresh = painted.Row(y - boardOrigin.y) + (area.left - boardOrigin.x);
            if (std::equal(shown, shown + area.Width(), fresh))
                continue;
            for (int x = area.left; x < area.right; ++x)
                if (screen.At(x, y) != painted.At(x - boardOrigin.x, y - boardOrigin.y)) {
                    if (!first || y < first->y || (y == first->y && x < first->x))
                        first = CPoint{x, y};
                    ++differing;
                }
        }
    }
    if (!first)
        return std::nullopt;
    char colours[64];
    std::snprintf(colours, sizeof colours, "shows %06X where a fresh paint has %06X",
                  static_cast<unsigned>(screen.At(first->x, first->y)),
                  static_cast<unsigned>(painted.At(first->x - boardOrigin.x, first->y - boardOrigin.y)));
    return "the screen shows a stale board: " + std::to_string(differing) + " pixels differ; the first, board (" +
           std::to_string(first->x - boardOrigin.x) + ", " + std::to_string(first->y - boardOrigin.y) + "), " +
           colours;
}
