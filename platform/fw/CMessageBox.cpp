#include "platform/fw/CMessageBox.h"

#include "platform/win/Text.h"

#include <algorithm>

namespace {

constexpr int kWidth = 200;        // client pixels
constexpr int kMargin = 8;
constexpr int kButtonWidth = 52;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 10;
constexpr TextFace kFace = TextFace::Normal11;

int DluX(int px) { return CDialog::PixelsToDluX(px); }
int DluY(int px) { return CDialog::PixelsToDluY(px); }

}  // namespace

constexpr MessageEntry CMessageBox::s_entries[] = {
    OnCommandEntry<IDYES, &CMessageBox::OnYes>(),
    OnCommandEntry<IDNO, &CMessageBox::OnNo>(),
    OnCommandEntry<IDOK, &CMessageBox::OnOKButton>(),
};
constexpr MessageTable CMessageBox::s_messageTable{&CDialog::s_messageTable, s_entries};

const MessageTable* CMessageBox::GetMessageMap() const { return &s_messageTable; }

CMessageBox::CMessageBox(CWnd* pOwner, std::string text, std::string caption, UINT nType)
    : CDialog(0, pOwner), m_strText(std::move(text)), m_strCaption(std::move(caption)), m_nType(nType & MB_TYPEMASK)
{
    const int textWidth = kWidth - 2 * kMargin;
    const int lines = std::max<int>(1, static_cast<int>(WrapTextLines(m_strText, kFace, textWidth).size()));
    const int textHeight = lines * TextLineHeight(kFace);
    const int buttonsTop = kMargin + textHeight + kMargin;
    const int height = buttonsTop + kButtonHeight + kMargin;

    m_aItems.push_back({ControlKind::Static, IDC_STATIC, DluX(kMargin), DluY(kMargin), DluX(textWidth),
                        DluY(textHeight), WS_VISIBLE | SS_NOPREFIX, m_strText.c_str(), 0});
    struct Choice {
        int id;
        const char* label;
    };
    std::vector<Choice> choices;
    switch (m_nType) {
    case MB_YESNO: choices = {{IDYES, "Yes"}, {IDNO, "No"}}; break;
    case MB_OKCANCEL: choices = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}}; break;
    default: choices = {{IDOK, "OK"}}; break;
    }
    const int count = static_cast<int>(choices.size());
    const int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    int x = (kWidth - rowWidth) / 2;
    for (int i = 0; i < count; ++i, x += kButtonWidth + kButtonGap) {
        // The first button is the default one.
        const DWORD style = WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        m_aItems.push_back({ControlKind::Button, choices[static_cast<std::size_t>(i)].id, DluX(x), DluY(buttonsTop),
                            DluX(kButtonWidth), DluY(kButtonHeight), style, choices[static_cast<std::size_t>(i)].label, 0});
    }
    m_template = DialogTemplate{0, WS_POPUP | WS_CAPTION, 0, 0, 0, DluX(kWidth), DluY(height),
                                m_strCaption.c_str(), "System", 8, m_aItems};
    UseTemplate(&m_template);
}

bool CMessageBox::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    return true;
}

void CMessageBox::OnCancel()
{
    // A Yes/No question has no Cancel: only its buttons answer it.
    if (m_nType == MB_OKCANCEL || m_nType == MB_OK)
        EndDialog(m_nType == MB_OK ? IDOK : IDCANCEL);
}
