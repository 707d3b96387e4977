#include "core/action_records.h"

#include <cerrno>

#include "core/error_reporting.h"
#include "core/project_model.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"

namespace {

// The smallest action record: version, command, four empty strings, option byte, option
// int32 and two empty lists.
constexpr int kMinActionBytes = 4 + 1 + 4 * 4 + 1 + 4 + 4 + 4;

// Nested lists are read recursively; a forged stream of lists inside lists must not run
// the reader out of stack. No real action tree comes near this depth.
constexpr int kMaxActionDepth = 1000;
thread_local int ActionDepth = 0;

class TDepthGuard
{
public:
    TDepthGuard()
    {
        if (ActionDepth >= kMaxActionDepth)
            throw ERecordError(QStringLiteral("Actions nested too deeply"), EBADMSG);
        ++ActionDepth;
    }
    ~TDepthGuard() { --ActionDepth; }
    TDepthGuard(const TDepthGuard &) = delete;
    TDepthGuard &operator=(const TDepthGuard &) = delete;
};

void ClearAction(TZvAction *Action)
{
    Action->Command = ctDatabase;
    Action->Param1.clear();
    Action->Param2.clear();
    Action->Param3.clear();
    Action->Param4.clear();
    Action->OptionBool = false;
    Action->OptionInt = 0;
    FreeActionList(&Action->Actions1);
    FreeActionList(&Action->Actions2);
}

} // namespace

bool WriteAction(TStream *Stream, const TZvAction *Action)
{
    if (!Stream || !Action)
        return false;
    return GuardRecord(pcWriteAction, [&] {
        TRecordWriter w(*Stream);
        w.Int32(0);
        w.Byte(Action->Command);
        if (!WriteStreamString(Stream, Action->Param1) || !WriteStreamString(Stream, Action->Param2)
            || !WriteStreamString(Stream, Action->Param3) || !WriteStreamString(Stream, Action->Param4))
            return false;
        w.Bool(Action->OptionBool);
        w.Int32(Action->OptionInt);
        return WriteActionList(Stream, &Action->Actions1) && WriteActionList(Stream, &Action->Actions2);
    });
}

bool ReadAction(TStream *Stream, TZvAction *Action)
{
    if (!Stream || !Action)
        return false;
    return GuardRecord(pcReadAction, [&] {
        TDepthGuard depth;
        ClearAction(Action);
        TRecordReader r(*Stream);
        if (r.Int32() != 0) {
            ShowDataVersionError();
            return false;
        }
        Action->Command = TCommandType(r.Byte());
        if (!ReadStreamString(Stream, Action->Param1) || !ReadStreamString(Stream, Action->Param2)
            || !ReadStreamString(Stream, Action->Param3) || !ReadStreamString(Stream, Action->Param4))
            return false;
        Action->OptionBool = r.Bool();
        Action->OptionInt = r.Int32();
        return ReadActionList(Stream, &Action->Actions1) && ReadActionList(Stream, &Action->Actions2);
    });
}

bool WriteActionList(TStream *Stream, const TZvActions *Actions)
{
    if (!Stream || !Actions)
        return false;
    return GuardRecord(pcWriteActionList, [&] {
        TRecordWriter w(*Stream);
        w.Int32(int32_t(Actions->Actions.size()));
        for (const TZvAction *action : Actions->Actions)
            if (!WriteAction(Stream, action))
                return false;
        return true;
    });
}

bool ReadActionList(TStream *Stream, TZvActions *Actions)
{
    if (!Stream || !Actions)
        return false;
    return GuardRecord(pcReadActionList, [&] {
        FreeActionList(Actions);
        TRecordReader r(*Stream);
        const int32_t count = r.Count(kMinActionBytes);
        Actions->Actions.reserve(count);
        for (int32_t i = 0; i < count; ++i)
            Actions->Actions.append(new TZvAction);
        for (TZvAction *action : Actions->Actions)
            if (!ReadAction(Stream, action))
                return false;
        return true;
    });
}
