// Object tree utilities that need no window: kinds and their names, unique object names,
// dotted-path lookup and listing over a page's root record, the order of a parent's
// children, the project's form list, and outlines built from live objects.
//
// A path names an object from its top-level ancestor down, joined by "." ("Panel1.Button1");
// the page's root record itself has no path.
#pragma once

#include <QString>

#include "core/project_model.h"

class TStrings;

// Kinds that belong to the form as a whole rather than to a place on it: timers, queries,
// tables and reports.
bool IsFormLevelObjectType(int ObjectType);
// Kinds whose control is a window of its own; False also for values outside the kinds.
bool IsWindowedObjectType(int ObjectType);
// The base of a kind's object names ("Panel", "Button", ...); "Unknow" for other values.
QString GetObjectTypeName(int ObjectType);

// True when no child of Parent has exactly Name (case-sensitive).
bool IsObjectNameFree(PZvObject Parent, const QString &Name);
// The kind's base name with the smallest number from 1 that no child of Parent has;
// "UnKnowObject" when Parent is nil.
QString UniqueObjectName(PZvObject Parent, int ObjectType);
// Renames ZvObject to a unique name when another child of Parent has exactly its name.
void EnsureUniqueObjectName(PZvObject Parent, PZvObject ZvObject);

// The first object, in pre-order over the root's children, whose path is exactly Name;
// nil when none.
PZvObject GetZvObjectFromName(PZvObject PageRoot, const QString &Name);
// The record a control shows; nil for nil.
PZvObject FindZvObjectOfControl(TControl *Control);

// The lists of object paths the action editors offer, each a filter on the kinds.
enum TObjectNameList {
    nlDBGridObjectNames,
    nlDBQueryObjectNames,
    nlDataSetObjectNames,
    nlListViewNames,
    nlSlideShowNames,
    nlMediaPlayerNames,
    nlReportNames,
    nlChartNames,
    nlLabelObjectNames,
    nlLoopCounterObjectNames,
    nlLoadObjectsParentNames,
    nlRepContainerObjectNames,
    nlLoadObjectNames,
    nlSaveObjectNames,
    nlSQLParamObjectNames,
    nlSetFocusObjectNames,
    nlSetValueObjectNames,
};

// Appends to Names (without clearing it) the path of every object under PageRoot whose
// kind the list takes, in pre-order; the children of objects it does not take are visited
// too. nlSetFocusObjectNames takes the data-aware grid, navigator, radio group and image
// only when RunProject is a desktop project.
void ListObjectPaths(PZvObject PageRoot, TObjectNameList Which, TStrings &Names);

// Moves the child at Index to NewIndex and then restores the group order; nothing when the
// indexes are equal or either is out of range.
void MoveZvObject(PZvObject ParentObject, int Index, int NewIndex);
// Orders the children in three groups, each keeping its order: those neither windowed nor
// form-level, the windowed ones, the form-level ones. The controls of the form-level
// children are then raised to the top in list order.
void ReSetObjectsOrder(PZvObject ParentObject);

// The index of the first project form named exactly Name; -1 when Name is empty or none is.
int FindFormIndex(const QString &Name);
// Replaces Names with the project's form names in order.
void ListFormNames(TStrings &Names);
// Moves the project's form entry at FromIndex to ToIndex, shifting those between by one;
// nothing when the indexes are equal or either is out of range.
void MoveFormData(int FromIndex, int ToIndex);

// Rebuilds Info from the live subtree of ZvObject: name, kind, then the children likewise.
// Nil arguments do nothing.
void BuildObjectInfo(PZvObject ZvObject, TObjectInfo *Info);

class TRunForm;

// Creates a new object of ObjectType as the last child of Parent, named uniquely, with its
// class defaults, placed at Left, Top (snapped to the design grid when snapping is on), and
// with its first caption or text taken from its name. nullptr for a null parent or a kind
// this build cannot create.
PZvObject AddNewZvObject(PZvObject Parent, TObjectType ObjectType, int Left, int Top, TRunForm *Form);
