#pragma once

#include <CheckJob.h>

#include <atomic>
#include <cstdint>

// Tells the operator of each active program file that could not be written, in a box of its
// own shown from the worker's thread; the worker goes on once the box is closed. Counts them for
// the run's report.
class CActiveProgramBoxes : public IActiveProgramReport
{
public:
    void OnSaved(const std::u16string& name, const std::u16string& path) override;
    void OnNotSaved(const std::u16string& name) override;

    // Before each run.
    void ResetCount() { m_notSaved = 0; }
    std::uint32_t NotSavedCount() const { return m_notSaved.load(); }

private:
    std::atomic<std::uint32_t> m_notSaved{0};
};
