#include "platform/fw/CDialog.h"

#include "platform/fw/CButton.h"
#include "platform/fw/CEdit.h"
#include "platform/fw/CStatic.h"
#include "platform/fw/CWinApp.h"

constexpr MessageEntry CDialog::s_entries[] = {
    OnMessageEntry<WM_INITDIALOG, &CDialog::HandleInitDialog>(),
    OnCommandEntry<IDOK, &CDialog::OnOK>(),
    OnCommandEntry<IDCANCEL, &CDialog::OnCancel>(),
};
constexpr MessageTable CDialog::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CDialog::GetMessageMap() const { return &s_messageTable; }

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd)
        rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    const HWND control = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ::GetWindowText(control);
    else
        ::SetWindowText(control, value);
}

namespace {

// The controls a dialog makes for itself go with their windows (or when a
// member control takes a window over through DDX_Control).
template <typename T>
class CDialogOwnedControl : public T {
public:
    CDialogOwnedControl() { this->m_bAutoDelete = true; }
};

}  // namespace

bool CDialog::CreateControls(const DialogTemplate& t)
{
    for (const DialogItemTemplate& item : t.items) {
        CWnd* control = nullptr;
        const char* className = nullptr;
        switch (item.kind) {
        case ControlKind::Button:
            control = new CDialogOwnedControl<CButton>;
            className = CButton::ClassName();
            break;
        case ControlKind::Edit:
            control = new CDialogOwnedControl<CEdit>;
            className = CEdit::ClassName();
            break;
        case ControlKind::Static: {
            auto* s = new CDialogOwnedControl<CStatic>;
            s->SetIconId(item.iconId);
            control = s;
            className = CStatic::ClassName();
            break;
        }
        }
        const CRect rect = CRect::FromSize(DluToPixelsX(item.x), DluToPixelsY(item.y), DluToPixelsX(item.cx),
                                           DluToPixelsY(item.cy));
        const UINT id = static_cast<UINT>(item.id) & 0xFFFF;
        // A control that cannot be made deletes itself.
        if (!control->CreateEx(0, className, item.text, item.style | WS_CHILD, rect, this, id))
            return false;
    }
    return true;
}

int CDialog::DoModal()
{
    const DialogTemplate* t = m_pTemplate ? m_pTemplate : FindDialogResource(m_nIDTemplate);
    if (!t)
        return -1;
    CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : AfxGetMainWnd();
    const HWND hOwner = owner ? owner->m_hWnd : nullptr;

    const CRect nc = GetNonClientInsets(t->style, t->exStyle);
    const CRect rect = CRect::FromSize(DluToPixelsX(t->x), DluToPixelsY(t->y),
                                       DluToPixelsX(t->cx) + nc.left + nc.right,
                                       DluToPixelsY(t->cy) + nc.top + nc.bottom);
    const char* cls = AfxRegisterWndClass(0, nullptr, SYS_COLOR_INDEX_FLAG | (COLOR_BTNFACE + 1));
    if (!CreateEx(t->exStyle, cls, t->caption, t->style & ~(WS_VISIBLE | WS_CHILD), rect, owner, 0))
        return -1;
    if (!CreateControls(*t)) {
        DestroyWindow();
        return -1;
    }
    // The owner takes no input while the dialog runs.
    const bool ownerWasEnabled = hOwner && ::IsWindowEnabled(hOwner);
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, false);
    SendMessage(WM_INITDIALOG);
    ShowWindow(SW_SHOW);
    UpdateWindow();

    struct Restore {
        HWND owner;
        bool enable;
        CDialog* dialog;
        ~Restore()
        {
            // The owner comes back before the dialog goes, so the focus
            // returns to it.
            if (enable && IsWindow(owner))
                ::EnableWindow(owner, true);
            if (dialog->m_hWnd)
                dialog->DestroyWindow();
            if (IsWindow(owner))
                ::SetFocus(owner);
        }
    } restore{hOwner, ownerWasEnabled, this};

    const std::string what = "dialog \"" + std::string(t->caption ? t->caption : "") + "\"";
    return RunModalLoop(what);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    if (OnInitDialog()) {
        // The focus goes to the first visible control that takes it.
        const std::vector<HWND> children = GetChildren(m_hWnd);
        // Children are kept in creation order, the template's.
        for (HWND child : children)
            // The dialog itself is not shown yet: the control's own style says.
            if ((GetWindowStyle(child) & (WS_TABSTOP | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE) &&
                ::IsWindowEnabled(child)) {
                ::SetFocus(child);
                break;
            }
    }
    return 0;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange* pDX) { (void)pDX; }

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return true;
}

void CDialog::EndDialog(int nResult) { EndModalLoop(nResult); }

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
