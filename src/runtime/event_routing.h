// How the controls of a page reach their objects' action lists: the events a kind raises
// (the kind table's Events) are connected to the handlers of the runtime window that shows
// the page, and menu items run the lists packed in their hints.
#pragma once

#include "runtime/run_form.h"

class TControl;
struct TObjectKindInfo;

// Connects the control's events that its kind raises to Form's handlers. Each handler runs
// guarded: an error in a list ends that list and is shown once, and the event loop goes on.
// Events reaching a window that no longer exists do nothing.
void HookObjectEvents(TControl *Control, const TObjectKindInfo &Info, TRunForm *Form);

// The click handler of a main-menu or popup-menu item read for Form (none without a form).
TMenuItem::TClickHandler MenuItemClickHandlerOf(TRunForm *Form);
