#include "menu/menu_comparison.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <tuple>
#include <utility>

namespace menuforge {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

FieldValue OnOff(bool on) { return {on ? "on" : "off", false, {}}; }

FieldValue HexOrNone(const Bytes* bytes) {
  return {bytes ? BytesToHex(*bytes) : "none", false, {}};
}

const Bytes* UnreadRecords(const std::vector<DroppedData>* dropped) {
  if (!dropped) return nullptr;
  for (const DroppedData& data : *dropped)
    if (data.recordKey == kUnreadRecordsKey) return &data.bytes;
  return nullptr;
}

// The controls of the main window that show the options, and what loading left aside.
void CompareFormat(const ComparedMenu& a, const ComparedMenu& b,
                   std::vector<FieldDifference>& out) {
  auto add = [&](const char* field, const char* label, FieldValue before, FieldValue after) {
    if (before != after) out.push_back({field, label, std::move(before), std::move(after)});
  };
  auto size = [](RecordSize mode) {
    return FieldValue{std::to_string(RecordBytes(mode)), false, RecordSizeLabel(mode)};
  };
  add("record-size", "MMA save mode", size(a.options.saveMode), size(b.options.saveMode));
  add("c698p-fix", "c698p mma_ucp fix", OnOff(a.options.c698pFix), OnOff(b.options.c698pFix));
  add("icon-attribute", "Custom icon attribute",
      {ByteToHex(static_cast<std::uint8_t>(a.options.iconAttribute)), false, {}},
      {ByteToHex(static_cast<std::uint8_t>(b.options.iconAttribute)), false, {}});
  add("save-all-data", "Save all data", OnOff(a.options.saveAllData), OnOff(b.options.saveAllData));
  const Bytes* unreadA = UnreadRecords(a.dropped);
  const Bytes* unreadB = UnreadRecords(b.dropped);
  if (unreadA || unreadB)
    add(kUnreadRecordsField, "records in no folder", HexOrNone(unreadA), HexOrNone(unreadB));
}

// FNV-1a over the fields, so that equal data is found without comparing it whole each time.
std::uint64_t ContentHash(const std::vector<EntryField>& fields) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const EntryField& field : fields) field.Hash(hash);
  return hash;
}

// Names are 8-bit; most of them are ASCII already.
std::string Utf8Name(const std::string& latin1) {
  const bool ascii = std::all_of(latin1.begin(), latin1.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? latin1 : Latin1ToUtf8(latin1);
}

struct NodeInfo {
  const MenuNode* node = nullptr;
  std::size_t parent = kNone;  // index of the parent; kNone at the top
  std::vector<std::size_t> children;
  std::vector<EntryField> fields;
  std::uint64_t contentHash = 0;
  std::size_t match = kNone;  // index of the matching node on the other side
  bool entry = false;         // in the main menu, below "Menu Root"
  bool moved = false;
};

// One of the two menus, its nodes numbered in display order.
class Side {
 public:
  explicit Side(const ComparedMenu& menu) {
    if (menu.dropped)
      for (const DroppedData& data : *menu.dropped)
        if (data.recordKey != kUnreadRecordsKey) dropped_[data.recordKey] = &data.bytes;
    for (const auto& top : menu.tree.topLevel()) Add(*top, kNone, false, menu.tree);
  }

  std::vector<NodeInfo> nodes;
  std::vector<std::size_t> top;

  EntryPlace Place(std::size_t index) const {
    EntryPlace place;
    for (std::size_t i = index; i != kNone; i = nodes[i].parent) {
      const MenuNode& node = *nodes[i].node;
      place.names.push_back(
          Utf8Name(node.displayText().empty() ? node.record().itemName : node.displayText()));
      place.path.push_back(IndexAmongSiblings(i));
    }
    std::reverse(place.names.begin(), place.names.end());
    std::reverse(place.path.begin(), place.path.end());
    return place;
  }

  const std::vector<std::size_t>& SiblingsOf(std::size_t parent) const {
    return parent == kNone ? top : nodes[parent].children;
  }

  std::size_t IndexAmongSiblings(std::size_t index) const {
    const auto& siblings = SiblingsOf(nodes[index].parent);
    return static_cast<std::size_t>(std::find(siblings.begin(), siblings.end(), index) -
                                    siblings.begin());
  }

 private:
  void Add(const MenuNode& node, std::size_t parent, bool entry, const MenuTree& tree) {
    const std::size_t index = nodes.size();
    NodeInfo info;
    info.node = &node;
    info.parent = parent;
    info.entry = entry;
    const std::uint8_t key = node.record().recordKey;
    info.fields = EntryFields(node.record(), tree.itemData().Find(key),
                              node.record().modified ? dropped_[key] : nullptr);
    info.contentHash = ContentHash(info.fields);
    nodes.push_back(std::move(info));
    (parent == kNone ? top : nodes[parent].children).push_back(index);
    // Below "Menu Root" (the second top node) lies the main menu; the soft keys are fixed.
    const bool childrenAreEntries = entry || (parent == kNone && top.size() == 2);
    for (const auto& child : node.children()) Add(*child, index, childrenAreEntries, tree);
  }

  std::array<const Bytes*, 256> dropped_{};
};

class Comparer {
 public:
  Comparer(const ComparedMenu& before, const ComparedMenu& after) : a_(before), b_(after) {
    CompareFormat(before, after, result_.format);
  }

  MenuComparison Run() {
    MatchFixed(a_.top, b_.top);
    MatchAcrossFolders(true);
    MatchAcrossFolders(false);
    FindMoves();
    Walk(kNone, kNone, true, true);
    return std::move(result_);
  }

 private:
  bool Custom(const NodeInfo& info) const { return info.node->record().IsCustom(); }
  const std::string& Name(const NodeInfo& info) const { return info.node->record().itemName; }

  // Entries of one item, or custom entries of equal data or equal name.
  bool SameIdentity(const NodeInfo& a, const NodeInfo& b) const {
    if (Custom(a) != Custom(b)) return false;
    if (Custom(a)) return Name(a) == Name(b) || a.contentHash == b.contentHash;
    return Name(a) == Name(b);
  }

  void Pair(std::size_t a, std::size_t b) {
    a_.nodes[a].match = b;
    b_.nodes[b].match = a;
    Align(a, b);
  }

  bool HoldsEntries(const Side& side, std::size_t index) const {
    const auto& children = side.nodes[index].children;
    return !children.empty() && side.nodes[children.front()].entry;
  }

  // The fixed top and the soft keys stand at fixed places; below "Menu Root" the alignment
  // starts.
  void MatchFixed(const std::vector<std::size_t>& a, const std::vector<std::size_t>& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
      a_.nodes[a[i]].match = b[i];
      b_.nodes[b[i]].match = a[i];
      if (HoldsEntries(a_, a[i]) || HoldsEntries(b_, b[i]))
        Align(a[i], b[i]);
      else
        MatchFixed(a_.nodes[a[i]].children, b_.nodes[b[i]].children);
    }
  }

  // The children of a matched pair not yet matched elsewhere, aligned as two sequences: the
  // most pairs of one identity, equal data counting double, in the order both keep.
  void Align(std::size_t a, std::size_t b) {
    std::vector<std::size_t> left, right;
    for (std::size_t child : a_.nodes[a].children)
      if (a_.nodes[child].match == kNone) left.push_back(child);
    for (std::size_t child : b_.nodes[b].children)
      if (b_.nodes[child].match == kNone) right.push_back(child);
    if (left.empty() || right.empty()) return;

    auto score = [&](std::size_t i, std::size_t j) {
      const NodeInfo& x = a_.nodes[left[i]];
      const NodeInfo& y = b_.nodes[right[j]];
      if (!SameIdentity(x, y)) return 0;
      return x.contentHash == y.contentHash ? 2 : 1;
    };
    const std::size_t n = left.size(), m = right.size();
    std::vector<int> best((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> int& { return best[i * (m + 1) + j]; };
    for (std::size_t i = 1; i <= n; ++i)
      for (std::size_t j = 1; j <= m; ++j) {
        const int s = score(i - 1, j - 1);
        at(i, j) = std::max({at(i - 1, j), at(i, j - 1), s ? at(i - 1, j - 1) + s : 0});
      }

    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t i = n, j = m; i > 0 && j > 0;) {
      const int s = score(i - 1, j - 1);
      if (s && at(i, j) == at(i - 1, j - 1) + s) {
        pairs.emplace_back(left[--i], right[--j]);
      } else if (at(i - 1, j) != at(i, j - 1)) {
        at(i - 1, j) > at(i, j - 1) ? --i : --j;
      } else if (SkipFirstOfTie(a_.nodes[left[i - 1]], b_.nodes[right[j - 1]], i, j)) {
        --i;
      } else {
        --j;
      }
    }
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) Pair(it->first, it->second);
  }

  // Where leaving out either entry keeps the alignment at its best, the one left out is chosen
  // by what the entries are, so that comparing B with A pairs the same entries as A with B.
  bool SkipFirstOfTie(const NodeInfo& x, const NodeInfo& y, std::size_t i, std::size_t j) const {
    const auto keyX = std::tie(Name(x), x.contentHash);
    const auto keyY = std::tie(Name(y), y.contentHash);
    return keyX != keyY ? keyX > keyY : i >= j;
  }

  // Entries the alignment left over, matched wherever they now stand: first those whose data
  // is equal too, then any of one identity, the first of each side with the first of the other.
  // All pairs of a pass are made before the children of any are aligned, so that no alignment
  // takes an entry a later pair would have had, whichever menu comes first.
  void MatchAcrossFolders(bool equalDataOnly) {
    using Key = std::pair<std::string, std::uint64_t>;
    auto key = [&](const NodeInfo& info) {
      if (equalDataOnly) return Key(Custom(info) ? "~" : Name(info), info.contentHash);
      return Key(Name(info), 0);
    };
    std::map<Key, std::vector<std::size_t>> waitingA, waitingB;
    for (std::size_t i = 0; i < a_.nodes.size(); ++i)
      if (a_.nodes[i].entry && a_.nodes[i].match == kNone) waitingA[key(a_.nodes[i])].push_back(i);
    for (std::size_t i = 0; i < b_.nodes.size(); ++i)
      if (b_.nodes[i].entry && b_.nodes[i].match == kNone) waitingB[key(b_.nodes[i])].push_back(i);
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (const auto& [k, left] : waitingA) {
      const auto right = waitingB.find(k);
      if (right == waitingB.end()) continue;
      for (std::size_t i = 0; i < std::min(left.size(), right->second.size()); ++i) {
        const std::size_t a = left[i], b = right->second[i];
        a_.nodes[a].match = b;
        b_.nodes[b].match = a;
        pairs.emplace_back(a, b);
      }
    }
    for (const auto& [a, b] : pairs) Align(a, b);
  }

  // A matched entry moved when it left its folder, or when it is outside the order its siblings
  // that stayed keep (see KeepLongestOrder).
  void FindMoves() {
    for (std::size_t p = 0; p < a_.nodes.size(); ++p) {
      const std::size_t q = a_.nodes[p].match;
      std::vector<std::size_t> staying;
      for (std::size_t child : a_.nodes[p].children) {
        NodeInfo& info = a_.nodes[child];
        if (!info.entry || info.match == kNone) continue;
        if (q != kNone && b_.nodes[info.match].parent == q)
          staying.push_back(child);
        else
          info.moved = true;
      }
      KeepLongestOrder(staying);
    }
  }

  // The fewest moves that explain the new order: the entries outside the longest run whose
  // places rise in both menus. Among runs of one length, the one that keeps every entry still
  // at its place (so that no entry moves to where it was), then the one whose entries travelled
  // least, then the one keeping the entries first by identity. Each rule reads both menus
  // alike, so that comparing B with A moves the same entries as comparing A with B.
  void KeepLongestOrder(const std::vector<std::size_t>& staying) {
    const std::size_t n = staying.size();
    std::vector<Stayer> stayers(n);
    bool inOrder = true;
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t b = a_.nodes[staying[i]].match;
      stayers[i] = {staying[i], b, a_.IndexAmongSiblings(staying[i]), b_.IndexAmongSiblings(b)};
      inOrder = inOrder && (i == 0 || stayers[i - 1].y < stayers[i].y);
    }
    if (inOrder) return;

    std::int64_t farthest = 0;
    for (const Stayer& s : stayers) farthest = std::max(farthest, s.Travel());
    const std::int64_t kept = farthest * static_cast<std::int64_t>(n) + 1;
    const std::int64_t still = kept * static_cast<std::int64_t>(n + 1);
    std::vector<std::int64_t> weight(n);
    for (std::size_t i = 0; i < n; ++i)
      weight[i] = (stayers[i].Travel() == 0 ? still : 0) + kept - stayers[i].Travel();

    std::vector<std::size_t> byIdentity(n);
    for (std::size_t i = 0; i < n; ++i) byIdentity[i] = i;
    std::sort(byIdentity.begin(), byIdentity.end(), [&](std::size_t i, std::size_t j) {
      return IdentityKey(stayers[i]) < IdentityKey(stayers[j]);
    });

    std::vector<char> forced(n, 0);
    const std::int64_t best = HeaviestRun(stayers, weight, forced);
    for (std::size_t i : byIdentity) {
      forced[i] = 1;
      if (HeaviestRun(stayers, weight, forced) != best) forced[i] = 0;
    }
    for (std::size_t i = 0; i < n; ++i)
      if (!forced[i]) a_.nodes[stayers[i].a].moved = true;
  }

  struct Stayer {
    std::size_t a = kNone, b = kNone;  // the node on each side
    std::size_t x = 0, y = 0;          // its place among the siblings on each side
    std::int64_t Travel() const {
      return x > y ? static_cast<std::int64_t>(x - y) : static_cast<std::int64_t>(y - x);
    }
  };

  // The same whichever menu comes first.
  std::tuple<std::string, std::string, std::uint64_t, std::uint64_t, std::size_t, std::size_t>
  IdentityKey(const Stayer& s) const {
    const std::string& nameA = Name(a_.nodes[s.a]);
    const std::string& nameB = Name(b_.nodes[s.b]);
    const std::uint64_t hashA = a_.nodes[s.a].contentHash, hashB = b_.nodes[s.b].contentHash;
    return {std::min(nameA, nameB), std::max(nameA, nameB), std::min(hashA, hashB),
            std::max(hashA, hashB), std::min(s.x, s.y),     std::max(s.x, s.y)};
  }

  // The heaviest run rising in both menus that holds every forced entry: entries that would
  // cross a forced one are left out.
  static std::int64_t HeaviestRun(const std::vector<Stayer>& stayers,
                                  const std::vector<std::int64_t>& weight,
                                  const std::vector<char>& forced) {
    const std::size_t n = stayers.size();
    auto crosses = [&](std::size_t i, std::size_t j) {
      return (stayers[i].x < stayers[j].x) != (stayers[i].y < stayers[j].y);
    };
    std::vector<char> allowed(n, 1);
    for (std::size_t f = 0; f < n; ++f)
      if (forced[f])
        for (std::size_t i = 0; i < n; ++i)
          if (i != f && crosses(i, f)) allowed[i] = 0;
    std::vector<std::int64_t> best(n, 0);
    std::int64_t heaviest = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (!allowed[i]) continue;
      std::int64_t before = 0;
      for (std::size_t j = 0; j < i; ++j)
        if (allowed[j] && stayers[j].y < stayers[i].y) before = std::max(before, best[j]);
      best[i] = before + weight[i];
      heaviest = std::max(heaviest, best[i]);
    }
    return heaviest;
  }

  std::vector<FieldDifference> Differences(const NodeInfo& a, const NodeInfo& b) const {
    std::vector<FieldDifference> out;
    if (Name(a) != Name(b))
      out.push_back({"item", "item", FieldValue{Utf8Name(Name(a)), true, {}},
                     FieldValue{Utf8Name(Name(b)), true, {}}});
    std::size_t i = 0, j = 0;
    while (i < a.fields.size() || j < b.fields.size()) {
      const EntryField* x = i < a.fields.size() ? &a.fields[i] : nullptr;
      const EntryField* y = j < b.fields.size() ? &b.fields[j] : nullptr;
      if (x && (!y || x->order < y->order)) {
        out.push_back({x->Name(), x->Label(), x->Value(), std::nullopt});
        ++i;
      } else if (y && (!x || y->order < x->order)) {
        out.push_back({y->Name(), y->Label(), std::nullopt, y->Value()});
        ++j;
      } else {
        if (!x->SameValue(*y)) out.push_back({x->Name(), x->Label(), x->Value(), y->Value()});
        ++i;
        ++j;
      }
    }
    return out;
  }

  void EmitKept(std::size_t b) {
    const NodeInfo& bInfo = b_.nodes[b];
    const NodeInfo& aInfo = a_.nodes[bInfo.match];
    EntryDifference entry;
    entry.fields = Differences(aInfo, bInfo);
    const bool moved = aInfo.moved;
    if (!moved && entry.fields.empty()) return;
    entry.change = moved ? EntryChange::Moved : EntryChange::Changed;
    entry.identifier = Utf8Name(Name(bInfo));
    entry.before = a_.Place(bInfo.match);
    entry.after = b_.Place(b);
    result_.entries.push_back(std::move(entry));
  }

  void EmitAdded(std::size_t b) {
    EntryDifference entry;
    entry.change = EntryChange::Added;
    entry.identifier = Utf8Name(Name(b_.nodes[b]));
    entry.after = b_.Place(b);
    result_.entries.push_back(std::move(entry));
  }

  void EmitRemoved(std::size_t a) {
    EntryDifference entry;
    entry.change = EntryChange::Removed;
    entry.identifier = Utf8Name(Name(a_.nodes[a]));
    entry.before = a_.Place(a);
    result_.entries.push_back(std::move(entry));
    Walk(a, kNone, true, false);
  }

  // Both lists of children side by side, in the order of the second menu; an entry that went
  // is told of where it stood among the old siblings, before the first that stayed after it.
  void Walk(std::size_t a, std::size_t b, bool hasA, bool hasB) {
    const std::vector<std::size_t> none;
    const auto& left = hasA ? a_.SiblingsOf(a) : none;
    const auto& right = hasB ? b_.SiblingsOf(b) : none;
    std::size_t next = 0;
    auto removeUpTo = [&](std::size_t end) {
      for (; next < end; ++next)
        if (a_.nodes[left[next]].match == kNone) EmitRemoved(left[next]);
    };
    for (std::size_t child : right) {
      const std::size_t match = b_.nodes[child].match;
      if (match == kNone) {
        EmitAdded(child);
        Walk(kNone, child, false, true);
        continue;
      }
      const auto at = std::find(left.begin(), left.end(), match);
      if (at != left.end()) removeUpTo(static_cast<std::size_t>(at - left.begin()) + 1);
      EmitKept(child);
      Walk(match, child, true, true);
    }
    removeUpTo(left.size());
  }

  Side a_, b_;
  MenuComparison result_;
};

}  // namespace

MenuComparison CompareMenus(const ComparedMenu& before, const ComparedMenu& after) {
  return Comparer(before, after).Run();
}

}  // namespace menuforge
