// Carrying out the author's action lists. A window runs its lists through TRunForm::DoActions
// and TRunForm::DoAction (declared with the window); the commands that need no window run
// here, also for the project's start and exit lists, which have none.
#pragma once

#include "runtime/run_form.h"

// Carries out a command that needs no page: Form is the window running it, nullptr for the
// project's start and exit lists. Commands that need a window do nothing here. True when
// the command is one of this routine's.
bool RunGlobalAction(const TZvAction *ZvAction, TRunForm *Form);

// Whether a command is carried out by RunGlobalAction.
bool IsGlobalCommand(int Command);
