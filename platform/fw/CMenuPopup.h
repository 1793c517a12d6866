#pragma once
// A drop-down menu of the command bar. It holds the stylus while open: a tap
// on an enabled item sends its command to the frame, a tap elsewhere closes it.

#include "platform/fw/AppResources.h"
#include "platform/fw/CWnd.h"

#include <vector>

class CCommandBar;

class CMenuPopup : public CWnd {
public:
    struct Entry {
        const MenuItemTemplate* item;
        CRect rect;  // client coordinates
        bool enabled;
    };

    // Opens below the given screen point; item states come from the frame's
    // command-enable handlers.
    bool Open(CCommandBar* pBar, CWnd* pFrame, const PopupMenuTemplate& menu, CPoint screen);
    void Close();
    const std::vector<Entry>& Entries() const { return m_aEntries; }
    const MessageTable* GetMessageMap() const override;

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

private:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    int HitEntry(CPoint point) const;

    CCommandBar* m_pBar = nullptr;
    CWnd* m_pFrame = nullptr;
    std::vector<Entry> m_aEntries;
    int m_nHot = -1;
    bool m_bOpeningPress = true;  // the press that opened us is still down
};
