#pragma once
// The About dialog: the icon, the version, the maker's notice, and the rules
// behind a button.

#include "platform/fw/CDialog.h"
#include "platform/fw/CEdit.h"

#include <string>

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;
    const MessageTable* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

    CEdit m_editRules;
    std::string m_strRules;

private:
    void OnRulesButton();
};
