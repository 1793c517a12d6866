// Plays the browser test's script on the headless host and writes what the
// screen shows after each step, so that tests/web/web.test.mjs can hold the
// page's canvas against the same program's pictures.
//
//   corvane_web_reference OUTPUT_FOLDER [SECOND]
//
// SECOND pins the clock, and with it the deal. The script is found in that
// deal: turn the stock, select a run of two cards or more and move it onto
// another column, double tap an exposed Ace home, take that back with Undo,
// open and close the About dialog, send the Ace home again, answer the Deal
// question with Yes, and Undo once more, which brings back the game before
// the deal as it was before its last move. The Exit question is shown and
// declined, and the close button ends the program. OUTPUT_FOLDER receives script.json and a PNG for
// every picture.

#include "platform/win/NonClient.h"
#include "tests/support/CAppSession.h"
#include "tools/png/PngWriter.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A deal with a run of four cards to move and an Ace to send home.
constexpr std::int64_t kPinnedSecond = 1765373027;

constexpr int kExitButton = 0;
constexpr int kDealButton = 1;
constexpr int kUndoButton = 2;
constexpr int kAboutButton = 3;

constexpr int kColumnTop = 35;
constexpr int kRowHeight = 10;
constexpr int kSlotWidth = 24;

struct Action {
    std::string kind;  // "tap" or "doubletap"
    CPoint pt;
};

struct Step {
    std::string name;
    std::vector<Action> actions;
};

// The moves the script makes in the pinned deal.
struct Plan {
    int runColumn = -1;
    int runIndex = -1;
    int runLength = 0;
    int targetColumn = -1;
    int aceColumn = -1;
};

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "corvane_web_reference: %s\n", what.c_str());
    std::exit(1);
}

int ColumnLength(const CBoard& game, int column)
{
    int n = 0;
    for (const CCard* c = game.m_apColumn[column]; c; c = c->m_pNext)
        ++n;
    return n;
}

int PileLength(const CCard* pile)
{
    int n = 0;
    for (; pile; pile = pile->m_pNext)
        ++n;
    return n;
}

// A card's band in its column, on the screen.
CPoint CardPoint(int column, int index)
{
    return CAppSession::BoardPoint(column * kSlotWidth + kSlotWidth / 2, kColumnTop + index * kRowHeight + kRowHeight / 2);
}

std::optional<Plan> FindPlan(const CBoard& game)
{
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        const int length = ColumnLength(game, c);
        for (int i = 0; i + 1 < length; ++i) {
            if (!game.IsRun(c, i))
                continue;
            for (int d = 0; d < CBoard::NUM_COLUMNS; ++d) {
                if (d == c || !game.ColumnAccepts(d, game.CardAt(c, i)))
                    continue;
                for (int a = 0; a < CBoard::NUM_COLUMNS; ++a) {
                    if (a == c || a == d || ColumnLength(game, a) == 0)
                        continue;
                    if (game.CardAt(a, ColumnLength(game, a) - 1)->m_nRank == CBoard::RANK_ACE)
                        return Plan{c, i, length - i, d, a};
                }
            }
        }
    }
    return std::nullopt;
}

class CReference {
public:
    CReference(std::filesystem::path folder, std::int64_t second)
        : m_folder(std::move(folder)), m_nSecond(second), m_session(second)
    {
    }

    void Play();
    void WriteScript() const;

private:
    void Capture(const std::string& name);
    // Runs the program until it waits for input, then takes the step's picture.
    void Settle(Step step);
    void Do(const Action& action);
    // The centre of the button with this text in the box that asks now.
    static CPoint ButtonOfQuestion(const std::string& text);
    // The caption's OK button of the dialog open now.
    static CPoint CaptionOk();
    static void Expect(bool holds, const std::string& what)
    {
        if (!holds)
            Fail("the script went wrong: " + what);
    }

    std::filesystem::path m_folder;
    std::int64_t m_nSecond;
    CAppSession m_session;
    std::vector<Step> m_steps;
    CPoint m_exitButton;
    CPoint m_exitYes;
    CPoint m_closeButton;
};

void CReference::Capture(const std::string& name)
{
    std::string error;
    const auto path = m_folder / (name + ".png");
    if (!WritePng(m_session.Host().Framebuffer(), path.string(), &error))
        Fail("cannot write " + path.string() + ": " + error);
}

void CReference::Do(const Action& action)
{
    if (action.kind == "doubletap")
        m_session.Host().DoubleTap(action.pt);
    else
        m_session.Host().Tap(action.pt);
}

void CReference::Settle(Step step)
{
    for (const Action& a : step.actions)
        Do(a);
    m_session.Run();
    if (m_session.Ended())
        Fail("the program ended during step " + step.name);
    Capture(step.name);
    m_steps.push_back(std::move(step));
}

CPoint CReference::ButtonOfQuestion(const std::string& text)
{
    for (HWND top : GetChildren(nullptr)) {
        if (!IsWindowVisible(top))
            continue;
        if (auto pt = CAppSession::CentreOf(CAppSession::FindChildByText(top, text)))
            return *pt;
        break;
    }
    Fail("no question with a " + text + " button is open");
}

CPoint CReference::CaptionOk()
{
    for (HWND top : GetChildren(nullptr)) {
        if (IsWindowVisible(top) && (GetWindowExStyle(top) & WS_EX_CAPTIONOKBTN))
            return nonclient::OkButtonRect(GetWindowRect(top)).Center();
    }
    Fail("no dialog with an OK button in its caption is open");
}

void CReference::Play()
{
    CBoard& game = m_session.Game();
    const auto plan = FindPlan(game);
    if (!plan)
        Fail("this deal has no run of two cards to move beside an exposed Ace: pin another second");

    Settle({"start", {}});

    Settle({"stock", {{"tap", CAppSession::BoardPoint(kSlotWidth / 2, 14)}}});
    Expect(PileLength(game.m_pWaste) == 1, "the stock turned no card");

    const int targetLength = ColumnLength(game, plan->targetColumn);
    Settle({"select", {{"tap", CardPoint(plan->runColumn, plan->runIndex)}}});
    Expect(game.m_nSelKind == CBoard::SEL_COLUMN, "the run is not selected");
    Settle({"move", {{"tap", CardPoint(plan->targetColumn, targetLength - 1)}}});
    Expect(ColumnLength(game, plan->targetColumn) == targetLength + plan->runLength, "the run did not move");

    const int aceIndex = ColumnLength(game, plan->aceColumn) - 1;
    Settle({"home", {{"doubletap", CardPoint(plan->aceColumn, aceIndex)}}});
    Expect(ColumnLength(game, plan->aceColumn) == aceIndex, "the Ace did not go home");

    const CPoint undoButton = m_session.BarItemCentre(CCommandBar::ItemKind::Button, kUndoButton);
    Settle({"undo", {{"tap", undoButton}}});
    Expect(ColumnLength(game, plan->aceColumn) == aceIndex + 1 && !game.m_bCanUndo, "Undo did not bring the Ace back");

    const CPoint aboutButton = m_session.BarItemCentre(CCommandBar::ItemKind::Button, kAboutButton);
    CPoint aboutOk;
    m_session.Host().Tap(aboutButton);
    m_session.Host().TapAt(
        [&]() -> std::optional<CPoint> {
            Capture("about");
            aboutOk = CaptionOk();
            return aboutOk;
        },
        "the OK button of the About dialog");
    m_session.Run();
    m_steps.push_back({"about", {{"tap", aboutButton}}});
    Capture("about-closed");
    m_steps.push_back({"about-closed", {{"tap", aboutOk}}});

    Settle({"home-again", {{"doubletap", CardPoint(plan->aceColumn, aceIndex)}}});
    Expect(ColumnLength(game, plan->aceColumn) == aceIndex && game.m_bCanUndo, "the Ace did not go home again");

    // The question is pictured while it waits for its answer.
    const CPoint dealButton = m_session.BarItemCentre(CCommandBar::ItemKind::Button, kDealButton);
    CPoint dealYes;
    m_session.Host().Tap(dealButton);
    m_session.Host().TapAt(
        [&]() -> std::optional<CPoint> {
            Capture("deal-question");
            dealYes = ButtonOfQuestion("Yes");
            return dealYes;
        },
        "the Yes button of the Deal question");
    m_session.Run();
    m_steps.push_back({"deal-question", {{"tap", dealButton}}});
    Capture("dealt");
    m_steps.push_back({"dealt", {{"tap", dealYes}}});
    Expect(!game.m_pWaste && PileLength(game.m_pStock) == 49, "no new deal");

    // A deal leaves Undo's snapshot: Undo brings back the game before it.
    Settle({"undo-deal", {{"tap", undoButton}}});
    Expect(ColumnLength(game, plan->aceColumn) == aceIndex + 1 && game.m_pWaste, "Undo after the deal did not bring the old game back");

    // The browser answers Yes, which here would end this process.
    m_exitButton = m_session.BarItemCentre(CCommandBar::ItemKind::Button, kExitButton);
    m_session.Host().Tap(m_exitButton);
    m_session.Host().TapAt(
        [&]() -> std::optional<CPoint> {
            Capture("exit-question");
            m_exitYes = ButtonOfQuestion("Yes");
            return ButtonOfQuestion("No");
        },
        "the No button of the Exit question");
    m_session.Run();
    Expect(!m_session.Ended(), "No to the Exit question ended the program");

    m_closeButton = m_session.BarItemCentre(CCommandBar::ItemKind::Close, 0);
    m_session.Host().Tap(m_closeButton);
    const auto status = m_session.Run();
    Expect(m_session.Ended() && status == 0, "the close button did not end the program");
}

std::string PointJson(CPoint pt)
{
    std::ostringstream out;
    out << "{\"x\": " << pt.x << ", \"y\": " << pt.y << "}";
    return out.str();
}

void CReference::WriteScript() const
{
    std::ostringstream out;
    out << "{\n  \"second\": " << m_nSecond << ",\n  \"steps\": [\n";
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        const Step& s = m_steps[i];
        out << "    {\"name\": \"" << s.name << "\", \"actions\": [";
        for (std::size_t j = 0; j < s.actions.size(); ++j) {
            const CPoint pt = s.actions[j].pt;
            out << (j ? ", " : "") << "{\"kind\": \"" << s.actions[j].kind << "\", \"x\": " << pt.x
                << ", \"y\": " << pt.y << "}";
        }
        out << "]}" << (i + 1 < m_steps.size() ? "," : "") << "\n";
    }
    out << "  ],\n";
    out << "  \"exitButton\": " << PointJson(m_exitButton) << ",\n";
    out << "  \"exitYes\": " << PointJson(m_exitYes) << ",\n";
    out << "  \"closeButton\": " << PointJson(m_closeButton) << "\n}\n";

    const auto path = m_folder / "script.json";
    std::ofstream file(path);
    file << out.str();
    if (!file.flush())
        Fail("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
        Fail("usage: corvane_web_reference OUTPUT_FOLDER [SECOND]");
    std::int64_t second = kPinnedSecond;
    if (argc == 3) {
        const std::string_view text = argv[2];
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), second);
        if (ec != std::errc{} || ptr != text.data() + text.size() || second < 0)
            Fail("SECOND must be whole seconds since 1970, not '" + std::string(text) + "'");
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        Fail("cannot make " + folder.string() + ": " + ec.message());
    try {
        CReference reference(folder, second);
        reference.Play();
        reference.WriteScript();
    } catch (const std::exception& e) {
        Fail(e.what());
    }
    return 0;
}
