#pragma once
// Looks at the running program from outside: which window has the stylus,
// where the board and its buttons are, what the board shows and what a fresh
// paint of it would show. Shared by the soak host and the input fuzzer.

#include "app/CMainFrame.h"
#include "platform/gfx/CRegion.h"
#include "platform/gfx/CSurface.h"

#include <optional>
#include <string>
#include <utility>

class CSoakProbe {
public:
    enum class Scene {
        Gone,      // no main window
        Board,     // the main window takes the stylus
        Menu,      // a drop-down menu is open
        Question,  // a message box asks
        About,     // the About dialog is open
        Other      // some other window is on top
    };
    struct CSight {
        Scene scene = Scene::Gone;
        HWND hwnd = nullptr;  // the window on top
        std::string strCaption;
    };

    static CMainFrame* Frame();
    // The board view while its window exists.
    static CBoardView* Board();
    // The topmost visible window that takes input (tooltips do not).
    static CSight Look();

    // The board's client area on the screen, and the part of it nothing covers.
    static CRect BoardRect();
    static CRegion VisibleBoard();
    // The board as a fresh redraw paints it, 240 x 320.
    static CSurface PaintedBoard(const CBoardView& board);

    // What a press at this screen point would end, if the stylus is lifted
    // inside the rectangle given with it: the program through the close
    // button, or through Yes to Exit or No to the win prompt.
    enum class Ending { None, ExitYes, WinNo, CloseButton };
    static std::pair<Ending, CRect> EndingUnder(CPoint pt);

    // The screen rectangle of a visible child of parent with this text.
    static std::optional<CRect> ChildRect(HWND parent, const std::string& text);
    // The screen rectangle of a command-bar item.
    static std::optional<CRect> BarItemRect(CCommandBar::ItemKind kind, int index);
};
