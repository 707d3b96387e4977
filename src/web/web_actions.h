// The web action executor: runs stored action lists on a web page. Only the commands that
// mean something in a browser do anything; the others are skipped without a message.
#pragma once

class TWebForm;
struct TZvAction;
struct TZvActions;

// Runs every action of the list in order on the page; False for a nil list. IsOnShow is set
// while a page's OnShow list runs: show-form and message commands are skipped then.
// An exception raised by an action ends the list and passes to the caller.
bool RunActions(TWebForm *Page, const TZvActions *Actions, bool IsOnShow);
// Runs one action on the page; nil or unknown commands do nothing.
void RunAction(TWebForm *Page, const TZvAction *Action, bool IsOnShow);

// Raises the web's property type error "The value types are not matched.".
void ShowTypeError();
