// Strings, fonts and pictures as stored in every record.
#pragma once

#include <QString>

class TStream;
class TFont;
class TPicture;
class TGraphic;
struct TWebFont;

// String record: int32 count of UTF-16 code units, then the units (UTF-16LE).
bool WriteStreamString(TStream *Stream, const QString &S);
bool ReadStreamString(TStream *Stream, QString &S);

// Font record: name, int32 colour, int32 size, byte charset, byte style set.
bool SaveFontToStream(TStream *Stream, const TFont *Font);
bool LoadFontFromStream(TStream *Stream, TFont *Font);
bool LoadWebFontFromStream(TStream *Stream, TWebFont *WebFont);
void AssignWebFont(const TFont &Font, TWebFont &WebFont);

// Picture record: class name ('' for none), then int32 size and the graphic's own bytes.
bool SavePictureToStream(TStream *Stream, const TPicture *Picture);
bool LoadPictureFromStream(TStream *Stream, TPicture *Picture);

// The graphic class's name as stored, or '' when the name finds no class (ASCII case
// ignored): "TJPEGImage", "TBitmap", "TIcon", "TMetafile", "TPngImage", "TGIFImage",
// "TWICImage".
QString FindGraphicClass(const QString &ClassName);
// The class name without its first letter ("Bitmap", "PngImage"), "None" for no graphic.
QString GetGraphicTypeName(const TGraphic *Graphic);
