#pragma once
// Watches the deals and the Undo snapshot for the browser host's record.
//
// The host keeps a record of the game from which the page can bring it back
// (CWebBackend). Here the record is kept short: it starts again at a deal
// once nothing from before the deal can matter. A deal leaves Undo's snapshot
// as it was, so while Undo is available after a deal it would still bring
// back the game before it; the earlier record stops mattering when the deal
// finds Undo unavailable, or at the first move after it, which writes a
// snapshot of the new game. An Undo before that move brings the old game
// back, and the record goes on from its older start.

#include "model/CBoard.h"
#include "platform/backend/web/CWebBackend.h"

#include <cstdint>
#include <vector>

class CDealWatch {
public:
    explicit CDealWatch(CWebBackend& backend) : m_backend(backend) {}

    // A deal reads its second: `live`, or the recorded one in a play-back.
    std::int64_t OnDeal(std::int64_t live);
    // Between two answers of the host: has a move or an Undo happened?
    void Look();

private:
    CWebBackend& m_backend;
    bool m_bWatching = false;
    // The piles as the deal left them, once it has finished; a move changes them.
    std::vector<std::uint8_t> m_aDealt;
};
