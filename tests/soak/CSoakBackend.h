#pragma once
// The soak run's host. WaitEvent is called exactly when the program has
// handled everything before and waits for the stylus: there it checks the
// game and the screen, then makes up the next event. Modal loops therefore
// never run dry, and every event is checked after it was handled.

#include "platform/backend/CBackend.h"
#include "platform/win/WinDefs.h"
#include "tests/soak/CSoakMonitor.h"
#include "tests/soak/CSoakPlayer.h"
#include "tests/soak/CSoakRecord.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class CSoakBackend : public CBackend {
public:
    CSoakBackend(std::uint64_t nSeed, std::uint64_t nBudget, CSoakRecord* pRecord);

    // Prints each action, and the checks' verdicts, from this event on.
    void TraceFrom(std::uint64_t nEvent) { m_nTraceFrom = nEvent; }
    // Writes pictures of the screen and of a fresh paint on a violation.
    void SavePicturesTo(std::string strPrefix) { m_strPictures = std::move(strPrefix); }

    // Every message the window system dispatches passes here.
    void OnDispatch(const MSG& msg);

    void Present(const CSurface& screen, const CRegion& dirty) override;
    bool PollEvent(CInputEvent& out) override;
    WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) override;
    std::uint32_t Now() override { return m_nNow; }

    const CSurface& Framebuffer() const { return m_framebuffer; }

private:
    void Check();
    [[noreturn]] void Fail(const std::string& what);
    [[noreturn]] void EndLife(CSoakRecord::End end);
    bool Tracing() const { return m_nTraceFrom && m_pRecord->m_nEvents + 1 >= *m_nTraceFrom; }

    CSoakRecord* m_pRecord;
    std::uint64_t m_nBudget;
    CSoakPlayer m_player;
    CSoakMonitor m_monitor;
    CSurface m_framebuffer;
    std::uint32_t m_nNow = 1000;
    std::deque<CSoakStep> m_steps;
    std::string m_strAction;
    // The press on something that ends the program when released on it.
    CSoakRecord::Intent m_pressedEnding = CSoakRecord::INTENT_NONE;
    CRect m_pressedEndingRect;
    std::optional<std::uint64_t> m_nTraceFrom;
    std::string m_strPictures;
};
