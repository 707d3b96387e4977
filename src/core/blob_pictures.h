// Pictures kept in database blob fields. The blob holds the program's own picture record
// (class name, byte count, graphic data), not a plain image file.
#pragma once

class TField;
class TPicture;

// False for a nil picture or field, a field that is not a blob, or a record that does not
// read (the picture reader reports its own failure). Otherwise the picture is cleared
// first; a null or empty blob leaves it empty and gives True.
bool LoadPictureFromBlobField(TPicture *Picture, const TField *Field);
// Writes the picture as a picture record into the blob. False for a nil picture or field,
// a field that is not a blob, or a record that could not be written.
bool SavePictureToBlobField(const TPicture *Picture, TField *Field);
