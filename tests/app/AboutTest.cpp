// The About dialog: what it shows, the rules box behind the Rules button,
// and its OK, which closes the dialog and nothing else.

#include "tests/app/AppScript.h"

#include "platform/fw/CDialog.h"
#include "platform/fw/CEdit.h"
#include "platform/res/ResourceTable.h"
#include "platform/win/Text.h"
#include "res/Resource.h"
#include "tests/support/BoardFixture.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using namespace apptest;
using Kind = CCommandBar::ItemKind;

// The rules as the player reads them, line breaks as CR LF.
const std::string kRules =
    "Corvane:\r\n\r\n"
    "The goal of this solitaire is to get all 104 cards into 8 packs in the top right. Into these packs you can "
    "put card of the same color in incerasing order. Values are: A, 2, 3, ... 9, 10, J, Q, K, Only Ace can be "
    "laid as first card.\r\n\r\n"
    "Cards in playfield can be moved either one by one  or by whole sequence. Each sequence must follow this "
    "rule: Colors must change and values must be in decreasing order. Only King (or sequence starting with King) "
    "can be put into the empty column.\r\n\r\n"
    "How to play: Tap card or whole sequence (tap card which starts the sequence) to select it. Second tap "
    "specifies the destination of the turn. Doubletap puts the card into the suitable top right pack.\r\n\r\n"
    "Sorry, Drag&Drop is not supported (save you display ;-)";

HWND AboutDialog()
{
    const HWND top = TopWindow();
    return top && GetWindowText(top) == "About" ? top : nullptr;
}

HWND RulesBox() { return GetDlgItem(AboutDialog(), IDC_RULES_TEXT); }

void TapRules(CAppSession& s)
{
    s.Host().TapAt([] { return CAppSession::CentreOf(GetDlgItem(AboutDialog(), IDC_RULES_BUTTON)); },
                   "the Rules button");
}

// Taps a point of the rules box, given in its client coordinates.
void TapInRulesBox(CAppSession& s, std::function<CPoint(CEdit&)> where)
{
    s.Host().TapAt(
        [where]() -> std::optional<CPoint> {
            auto* box = dynamic_cast<CEdit*>(CWnd::FromHandle(RulesBox()));
            if (!box || !box->IsWindowVisible())
                return std::nullopt;
            return ClientToScreen(box->m_hWnd, where(*box));
        },
        "a point of the rules box");
}

struct CRulesSeen {
    bool m_bVisible = false;
    std::string m_strText;
    int m_nTopLine = -1;
};

void LookAtRules(CAppSession& s, std::shared_ptr<CRulesSeen> seen)
{
    Inspect(s, [seen] {
        const HWND box = RulesBox();
        ASSERT_NE(box, nullptr);
        seen->m_bVisible = IsWindowVisible(box);
        seen->m_strText = GetWindowText(box);
        if (auto* edit = dynamic_cast<CEdit*>(CWnd::FromHandle(box)))
            seen->m_nTopLine = edit->GetFirstVisibleLine();
    });
}

struct AboutRoute {
    const char* name;
    void (*open)(CAppSession&);
};
void PrintTo(const AboutRoute& c, std::ostream* os) { *os << c.name; }

class AppAbout : public ::testing::TestWithParam<AboutRoute> {};

TEST_P(AppAbout, ShowsTheIconTheVersionAndTheNoticeWithTheRulesHidden)
{
    CAppSession s;
    GetParam().open(s);
    struct {
        bool seen = false;
        HWND dialog = nullptr;
        DWORD exStyle = 0;
        bool mainEnabled = true;
        CRect rect;
        std::vector<std::string> texts;  // the visible texts, in template order
        std::vector<DWORD> styles;
        HWND focus = nullptr;
        HWND rulesButton = nullptr;
        bool iconShown = false;
        std::string picture;
    } about;
    Inspect(s, [&about, &s] {
        about.dialog = AboutDialog();
        ASSERT_NE(about.dialog, nullptr);
        about.seen = true;
        about.exStyle = GetWindowExStyle(about.dialog);
        about.mainEnabled = IsWindowEnabled(s.Frame()->m_hWnd);
        about.rect = GetWindowRect(about.dialog);
        about.focus = GetFocus();
        about.rulesButton = GetDlgItem(about.dialog, IDC_RULES_BUTTON);
        for (HWND control : GetChildren(about.dialog)) {
            about.styles.push_back(GetWindowStyle(control));
            if (IsWindowVisible(control) && (GetWindowStyle(control) & 0x000F) != SS_ICON)
                about.texts.push_back(GetWindowText(control));
        }
        // The icon, drawn as its 32-pixel image at the picture's corner.
        for (HWND control : GetChildren(about.dialog)) {
            if ((GetWindowStyle(control) & 0x000F) != SS_ICON || !IsWindowVisible(control))
                continue;
            const auto icon = LoadIconResource(IDR_MAINFRAME, 32, nullptr);
            ASSERT_TRUE(icon.has_value());
            const CRect r = GetWindowRect(control);
            const CSurface shown = ScreenPart(s, CRect::FromSize(r.left, r.top, icon->Width(), icon->Height()));
            int opaque = 0;
            int same = 0;
            for (int y = 0; y < icon->Height(); ++y)
                for (int x = 0; x < icon->Width(); ++x)
                    if (icon->IsOpaque(x, y)) {
                        ++opaque;
                        same += shown.At(x, y) == icon->color.At(x, y);
                    }
            about.iconShown = opaque > 0 && same == opaque;
            if (!about.iconShown)
                about.picture = s.SaveScreen("about-icon");
        }
    });
    TapCaptionOk(s);
    s.Run();

    ASSERT_TRUE(about.seen);
    EXPECT_TRUE(about.exStyle & WS_EX_CAPTIONOKBTN);
    EXPECT_FALSE(about.mainEnabled);
    EXPECT_TRUE(about.iconShown) << about.picture;
    ASSERT_EQ(about.texts.size(), 6u);
    EXPECT_EQ(about.texts[0], "Corvane Version 1.3");
    for (std::size_t i = 1; i < 5; ++i)
        EXPECT_FALSE(about.texts[i].empty()) << "notice line " << i;
    EXPECT_EQ(about.texts[5], "Rules");
    // The rules box comes first, hidden, read-only, with a scroll bar.
    ASSERT_FALSE(about.styles.empty());
    EXPECT_EQ(about.styles[0] & (WS_VISIBLE | ES_READONLY | ES_MULTILINE | WS_VSCROLL),
              ES_READONLY | ES_MULTILINE | WS_VSCROLL);
    // The Rules button has the focus; the dialog lies on the screen, centred.
    EXPECT_EQ(about.focus, about.rulesButton);
    EXPECT_NE(about.focus, nullptr);
    EXPECT_GE(about.rect.left, 0);
    EXPECT_GE(about.rect.top, 0);
    EXPECT_LE(about.rect.right, SCREEN_WIDTH);
    EXPECT_LE(about.rect.bottom, SCREEN_HEIGHT);
    EXPECT_LE(std::abs(about.rect.Center().x - SCREEN_WIDTH / 2), 1);
    EXPECT_LE(std::abs(about.rect.Center().y - SCREEN_HEIGHT / 2), 1);

    // Its OK ended the dialog only: the game goes on with the board focused.
    EXPECT_EQ(AboutDialog(), nullptr);
    EXPECT_FALSE(IsWindow(about.dialog));
    ASSERT_NE(s.Frame(), nullptr);
    EXPECT_TRUE(s.Frame()->IsWindowEnabled());
    EXPECT_EQ(GetFocus(), s.Board().m_hWnd);
    EXPECT_TRUE(ShowsThePaintedBoard(s));
}

INSTANTIATE_TEST_SUITE_P(App, AppAbout,
                         ::testing::Values(AboutRoute{"Menu", [](CAppSession& s) { s.ChooseMenu(kFileMenu, "About"); }},
                                           AboutRoute{"Button",
                                                      [](CAppSession& s) { TapToolButton(s, kAboutButton); }}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(AppAbout, RulesButtonShowsAndHidesTheRulesAndEveryOpeningStartsAfresh)
{
    ASSERT_EQ(kRules.size(), 753u);
    CAppSession s;
    const testboard::CLayout layout = testboard::Describe(s.Game());
    TapToolButton(s, kAboutButton);
    auto opened = std::make_shared<CRulesSeen>();
    LookAtRules(s, opened);
    TapRules(s);
    auto shown = std::make_shared<CRulesSeen>();
    LookAtRules(s, shown);
    // Taps on the text and on the scroll bar's down arrow: it scrolls and
    // stays as it is.
    TapInRulesBox(s, [](CEdit&) { return CPoint{20, 20}; });
    TapInRulesBox(s, [](CEdit& box) { return box.DownArrowRect().Center(); });
    TapInRulesBox(s, [](CEdit& box) { return box.DownArrowRect().Center(); });
    auto scrolled = std::make_shared<CRulesSeen>();
    LookAtRules(s, scrolled);
    TapRules(s);
    auto hidden = std::make_shared<CRulesSeen>();
    LookAtRules(s, hidden);
    TapRules(s);
    auto again = std::make_shared<CRulesSeen>();
    LookAtRules(s, again);
    TapCaptionOk(s);
    // Opened once more.
    s.ChooseMenu(kFileMenu, "About");
    auto reopened = std::make_shared<CRulesSeen>();
    LookAtRules(s, reopened);
    TapRules(s);
    auto reshown = std::make_shared<CRulesSeen>();
    LookAtRules(s, reshown);
    TapCaptionOk(s);
    s.Run();

    EXPECT_FALSE(opened->m_bVisible);
    EXPECT_EQ(opened->m_strText, kRules);

    EXPECT_TRUE(shown->m_bVisible);
    EXPECT_EQ(shown->m_strText.substr(0, 8), "Corvane:");
    EXPECT_EQ(shown->m_strText, kRules);
    EXPECT_EQ(shown->m_nTopLine, 0);

    EXPECT_TRUE(scrolled->m_bVisible);
    EXPECT_EQ(scrolled->m_strText, kRules);
    EXPECT_EQ(scrolled->m_nTopLine, 2);

    // Hidden and shown again: the text and its place kept.
    EXPECT_FALSE(hidden->m_bVisible);
    EXPECT_TRUE(again->m_bVisible);
    EXPECT_EQ(again->m_strText, kRules);
    EXPECT_EQ(again->m_nTopLine, 2);

    EXPECT_FALSE(reopened->m_bVisible);
    EXPECT_EQ(reopened->m_strText, kRules);
    EXPECT_TRUE(reshown->m_bVisible);
    EXPECT_EQ(reshown->m_nTopLine, 0);

    // Neither OK reached the Exit command: the game is there, untouched.
    ASSERT_NE(s.Frame(), nullptr);
    EXPECT_EQ(testboard::Describe(s.Game()), layout);
    EXPECT_EQ(GetFocus(), s.Board().m_hWnd);
}

// Where a line of text puts ink when drawn from the top-left corner of its
// control, as a static control draws it.
CRect InkOf(const std::string& text)
{
    const Pixel paper = PixelFromRGB(255, 255, 255);
    CSurface surface(TextWidth(TextFace::Normal11, text) + 8, TextLineHeight(TextFace::Normal11) + 8, paper);
    DrawTextAt(surface, nullptr, {0, 0}, text, TextFace::Normal11, PixelFromRGB(0, 0, 0));
    CRect ink{surface.Width(), surface.Height(), 0, 0};
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (surface.At(x, y) != paper)
                ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                       std::max(ink.bottom, y + 1)};
    return ink;
}

// The dialog on the 240 x 320 screen: every text on one line inside its
// control, every control inside the dialog, the shown rules box over the
// version and the notice, the picture and the button clear of it. A text
// may overrun its control's height by blank rows, not by ink.
TEST(AppAbout, EveryTextFitsItsControl)
{
    CAppSession s;
    TapToolButton(s, kAboutButton);
    TapRules(s);
    Inspect(s, [] {
        const HWND dialog = AboutDialog();
        ASSERT_NE(dialog, nullptr);
        const CRect client = CRect::FromSize(ClientToScreen(dialog, {0, 0}).x, ClientToScreen(dialog, {0, 0}).y,
                                             GetClientRect(dialog).Width(), GetClientRect(dialog).Height());
        const CRect box = GetWindowRect(RulesBox());
        for (HWND control : GetChildren(dialog)) {
            const CRect r = GetWindowRect(control);
            const std::string text = GetWindowText(control);
            SCOPED_TRACE(text.substr(0, 20));
            EXPECT_GE(r.left, client.left);
            EXPECT_GE(r.top, client.top);
            EXPECT_LE(r.right, client.right);
            EXPECT_LE(r.bottom, client.bottom);
            if (control == RulesBox())
                continue;
            const bool textLine = GetClassName(control) == "STATIC" && (GetWindowStyle(control) & 0x000F) != SS_ICON;
            if (textLine) {
                EXPECT_EQ(WrapTextLines(text, TextFace::Normal11, r.Width()).size(), 1u)
                    << TextWidth(TextFace::Normal11, text) << " pixels of text in " << r.Width();
                const CRect ink = InkOf(text);
                EXPECT_FALSE(ink.IsEmpty());
                EXPECT_LE(ink.right, r.Width());
                EXPECT_LE(ink.bottom, r.Height());
                EXPECT_EQ(box.Intersect(r), r);
            } else {
                EXPECT_FALSE(box.Intersects(r));
            }
        }
    });
    TapCaptionOk(s);
    s.Run();
}

}  // namespace
