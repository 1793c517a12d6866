#include "tests/soak/CSoakPlayer.h"

#include "model/CBoard.h"
#include "platform/fw/CMenuPopup.h"
#include "platform/win/NonClient.h"
#include "res/Resource.h"

#include <array>

namespace {

using Kind = CInputEvent::Kind;

// The window system makes a double tap of two presses this close.
constexpr int kDoubleTapTime = 500;
constexpr int kSlot = 24;
constexpr int kTopRow = 28;
constexpr int kColumnsTop = 35;
constexpr int kFan = 10;
constexpr int kCardHeight = 28;

int ColumnLength(const CBoard& b, int c)
{
    int n = 0;
    for (const CCard* p = b.m_apColumn[c]; p && n <= CBoard::NUM_CARDS; p = p->m_pNext)
        ++n;
    return n;
}

}  // namespace

// ---------------------------------------------------------------------------
// Steps.

std::uint32_t CSoakPlayer::Gap()
{
    // Mostly well apart; sometimes quick enough to make a double tap by chance.
    if (!m_bSteady && m_random.Chance(100))
        return static_cast<std::uint32_t>(m_random.Between(30, kDoubleTapTime));
    return static_cast<std::uint32_t>(m_random.Between(kDoubleTapTime + 20, 1500));
}

std::uint32_t CSoakPlayer::Hold() { return static_cast<std::uint32_t>(m_random.Between(15, 180)); }

CPoint CSoakPlayer::Inside(const CRect& r)
{
    if (r.IsEmpty())
        return r.TopLeft();
    return {m_random.Between(r.left, r.right - 1), m_random.Between(r.top, r.bottom - 1)};
}

void CSoakPlayer::Tap(CAction& a, CPoint screen)
{
    a.aSteps.push_back({Kind::Press, screen, Gap()});
    a.aSteps.push_back({Kind::Release, screen, Hold()});
}

void CSoakPlayer::DoubleTap(CAction& a, CPoint screen)
{
    a.aSteps.push_back({Kind::Press, screen, static_cast<std::uint32_t>(m_random.Between(kDoubleTapTime + 20, 1500))});
    a.aSteps.push_back({Kind::Release, screen, Hold()});
    a.aSteps.push_back({Kind::Press, screen, static_cast<std::uint32_t>(m_random.Between(40, 250))});
    a.aSteps.push_back({Kind::Release, screen, Hold()});
}

void CSoakPlayer::Drag(CAction& a, CPoint from, CPoint to)
{
    a.aSteps.push_back({Kind::Press, from, Gap()});
    const int moves = m_random.Between(1, 4);
    for (int i = 1; i <= moves; ++i) {
        const CPoint p{from.x + (to.x - from.x) * i / moves, from.y + (to.y - from.y) * i / moves};
        a.aSteps.push_back({Kind::Move, p, Hold()});
    }
    a.aSteps.push_back({Kind::Release, to, Hold()});
}

// ---------------------------------------------------------------------------
// Board points.

CPoint CSoakPlayer::OnBoardAt(int x, int y) const
{
    return {m_board.left + x, m_board.top + std::min(y, m_board.Height() - 1)};
}

CPoint CSoakPlayer::StockPoint() { return OnBoardAt(m_random.Between(0, kSlot - 1), m_random.Between(0, kTopRow - 1)); }

CPoint CSoakPlayer::WastePoint(bool doubleTapZone)
{
    return OnBoardAt(m_random.Between(doubleTapZone ? kSlot + 1 : kSlot, 2 * kSlot - 1),
                     m_random.Between(0, kTopRow - 1));
}

CPoint CSoakPlayer::FoundationPoint(int f)
{
    // Foundation 0 leaves out the slot's first pixel column.
    const int left = 2 * kSlot + kSlot * f + (f == 0 ? 1 : 0);
    return OnBoardAt(m_random.Between(left, 2 * kSlot + kSlot * f + kSlot - 1), m_random.Between(0, kTopRow - 1));
}

CPoint CSoakPlayer::CardPoint(const CBoard& b, int c, int k)
{
    const int n = ColumnLength(b, c);
    const int top = kColumnsTop + kFan * k;
    // The last card owns everything below it; keep to its picture.
    const int height = k >= n - 1 ? kCardHeight : kFan;
    return OnBoardAt(m_random.Between(kSlot * c, kSlot * c + kSlot - 1), m_random.Between(top, top + height - 1));
}

CPoint CSoakPlayer::AnyBoardPoint(const CBoard& b)
{
    const int pick = m_random.Below(100);
    if (pick < 20)
        return OnBoardAt(m_random.Between(0, CBoardView::kWidth - 1), m_random.Between(0, kTopRow - 1));
    if (pick < 25)
        return OnBoardAt(m_random.Between(0, CBoardView::kWidth - 1), m_random.Between(kTopRow, kColumnsTop - 1));
    const int c = m_random.Below(CBoard::NUM_COLUMNS);
    const int k = m_random.Between(0, ColumnLength(b, c) + 2);
    return OnBoardAt(m_random.Between(kSlot * c, kSlot * c + kSlot - 1),
                     kColumnsTop + kFan * k + m_random.Between(0, kFan - 1));
}

// ---------------------------------------------------------------------------
// Actions.

CSoakPlayer::CAction CSoakPlayer::Next()
{
    const CSoakProbe::CSight sight = CSoakProbe::Look();
    switch (sight.scene) {
    case CSoakProbe::Scene::Board:
        if (CBoardView* view = CSoakProbe::Board()) {
            m_board = CSoakProbe::BoardRect();
            return OnBoard(view->Board());
        }
        return Anywhere("a point anywhere (no board)");
    case CSoakProbe::Scene::Menu: return OnMenu(sight.hwnd);
    case CSoakProbe::Scene::Question: return OnQuestion(sight);
    case CSoakProbe::Scene::About: return OnAbout(sight.hwnd);
    case CSoakProbe::Scene::Gone:
    case CSoakProbe::Scene::Other: break;
    }
    return Anywhere("a point anywhere");
}

CSoakPlayer::CAction CSoakPlayer::Anywhere(const char* why)
{
    CAction a{why, {}};
    Tap(a, {m_random.Between(0, SCREEN_WIDTH - 1), m_random.Between(0, SCREEN_HEIGHT - 1)});
    return a;
}

CSoakPlayer::CAction CSoakPlayer::OnBoard(const CBoard& b)
{
    enum Choice {
        Plan, RandomTap, DoubleExposed, DoubleRandom, Stock, Waste, Foundation, Screen, Menu, DealButton, UndoButton,
        AboutButton, ExitButton, CloseButton, HostClose, DragAny, Hover, Wait, kChoices
    };
    // Weights in parts of ten thousand.
    static constexpr std::array<int, kChoices> kWeights = {
        5000, 1500, 600, 300, 600, 300, 300, 200, 400, 15, 300, 60, 8, 3, 3, 200, 100, 100,
    };
    CAction a;
    const int choice = m_random.Weighted(kWeights);
    switch (choice) {
    case Plan:
        if (PlanMove(b, a))
            return a;
        [[fallthrough]];
    case RandomTap: {
        const CPoint p = AnyBoardPoint(b);
        a.strWhat = "tap the board at (" + std::to_string(p.x - m_board.left) + ", " +
                    std::to_string(p.y - m_board.top) + ")";
        Tap(a, p);
        return a;
    }
    case DoubleExposed: {
        const int c = m_random.Below(CBoard::NUM_COLUMNS + 1);
        if (c == CBoard::NUM_COLUMNS) {
            a.strWhat = "double tap the waste";
            DoubleTap(a, WastePoint(true));
        } else {
            a.strWhat = "double tap the end of column " + std::to_string(c);
            DoubleTap(a, CardPoint(b, c, std::max(0, ColumnLength(b, c) - 1)));
        }
        return a;
    }
    case DoubleRandom: {
        const CPoint p = AnyBoardPoint(b);
        a.strWhat = "double tap the board at (" + std::to_string(p.x - m_board.left) + ", " +
                    std::to_string(p.y - m_board.top) + ")";
        DoubleTap(a, p);
        return a;
    }
    case Stock:
        a.strWhat = "tap the stock";
        Tap(a, StockPoint());
        return a;
    case Waste:
        a.strWhat = "tap the waste";
        Tap(a, WastePoint(false));
        return a;
    case Foundation: {
        const int f = m_random.Below(CBoard::NUM_FOUNDATIONS);
        a.strWhat = "tap foundation " + std::to_string(f);
        Tap(a, FoundationPoint(f));
        return a;
    }
    case Screen: return Anywhere("a point anywhere on the screen");
    case Menu: {
        const int m = m_random.Below(2);
        if (auto r = CSoakProbe::BarItemRect(CCommandBar::ItemKind::Menu, m)) {
            a.strWhat = m == 0 ? "open the File menu" : "open the Game menu";
            Tap(a, Inside(*r));
            return a;
        }
        return Anywhere("a point anywhere (no menu)");
    }
    case DealButton:
    case UndoButton:
    case AboutButton:
    case ExitButton: {
        // Tool buttons in bar order: Exit, Deal, Undo, About.
        static constexpr const char* kNames[] = {"Exit", "Deal", "Undo", "About"};
        const int button = choice == ExitButton ? 0 : choice == DealButton ? 1 : choice == UndoButton ? 2 : 3;
        if (auto r = CSoakProbe::BarItemRect(CCommandBar::ItemKind::Button, button)) {
            a.strWhat = std::string("tap the ") + kNames[button] + " tool button";
            Tap(a, Inside(*r));
            return a;
        }
        return Anywhere("a point anywhere (no tool button)");
    }
    case CloseButton:
        if (auto r = CSoakProbe::BarItemRect(CCommandBar::ItemKind::Close, 0)) {
            a.strWhat = "tap the close button";
            Tap(a, Inside(*r));
            return a;
        }
        return Anywhere("a point anywhere (no close button)");
    case HostClose:
        a.strWhat = "close the host window";
        a.aSteps.push_back({Kind::Close, {}, Gap()});
        return a;
    case DragAny: {
        const CPoint from{m_random.Between(0, SCREEN_WIDTH - 1), m_random.Between(0, SCREEN_HEIGHT - 1)};
        const CPoint to{m_random.Between(0, SCREEN_WIDTH - 1), m_random.Between(0, SCREEN_HEIGHT - 1)};
        a.strWhat = "drag across the screen";
        Drag(a, from, to);
        return a;
    }
    case Hover: {
        const int button = m_random.Below(4);
        if (auto r = CSoakProbe::BarItemRect(CCommandBar::ItemKind::Button, button)) {
            const CPoint p = Inside(*r);
            a.strWhat = "rest over tool button " + std::to_string(button);
            a.aSteps.push_back({Kind::Move, p, Gap()});
            a.aSteps.push_back({Kind::Move, p, static_cast<std::uint32_t>(m_random.Between(300, 5000))});
            return a;
        }
        return Anywhere("a point anywhere (no tool button)");
    }
    case Wait:
    default:
        a.strWhat = "wait";
        a.aSteps.push_back({Kind::Move, OnBoardAt(m_random.Between(0, CBoardView::kWidth - 1),
                                                  m_random.Between(0, m_board.Height() - 1)),
                            static_cast<std::uint32_t>(m_random.Between(1000, 6000))});
        return a;
    }
    return a;
}

CSoakPlayer::CAction CSoakPlayer::OnMenu(HWND popup)
{
    CAction a;
    auto* menu = dynamic_cast<CMenuPopup*>(CWnd::FromHandle(popup));
    if (!menu)
        return Anywhere("a point anywhere (menu gone)");
    const auto& entries = menu->Entries();
    // Item weights by text; then a tap elsewhere and a drag across the menu.
    std::vector<int> weights;
    for (const CMenuPopup::Entry& e : entries) {
        const std::string text = e.item->text ? e.item->text : "";
        // Deal and the separator take the rest.
        weights.push_back(text == "Exit" ? 15 : text == "About" ? 100 : text == "Undo" ? 250 : 30);
    }
    weights.push_back(100);
    weights.push_back(40);
    const int pick = m_random.Weighted(weights);
    const int n = static_cast<int>(entries.size());
    if (pick >= 0 && pick < n) {
        const CMenuPopup::Entry& e = entries[static_cast<std::size_t>(pick)];
        a.strWhat = std::string("choose menu item ") + (e.item->text ? e.item->text : "(separator)");
        Tap(a, ClientToScreen(popup, Inside(e.rect)));
        return a;
    }
    if (pick == n)
        return Anywhere("tap off the open menu");
    const CRect r = GetWindowRect(popup);
    a.strWhat = "drag over the open menu";
    Drag(a, Inside(r), Inside(r));
    return a;
}

CSoakPlayer::CAction CSoakPlayer::OnQuestion(const CSoakProbe::CSight& sight)
{
    CAction a;
    int yes = 300;
    int no = 300;
    int elsewhere = 400;
    if (sight.strCaption == "Exit") {
        yes = 100, no = 700, elsewhere = 200;
    } else if (sight.strCaption == "Deal") {
        yes = 400, no = 500, elsewhere = 100;
    } else if (sight.strCaption == "Winner") {
        yes = 850, no = 100, elsewhere = 50;
    }
    const std::array<int, 4> weights{yes, no, elsewhere, 3};
    switch (m_random.Weighted(weights)) {
    case 0:
    case 1: {
        const bool isYes = m_random.Weighted(std::array<int, 2>{yes, no}) == 0;
        if (auto r = CSoakProbe::ChildRect(sight.hwnd, isYes ? "Yes" : "No")) {
            a.strWhat = "answer " + sight.strCaption + (isYes ? " with Yes" : " with No");
            Tap(a, Inside(*r));
            return a;
        }
        return Anywhere("a point anywhere (no answer button)");
    }
    case 2: return Anywhere("tap beside the question");
    default:
        a.strWhat = "close the host window while " + sight.strCaption + " asks";
        a.aSteps.push_back({Kind::Close, {}, Gap()});
        return a;
    }
}

CSoakPlayer::CAction CSoakPlayer::OnAbout(HWND dialog)
{
    CAction a;
    const HWND rules = GetDlgItem(dialog, IDC_RULES_TEXT);
    const bool rulesShown = rules && IsWindowVisible(rules);
    const std::array<int, 6> weights{300, 250, rulesShown ? 150 : 0, rulesShown ? 60 : 0, 200, 3};
    switch (m_random.Weighted(weights)) {
    case 0:
        if (auto r = CSoakProbe::ChildRect(dialog, "Rules")) {
            a.strWhat = "tap Rules";
            Tap(a, Inside(*r));
            return a;
        }
        return Anywhere("a point anywhere (no Rules button)");
    case 1:
        a.strWhat = "tap the About dialog's OK";
        Tap(a, Inside(nonclient::OkButtonRect(GetWindowRect(dialog))));
        return a;
    case 2:
        a.strWhat = "tap the rules text";
        Tap(a, Inside(GetWindowRect(rules)));
        return a;
    case 3:
        a.strWhat = "drag in the rules text";
        Drag(a, Inside(GetWindowRect(rules)), Inside(GetWindowRect(rules)));
        return a;
    case 4: return Anywhere("tap beside the About dialog");
    default:
        a.strWhat = "close the host window while About is open";
        a.aSteps.push_back({Kind::Close, {}, Gap()});
        return a;
    }
}

// ---------------------------------------------------------------------------
// Moves the rules allow, so that games get somewhere.

void CSoakPlayer::ClearSelection(const CBoard& b, CAction& a)
{
    // Tapping the selected thing again drops it.
    switch (b.m_nSelKind) {
    case CBoard::SEL_WASTE: Tap(a, WastePoint(false)); break;
    case CBoard::SEL_FOUNDATION: Tap(a, FoundationPoint(b.m_nSelPile)); break;
    case CBoard::SEL_COLUMN: Tap(a, CardPoint(b, b.m_nSelPile, b.m_nSelCard)); break;
    default: return;
    }
}

bool CSoakPlayer::PlanMove(const CBoard& b, CAction& a)
{
    enum class Move { WasteHome, CardHome, WasteToColumn, RunToColumn, FoundationToColumn, Stock };
    struct Candidate {
        Move move;
        int from;
        int index;
        int to;
        int weight;
    };
    std::vector<Candidate> candidates;
    const CCard* w = b.m_pWaste;
    if (w && b.PickFoundation(w) != CBoard::NO_FOUNDATION)
        candidates.push_back({Move::WasteHome, 0, 0, 0, 60});
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        const int n = ColumnLength(b, c);
        if (n > 0 && b.PickFoundation(b.CardAt(c, n - 1)) != CBoard::NO_FOUNDATION)
            candidates.push_back({Move::CardHome, c, n - 1, 0, 60});
        if (w && b.ColumnAccepts(c, w))
            candidates.push_back({Move::WasteToColumn, 0, 0, c, 25});
        for (int i = 0; i < n; ++i) {
            if (!b.IsRun(c, i))
                continue;
            const CCard* head = b.CardAt(c, i);
            for (int d = 0; d < CBoard::NUM_COLUMNS; ++d) {
                if (d == c || !b.ColumnAccepts(d, head))
                    continue;
                const bool empty = b.m_apColumn[d] == nullptr;
                // A King run already heading its column gains nothing by moving.
                if (empty && i == 0)
                    continue;
                // Splitting a run only shuffles it about; exposing a card or
                // emptying a column gets somewhere.
                const bool splits = i > 0 && b.IsRun(c, i - 1);
                candidates.push_back({Move::RunToColumn, c, i, d, splits ? 1 : i > 0 ? 20 : 8});
            }
        }
    }
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f)
        for (int d = 0; d < CBoard::NUM_COLUMNS; ++d)
            if (b.m_apFoundation[f] && b.m_apColumn[d] && b.ColumnAccepts(d, b.m_apFoundation[f]))
                candidates.push_back({Move::FoundationToColumn, f, 0, d, 1});
    if (b.m_pStock || b.m_pWaste)
        candidates.push_back({Move::Stock, 0, 0, 0, 12});

    std::vector<int> weights;
    for (const Candidate& c : candidates)
        weights.push_back(c.weight);
    const int pick = m_random.Weighted(weights);
    if (pick < 0)
        return false;
    const Candidate& m = candidates[static_cast<std::size_t>(pick)];
    // Taps of one plan never run together into a double tap.
    m_bSteady = true;
    switch (m.move) {
    case Move::WasteHome:
        a.strWhat = "move the waste's card home by a double tap";
        ClearSelection(b, a);
        DoubleTap(a, WastePoint(true));
        break;
    case Move::CardHome:
        a.strWhat = "move the end of column " + std::to_string(m.from) + " home by a double tap";
        ClearSelection(b, a);
        DoubleTap(a, CardPoint(b, m.from, m.index));
        break;
    case Move::WasteToColumn:
        a.strWhat = "move the waste's card to column " + std::to_string(m.to);
        if (b.m_nSelKind != CBoard::SEL_WASTE) {
            ClearSelection(b, a);
            Tap(a, WastePoint(false));
        }
        Tap(a, CardPoint(b, m.to, std::max(0, ColumnLength(b, m.to) - 1)));
        break;
    case Move::RunToColumn:
        a.strWhat = "move column " + std::to_string(m.from) + " from card " + std::to_string(m.index) +
                    " to column " + std::to_string(m.to);
        if (b.m_nSelKind != CBoard::SEL_COLUMN || b.m_nSelPile != m.from || b.m_nSelCard != m.index) {
            ClearSelection(b, a);
            Tap(a, CardPoint(b, m.from, m.index));
        }
        Tap(a, CardPoint(b, m.to, std::max(0, ColumnLength(b, m.to) - 1)));
        break;
    case Move::FoundationToColumn:
        a.strWhat = "move foundation " + std::to_string(m.from) + "'s card to column " + std::to_string(m.to);
        if (b.m_nSelKind != CBoard::SEL_FOUNDATION || b.m_nSelPile != m.from) {
            ClearSelection(b, a);
            Tap(a, FoundationPoint(m.from));
        }
        Tap(a, CardPoint(b, m.to, std::max(0, ColumnLength(b, m.to) - 1)));
        break;
    case Move::Stock:
        a.strWhat = "turn the stock";
        Tap(a, StockPoint());
        break;
    }
    m_bSteady = false;
    return true;
}
