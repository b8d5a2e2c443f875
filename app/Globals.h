#pragma once

#include "CheckerApp.h"

// The application object, defined in Main.cpp.
extern CCheckerApp theApp;
