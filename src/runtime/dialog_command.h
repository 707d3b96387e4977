// The dialog command: runs one of the standard dialogs (files, pictures, text files, font,
// colour, folder) for a variable object and stores the user's choice in it.
#pragma once

#include "core/project_model.h"

class TRunForm;

// Param1 names the dialog ("[Open Dialog]", "[Save Dialog]", "[Open Picture Dialog]",
// "[Save Picture Dialog]", "[Open Text File Dialog]", "[Save Text File Dialog]",
// "[Font Dialog]", "[Color Dialog]", "[Select Directory]"), Param2 the variable object and
// Param3 the filter of the open and save dialogs. With OptionBool set, the variable's
// BooleanValue takes whether the user confirmed. Anything else does nothing.
void DoDialogCommand(TRunForm *Form, const TZvAction &Action);
