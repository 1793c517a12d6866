#include "tests/platform/support/CHeadlessTest.h"

#include "platform/fw/CCmdUI.h"
#include "platform/fw/CWnd.h"

#include <string>
#include <vector>

namespace {

// A command id that equals a window message's number must not be confused with it.
constexpr UINT ID_SAME_AS_PAINT = WM_PAINT;
constexpr UINT ID_OVERRIDDEN = 100;
constexpr UINT ID_DERIVED_ONLY = 200;
constexpr UINT ID_NOBODY = 300;

class CBaseWnd : public CWnd {
public:
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    std::vector<std::string> m_aCalls;
    CPoint m_lastPoint;

    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

protected:
    void OnPaint()
    {
        ValidateRect(m_hWnd, nullptr);
        m_aCalls.push_back("Base::OnPaint");
    }
    void OnLButtonDown(UINT, CPoint point)
    {
        m_lastPoint = point;
        m_aCalls.push_back("Base::OnLButtonDown");
    }
    void OnOverridden() { m_aCalls.push_back("Base::OnOverridden"); }
    void OnUpdateOverridden(CCmdUI* ui)
    {
        ui->Enable(false);
        m_aCalls.push_back("Base::OnUpdateOverridden");
    }
    void OnSameAsPaint() { m_aCalls.push_back("Base::OnSameAsPaint"); }
};

constexpr MessageEntry CBaseWnd::s_entries[] = {
    OnPaintEntry<&CBaseWnd::OnPaint>(),
    OnLButtonDownEntry<&CBaseWnd::OnLButtonDown>(),
    OnCommandEntry<ID_OVERRIDDEN, &CBaseWnd::OnOverridden>(),
    OnUpdateCommandUIEntry<ID_OVERRIDDEN, &CBaseWnd::OnUpdateOverridden>(),
    OnCommandEntry<ID_SAME_AS_PAINT, &CBaseWnd::OnSameAsPaint>(),
};
constexpr MessageTable CBaseWnd::s_messageTable{&CWnd::s_messageTable, s_entries};

class CDerivedWnd : public CBaseWnd {
public:
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }

    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    void OnPaint()
    {
        ValidateRect(m_hWnd, nullptr);
        m_aCalls.push_back("Derived::OnPaint");
    }
    void OnOverridden() { m_aCalls.push_back("Derived::OnOverridden"); }
    void OnDerivedOnly() { m_aCalls.push_back("Derived::OnDerivedOnly"); }
};

constexpr MessageEntry CDerivedWnd::s_entries[] = {
    OnPaintEntry<&CDerivedWnd::OnPaint>(),
    OnCommandEntry<ID_OVERRIDDEN, &CDerivedWnd::OnOverridden>(),
    OnCommandEntry<ID_DERIVED_ONLY, &CDerivedWnd::OnDerivedOnly>(),
};
constexpr MessageTable CDerivedWnd::s_messageTable{&CBaseWnd::s_messageTable, s_entries};

enum class Send { Message, Command, CommandWithCode, UpdateQuery };

struct LookupCase {
    const char* name;
    bool derived;
    Send how;
    UINT what;  // message number or command id
    const char* expected;  // the handler that runs; "" for none
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class MessageTableLookup : public CHeadlessTest, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(MessageTableLookup, FindsTheNearestEntryOrFallsBackOrNothing)
{
    const LookupCase& c = GetParam();
    CDerivedWnd derived;
    CBaseWnd base;
    CBaseWnd& wnd = c.derived ? derived : base;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_POPUP, {0, 0, 50, 50}, nullptr, 0));
    bool handled = false;
    switch (c.how) {
    case Send::Message:
        wnd.SendMessage(c.what, 0, 0);
        break;
    case Send::Command:
        handled = wnd.OnCmdMsg(c.what, CN_COMMAND, nullptr, nullptr);
        EXPECT_EQ(wnd.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(c.what), 0)), 0);
        break;
    case Send::CommandWithCode:
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(c.what), 5));
        break;
    case Send::UpdateQuery: {
        CCmdUI ui;
        ui.m_nID = c.what;
        handled = wnd.OnCmdMsg(c.what, CN_UPDATE_COMMAND_UI, &ui, nullptr);
        break;
    }
    }
    const std::string want = c.expected;
    if (want.empty()) {
        EXPECT_TRUE(wnd.m_aCalls.empty()) << wnd.m_aCalls.front();
        EXPECT_FALSE(handled);
    } else {
        const std::size_t times = c.how == Send::Command ? 2 : 1;
        EXPECT_EQ(wnd.m_aCalls, std::vector<std::string>(times, want));
        if (c.how == Send::Command || c.how == Send::UpdateQuery) {
            EXPECT_TRUE(handled);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MessageTableLookup,
    ::testing::Values(
        LookupCase{"DerivedEntryOverridesMessage", true, Send::Message, WM_PAINT, "Derived::OnPaint"},
        LookupCase{"BaseAnswersItsOwnMessage", false, Send::Message, WM_PAINT, "Base::OnPaint"},
        LookupCase{"MissingMessageFallsBack", true, Send::Message, WM_LBUTTONDOWN, "Base::OnLButtonDown"},
        LookupCase{"UnhandledMessage", true, Send::Message, WM_SIZE, ""},
        LookupCase{"DerivedEntryOverridesCommand", true, Send::Command, ID_OVERRIDDEN, "Derived::OnOverridden"},
        LookupCase{"BaseCommand", false, Send::Command, ID_OVERRIDDEN, "Base::OnOverridden"},
        LookupCase{"CommandOnlyInDerived", true, Send::Command, ID_DERIVED_ONLY, "Derived::OnDerivedOnly"},
        LookupCase{"DerivedCommandUnknownToBase", false, Send::Command, ID_DERIVED_ONLY, ""},
        LookupCase{"UnknownCommand", true, Send::Command, ID_NOBODY, ""},
        LookupCase{"CommandNumberedLikeAMessage", true, Send::Command, ID_SAME_AS_PAINT, "Base::OnSameAsPaint"},
        LookupCase{"MessageNumberedLikeACommand", true, Send::Message, ID_OVERRIDDEN, ""},
        LookupCase{"OtherNotificationCode", true, Send::CommandWithCode, ID_OVERRIDDEN, ""},
        LookupCase{"UpdateQueryFallsBackPastTheCommand", true, Send::UpdateQuery, ID_OVERRIDDEN,
                   "Base::OnUpdateOverridden"},
        LookupCase{"UpdateQueryIsNotACommand", true, Send::UpdateQuery, ID_DERIVED_ONLY, ""}),
    [](const ::testing::TestParamInfo<LookupCase>& p) { return p.param.name; });

using MessageTableHandlers = CHeadlessTest;

TEST_F(MessageTableHandlers, MouseHandlersGetSignedClientPoints)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_POPUP, {0, 0, 50, 50}, nullptr, 0));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, LParamFromPoint({-3, 70}));
    EXPECT_EQ(wnd.m_lastPoint, (CPoint{-3, 70}));
}

// WM_CREATE answered with -1 through a table entry refuses the window.
class CRefusingWnd : public CWnd {
public:
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;
    int m_nCreates = 0;

private:
    int OnCreate(CREATESTRUCT* cs)
    {
        ++m_nCreates;
        return cs->lpszName && std::string(cs->lpszName) == "refuse" ? -1 : 0;
    }
};
constexpr MessageEntry CRefusingWnd::s_entries[] = {OnCreateEntry<&CRefusingWnd::OnCreate>()};
constexpr MessageTable CRefusingWnd::s_messageTable{&CWnd::s_messageTable, s_entries};

TEST_F(MessageTableHandlers, CreateHandlerCanRefuseTheWindow)
{
    CRefusingWnd refused, accepted;
    EXPECT_FALSE(refused.CreateEx(0, AfxRegisterWndClass(0), "refuse", WS_POPUP, {0, 0, 5, 5}, nullptr, 0));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.m_nCreates, 1);
    EXPECT_TRUE(accepted.CreateEx(0, AfxRegisterWndClass(0), "accept", WS_POPUP, {0, 0, 5, 5}, nullptr, 0));
    EXPECT_TRUE(IsWindow(accepted.m_hWnd));
    EXPECT_EQ(GetChildren(nullptr), std::vector<HWND>{accepted.m_hWnd});
}

}  // namespace
