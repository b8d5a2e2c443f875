#pragma once

#include "SharedText.h"

#include <atomic>
#include <cstdint>

// The one block through which a front end and the checker worker talk. The front end fills it
// and starts CheckerThreadProc on it; the worker reports through it and sets `done` last.
// Texts are CSharedText; flags and the count are atomics.
struct CheckJob
{
    CSharedText path;     // the stored-program file to check, as given
    CSharedText storedAs; // file name of the cleaned file, without its folder
    CSharedText error;    // the text of the failure that ended the run; empty while there is none
    std::atomic<std::uint16_t> count{0}; // records examined so far
    std::atomic<std::int32_t> abort{0};  // nonzero asks the worker to stop before its next record
    std::atomic<std::int32_t> done{0};   // nonzero while no run is going on
    std::atomic<void*> owner{nullptr};   // the window that started the run; the worker does not use it
    std::atomic<std::int32_t> saveActive{0}; // nonzero: write each good record as an active program file
    CSharedText goodList; // each good name followed by "\r\n"
    CSharedText badList;  // each bad name followed by "\r\n"

    // As a front end opens: no run is going on and nothing is shown.
    void Reset();
    // Right before a worker is started on the job. Only while `done` is set.
    void PrepareRun(const std::u16string& sourcePath, void* startedBy, bool writeActivePrograms);
};

// The worker's thread procedure; `job` is a CheckJob. The result is the thread's exit code.
unsigned CheckerThreadProc(void* job);

// Exit codes of CheckerThreadProc, one per way out.
enum CheckerExit : unsigned
{
    kExitNormal = 0,
    kExitMemoryExceeded = 1,
    kExitAllocationFailed = 2,
    kExitOutputNotCreated = 3,
    kExitSourceNotOpened = 4,
    kExitAborted = 5,
    kExitFileError = 6,
};
