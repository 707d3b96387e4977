// The table of the 72 object kinds: for each kind its class, default size, record versions,
// place codes, how the common properties reach its control, and the factories of its
// control and web twin. Creating controls, dispatching kind records and building web twins
// all go through this one table.
#pragma once

#include "core/object_types.h"

class TControl;
class TStream;
class TWebTwin;

// Which of the record's common properties (hint, cursor, popup menu, enabled, visible,
// align) a kind's control takes when it is created.
enum TCommonProperties {
    cpAllSix,      // all six, in that order
    cpNoAlign,     // all but Align (tab sheets are placed by their page control)
    cpSplitter,    // hint, popup, enabled, visible; align and cursor from a stored record only
    cpVisibleOnly, // reports
    cpNone,        // report bands and items, non-visual kinds
};

struct TObjectKindInfo
{
    TObjectType Kind;
    const char *ClassName;        // "TZvPanel"
    int DefaultWidth;             // -1: sized by its container or the platform control
    int DefaultHeight;
    int VersionWritten;
    int MinVersion;               // accepted versions MinVersion..VersionWritten
    int WritePlaceCode;
    int ReadPlaceCode;
    const char *WebTwinClassName; // nullptr: no web twin, web pages do not show the kind
    TCommonProperties CommonProperties;
    // Factories; nullptr for kinds this build cannot create.
    TControl *(*CreateControl)();
    TWebTwin *(*CreateWebTwin)();
};

// The row of a kind; nullptr for a number outside 0..71.
const TObjectKindInfo *FindObjectKindInfo(int kind);
const TObjectKindInfo &ObjectKindInfo(TObjectType kind);

// True when the version read from a kind record is one the kind accepts.
bool KindAcceptsVersion(const TObjectKindInfo &info, int32_t version);
