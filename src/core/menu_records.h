// The records of a window's menus and status bar: the menu item record (with its sub-items)
// and the status panel record; and the packing of a menu item's action list into its hint.
//
// Menu item: int32 version 0, caption, hint, uint16 short cut, bytes RadioItem, GroupIndex,
// Enabled, Default, Checked, AutoCheck, Visible, the bitmap as a picture record, int32
// count and that many sub-item records.
// Status panel: int32 version 0, alignment byte, text, int32 width.
#pragma once

#include <QString>

#include "platform/vcl/menus.h"

class TStream;
class TStatusPanel;
struct TZvActions;

bool WriteMenuItem(TStream *Stream, const TMenuItem *MenuItem);
// The smallest menu item record: version, empty caption and hint, short cut, seven flag
// bytes, an empty picture (its empty class name) and the sub-item count. Counts of menu
// items are checked against what is left of a stream with it.
constexpr int MinMenuItemBytes = 4 + 4 + 4 + 2 + 7 + 4 + 4;

// Reads a menu item record into MenuItem (hint stored as is, packed actions included; the
// bitmap converted to a bitmap when the record holds another kind of graphic). Each
// sub-item becomes a new item added to MenuItem, with manual access keys and OnClick as its
// click handler. With a null MenuItem the record and all its sub-items are read and
// dropped. A failing sub-item ends the read with False.
bool ReadMenuItem(TStream *Stream, TMenuItem *MenuItem, const TMenuItem::TClickHandler &OnClick);

bool WriteStatusPanel(TStream *Stream, const TStatusPanel *Panel);
// With a null Panel the record is read and dropped.
bool ReadStatusPanel(TStream *Stream, TStatusPanel *Panel);

// A menu item's hint carries its action list: Hint = HintText + U+0001 + P, where P holds
// the action list record of N bytes in N UTF-16 code units: the bytes fill the units'
// little-endian bytes in order, the rest is zero. U+0001 inside HintText is dropped, since
// it would end the text early. Null Actions gives False.
bool PackMenuActions(const QString &HintText, const TZvActions *Actions, QString &Hint);
// The text before the first U+0001; '' when the hint has none.
QString MenuHintText(const QString &Hint);
// Reads the action list packed after the first U+0001 into Actions (its old actions are
// freed). A hint without U+0001 carries no actions: the list is emptied and the result is
// False. Null Actions gives False.
bool UnpackMenuActions(const QString &Hint, TZvActions *Actions);
