#pragma once

#include "CheckerApp.h"

#include <CheckJob.h>

// The application object, then the one job that the dialog and the worker share; both are
// defined in Main.cpp, in that order, so they are built in that order and torn down in reverse.
extern CCheckerApp theApp;
extern CheckJob theCheckJob;
