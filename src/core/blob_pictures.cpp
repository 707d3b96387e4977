#include "core/blob_pictures.h"

#include "core/stream_primitives.h"
#include "platform/db/field.h"
#include "platform/graphics/picture.h"
#include "platform/rtl/streams.h"

bool LoadPictureFromBlobField(TPicture *Picture, const TField *Field)
{
    if (!Picture || !Field || !Field->IsBlob())
        return false;
    Picture->Clear();
    const QByteArray bytes = Field->AsBytes();
    if (bytes.isEmpty())
        return true;
    TMemoryStream stream(bytes);
    return LoadPictureFromStream(&stream, Picture);
}

bool SavePictureToBlobField(const TPicture *Picture, TField *Field)
{
    if (!Picture || !Field || !Field->IsBlob())
        return false;
    TMemoryStream stream;
    if (!SavePictureToStream(&stream, Picture))
        return false;
    Field->SetValue(stream.Bytes());
    return true;
}
