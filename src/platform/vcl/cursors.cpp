#include "platform/vcl/cursors.h"

namespace {

struct CursorEntry
{
    TCursor Id;
    Qt::CursorShape Shape;
};

constexpr CursorEntry kCursors[] = {
    {crDefault, Qt::ArrowCursor},         {crNone, Qt::BlankCursor},
    {crArrow, Qt::ArrowCursor},           {crCross, Qt::CrossCursor},
    {crIBeam, Qt::IBeamCursor},           {crSizeNESW, Qt::SizeBDiagCursor},
    {crSizeNS, Qt::SizeVerCursor},        {crSizeNWSE, Qt::SizeFDiagCursor},
    {crSizeWE, Qt::SizeHorCursor},        {crUpArrow, Qt::UpArrowCursor},
    {crHourGlass, Qt::WaitCursor},        {crDrag, Qt::DragMoveCursor},
    {crNoDrop, Qt::ForbiddenCursor},      {crHSplit, Qt::SplitHCursor},
    {crVSplit, Qt::SplitVCursor},         {crMultiDrag, Qt::DragCopyCursor},
    {crSQLWait, Qt::WaitCursor},          {crNo, Qt::ForbiddenCursor},
    {crAppStart, Qt::BusyCursor},         {crHelpPoint, Qt::WhatsThisCursor},
    {crHandPoint, Qt::PointingHandCursor}, {crSizeAll, Qt::SizeAllCursor},
};

const CursorEntry *FindCursor(TCursor cursor)
{
    for (const CursorEntry &entry : kCursors) {
        if (entry.Id == cursor)
            return &entry;
    }
    return nullptr;
}

} // namespace

Qt::CursorShape CursorShapeOf(TCursor cursor)
{
    const CursorEntry *entry = FindCursor(cursor);
    return entry ? entry->Shape : Qt::ArrowCursor;
}

bool IsStockCursor(TCursor cursor)
{
    return FindCursor(cursor) != nullptr;
}
