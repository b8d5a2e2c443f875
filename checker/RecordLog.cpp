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

namespace
{
template <typename Predicate>
std::u16string NameList(const std::vector<ExaminedRecord>& records, Predicate listed)
{
    std::u16string list;
    for (const ExaminedRecord& record : records)
    {
        if (listed(record.verdict))
            list += record.name + u"\r\n";
    }
    return list;
}
}

std::u16string GoodList(const std::vector<ExaminedRecord>& records)
{
    return NameList(records, IsKept);
}

std::u16string BadList(const std::vector<ExaminedRecord>& records)
{
    return NameList(records, [](Verdict verdict) { return verdict == Verdict::Bad || verdict == Verdict::UnknownState; });
}
