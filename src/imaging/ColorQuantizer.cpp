#include "imaging/ColorQuantizer.h"

#include <algorithm>

#include "imaging/PixelRows.h"

namespace vemra {

TColorQuantizer::TColorQuantizer(int maxColours, int colourBits)
    : maxColours_(std::max(1, maxColours)),
      colourBits_(std::clamp(colourBits, 1, 8)),
      reducible_(std::size_t(colourBits_ + 1), -1) {
  NewNode(0);
}

int TColorQuantizer::NewNode(int level) {
  TOctreeNode node;
  node.isLeaf = level == colourBits_;
  if (node.isLeaf) {
    ++leafCount_;
  } else {
    node.nextReducible = reducible_[level];
    reducible_[level] = int(nodes_.size());
  }
  nodes_.push_back(node);
  return int(nodes_.size()) - 1;
}

void TColorQuantizer::AddColour(int red, int green, int blue) {
  int node = 0;
  for (int level = 0; !nodes_[node].isLeaf; ++level) {
    const int shift = 7 - level;
    const int child = (red >> shift & 1) << 2 | (green >> shift & 1) << 1 | (blue >> shift & 1);
    if (nodes_[node].children[child] < 0) {
      const int created = NewNode(level + 1);
      nodes_[node].children[child] = created;
    }
    node = nodes_[node].children[child];
  }
  TOctreeNode& leaf = nodes_[node];
  ++leaf.pixelCount;
  leaf.redSum += unsigned(red);
  leaf.greenSum += unsigned(green);
  leaf.blueSum += unsigned(blue);
  while (leafCount_ > maxColours_) Reduce();
}

void TColorQuantizer::AddBitmap(const Bitmap& bitmap) {
  std::vector<std::uint8_t> bgr(std::size_t(bitmap.Width()) * 3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    ReadRowBgr(bitmap, y, bgr.data());
    for (std::size_t i = 0; i < bgr.size(); i += 3) AddColour(bgr[i + 2], bgr[i + 1], bgr[i]);
  }
}

void TColorQuantizer::Reduce() {
  int level = colourBits_ - 1;
  while (level > 0 && reducible_[level] < 0) --level;
  const int index = reducible_[level];
  if (index < 0) return;
  TOctreeNode& node = nodes_[index];
  reducible_[level] = node.nextReducible;
  int merged = 0;
  for (int& child : node.children) {
    if (child < 0) continue;
    const TOctreeNode& c = nodes_[child];
    node.redSum += c.redSum, node.greenSum += c.greenSum, node.blueSum += c.blueSum;
    node.pixelCount += c.pixelCount;
    child = -1;
    ++merged;
  }
  node.isLeaf = true;
  leafCount_ -= merged - 1;
}

void TColorQuantizer::Collect(int index, std::vector<ColourValue>& out) const {
  const TOctreeNode& node = nodes_[index];
  if (node.isLeaf) {
    if (node.pixelCount == 0) return;
    out.push_back(MakeColour(int(node.redSum / node.pixelCount), int(node.greenSum / node.pixelCount),
                             int(node.blueSum / node.pixelCount)));
    return;
  }
  for (int child : node.children)
    if (child >= 0) Collect(child, out);
}

std::vector<ColourValue> TColorQuantizer::Colours() const {
  std::vector<ColourValue> out;
  Collect(0, out);
  return out;
}

}  // namespace vemra
