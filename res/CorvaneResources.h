#pragma once
// Corvane's structured resources: title string, menu, toolbar, the About
// dialog's template and the version information.

#include "platform/fw/AppResources.h"

const AppResources* CorvaneAppResources();

// The rules shown in the About dialog, 753 characters.
extern const char* const kRulesText;
