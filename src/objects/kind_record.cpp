#include "objects/kind_record.h"

#include "core/error_reporting.h"
#include "core/record_io.h"
#include "objects/object_kinds.h"
#include "platform/vcl/controls.h"

bool SaveKindRecord(TStream *Stream, TObjectType Kind, const std::function<bool(TRecordWriter &)> &Body)
{
    if (!Stream)
        return false;
    const TObjectKindInfo &info = ObjectKindInfo(Kind);
    return GuardRecord(info.WritePlaceCode, [&] {
        TRecordWriter w(*Stream);
        w.Int32(info.VersionWritten);
        return Body(w);
    });
}

bool LoadKindRecord(TStream *Stream, TObjectType Kind,
                    const std::function<bool(TRecordReader &, int32_t Version)> &Body)
{
    if (!Stream)
        return false;
    const TObjectKindInfo &info = ObjectKindInfo(Kind);
    return GuardRecord(info.ReadPlaceCode, [&] {
        TRecordReader r(*Stream);
        const int32_t version = r.Int32();
        if (!KindAcceptsVersion(info, version)) {
            ShowDataVersionError();
            return false;
        }
        return Body(r, version);
    });
}

bool LoadControlFont(TStream *Stream, TControl &Control)
{
    TFont font = Control.Font();
    if (!LoadFontFromStream(Stream, &font))
        return false;
    Control.SetFont(font);
    return true;
}
