#pragma once
// The modal question box: a caption, the text, and Yes/No, OK or OK/Cancel
// buttons. Laid out in code, as the window system's own dialog.

#include "platform/fw/CDialog.h"

#include <string>
#include <vector>

class CMessageBox : public CDialog {
public:
    CMessageBox(CWnd* pOwner, std::string text, std::string caption, UINT nType);

    bool OnInitDialog() override;
    void OnCancel() override;
    const MessageTable* GetMessageMap() const override;

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

private:
    void OnYes() { EndDialog(IDYES); }
    void OnNo() { EndDialog(IDNO); }
    void OnOKButton() { EndDialog(IDOK); }

    std::string m_strText;
    std::string m_strCaption;
    UINT m_nType;
    std::vector<DialogItemTemplate> m_aItems;
    DialogTemplate m_template{};
};
