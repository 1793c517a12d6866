#include "app/CAboutDlg.h"

#include "res/CorvaneResources.h"
#include "res/Resource.h"

constexpr MessageEntry CAboutDlg::s_entries[] = {
    OnCommandEntry<IDC_RULES_BUTTON, &CAboutDlg::OnRulesButton>(),
};
constexpr MessageTable CAboutDlg::s_messageTable{&CDialog::s_messageTable, s_entries};

const MessageTable* CAboutDlg::GetMessageMap() const { return &s_messageTable; }

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr), m_strRules(kRulesText) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_RULES_TEXT, m_editRules);
    DDX_Text(pDX, IDC_RULES_TEXT, m_strRules);
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow(nullptr);
    return true;
}

void CAboutDlg::OnRulesButton()
{
    m_editRules.ShowWindow(m_editRules.IsWindowVisible() ? SW_HIDE : SW_SHOW);
}
