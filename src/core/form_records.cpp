#include "core/form_records.h"

#include "core/error_reporting.h"
#include "core/project_model.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"

namespace {
// The smallest outline record: version, empty name, kind, child count.
constexpr int kMinOutlineBytes = 4 + 4 + 1 + 4;
} // namespace

bool WriteFormHeader(TStream *Stream, const TFormData *FormData)
{
    if (!Stream || !FormData)
        return false;
    return GuardRecord(pcWriteFormHeader, [&] {
        TRecordWriter w(*Stream);
        w.Int32(0);
        if (!WriteStreamString(Stream, FormData->WebFormCaption))
            return false;
        w.Int32(FormData->WebFormColor);
        w.Int32(FormData->WebFormObjectsPosition);
        w.Int32(FormData->WebFormActionsPosition);
        if (!WriteStreamString(Stream, FormData->FormName))
            return false;
        w.Int32(FormData->Position);
        w.Int32(FormData->Length);
        return true;
    });
}

bool ReadFormHeader(TStream *Stream, TFormData *FormData)
{
    if (!Stream || !FormData)
        return false;
    return GuardRecord(pcReadFormHeader, [&] {
        TRecordReader r(*Stream);
        if (r.Int32() != 0) {
            ShowDataVersionError();
            return false;
        }
        if (!ReadStreamString(Stream, FormData->WebFormCaption))
            return false;
        FormData->WebFormColor = r.Int32();
        FormData->WebFormObjectsPosition = r.Int32();
        FormData->WebFormActionsPosition = r.Int32();
        if (!ReadStreamString(Stream, FormData->FormName))
            return false;
        FormData->Position = r.Int32();
        FormData->Length = r.Int32();
        return true;
    });
}

bool WriteOutline(TStream *Stream, const TObjectInfo *Info)
{
    if (!Stream || !Info)
        return false;
    return GuardRecord(pcWriteOutline, [&] {
        TRecordWriter w(*Stream);
        w.Int32(0);
        if (!WriteStreamString(Stream, Info->ObjectName))
            return false;
        w.Byte(Info->ObjectType);
        w.Int32(int32_t(Info->Objects.size()));
        for (const auto &child : Info->Objects) {
            if (!WriteOutline(Stream, child.get()))
                return false;
        }
        return true;
    });
}

bool ReadOutline(TStream *Stream, TObjectInfo *Info)
{
    if (!Stream || !Info)
        return false;
    return GuardRecord(pcReadOutline, [&] {
        TRecordReader r(*Stream);
        if (r.Int32() != 0) {
            ShowDataVersionError();
            return false;
        }
        if (!ReadStreamString(Stream, Info->ObjectName))
            return false;
        Info->ObjectType = TObjectType(r.Byte());
        const int32_t count = r.Count(kMinOutlineBytes);
        Info->Objects.clear();
        Info->Objects.reserve(size_t(count));
        for (int32_t i = 0; i < count; ++i)
            Info->Objects.push_back(std::make_unique<TObjectInfo>());
        for (const auto &child : Info->Objects) {
            if (!ReadOutline(Stream, child.get()))
                return false;
        }
        return true;
    });
}

bool CopyFormBody(TStream *Stream, const TFormData *FormData, TStream *Source)
{
    if (!Stream || !FormData)
        return false;
    return GuardRecord(pcCopyFormBody, [&] {
        if (FormData->FormInfoData) {
            TMemoryStream &body = *FormData->FormInfoData;
            Stream->WriteBuffer(body.Memory(), body.Size());
            return true;
        }
        if (!Source) {
            ShowErrorMessage(QStringLiteral("System Error, \"OrgStream\" Error!"));
            return false;
        }
        TRecordReader r(*Source);
        Source->SetPosition(FormData->Position);
        const QByteArray bytes = r.Bytes(FormData->Length);
        Stream->WriteBuffer(bytes.constData(), bytes.size());
        return true;
    });
}
