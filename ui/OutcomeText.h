#pragma once

#include <RunOutcome.h>

#include <string>

// The text the dialog shows in its "Error" box for how a run ended; empty for a run with no
// error.
std::u16string OutcomeText(RunOutcome outcome);
