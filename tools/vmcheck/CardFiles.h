#pragma once
// A card's layout files loaded as a print job loads them: the front, the
// back side and sheet its card record names, their embedded pictures, and
// the data table that replaces the field list.
#include <string>

#include "Problem.h"
#include "base/FileSystem.h"
#include "layout/fields/FieldValues.h"
#include "layout/file/LayoutFile.h"
#include "layout/file/PictureStore.h"

namespace vemra {

struct LayoutSide {
  CardSide side = CardSide::Front;
  std::string path;  // empty when the card names no such file
  std::string name;  // file name without folder
  LayoutList list;
  bool present = false;
};

struct CardFiles {
  std::string folder;  // of the front layout, with its trailing "\"
  LayoutSide front, back, sheet;
  PictureStore store;
  bool backsideNewPage = false;
};

// False when the front layout cannot be read (with a problem said). Files
// the card record names but that do not exist are problems of its line.
bool LoadCardFiles(const std::string& layoutPath, const FileSystem& files, FieldList& fields,
                   CardFiles& card, Problems& problems);

// The record's box; nullopt when a coordinate does not convert.
std::optional<MmBox> RecordBox(const std::string& record);

// The name of a path's file ("C:\x\y.cpb" and "/x/y.cpb" give "y.cpb").
std::string FileNameOf(const std::string& path);

}  // namespace vemra
