#include "web/web_cursor.h"

#include "platform/vcl/cursors.h"

TIWCursor WebCursorOf(TCursor Cursor)
{
    switch (Cursor) {
    case crSizeAll:
        return TIWCursor::crMove;
    case crHandPoint:
        return TIWCursor::crPointer;
    case crHelpPoint: // -20, the help cursor
        return TIWCursor::crHelp;
    case crHourGlass:
        return TIWCursor::crWait;
    case crIBeam:
        return TIWCursor::crText;
    case crCross:
        return TIWCursor::crCrossHair;
    case crArrow:
        return TIWCursor::crDefault;
    default:
        return TIWCursor::crAuto;
    }
}

QString CssCursor(TIWCursor Cursor)
{
    switch (Cursor) {
    case TIWCursor::crCrossHair:
        return QStringLiteral("crosshair");
    case TIWCursor::crDefault:
        return QStringLiteral("default");
    case TIWCursor::crHelp:
        return QStringLiteral("help");
    case TIWCursor::crMove:
        return QStringLiteral("move");
    case TIWCursor::crPointer:
        return QStringLiteral("pointer");
    case TIWCursor::crText:
        return QStringLiteral("text");
    case TIWCursor::crWait:
        return QStringLiteral("wait");
    case TIWCursor::crAuto:
        break;
    }
    return QStringLiteral("auto");
}
