#pragma once
// A headless host that runs a piece of code at a chosen point of its script:
// each time the program waits for input with that step next, so the last run
// sees the screen just as the step arrives. Looking at the screen this way
// puts no input of its own into the program.

#include "platform/backend/CHeadlessBackend.h"

#include <functional>
#include <map>
#include <vector>

class CMarkedHost : public CHeadlessBackend {
public:
    // Marks the point after the steps queued so far.
    void MarkHere(std::function<void()> at);
    // Starts counting steps: call when the whole script is queued.
    void Seal() { m_nTotal = Pending(); }

    WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) override;

private:
    std::map<std::size_t, std::vector<std::function<void()>>> m_marks;  // by steps before them
    std::size_t m_nTotal = 0;
};
