// The property tokens the action editor offers in its pick lists for an object, per kind
// and per use of the list (target or source of a set-property action, comparison operand).
#pragma once

#include "core/project_model.h"

class TStrings;

// Appends to Strings the tokens that objects of ZvObject's kind offer, in their fixed order.
// Neither ForSource nor ForCompare: the list is for the target of a set-property action
// (write-only tokens listed, read-only ones not). ForSource: for the source of a set-property
// action (read-only and derived tokens listed, write-only ones not). ForCompare: for a
// comparison operand (read-only tokens listed; write-only, font, picture and rich-text tokens
// not). FieldsOnly: a data set object lists only its field names. Tokens marked desktop-only
// are listed only when RunProject is a desktop project. Nil ZvObject or Strings: nothing.
// The caller clears Strings first.
//
// A data set object's field names come from its open database connection, which this build
// does not have yet; a data query or data table therefore lists its own tokens only.
void GetObjectPropertyNames(PZvObject ZvObject, TStrings *Strings, bool ForSource, bool ForCompare,
                            bool FieldsOnly);
