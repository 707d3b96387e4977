// Helpers for the stored-record tests: expected report texts, byte builders and a small image.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

struct TZvActions;

// The text ShowLastError gives for an error number and a place code.
QString ExpectedStorageError(int errorCode, int placeCode);
// An int32 as its four little-endian bytes.
QByteArray Int32Bytes(int32_t value);
// The bytes WriteActionList writes for a list ("write failed" when it fails).
QByteArray ActionListBytes(const TZvActions &actions);
// A 3 x 2 white image with a red top-left and a blue bottom-right pixel.
QImage SampleImage();
