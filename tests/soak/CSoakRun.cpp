#include "tests/soak/CSoakRun.h"

#include "app/CProgram.h"
#include "app/CSolitaireApp.h"
#include "platform/runtime/Runtime.h"
#include "platform/win/WinApi.h"
#include "tests/soak/CSoakBackend.h"
#include "tests/soak/CSoakRandom.h"
#include "tests/soak/CSoakRecord.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

CSoakRecord* g_pRecord = nullptr;

// The program left through the runtime's exit from inside one of its handlers.
void OnLifeExit()
{
    if (g_pRecord && g_pRecord->m_nEnd == CSoakRecord::END_NONE)
        g_pRecord->m_nEnd = CSoakRecord::END_EXIT_IN_HANDLER;
}

bool Intended(const CSoakRecord& r, std::initializer_list<CSoakRecord::Intent> intents)
{
    for (CSoakRecord::Intent i : intents)
        if (r.m_nIntent == i)
            return true;
    return false;
}

std::string StatusText(int status)
{
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
    if (WIFEXITED(status))
        return "exit status " + std::to_string(WEXITSTATUS(status));
    return "status " + std::to_string(status);
}

}  // namespace

std::uint64_t CSoakRun::LifeSeed(std::uint64_t nSeed, std::uint64_t nLife) { return CSoakRandom::Derive(nSeed, nLife); }

void CSoakRun::RunLife(const CSettings& settings, std::uint64_t nLife, std::uint64_t nBudget, CSoakRecord* pRecord)
{
    const std::uint64_t seed = LifeSeed(settings.nSeed, nLife);
    CSoakBackend host(seed, nBudget, pRecord);
    if (settings.nTraceFrom)
        host.TraceFrom(*settings.nTraceFrom);
    if (!settings.strPictures.empty())
        host.SavePicturesTo(settings.strPictures);

    // Deals follow the host's clock, from a second of the life's own.
    const std::int64_t firstSecond = 1000000000 + static_cast<std::int64_t>(seed % 1000000000);
    crt::SetTimeSource([&host, firstSecond] { return firstSecond + host.Now() / 1000; });

    // Every redraw and every check takes a 240 x 320 surface and gives it
    // back: keep the heap, rather than hand it to the system and fault it
    // back in each time.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);

    g_pRecord = pRecord;
    std::atexit(OnLifeExit);
    int status;
    {
        CProgram program(&host);
        WsSetDispatchHook([&host](const MSG& msg) { host.OnDispatch(msg); });
        status = program.Run();
        pRecord->m_nStatus = status;
        pRecord->m_nEnd = CSoakRecord::END_LOOP_RETURNED;
        if (theApp.m_pMainWnd != nullptr) {
            pRecord->m_nEnd = CSoakRecord::END_VIOLATION;
            pRecord->m_nViolationEvent = pRecord->m_nEvents;
            std::snprintf(pRecord->m_szViolation, sizeof pRecord->m_szViolation,
                          "the message loop ended, yet the main window object was not deleted");
        }
    }
    crt::SetTimeSource({});
    std::exit(status);
}

CSoakRun::CTotals CSoakRun::Run(const CSettings& settings)
{
    CTotals totals;
    auto* record = static_cast<CSoakRecord*>(
        mmap(nullptr, sizeof(CSoakRecord), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    if (record == MAP_FAILED) {
        std::perror("soak: mmap");
        ++totals.nViolations;
        totals.aViolations.push_back("no shared memory for the lives' records");
        return totals;
    }
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t life = settings.nOnlyLife.value_or(0);
    for (;; ++life) {
        if (settings.nOnlyLife ? totals.nLives > 0 : totals.nEvents >= settings.nEvents)
            break;
        std::memset(record, 0, sizeof(CSoakRecord));
        const std::uint64_t budget = settings.nOnlyLife ? settings.nEvents : settings.nEvents - totals.nEvents;
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid < 0) {
            std::perror("soak: fork");
            ++totals.nViolations;
            totals.aViolations.push_back("could not start a life");
            break;
        }
        if (pid == 0)
            RunLife(settings, life, budget, record);
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
        }

        ++totals.nLives;
        totals.nEvents += record->m_nEvents;
        totals.nChecks += record->m_nChecks;
        totals.nGamesWon += record->m_nGamesWon;

        std::string ending;
        std::string problem;
        const bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        switch (record->m_nEnd) {
        case CSoakRecord::END_BUDGET: ending = "event budget used up"; break;
        case CSoakRecord::END_VIOLATION:
            ending = "violation";
            problem = record->m_szViolation;
            break;
        case CSoakRecord::END_LOOP_RETURNED:
            ending = CSoakRecord::IntentName(record->m_nIntent);
            if (!Intended(*record, {CSoakRecord::INTENT_CLOSE_BUTTON, CSoakRecord::INTENT_HOST_CLOSE}))
                problem = "the message loop ended, yet nobody closed the main window";
            else if (record->m_nStatus != 0)
                problem = "the message loop ended with status " + std::to_string(record->m_nStatus);
            break;
        case CSoakRecord::END_EXIT_IN_HANDLER:
            ending = CSoakRecord::IntentName(record->m_nIntent);
            // A close that finds the win prompt open counts as its No.
            if (!Intended(*record, {CSoakRecord::INTENT_EXIT_YES, CSoakRecord::INTENT_WIN_NO,
                                    CSoakRecord::INTENT_HOST_CLOSE}))
                problem = "the program ended by itself";
            break;
        default:
            ending = "crash";
            problem = "the program died";
            break;
        }
        if (problem.empty() && !clean)
            problem = "the process ended with " + StatusText(status) + " (a sanitizer report is above)";
        if (!problem.empty()) {
            ++totals.nViolations;
            if (static_cast<int>(totals.aViolations.size()) < settings.nShownViolations) {
                const std::uint64_t event = record->m_nEnd == CSoakRecord::END_VIOLATION ? record->m_nViolationEvent
                                                                                      : record->m_nEvents;
                char where[256];
                std::snprintf(where, sizeof where, "seed %llu life %llu after event %llu (%s; last action: ",
                              static_cast<unsigned long long>(settings.nSeed), static_cast<unsigned long long>(life),
                              static_cast<unsigned long long>(event), StatusText(status).c_str());
                char replay[160];
                std::snprintf(replay, sizeof replay, "corvane_soak --seed %llu --life %llu --trace-from %llu",
                              static_cast<unsigned long long>(settings.nSeed), static_cast<unsigned long long>(life),
                              static_cast<unsigned long long>(event > 20 ? event - 20 : 1));
                totals.aViolations.push_back(std::string(where) + record->m_szLastAction + ")\n  " + problem +
                                             "\n  replay: " + replay);
            }
        }
        ++totals.ends[ending];
        if (record->m_nEvents == 0 && problem.empty()) {
            ++totals.nViolations;
            totals.aViolations.push_back("a life ended before its first event");
            break;
        }
    }
    totals.dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    munmap(record, sizeof(CSoakRecord));
    return totals;
}
