#pragma once

#include "ExaminedRecord.h"
#include "RecordLog.h"
#include "RunOutcome.h"
#include "SharedText.h"

#include <File.h>
#include <Thread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// How a front end hears about active program files, from the worker's thread as they happen.
class IActiveProgramReport
{
public:
    virtual ~IActiveProgramReport() = default;
    // The file `path` was written for the good program `name`.
    virtual void OnSaved(const std::u16string& name, const std::u16string& path) = 0;
    // No file could be written for it; the program stays good and in the cleaned file.
    virtual void OnNotSaved(const std::u16string& name) = 0;
};

// How a front end hears that a run has ended, from the worker's thread, once `done` is set.
class IRunEndNotice
{
public:
    virtual ~IRunEndNotice() = default;
    virtual void OnRunEnded() = 0;
};

struct CheckOptions
{
    bool salvage = false;      // take back every intact program, not only those the plain walk reaches
    bool pastEnd = false;      // with salvage: also those behind the end mark
    bool writeCleaned = true;  // false checks only
    // Also the size and CRC-32 of the whole source, which only a report shows: one more pass
    // over every byte.
    bool describeSource = false;
};

// What a run leaves besides its records: written by the worker before it sets `done`.
struct CheckResults
{
    std::u16string cleanedPath; // the cleaned file's full path; empty when none was written
    std::vector<SkippedRange> skipped;
    // The intact programs a salvage walk past the end mark would take and this run did not, in
    // file order.
    std::vector<LeftBehindProgram> leftBehind;

    // What a report kept with the work order says of the source and the run besides.
    std::u16string checkedAt;  // the local date and time the run started, with its offset from UTC
    std::u16string sourcePath; // the source's full path; empty when it could not be resolved
    std::uint64_t sourceSize = 0;           // the bytes the source held when it was read
    std::optional<std::uint32_t> sourceCrc; // CRC-32 of them all; none when the source was not read whole
    std::uint64_t cleanedSize = 0;
    // Every file made from the source takes its permissions; private while they are not known.
    platform::FilePermissions sourcePermissions;
    // Where the first end mark the walk met lies; none when the walk stopped before one.
    std::optional<std::uint64_t> endMark;
    // The system's words for why the source could not be opened or the cleaned file created;
    // empty when it only said "not found" or gave no reason.
    std::u16string systemReason;
};

// The one block through which a front end and the checker worker talk. The front end prepares it
// and starts the worker on it; the worker reports through it, sets `done` and then tells the end
// notice, if one was handed in; nothing of the job is touched after `done`. The texts and
// the records are locked; flags, the count and the outcome are atomics. Options, the report, the
// end notice and the results are handed over by the start of the thread and by `done`.
struct CheckJob
{
    CSharedText path;     // the stored-program file to check, as given
    CSharedText storedAs; // file name of the cleaned file, without its folder
    std::atomic<RunOutcome> outcome{RunOutcome::Completed};
    std::atomic<std::uint16_t> count{0}; // records examined so far
    std::atomic<std::int32_t> abort{0};  // nonzero asks the worker to stop before its next record
    std::atomic<std::int32_t> done{1};   // nonzero while no run is going on
    std::atomic<std::int32_t> saveActive{0}; // nonzero: write each good record as an active program file
    CRecordLog records;   // every examined record, in file order
    CheckOptions options;
    IActiveProgramReport* report = nullptr;
    IRunEndNotice* endNotice = nullptr;
    CheckResults results;

    // As a front end opens: no run is going on and nothing is shown.
    void Reset();
    // Right before a worker is started on the job. Only while `done` is set.
    void PrepareRun(const std::u16string& sourcePath, bool writeActivePrograms,
                    IActiveProgramReport* activeProgramReport, CheckOptions runOptions = {},
                    IRunEndNotice* runEndNotice = nullptr);
    // The worker's last act: results and outcome first, then `done`, then the end notice.
    void Finish(RunOutcome how, CheckResults runResults);
    // True once `done` is set; waits at most `timeout`.
    bool WaitUntilDone(std::chrono::milliseconds timeout);

private:
    std::mutex m_doneLock;
    std::condition_variable m_doneSignal;
    bool m_finished = false; // under m_doneLock: the waiters' view of `done`
};

// The worker's thread procedure; `job` is a CheckJob. The result is the thread's exit code.
unsigned CheckerThreadProc(void* job);

// Starts CheckerThreadProc on a prepared job. When no thread can be started the run ends at once,
// as any run ends: outcome NotStarted, `done` set.
bool StartChecker(CheckJob& job, platform::CThread& thread);
// The same for a job that must outlive whoever started the run: the worker holds a share of `job`
// until its very end, so the job and whatever the share keeps alive with it (the report and the
// end notice, say) are never freed under a worker that is still running.
bool StartChecker(std::shared_ptr<CheckJob> job, platform::CThread& thread);
