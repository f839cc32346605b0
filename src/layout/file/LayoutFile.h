#pragma once
// Loading card layouts: plain text lines, or the container form
// "S0<TAB>S1...<TAB>Sk", byte 0xFE, S0 bytes of layout text, then k picture
// files registered under the dat of the 1st..k-th "fim" record.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/file/PictureStore.h"

namespace vemra {

using LayoutList = std::vector<std::string>;

constexpr std::uint8_t kContainerSeparator = 0xFE;

// The dat values of the "fim" records after the card record, in file order.
std::vector<std::string> FixedImageNames(const LayoutList& list);

// Fills `list` from a file's bytes and adds its embedded pictures to
// `store`. A header that claims more than the file holds loads what is
// there; a text before the first 0xFE that is no header of sizes makes the
// file plain text (a layout may use the letter "þ").
void LoadLayoutBytes(const std::uint8_t* data, std::size_t size, LayoutList& list,
                     PictureStore& store);

// As LoadLayoutBytes, from a file. False, with an empty list, when the file
// cannot be read; the caller reports "Failed to open " + path.
bool LoadLayoutFile(const std::string& path, LayoutList& list, PictureStore& store);
// The front layout starts the job's pictures afresh; the back and sheet
// layouts it names add theirs with LoadLayoutFile.
bool LoadFrontLayoutFile(const std::string& path, LayoutList& list, PictureStore& store);

}  // namespace vemra
