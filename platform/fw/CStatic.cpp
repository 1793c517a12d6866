#include "platform/fw/CStatic.h"

#include "platform/fw/AppResources.h"
#include "platform/fw/CDC.h"
#include "platform/fw/ControlPaint.h"
#include "platform/res/ResourceTable.h"

constexpr MessageEntry CStatic::s_entries[] = {
    OnPaintEntry<&CStatic::OnPaint>(),
};
constexpr MessageTable CStatic::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CStatic::GetMessageMap() const { return &s_messageTable; }

const char* CStatic::ClassName() { return AfxEnsureClass("STATIC"); }

void CStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(r, controlpaint::kFace);
    if ((GetStyle() & 0x000F) == SS_ICON) {
        CRect client;
        GetClientRect(&client);
        const int size = std::min(client.Width(), client.Height()) >= 24 ? 32 : 16;
        if (auto icon = LoadIconResource(m_nIconId, size, nullptr))
            dc.DrawIcon({0, 0}, *icon);
        return;
    }
    dc.SelectFace(TextFace::Normal11);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.DrawText(GetWindowText(), r, (GetStyle() & 0x000F) == SS_CENTER ? DT_CENTER | DT_WORDBREAK : DT_WORDBREAK);
}
