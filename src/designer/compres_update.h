// Changes the resources of a copy of the program file, which Build turns into a built
// program: the version block's texts and fixed file version are overwritten in place (no
// change of any length), OriginalFilename is blanked, and the main icon group "MAINICON"
// is replaced by the icons of an icon file. The resources live in the ELF section ".rsrc"
// (see platform/exe_resources.h). Every operation reports a failure by raising an
// Exception: "Resource update error: ..." for resource problems, EFileError for file access.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "designer/file_access.h"

// Icon files above this size are refused.
constexpr uint32_t MaxIconFileSize = 0x100000;

// Raises Exception("Resource update error: " + Text).
[[noreturn]] void ResourceUpdateError(const QString &Text);
// The same with " (" + the last system error number + ")" after Text.
[[noreturn]] void ResourceUpdateErrorWithCode(const QString &Text);

// Positions File at the data of the resource Type/Id of its ".rsrc" section and returns the
// data's size.
uint32_t LocateVersionResource(TFile &File, int Type, int Id);

// Overwrites the text value VS_VERSION_INFO\StringFileInfo\040904E4\Key of VersionData in
// place. Text passes through the Windows-1252 code page (characters it lacks are lost) and
// is written over the stored text within the stored text's length (up to its NUL): a longer
// text is cut, a shorter one overwrites only its own length.
void ReplaceVersionText(QByteArray &VersionData, const QString &Key, const QString &Text);

// Overwrites the OriginalFilename text of ExeFile with Text.
void PatchOriginalFilename(const QString &ExeFile, const QString &Text);
// Overwrites CompanyName, FileDescription, the FileVersion text ("Major.Minor.Release.Build"
// padded with blanks) and LegalCopyright, and sets the fixed file version.
void PatchVersionInfo(const QString &ExeFile, const QString &CompanyName, const QString &FileDescription,
                      const QString &LegalCopyright, uint16_t Major, uint16_t Minor, uint16_t Release,
                      uint16_t Build);

// Structural check of icon file data: a header and entries whose images lie inside the data;
// an executable ("MZ") is refused. A count of 0 passes.
bool IsValidIconFile(const void *Data, uint32_t Size);

// Replaces the icon group "MAINICON" of ExeFile with the icons of IconFile (icon ids 1..n,
// language 1033). The resource directory is rewritten inside the section's room: the version
// block is kept byte for byte; other resources are not kept. The new directory is composed in
// memory first, so a refused icon leaves the file unchanged.
void ReplaceMainIcon(const QString &ExeFile, const QString &IconFile);
