#include "core/appended_project.h"

#include <QThread>

#include "core/error_reporting.h"
#include "core/project_file.h"
#include "core/project_model.h"
#include "platform/ui_services.h"
#include "core/record_io.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/streams.h"

TOpenRetries AppendOpenRetries = {21, 1000};
TOpenRetries ReadOpenRetries = {28, 1000};

std::unique_ptr<TFileStream> TryOpenForWriting(const QString &FileName)
{
    try {
        return std::make_unique<TFileStream>(FileName, fmOpenWrite);
    } catch (const std::exception &) {
        return nullptr;
    }
}

std::unique_ptr<TFileStream> TryOpenSharedForReading(const QString &FileName)
{
    try {
        return std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyNone);
    } catch (const std::exception &) {
        return nullptr;
    }
}

std::unique_ptr<TFileStream> OpenOwnFileForReading(const QString &FileName)
{
    for (int attempt = 1; attempt <= ReadOpenRetries.Attempts; ++attempt) {
        if (auto file = TryOpenSharedForReading(FileName))
            return file;
        if (attempt < ReadOpenRetries.Attempts)
            QThread::msleep(ReadOpenRetries.PauseMs);
    }
    return nullptr;
}

bool AppendProjectToExe(const QString &ExeFile, const QString &SourceFile)
{
    try {
        std::unique_ptr<TFileStream> exe;
        for (int attempt = 1; attempt <= AppendOpenRetries.Attempts && !exe; ++attempt) {
            exe = TryOpenForWriting(ExeFile);
            if (!exe && attempt < AppendOpenRetries.Attempts)
                QThread::msleep(AppendOpenRetries.PauseMs);
        }
        if (!exe)
            exe = std::make_unique<TFileStream>(ExeFile, fmOpenWrite); // reports through the guard below
        std::unique_ptr<TFileStream> source;
        if (!SourceFile.isEmpty())
            source = std::make_unique<TFileStream>(SourceFile, fmOpenRead | fmShareDenyNone);

        const int64_t blockOffset = exe->Seek(0, soEnd);
        if (blockOffset > INT32_MAX) {
            SetLastError(EFBIG);
            throw ERecordError(QStringLiteral("Program file too large"));
        }
        TRecordWriter w(*exe);
        w.Int32(AppendedProjectMagic);
        w.Int32(0);
        w.Double(Now());
        if (!WriteProjectBody(exe.get(), source.get(), QStringLiteral("Build")))
            return false;
        w.Int32(int32_t(blockOffset));
        return true;
    } catch (const std::exception &) {
        ShowFileError(pcAppendProjectToExe, ExeFile);
        return false;
    }
}

bool LoadAppendedProject(const QString &FileName)
{
    ResetProject(false, atNormal);
    try {
        std::unique_ptr<TFileStream> file = OpenOwnFileForReading(FileName);
        if (!file) {
            ShowErrorMessage(SysErrorMessage(GetLastError()) + QStringLiteral(" \"") + FileName
                             + QStringLiteral("\" "));
            return false;
        }
        TRecordReader r(*file);
        const int64_t size = file->Size();
        bool valid = size >= 8;
        if (valid) {
            file->SetPosition(size - 4);
            const int32_t blockOffset = r.Int32();
            valid = blockOffset >= 0 && blockOffset <= size - 8;
            if (valid) {
                file->SetPosition(blockOffset);
                valid = r.Int32() == AppendedProjectMagic;
            }
        }
        if (!valid) {
            UiServices().MessageBox(QStringLiteral("Invalid file format."), QStringLiteral("File Format"),
                                    MB_OK | MB_ICONINFORMATION);
            return false;
        }
        r.Int32();  // reserved
        r.Double(); // build time
        return ReadProjectBody(file.get());
    } catch (const std::exception &) {
        ShowFileError(pcLoadAppendedProject, FileName);
        return false;
    }
}
