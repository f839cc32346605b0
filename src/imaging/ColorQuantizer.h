#pragma once
// Octree colour quantiser: colours are added one by one into a tree of
// depth `colourBits`; whenever it holds more leaves than allowed, the
// deepest reducible node folds its children into itself.
#include <cstdint>
#include <vector>

#include "imaging/Bitmap.h"

namespace vemra {

struct TOctreeNode {
  bool isLeaf = false;
  std::uint32_t pixelCount = 0;
  std::uint64_t redSum = 0, greenSum = 0, blueSum = 0;
  int children[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
  int nextReducible = -1;
};

class TColorQuantizer {
 public:
  TColorQuantizer(int maxColours, int colourBits);

  void AddColour(int red, int green, int blue);
  void AddBitmap(const Bitmap& bitmap);
  // Average colour of each leaf, at most maxColours of them.
  std::vector<ColourValue> Colours() const;
  int ColourCount() const { return leafCount_; }

 private:
  int NewNode(int level);
  void Reduce();
  void Collect(int node, std::vector<ColourValue>& out) const;

  int maxColours_;
  int colourBits_;
  int leafCount_ = 0;
  std::vector<TOctreeNode> nodes_;
  std::vector<int> reducible_;  // per level, head of a linked list
};

}  // namespace vemra
