#include "RecordLog.h"

void CRecordLog::Clear()
{
    std::lock_guard lock(m_lock);
    m_records.clear();
}

void CRecordLog::Append(ExaminedRecord record)
{
    std::lock_guard lock(m_lock);
    m_records.push_back(std::move(record));
}

std::vector<ExaminedRecord> CRecordLog::Snapshot() const
{
    std::lock_guard lock(m_lock);
    return m_records;
}
