#pragma once
// The handheld's command bar along the top of the main window: a menu bar
// whose menus drop down on a tap, tool buttons that send their commands and
// show tooltips, and a close button at the right end.

#include "platform/fw/AppResources.h"
#include "platform/fw/CControlBar.h"
#include "platform/gfx/CSurface.h"

#include <memory>
#include <string>
#include <vector>

inline constexpr UINT TB_SETTOOLTIPS = WM_USER + 81;  // 0x0451
inline constexpr UINT CMDBAR_HELP = 0x0001;
inline constexpr UINT CMDBAR_OK = 0x0002;

class CMenuPopup;
class CToolTipWnd;

class CCommandBar : public CControlBar {
public:
    CCommandBar();
    ~CCommandBar() override;

    static constexpr int kHeight = 26;

    using CWnd::Create;
    bool Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // The drop-down menus of menu nIDResource, inserted before nButton
    // (0xFFFF: at the end of what the bar holds).
    bool InsertMenuBar(UINT nIDResource, UINT nButton = 0xFFFF);
    // The close button; Help and OK buttons are not offered.
    bool AddAdornments(DWORD dwFlags = 0);
    bool LoadToolBar(UINT nIDResource);
    int CalcHeight() const override { return kHeight; }
    const MessageTable* GetMessageMap() const override;

    // What a bar shows, for tests and for the frame.
    enum class ItemKind { Menu, Button, Close };
    struct Item {
        ItemKind kind;
        int index;  // menu or button number
        UINT id;    // command of a button
        CRect rect;
        bool enabled = true;
    };
    const std::vector<Item>& Items() const { return m_aItems; }
    // The tooltip a position shows, if any ("" for none).
    std::string ToolTipFor(const Item& item) const;
    std::string VisibleToolTip() const;
    bool IsMenuOpen() const;
    void OnPopupClosed();

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

private:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT nIDEvent);
    void OnDestroy();
    LRESULT OnSetToolTips(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    void Layout();
    int HitItem(CPoint point) const;
    void OpenMenu(int item);
    void ShowToolTip(int item);
    void HideToolTip();
    void PaintButtonImage(class CDC& dc, const Item& item, bool pressed);
    CWnd* Frame() const;

    const MenuTemplate* m_pMenu = nullptr;
    const ToolbarTemplate* m_pToolbar = nullptr;
    CSurface m_buttonImages;
    bool m_bClose = false;
    const wchar_t* const* m_ppToolTips = nullptr;
    int m_nToolTips = 0;
    std::vector<Item> m_aItems;

    int m_nTracking = -1;   // item held by the stylus
    bool m_bTrackInside = false;
    int m_nHover = -1;      // item whose tooltip is due or shown
    std::unique_ptr<CMenuPopup> m_pPopup;
    int m_nOpenMenu = -1;
    std::unique_ptr<CToolTipWnd> m_pToolTip;
};
