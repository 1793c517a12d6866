#pragma once
// Modal dialogs built from templates, with data exchange between members and
// controls.

#include "platform/fw/AppResources.h"
#include "platform/fw/CWnd.h"

#include <string>

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, bool bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    bool m_bSaveAndValidate;  // true: from the controls into the members
    CWnd* m_pDlgWnd;
};

// Binds a member control object to the dialog's control with that id.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Copies a string into the control's text, or the text back into the string.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the dialog, runs it until it ends, and returns its result
    // (-1 when it could not be created).
    virtual int DoModal();
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    bool UpdateData(bool bSaveAndValidate = true);
    void EndDialog(int nResult);
    const MessageTable* GetMessageMap() const override;

    // Dialog units to pixels, and back (rounding up). Across, a dialog 140
    // units wide just fills the 240-pixel screen.
    static int DluToPixelsX(int dlu) { return dlu * 27 / 16; }
    static int DluToPixelsY(int dlu) { return dlu * 13 / 8; }
    static int PixelsToDluX(int px) { return (px * 16 + 26) / 27; }
    static int PixelsToDluY(int px) { return (px * 8 + 12) / 13; }

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

protected:
    // Dialogs made in code, such as message boxes, bring their own template.
    void UseTemplate(const DialogTemplate* pTemplate) { m_pTemplate = pTemplate; }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    bool CreateControls(const DialogTemplate& t);

    const DialogTemplate* m_pTemplate = nullptr;
};
