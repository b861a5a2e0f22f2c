#include "menu/menu_comparison.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>

namespace menuforge {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

FieldValue OnOff(bool on) { return {on ? "on" : "off", false}; }

void CompareFormat(const FormatOptions& a, const FormatOptions& b,
                   std::vector<FieldDifference>& out) {
  auto add = [&](const char* field, FieldValue before, FieldValue after) {
    if (before != after) out.push_back({field, std::move(before), std::move(after)});
  };
  add("record-size", {std::to_string(RecordBytes(a.saveMode)), false},
      {std::to_string(RecordBytes(b.saveMode)), false});
  add("c698p-fix", OnOff(a.c698pFix), OnOff(b.c698pFix));
  add("icon-attribute", {ByteToHex(static_cast<std::uint8_t>(a.iconAttribute)), false},
      {ByteToHex(static_cast<std::uint8_t>(b.iconAttribute)), false});
  add("save-all-data", OnOff(a.saveAllData), OnOff(b.saveAllData));
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
  bool aligned = false;       // matched where its siblings were aligned
  bool entry = false;         // in the main menu, below "Menu Root"
  bool moved = false;
};

// One of the two menus, its nodes numbered in display order.
class Side {
 public:
  explicit Side(const MenuTree& tree) {
    for (const auto& top : tree.topLevel()) Add(*top, kNone, false, tree);
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
    info.fields = EntryFields(node.record(), tree.itemData().Find(node.record().recordKey));
    info.contentHash = ContentHash(info.fields);
    nodes.push_back(std::move(info));
    (parent == kNone ? top : nodes[parent].children).push_back(index);
    // Below "Menu Root" (the second top node) lies the main menu; the soft keys are fixed.
    const bool childrenAreEntries = entry || (parent == kNone && top.size() == 2);
    for (const auto& child : node.children()) Add(*child, index, childrenAreEntries, tree);
  }
};

class Comparer {
 public:
  Comparer(const ComparedMenu& before, const ComparedMenu& after)
      : a_(before.tree), b_(after.tree) {
    CompareFormat(before.options, after.options, result_.format);
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

  void Pair(std::size_t a, std::size_t b, bool aligned) {
    a_.nodes[a].match = b;
    b_.nodes[b].match = a;
    a_.nodes[a].aligned = b_.nodes[b].aligned = aligned;
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
      a_.nodes[a[i]].aligned = b_.nodes[b[i]].aligned = true;
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
      } else if (at(i - 1, j) >= at(i, j - 1)) {
        --i;
      } else {
        --j;
      }
    }
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) Pair(it->first, it->second, true);
  }

  // Entries the alignment left over, matched wherever they now stand: first those whose data
  // is equal too, then any of one identity, both in display order.
  void MatchAcrossFolders(bool equalDataOnly) {
    std::map<std::pair<std::string, std::uint64_t>, std::vector<std::size_t>> waiting;
    auto key = [&](const NodeInfo& info) {
      if (equalDataOnly) return std::pair(Custom(info) ? "~" : Name(info), info.contentHash);
      return std::pair(Name(info), std::uint64_t{0});
    };
    for (std::size_t i = b_.nodes.size(); i-- > 0;)
      if (b_.nodes[i].entry && b_.nodes[i].match == kNone) waiting[key(b_.nodes[i])].push_back(i);
    for (std::size_t i = 0; i < a_.nodes.size(); ++i) {
      if (!a_.nodes[i].entry || a_.nodes[i].match != kNone) continue;
      const auto found = waiting.find(key(a_.nodes[i]));
      if (found == waiting.end()) continue;
      std::vector<std::size_t>& candidates = found->second;  // the first in display order last
      while (!candidates.empty() && b_.nodes[candidates.back()].match != kNone)
        candidates.pop_back();
      if (candidates.empty()) continue;
      const std::size_t b = candidates.back();
      candidates.pop_back();
      Pair(i, b, false);
    }
  }

  // A matched entry moved when it left its folder, or when it left the order of its siblings
  // that stayed: outside the heaviest increasing run of their places, aligned pairs weighing
  // more than all others together.
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

  void KeepLongestOrder(const std::vector<std::size_t>& staying) {
    const std::size_t n = staying.size();
    const double alignedWeight = static_cast<double>(n + 1);
    std::vector<double> best(n);
    std::vector<std::size_t> previous(n, kNone), place(n);
    for (std::size_t i = 0; i < n; ++i) {
      const NodeInfo& info = a_.nodes[staying[i]];
      place[i] = b_.IndexAmongSiblings(info.match);
      const double weight = info.aligned ? alignedWeight : 1.0;
      best[i] = weight;
      for (std::size_t j = 0; j < i; ++j)
        if (place[j] < place[i] && best[j] + weight > best[i]) {
          best[i] = best[j] + weight;
          previous[i] = j;
        }
    }
    std::size_t last = kNone;
    for (std::size_t i = 0; i < n; ++i)
      if (last == kNone || best[i] > best[last]) last = i;
    std::vector<bool> kept(n, false);
    for (std::size_t i = last; i != kNone; i = previous[i]) kept[i] = true;
    for (std::size_t i = 0; i < n; ++i)
      if (!kept[i]) a_.nodes[staying[i]].moved = true;
  }

  std::vector<FieldDifference> Differences(const NodeInfo& a, const NodeInfo& b) const {
    std::vector<FieldDifference> out;
    if (Name(a) != Name(b))
      out.push_back(
          {"item", FieldValue{Utf8Name(Name(a)), true}, FieldValue{Utf8Name(Name(b)), true}});
    std::size_t i = 0, j = 0;
    while (i < a.fields.size() || j < b.fields.size()) {
      const EntryField* x = i < a.fields.size() ? &a.fields[i] : nullptr;
      const EntryField* y = j < b.fields.size() ? &b.fields[j] : nullptr;
      if (x && (!y || x->order < y->order)) {
        out.push_back({x->Name(), x->Value(), std::nullopt});
        ++i;
      } else if (y && (!x || y->order < x->order)) {
        out.push_back({y->Name(), std::nullopt, y->Value()});
        ++j;
      } else {
        if (!x->SameValue(*y)) out.push_back({x->Name(), x->Value(), y->Value()});
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
