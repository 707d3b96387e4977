// Helpers for the stored-record tests: expected report texts, byte builders and a small image.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

class TStream;
struct TZvActions;

// Font record as hex text, for building fixtures: "Arial", clRed, 10 pt, DEFAULT_CHARSET,
// bold and italic.
inline const QByteArray kArialFont = "05000000" "41007200690061006c00" "ff000000" "0a000000" "01" "03";

// The message shown for a record of a version the reader does not accept.
inline const QString kVersionMessage = QStringLiteral("Invalid data, maybe software version problem.");

// The text ShowLastError gives for an error number and a place code.
QString ExpectedStorageError(int errorCode, int placeCode);
// An int32 as its four little-endian bytes.
QByteArray Int32Bytes(int32_t value);
// What write puts into a new memory stream ("write failed" when it returns false).
QByteArray WrittenBytes(const std::function<bool(TStream *)> &write);
// The bytes WriteActionList writes for a list ("write failed" when it fails).
QByteArray ActionListBytes(const TZvActions &actions);
// A 3 x 2 white image with a red top-left and a blue bottom-right pixel.
QImage SampleImage();
