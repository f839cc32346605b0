#pragma once
// Barcode objects of layouts: their text from the record and the card's
// fields, check digits, and the bars drawn into the object's box.
#include <functional>
#include <string>
#include <string_view>

#include "base/RegionalFormats.h"
#include "layout/render/Canvas.h"
#include "layout/fields/FieldValues.h"
#include "layout/render/PartialOpacity.h"

namespace vemra {

enum class BarcodeSymbology { Code39, Interleaved2of5, Code128, Ean128, Plessey };

// "ean128", "code128", "interleaved2of5", "plessey" in any case; anything
// else is Code 39.
BarcodeSymbology SymbologyOf(std::string_view btp);

using PlesseyCheckCharsFn = std::function<std::string(std::string_view text)>;

struct BarcodeServices {
  const FieldList& fields;
  const RegionalFormats& formats;
  const PlesseyCheckCharsFn& plesseyCheckChars;  // may be empty
  LynAlpha& alpha;
  // Where the area under a semi-transparent barcode is read from.
  Canvas& background;
};

// The text a barcode record draws, check digit and padding included;
// empty when its data has no value.
std::string BarcodeText(std::string_view record, const FieldList& fields,
                        const RegionalFormats& formats,
                        const PlesseyCheckCharsFn& plesseyCheckChars);

// The record's barcode in the box (device pixels), turned by its own angle
// plus `cardAngle`, blended with what lies under it when it has opa.
void DrawBarcodeObject(std::string_view record, int left, int top, int width, int height,
                       int cardAngle, Canvas& canvas, const BarcodeServices& services);

// Black bars of a prepared text; the symbol runs along the box's width for
// 0 and 180 degrees, along its height for 90 and 270, and is not clipped.
// The canvas's pen and brush come back as they were.
void DrawBarcode(const std::string& text, BarcodeSymbology symbology, Canvas& canvas, int left,
                 int top, int width, int height, int angle);

}  // namespace vemra
