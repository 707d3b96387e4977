// The action record and the action list record: how the commands attached to objects,
// menu items and the project are stored.
//
// Action: int32 version 0, command byte, four string records, option byte, option int32,
// then the two nested action lists. Action list: int32 count, then that many actions.
#pragma once

class TStream;
struct TZvAction;
struct TZvActions;

bool WriteAction(TStream *Stream, const TZvAction *Action);
// Reads into Action after resetting it to an empty action. The command byte is kept as
// stored even when it names no command (such actions do nothing when run), so that the
// record writes back unchanged.
bool ReadAction(TStream *Stream, TZvAction *Action);

// Stops with False at the first action that fails.
bool WriteActionList(TStream *Stream, const TZvActions *Actions);
// Frees the list's actions, then fills it with as many empty actions as the stored count
// and reads them in order. On a failing action it stops with False: the actions not yet
// read stay in the list, empty.
bool ReadActionList(TStream *Stream, TZvActions *Actions);
