#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"
#include "tests/platform/support/CTestResources.h"
#include "tests/platform/support/Locators.h"

#include "platform/fw/CDialog.h"
#include "platform/fw/CEdit.h"

#include <array>

namespace {

constexpr UINT IDD_TEST = 100;
constexpr int IDC_RULES_BUTTON = 1000;
constexpr int IDC_RULES_TEXT = 1001;

constexpr std::array<DialogItemTemplate, 3> kItems{{
    {ControlKind::Edit, IDC_RULES_TEXT, 5, 40, 128, 104,
     WS_CHILD | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_WANTRETURN, "", 0},
    {ControlKind::Static, 0xFFFF, 38, 45, 63, 8, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX,
     "Corvane Version 1.3", 0},
    {ControlKind::Button, IDC_RULES_BUTTON, 83, 7, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
     "Rules", 0},
}};
constexpr std::array<DialogTemplate, 1> kDialogs{{
    {IDD_TEST, WS_POPUP | WS_CAPTION | DS_SETFONT, WS_EX_CAPTIONOKBTN, 0, 0, 140, 151, "About", "System", 8, kItems},
}};
constexpr AppResources kResources{{}, {}, {}, kDialogs, nullptr};

class CTestDlg : public CDialog {
public:
    explicit CTestDlg(CWnd* pParent) : CDialog(IDD_TEST, pParent) {}
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }

    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CenterWindow();
        m_strShownAtStart = m_editRules.GetWindowText();
        m_bVisibleAtStart = m_editRules.IsWindowVisible();
        return true;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_RULES_TEXT, m_editRules);
        DDX_Text(pDX, IDC_RULES_TEXT, m_strRules);
    }

    CEdit m_editRules;
    std::string m_strRules;
    std::string m_strReplacement;  // what the Rules button puts into the box, if anything
    std::string m_strShownAtStart;
    bool m_bVisibleAtStart = true;
    HWND m_hFocusAtRules = nullptr;

    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    void OnRulesButton()
    {
        m_editRules.ShowWindow(m_editRules.IsWindowVisible() ? SW_HIDE : SW_SHOW);
        if (!m_strReplacement.empty())
            m_editRules.SetWindowText(m_strReplacement);
    }
};
constexpr MessageEntry CTestDlg::s_entries[] = {
    OnCommandEntry<IDC_RULES_BUTTON, &CTestDlg::OnRulesButton>(),
};
constexpr MessageTable CTestDlg::s_messageTable{&CDialog::s_messageTable, s_entries};

class Dialog : public CHeadlessTest {
protected:
    void SetUp() override
    {
        CHeadlessTest::SetUp();
        m_res.WithArtwork().SetAppResources(&kResources).Install();
        ASSERT_TRUE(m_owner.CreatePopup(nullptr, {0, 0, 240, 320}));
    }
    CTestResources m_res;
    CRecordingWnd m_owner;
};

TEST_F(Dialog, DataGoesToTheControlsAndTheCaptionOkBringsItBack)
{
    CTestDlg dlg(&m_owner);
    dlg.m_strRules = "Corvane:\r\n\r\nThe goal of this solitaire";
    dlg.m_strReplacement = "changed while open";
    int focusAtFirstTap = 0;
    m_backend.TapAt(
        [&]() {
            focusAtFirstTap = GetDlgCtrlID(GetFocus());
            return ClientCentre(FindWindowByText("Rules"));
        },
        "Rules");
    m_backend.TapAt(CaptionOkButtonOf("About"), "the caption's OK");
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(dlg.m_strShownAtStart, "Corvane:\r\n\r\nThe goal of this solitaire");
    EXPECT_FALSE(dlg.m_bVisibleAtStart) << "the box without WS_VISIBLE opens hidden";
    EXPECT_EQ(dlg.m_strRules, "changed while open") << "OK did not bring the text back";
    EXPECT_EQ(focusAtFirstTap, IDC_RULES_BUTTON) << "the first visible tab stop did not take the focus";
    EXPECT_TRUE(m_owner.Messages({WM_COMMAND}).empty()) << "the dialog's IDOK reached its owner";
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_editRules.m_hWnd, nullptr);
    EXPECT_EQ(GetChildren(nullptr), std::vector<HWND>{m_owner.m_hWnd});
}

TEST_F(Dialog, IsCentredOverItsOwnerAndReopensAfresh)
{
    CTestDlg dlg(&m_owner);
    dlg.m_strRules = "rules";
    CRect where;
    m_backend.TapAt(
        [&]() {
            where = GetWindowRect(FindWindowByText("About"));
            return ClientCentre(FindWindowByText("Rules"));
        },
        "Rules");
    m_backend.TapAt(CaptionOkButtonOf("About"), "OK");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const CRect screen{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    EXPECT_LE(std::abs((where.left + where.right) - (screen.left + screen.right)), 1) << where.left;
    EXPECT_LE(std::abs((where.top + where.bottom) - (screen.top + screen.bottom)), 1) << where.top;

    // The Rules button showed the box; a new run starts hidden with the text again.
    m_backend.TapAt(CaptionOkButtonOf("About"), "OK");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.m_bVisibleAtStart);
    EXPECT_EQ(dlg.m_strShownAtStart, "rules");
}

TEST_F(Dialog, CaptionOkCountsOnlyWhenReleasedOverIt)
{
    CTestDlg dlg(&m_owner);
    std::optional<CPoint> ok;
    m_backend.TapAt(
        [&]() {
            ok = CaptionOkButtonOf("About")();
            return ok;
        },
        "OK");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(ok);

    // Pressed on OK, slid off and released elsewhere: the dialog stays.
    m_backend.Press(*ok);
    m_backend.Release({ok->x - 60, ok->y + 80});
    m_backend.TapAt(CaptionOkButtonOf("About"), "OK");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_backend.Pending(), 0u) << "the dialog ended on a release away from its OK";
}

TEST_F(Dialog, AMissingTemplateRunsNothing)
{
    CDialog dlg(IDD_TEST + 1, &m_owner);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(GetChildren(nullptr), std::vector<HWND>{m_owner.m_hWnd});
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

}  // namespace
