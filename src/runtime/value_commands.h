// The commands that move values between objects and steer a run (set property, if-then-else,
// loop, custom actions) and those that hand a value to the user or the shell (message,
// shell execute). Each runs on the window Form, whose page names the objects.
#pragma once

#include "core/project_model.h"

class TRunForm;

void DoSetPropertyValueCommand(TRunForm *Form, const TZvAction &Action); // ctSetPropertyValue
void DoIfThenElseCommand(TRunForm *Form, const TZvAction &Action);       // ctIfThenElse
// ctLoop. While it runs, the user interface is served every few dozen milliseconds, so a
// list that never lowers its counter still lets the window repaint and close; the loop
// ends when its window or its counter object goes away, or the run is to stop.
void DoLoopCommand(TRunForm *Form, const TZvAction &Action);
void DoCustomActionsCommand(TRunForm *Form, const TZvAction &Action);    // ctDoCustomActions
void DoMessageCommand(TRunForm *Form, const TZvAction &Action);          // ctMessage
void DoShellExecuteCommand(TRunForm *Form, const TZvAction &Action);     // ctShellExecute
