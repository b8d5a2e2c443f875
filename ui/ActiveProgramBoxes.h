#pragma once

#include <CheckJob.h>

// Tells the operator of each active program file that could not be written, in a box of its
// own shown from the worker's thread; the worker goes on once the box is closed.
class CActiveProgramBoxes : public IActiveProgramReport
{
public:
    void OnSaved(const std::u16string& name, const std::u16string& path) override;
    void OnNotSaved(const std::u16string& name) override;
};
