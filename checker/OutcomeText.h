#pragma once

#include <RunOutcome.h>

#include <string>

// The program's own words for how a run ended, as the dialog's "Error" box shows them; empty for
// a run with no error. A front end may say more where it can.
std::u16string OutcomeText(RunOutcome outcome);
