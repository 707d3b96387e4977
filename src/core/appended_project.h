// The project appended to a built program: a block behind the program file's last byte,
// found through the block's start offset in the file's last four bytes.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class TFileStream;

constexpr int32_t AppendedProjectMagic = 82375;

// Appends RunProject's block to ExeFile; SourceFile is the project file the form positions
// refer to ('' when every body is in memory).
bool AppendProjectToExe(const QString &ExeFile, const QString &SourceFile);
// Reads the block of the program file FileName into RunProject.
bool LoadAppendedProject(const QString &FileName);

// Opens without raising; nullptr on failure (the last error says why).
std::unique_ptr<TFileStream> TryOpenForWriting(const QString &FileName);
std::unique_ptr<TFileStream> TryOpenSharedForReading(const QString &FileName);

// Attempts and pause of the opens above; tests shorten the pause.
struct TOpenRetries
{
    int Attempts;
    int PauseMs;
};
extern TOpenRetries AppendOpenRetries; // 21 attempts, 1000 ms apart
extern TOpenRetries ReadOpenRetries;   // 28 attempts, 1000 ms apart

// Opens FileName for reading with the read retries; nullptr when every attempt failed.
std::unique_ptr<TFileStream> OpenOwnFileForReading(const QString &FileName);
