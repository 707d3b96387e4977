// The project body (the serialised project) and the project file that holds it in the
// designer. The same body is appended to built programs.
#pragma once

#include <QString>
#include <cstdint>

class TStream;

constexpr int32_t ProjectFileMagic = 465567;
constexpr int32_t ProjectBodyVersion = 1;

// Where the database connections' count lies in the stream last read by ReadProjectBody;
// web sessions read their own copies of the connections from there.
extern int64_t DBConnectionsPosition;

// Writes the body of RunProject. Form bodies not held in memory are copied from
// SourceStream (the file their positions refer to); afterwards every form's Position and
// Length refer to Stream.
bool WriteProjectBody(TStream *Stream, TStream *SourceStream, const QString &ProgressCaption);
// Reads a body into RunProject, which the caller has reset. Outlines are read in the
// designer only; form bodies stay where they are.
bool ReadProjectBody(TStream *Stream);

bool WriteProjectFile(const QString &FileName, const QString &SourceFile);
// The stored kind (0 desktop, 1 web) or -1 when the file is no project file; fills Title
// when it is empty on entry ("[Too Long]" for titles over 100 characters).
int PeekProjectFile(const QString &FileName, QString &Title);
bool OpenProjectFile(const QString &FileName);

// Saves RunProject to TargetFile through a temporary file beside it (TargetFile with the
// extension "._"), reading bodies not in memory from SourceFile ('' when none). The
// temporary file replaces the target in one step, so a failure at any point leaves the
// previous project file whole. On success the in-memory bodies are released.
bool SaveProjectFileSafely(const QString &TargetFile, const QString &SourceFile);
