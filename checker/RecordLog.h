#pragma once

#include "ExaminedRecord.h"

#include <mutex>
#include <vector>

// The examined records of a run, in file order. The worker appends while a front end reads:
// every access takes the lock, and a reader gets a copy.
class CRecordLog
{
public:
    void Clear();
    void Append(ExaminedRecord record);
    std::vector<ExaminedRecord> Snapshot() const;

private:
    mutable std::mutex m_lock;
    std::vector<ExaminedRecord> m_records;
};
