#include "core/project_file.h"

#include <QFile>
#include <cstdio>

#include "core/action_records.h"
#include "core/error_reporting.h"
#include "core/form_records.h"
#include "core/globals.h"
#include "core/project_model.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "platform/paths.h"
#include "platform/ui_services.h"
#include "runtime/progress_form.h"

#include <cerrno>

int64_t DBConnectionsPosition = 0;

namespace {

// The smallest form header: version, empty caption, colour, two offsets, empty name,
// position, length.
constexpr int kMinFormHeaderBytes = 4 + 4 + 4 + 4 + 4 + 4 + 4 + 4;

bool WriteStrings(TStream *stream, std::initializer_list<QString> texts)
{
    for (const QString &text : texts) {
        if (!WriteStreamString(stream, text))
            return false;
    }
    return true;
}

bool ReadStrings(TStream *stream, std::initializer_list<QString *> texts)
{
    for (QString *text : texts) {
        if (!ReadStreamString(stream, *text))
            return false;
    }
    return true;
}

bool WriteHeaders(TStream *stream)
{
    for (const auto &form : RunProject.Forms) {
        if (!WriteFormHeader(stream, form.get()))
            return false;
    }
    return true;
}

// Closes the progress window however the writing ends.
struct TProgressCloser
{
    ~TProgressCloser() { CloseProgress(); }
};

} // namespace

bool WriteProjectBody(TStream *Stream, TStream *SourceStream, const QString &ProgressCaption)
{
    if (!Stream)
        return false;
    TRunProject &p = RunProject;
    return GuardRecord(pcWriteProjectBody, [&] {
        TRecordWriter w(*Stream);
        w.Int32(ProjectBodyVersion);
        w.Byte(p.SecurityType);
        if (!WriteStrings(Stream, {p.SecurityUserAuthList, p.SecurityUserAuthLabel, p.SecurityPasswordLabel,
                                   p.SecurityErrorMessage, p.SecurityTitle, p.SecurityOKButtonCaption,
                                   p.SecurityCancelButtonCaption, p.SplashScreenName}))
            return false;
        w.Int32(p.SplashScreenTime);
        if (!WriteStreamString(Stream, p.ExitFormName))
            return false;
        w.Int32(p.ExitFormTime);
        if (!WriteStreamString(Stream, p.FullScreenName))
            return false;
        w.Byte(0);     // reserved
        w.Double(0.0); // reserved
        if (!WriteStreamString(Stream, QString())) // reserved
            return false;
        w.Byte(p.ApplicationType);
        w.Int32(p.WebSessionTimeout);
        w.UInt32(p.WebPort);
        if (!WriteStrings(Stream, {p.TerminateMessage, p.AppTitle, p.AppFileDescription, p.AppCompanyName,
                                   p.AppLegalCopyright, p.AppFileName, p.AppOutputDir}))
            return false;
        w.Int32(p.AppFileVersionMajor);
        w.Int32(p.AppFileVersionMinor);
        w.Int32(p.AppFileVersionRelease);
        w.Int32(p.AppFileVersionBuild);

        // Database connections join the project with the connection objects.
        w.Int32(0);

        if (p.AppIconFileStream && p.AppIconFileStream->Size() > 0) {
            w.Int32(int32_t(p.AppIconFileStream->Size()));
            w.Bytes(p.AppIconFileStream->Bytes());
        } else {
            w.Int32(0);
        }
        if (!WriteActionList(Stream, &p.OnStartActions) || !WriteActionList(Stream, &p.OnExitActions))
            return false;

        TProgressCloser progressCloser;
        OpenProgress(ProgressCaption, int(p.Forms.size()));
        w.Int32(int32_t(p.Forms.size()));
        const int64_t headers = Stream->Position();
        if (!WriteHeaders(Stream))
            return false;
        for (const auto &form : p.Forms) {
            if (!WriteOutline(Stream, form->ObjectInfo.get()))
                return false;
        }
        int formIndex = 0;
        for (const auto &form : p.Forms) {
            SetProgress(formIndex++);
            const int64_t start = Stream->Position();
            if (!CopyFormBody(Stream, form.get(), SourceStream))
                return false;
            form->Position = int32_t(start);
            form->Length = int32_t(Stream->Position() - start);
        }
        CloseProgress();
        // The headers again, now pointing at the bodies; their size does not change.
        const int64_t end = Stream->Position();
        Stream->SetPosition(headers);
        if (!WriteHeaders(Stream))
            return false;
        Stream->SetPosition(end);
        ProjectModified = false;
        return true;
    });
}

bool ReadProjectBody(TStream *Stream)
{
    if (!Stream)
        return false;
    TRunProject &p = RunProject;
    return GuardRecord(pcReadProjectBody, [&] {
        TRecordReader r(*Stream);
        const int32_t version = r.Int32();
        if (version < 0 || version > ProjectBodyVersion) {
            ShowDataVersionError();
            return false;
        }
        if (version == 1) {
            p.SecurityType = TSecurityType(r.Byte());
            if (!ReadStrings(Stream, {&p.SecurityUserAuthList, &p.SecurityUserAuthLabel, &p.SecurityPasswordLabel,
                                      &p.SecurityErrorMessage, &p.SecurityTitle, &p.SecurityOKButtonCaption,
                                      &p.SecurityCancelButtonCaption, &p.SplashScreenName}))
                return false;
            p.SplashScreenTime = r.Int32();
            if (!ReadStreamString(Stream, p.ExitFormName))
                return false;
            p.ExitFormTime = r.Int32();
            if (!ReadStreamString(Stream, p.FullScreenName))
                return false;
            r.Byte();
            r.Double();
            QString reserved;
            if (!ReadStreamString(Stream, reserved))
                return false;
        } else {
            SetDefaultLoginAndFormSettings(p);
        }

        p.ApplicationType = TApplicationType(r.Byte());
        p.WebSessionTimeout = r.Int32();
        p.WebPort = r.UInt32();
        if (!ReadStrings(Stream, {&p.TerminateMessage, &p.AppTitle, &p.AppFileDescription, &p.AppCompanyName,
                                  &p.AppLegalCopyright, &p.AppFileName, &p.AppOutputDir}))
            return false;
        p.AppFileVersionMajor = r.Int32();
        p.AppFileVersionMinor = r.Int32();
        p.AppFileVersionRelease = r.Int32();
        p.AppFileVersionBuild = r.Int32();

        DBConnectionsPosition = Stream->Position();
        if (r.Int32() != 0) {
            // Connection records are read by the connection objects, which this build
            // does not have yet: refuse the project rather than misread what follows.
            SetLastError(ENOSYS);
            throw ERecordError(QStringLiteral("Database connections cannot be read"));
        }

        const int32_t iconSize = r.Count(1);
        if (iconSize > 0) {
            p.AppIconFileStream = std::make_unique<TMemoryStream>(r.Bytes(iconSize));
        } else {
            p.AppIconFileStream.reset();
        }
        if (!ReadActionList(Stream, &p.OnStartActions) || !ReadActionList(Stream, &p.OnExitActions))
            return false;

        const int32_t count = r.Count(kMinFormHeaderBytes);
        p.Forms.clear();
        for (int32_t i = 0; i < count; ++i) {
            auto form = std::make_unique<TFormData>();
            form->FormName = QStringLiteral("Unknown");
            p.Forms.push_back(std::move(form));
        }
        for (const auto &form : p.Forms) {
            if (!ReadFormHeader(Stream, form.get()))
                return false;
        }
        if (DesignerMode) {
            for (const auto &form : p.Forms) {
                if (!ReadOutline(Stream, form->ObjectInfo.get()))
                    return false;
            }
        }
        ProjectModified = false;
        return true;
    });
}

bool WriteProjectFile(const QString &FileName, const QString &SourceFile)
{
    try {
        TFileStream target(FileName, fmCreate);
        std::unique_ptr<TFileStream> source;
        if (!SourceFile.isEmpty())
            source = std::make_unique<TFileStream>(SourceFile, fmOpenRead | fmShareDenyNone);
        TRecordWriter w(target);
        w.Int32(ProjectFileMagic);
        w.Int32(RunProject.ApplicationType == atNormal ? 0 : 1);
        if (!WriteStreamString(&target, RunProject.AppTitle))
            return false;
        w.Int32(0);
        if (!WriteStrings(&target, {QString(), QString(), QString()}))
            return false;
        return WriteProjectBody(&target, source.get(), QStringLiteral("Save Project"));
    } catch (const std::exception &) {
        ShowFileError(pcWriteProjectFile, FileName);
        return false;
    }
}

int PeekProjectFile(const QString &FileName, QString &Title)
{
    try {
        TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
        TRecordReader r(file);
        if (r.Int32() != ProjectFileMagic)
            return -1;
        const int32_t kind = r.Int32();
        if (Title.isEmpty()) {
            const int32_t length = r.Int32();
            if (length >= 0 && length <= 100) {
                const QByteArray units = r.Bytes(int64_t(length) * 2);
                Title = QString(reinterpret_cast<const QChar *>(units.constData()), length);
            } else {
                Title = QStringLiteral("[Too Long]");
            }
        }
        return kind;
    } catch (const std::exception &) {
        return -1;
    }
}

bool OpenProjectFile(const QString &FileName)
{
    ResetProject(false, atNormal);
    try {
        TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
        TRecordReader r(file);
        if (r.Int32() != ProjectFileMagic) {
            UiServices().MessageBox(QStringLiteral("Invalid file format."), QStringLiteral("File Format"),
                                    MB_OK | MB_ICONINFORMATION);
            return false;
        }
        r.Int32(); // kind: the body says it again
        QString title;
        if (!ReadStreamString(&file, title))
            return false;
        if (r.Int32() != 0) {
            UiServices().MessageBox(
                QStringLiteral("The file is too new to read, maybe you need install newest version of the software."),
                QStringLiteral("Information"), MB_OK | MB_ICONINFORMATION);
            return false;
        }
        QString reserved;
        for (int i = 0; i < 3; ++i) {
            if (!ReadStreamString(&file, reserved))
                return false;
        }
        return ReadProjectBody(&file);
    } catch (const std::exception &) {
        ShowFileError(pcOpenProjectFile, FileName);
        return false;
    }
}

bool SaveProjectFileSafely(const QString &TargetFile, const QString &SourceFile)
{
    const QString temporary = ChangeFileExt(TargetFile, QStringLiteral("._"));
    const QString source = FileExists(SourceFile) ? SourceFile : QString();
    // Writing moves every form's Position and Length to the new file; a save that does not
    // complete must leave them pointing into the source, or a later save would copy the
    // wrong bytes.
    std::vector<std::pair<int32_t, int32_t>> places;
    for (const auto &form : RunProject.Forms)
        places.emplace_back(form->Position, form->Length);
    const auto restorePlaces = [&] {
        for (size_t i = 0; i < places.size() && i < RunProject.Forms.size(); ++i) {
            RunProject.Forms[i]->Position = places[i].first;
            RunProject.Forms[i]->Length = places[i].second;
        }
    };
    if (!WriteProjectFile(temporary, source)) {
        restorePlaces();
        return false;
    }
    // rename() replaces the target in one step: there is never a moment without a project
    // file, and the source stays readable until the new file is complete.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(TargetFile).constData()) != 0) {
        SetLastErrorFromErrno();
        UiServices().MessageBox(QStringLiteral("Unable to rename file \"%1\".").arg(temporary),
                                QStringLiteral("Error"), MB_OK | MB_ICONERROR);
        restorePlaces();
        return false;
    }
    for (const auto &form : RunProject.Forms)
        form->FormInfoData.reset();
    return true;
}
