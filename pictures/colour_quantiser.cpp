#include "pictures/colour_quantiser.h"

#include <algorithm>
#include <numeric>
#include <span>
#include <tuple>

namespace menuforge {
namespace {

// At most two boxes per level, and one palette entry must stay free for transparency.
static_assert((1 << kSplitDepth) < kPaletteSize);

constexpr std::int16_t kNoBox = -1;

// The splits taken, so that a pixel finds its box by following them instead of searching every
// box: the boxes of the leaves are disjoint, as each split puts the colours at or below the
// pivot on one side and those above it on the other.
struct SplitNode {
  std::uint8_t channel = 0;
  std::uint8_t pivot = 0;
  std::int16_t low = 0;
  std::int16_t high = 0;
  std::int16_t box = kNoBox;  // a leaf's box in the order the splits made them
  bool leaf = true;
};

class Splitter {
 public:
  std::vector<ColourBox> boxes;
  std::vector<SplitNode> nodes;

  std::int16_t Split(std::span<Rgb> pixels, int depth) {
    const auto node = static_cast<std::int16_t>(nodes.size());
    nodes.emplace_back();
    if (depth < kSplitDepth && pixels.size() > 1) {
      const auto [minimum, maximum] = Bounds(pixels);
      const std::uint8_t channel = WidestChannel(minimum, maximum);
      const auto pivot =
          static_cast<std::uint8_t>(minimum[channel] + (maximum[channel] - minimum[channel]) / 2);
      // Order within a list changes nothing the boxes hold, so the list is split in place.
      const auto middle = std::partition(pixels.begin(), pixels.end(),
                                         [&](const Rgb& p) { return p[channel] <= pivot; });
      const auto lowCount = static_cast<std::size_t>(middle - pixels.begin());
      const std::int16_t low = Split(pixels.first(lowCount), depth + 1);
      const std::int16_t high = Split(pixels.subspan(lowCount), depth + 1);
      nodes[node] = {channel, pivot, low, high, kNoBox, false};
    } else if (!pixels.empty()) {
      nodes[node].box = static_cast<std::int16_t>(boxes.size());
      boxes.push_back(MakeBox(pixels));
    }
    return node;
  }

 private:
  static std::pair<Rgb, Rgb> Bounds(std::span<const Rgb> pixels) {
    Rgb minimum = pixels.front();
    Rgb maximum = pixels.front();
    for (const Rgb& p : pixels)
      for (int c = 0; c < 3; ++c) {
        minimum[c] = std::min(minimum[c], p[c]);
        maximum[c] = std::max(maximum[c], p[c]);
      }
    return {minimum, maximum};
  }

  // Red wins ties with green and blue, green wins ties with blue.
  static std::uint8_t WidestChannel(const Rgb& minimum, const Rgb& maximum) {
    const int red = maximum[0] - minimum[0];
    const int green = maximum[1] - minimum[1];
    const int blue = maximum[2] - minimum[2];
    if (red >= green && red >= blue) return 0;
    if (green >= blue) return 1;
    return 2;
  }

  static ColourBox MakeBox(std::span<const Rgb> pixels) {
    ColourBox box;
    std::tie(box.minimum, box.maximum) = Bounds(pixels);
    std::array<std::uint64_t, 3> sums{};
    for (const Rgb& p : pixels)
      for (int c = 0; c < 3; ++c) sums[c] += p[c];
    for (int c = 0; c < 3; ++c) box.mean[c] = static_cast<std::uint8_t>(sums[c] / pixels.size());
    box.count = static_cast<std::uint32_t>(pixels.size());
    return box;
  }
};

// Most pixels first; of equal counts, the box made later comes first.
std::vector<std::size_t> PaletteOrder(const std::vector<ColourBox>& boxes) {
  std::vector<std::size_t> order(boxes.size());
  std::iota(order.rbegin(), order.rend(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return boxes[a].count > boxes[b].count; });
  return order;
}

std::vector<Rgb> PaletteColours(const RgbaPicture& picture) {
  std::vector<Rgb> pixels;
  pixels.reserve(picture.pixels.size());
  for (const Colour& c : picture.pixels)
    if (c.alpha > kPaletteAlpha) pixels.push_back({c.red, c.green, c.blue});
  return pixels;
}

}  // namespace

Quantised QuantisePicture(const RgbaPicture& picture) {
  std::vector<Rgb> pixels = PaletteColours(picture);
  Splitter splitter;
  splitter.Split(pixels, 0);

  const std::vector<std::size_t> order = PaletteOrder(splitter.boxes);
  std::vector<std::uint8_t> position(order.size());
  Quantised result;
  IndexedPicture& indexed = result.picture;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const ColourBox& box = splitter.boxes[order[k]];
    result.boxes.push_back(box);
    position[order[k]] = static_cast<std::uint8_t>(k);
    indexed.palette[k] = {255, box.mean[0], box.mean[1], box.mean[2]};
  }
  indexed.size = picture.size;
  indexed.transparentIndex = static_cast<std::uint8_t>(order.size());

  const std::vector<SplitNode>& nodes = splitter.nodes;
  indexed.indexes.resize(picture.pixels.size());
  std::transform(picture.pixels.begin(), picture.pixels.end(), indexed.indexes.begin(),
                 [&](const Colour& c) {
                   if (c.alpha <= kOpaqueAlpha) return indexed.transparentIndex;
                   const Rgb rgb{c.red, c.green, c.blue};
                   const SplitNode* node = &nodes.front();
                   while (!node->leaf)
                     node = &nodes[rgb[node->channel] <= node->pivot ? node->low : node->high];
                   // A colour that no box holds takes the first transparent entry; an opaque
                   // colour always went into a box, so only a broken split would get here.
                   return node->box == kNoBox ? indexed.transparentIndex : position[node->box];
                 });
  return result;
}

}  // namespace menuforge
