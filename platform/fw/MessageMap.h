#pragma once
// Message tables: each class keeps a static constexpr array of entries that
// bind a window message, or a command id and notification code, to a member
// function. Lookup walks the class's table, then its base's, and so on.
//
// An entry is made by a template that knows the handler's signature, so a
// handler of the wrong shape does not compile, and no casts hide in macros:
//
//     constexpr MessageEntry CBoardView::s_entries[] = {
//         OnPaintEntry<&CBoardView::OnPaint>(),
//         OnCommandEntry<ID_GAME_DEAL, &CBoardView::OnGameDeal>(),
//     };
//     constexpr MessageTable CBoardView::s_messageTable{&CWnd::s_messageTable, s_entries};

#include "platform/gfx/Geometry.h"
#include "platform/win/WinDefs.h"

#include <cstddef>
#include <span>

class CCmdTarget;
class CCmdUI;
class CWnd;

// Notification codes of WM_COMMAND as the framework routes them.
inline constexpr UINT CN_COMMAND = 0;
inline constexpr UINT CN_UPDATE_COMMAND_UI = 0xFFFFFFFFu;
inline constexpr UINT BN_CLICKED = 0;

struct MessageEntry;
using MessageThunk = bool (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, void* extra, LRESULT* result);

struct MessageEntry {
    UINT nMessage;  // WM_COMMAND for commands and enable queries
    UINT nCode;     // CN_COMMAND, CN_UPDATE_COMMAND_UI or a control's notification
    UINT nID;       // command id; 0 for window messages
    MessageThunk pfn;
};

struct MessageTable {
    const MessageTable* pBaseTable;
    std::span<const MessageEntry> entries;

    // The first entry of this table or a base's that matches.
    const MessageEntry* Find(UINT message, UINT code, UINT id) const
    {
        for (const MessageTable* t = this; t; t = t->pBaseTable)
            for (const MessageEntry& e : t->entries)
                if (e.nMessage == message && e.nCode == code && e.nID == id)
                    return &e;
        return nullptr;
    }
};

// Resolves a handle for handlers that take a CWnd*; defined with CWnd.
CWnd* AfxWndFromHandle(HWND hwnd);

namespace msgmap_detail {

template <typename T>
struct MemberTraits;
template <typename C, typename R, typename... A>
struct MemberTraits<R (C::*)(A...)> {
    using Class = C;
};
template <auto Pmf>
using ClassOf = typename MemberTraits<decltype(Pmf)>::Class;

template <auto Pmf>
ClassOf<Pmf>* Self(CCmdTarget* t)
{
    return static_cast<ClassOf<Pmf>*>(t);
}

template <auto Pmf>
bool Void(CCmdTarget* t, WPARAM, LPARAM, void*, LRESULT* r)
{
    (Self<Pmf>(t)->*Pmf)();
    *r = 0;
    return true;
}

template <auto Pmf>
bool Mouse(CCmdTarget* t, WPARAM w, LPARAM l, void*, LRESULT* r)
{
    (Self<Pmf>(t)->*Pmf)(static_cast<UINT>(w), PointFromLParam(l));
    *r = 0;
    return true;
}

template <auto Pmf>
bool Create(CCmdTarget* t, WPARAM, LPARAM l, void*, LRESULT* r)
{
    *r = (Self<Pmf>(t)->*Pmf)(reinterpret_cast<CREATESTRUCT*>(l));
    return true;
}

template <auto Pmf>
bool Focus(CCmdTarget* t, WPARAM w, LPARAM, void*, LRESULT* r)
{
    (Self<Pmf>(t)->*Pmf)(AfxWndFromHandle(reinterpret_cast<HWND>(w)));
    *r = 0;
    return true;
}

template <auto Pmf>
bool UpdateUI(CCmdTarget* t, WPARAM, LPARAM, void* extra, LRESULT* r)
{
    (Self<Pmf>(t)->*Pmf)(static_cast<CCmdUI*>(extra));
    *r = 0;
    return true;
}

template <auto Pmf>
bool Timer(CCmdTarget* t, WPARAM w, LPARAM, void*, LRESULT* r)
{
    (Self<Pmf>(t)->*Pmf)(static_cast<UINT>(w));
    *r = 0;
    return true;
}

template <auto Pmf>
bool Size(CCmdTarget* t, WPARAM w, LPARAM l, void*, LRESULT* r)
{
    const auto u = static_cast<std::uintptr_t>(l);
    (Self<Pmf>(t)->*Pmf)(static_cast<UINT>(w), LOWORD(u), HIWORD(u));
    *r = 0;
    return true;
}

template <auto Pmf>
bool Scroll(CCmdTarget* t, WPARAM w, LPARAM, void*, LRESULT* r)
{
    (Self<Pmf>(t)->*Pmf)(LOWORD(w), HIWORD(w));
    *r = 0;
    return true;
}

template <auto Pmf>
bool Raw(CCmdTarget* t, WPARAM w, LPARAM l, void*, LRESULT* r)
{
    *r = (Self<Pmf>(t)->*Pmf)(w, l);
    return true;
}

}  // namespace msgmap_detail

// Window messages.
template <auto Pmf>
constexpr MessageEntry OnPaintEntry() { return {WM_PAINT, 0, 0, &msgmap_detail::Void<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnDestroyEntry() { return {WM_DESTROY, 0, 0, &msgmap_detail::Void<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnCloseEntry() { return {WM_CLOSE, 0, 0, &msgmap_detail::Void<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnCreateEntry() { return {WM_CREATE, 0, 0, &msgmap_detail::Create<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnSetFocusEntry() { return {WM_SETFOCUS, 0, 0, &msgmap_detail::Focus<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnKillFocusEntry() { return {WM_KILLFOCUS, 0, 0, &msgmap_detail::Focus<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnLButtonDownEntry() { return {WM_LBUTTONDOWN, 0, 0, &msgmap_detail::Mouse<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnLButtonUpEntry() { return {WM_LBUTTONUP, 0, 0, &msgmap_detail::Mouse<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnLButtonDblClkEntry() { return {WM_LBUTTONDBLCLK, 0, 0, &msgmap_detail::Mouse<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnMouseMoveEntry() { return {WM_MOUSEMOVE, 0, 0, &msgmap_detail::Mouse<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnTimerEntry() { return {WM_TIMER, 0, 0, &msgmap_detail::Timer<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnSizeEntry() { return {WM_SIZE, 0, 0, &msgmap_detail::Size<Pmf>}; }
template <auto Pmf>
constexpr MessageEntry OnVScrollEntry() { return {WM_VSCROLL, 0, 0, &msgmap_detail::Scroll<Pmf>}; }
// Any message, handled as LRESULT (WPARAM, LPARAM).
template <UINT Message, auto Pmf>
constexpr MessageEntry OnMessageEntry() { return {Message, 0, 0, &msgmap_detail::Raw<Pmf>}; }

// Commands and their enable queries.
template <UINT Id, auto Pmf>
constexpr MessageEntry OnCommandEntry() { return {WM_COMMAND, CN_COMMAND, Id, &msgmap_detail::Void<Pmf>}; }
template <UINT Id, auto Pmf>
constexpr MessageEntry OnUpdateCommandUIEntry()
{
    return {WM_COMMAND, CN_UPDATE_COMMAND_UI, Id, &msgmap_detail::UpdateUI<Pmf>};
}
// A control's notification (BN_CLICKED from a push button is a command too).
template <UINT Code, UINT Id, auto Pmf>
constexpr MessageEntry OnNotifyEntry() { return {WM_COMMAND, Code, Id, &msgmap_detail::Void<Pmf>}; }
