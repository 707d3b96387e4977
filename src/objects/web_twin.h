// The web twin of an object kind: a plain model (no widget) that reads the kind's desktop
// record for a web page. Web twins are built and read on the web session's worker thread.
#pragma once

struct TZvObject;
class TStream;

class TWebTwin
{
public:
    virtual ~TWebTwin() = default;

    // Reads the desktop kind record, ending exactly where the desktop reader ends.
    virtual bool LoadFromStream(TStream *Stream) = 0;

    TZvObject *ZvObject = nullptr;
};
