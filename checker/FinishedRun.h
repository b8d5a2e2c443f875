#pragma once

#include "CheckJob.h"

#include <cstdint>
#include <string>
#include <vector>

// Everything a front end knows of one checked file once its run has ended: what every report of
// the run, on screen or kept, is made of.
struct FinishedRun
{
    std::u16string path; // as given
    CheckOptions options;
    RunOutcome outcome = RunOutcome::Completed;
    std::uint16_t count = 0;
    std::u16string storedAs;
    CheckResults results;
    std::vector<ExaminedRecord> records;
    std::uint32_t failedSaves = 0; // active program files that could not be written
};

// The run a job has just finished; the front end adds the failed saves it counted. Only while
// `done` is set.
FinishedRun FinishedRunOf(const CheckJob& job);
