// The table of the 72 object kinds: for each kind its class, default size, record versions,
// place codes, how the common properties reach its control, and the factories of its
// control and web twin. Creating controls, dispatching kind records and building web twins
// all go through this one table.
#pragma once

#include <functional>

#include "core/object_types.h"

class QObject;
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

// Which control events of a kind reach the runtime form's handlers.
using TObjectEvents = uint16_t;
enum : TObjectEvents {
    evNone = 0,
    evClick = 0x001,
    evDblClick = 0x002,
    evMouseEnter = 0x004,
    evMouseLeave = 0x008,
    evMouseDown = 0x010,
    evMouseMove = 0x020,
    evMouseUp = 0x040,
    evChange = 0x080,               // the kind's change event (ChangeEvent below)
    evChangeOutsideEditing = 0x100, // the same, hooked only while the page is not edited
    evClickPair = evClick | evDblClick,
    evHoverPair = evMouseEnter | evMouseLeave,
    evMouseTrio = evMouseDown | evMouseMove | evMouseUp,
    evAllSeven = evClickPair | evHoverPair | evMouseTrio,
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
    TObjectEvents Events;
    // The kind's change event on a control of the kind; nullptr while the kind has none.
    std::function<void(QObject *)> *(*ChangeEvent)(TControl *);
};

// The row of a kind; nullptr for a number outside 0..71.
const TObjectKindInfo *FindObjectKindInfo(int kind);
const TObjectKindInfo &ObjectKindInfo(TObjectType kind);

// True when the version read from a kind record is one the kind accepts.
bool KindAcceptsVersion(const TObjectKindInfo &info, int32_t version);
