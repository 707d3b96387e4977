// The web twin of an object kind: a plain model (no widget) that reads the kind's desktop
// record for a web page. Web twins are built and read on the web session's worker thread.
#pragma once

#include <QString>

#include "core/zv_value.h"

struct TZvObject;
class TStream;

class TWebTwin
{
public:
    virtual ~TWebTwin() = default;

    // Reads the desktop kind record, ending exactly where the desktop reader ends.
    virtual bool LoadFromStream(TStream *Stream) = 0;

    // The value language on a web page: the twin's own tokens, after the tokens every
    // object has. As the desktop kinds' ReadToken and WriteToken.
    virtual bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value)
    {
        return false;
    }
    virtual TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) { return twUnknown; }

    TZvObject *ZvObject = nullptr;
};
