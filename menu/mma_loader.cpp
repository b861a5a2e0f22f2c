#include "menu/mma_loader.h"

#include <limits>
#include <set>

#include "base/local_file.h"
#include "menu/chunk_codec.h"
#include "menu/mma_format.h"
#include "menu/tree_operations.h"

namespace menuforge {
namespace {

constexpr char kTooShortMessage[] =
    "The file is too short to be an mma_ucp file: it must hold at least the ten fixed records";
constexpr char kNotAMenuMessage[] = "The file is not an mma_ucp file: ";
constexpr char kTooFewRecords[] = "its header counts fewer than ten records";

// No menu the phone or this program writes breaks these rules; random or foreign bytes break
// them almost at once. Checking them before anything is named keeps such a file from reaching
// the item base.
std::string LinkOutsideTable(std::size_t record, std::size_t link, std::size_t count) {
  return "record " + std::to_string(record) + " links to record " + std::to_string(link) +
         ", outside its table of " + std::to_string(count) + " records";
}

std::string LinkLoop(std::size_t record, std::size_t link) {
  return "record " + std::to_string(record) + " links back to record " + std::to_string(link) +
         ", so its links run in a loop";
}

std::string ControlBytesInName(std::size_t record) {
  return "the item name of record " + std::to_string(record) + " holds control bytes";
}

std::string UnreadRecordsMessage(const std::vector<std::size_t>& records) {
  std::string numbers;
  for (const std::size_t record : records)
    numbers += (numbers.empty() ? "" : ", ") + std::to_string(record);
  return std::to_string(records.size()) +
         (records.size() == 1 ? " record belongs" : " records belong") +
         " to no folder of the menu and " + (records.size() == 1 ? "was" : "were") +
         " not read: " + numbers;
}

std::string CutTableMessage(std::size_t counted, std::size_t present) {
  return "The file is cut short: its header counts " + std::to_string(counted) +
         " records but it holds only " + std::to_string(present) +
         ", and no entry data could be read";
}

// Enough for the largest record table and any data offset plus length the records can name.
constexpr std::size_t kMostBytesReachable =
    kHeaderSize + kMaxRecordCount * RecordLayout::For(RecordSize::k36).size +
    2 * std::size_t{std::numeric_limits<std::uint16_t>::max()};

class Loader {
 public:
  Loader(ByteView file, const LoadContext& context, MenuTree& tree, FormatOptions& options,
         FormatState& state)
      : file_(file), context_(context), tree_(tree), options_(options), state_(state) {}

  LoadResult Run();

 private:
  bool ReadRecord(std::size_t number, NodeRecord& record) const;
  // False, with the reason in the result, when the record cannot be part of a menu.
  bool CheckRecord(std::size_t number, const NodeRecord& record);
  bool Refuse(const std::string& reason);
  // False when the item is missing while the profile is not "Default".
  bool NameNode(MenuNode& node, std::size_t softkeyIndex);
  bool NameEntries(const MenuNode& parent);
  bool ReadGroup(std::size_t first, MenuNode& parent);
  void ReadData(MenuNode& node);
  // Records the group links never reach: the phone may still read them, so they are kept aside.
  void FindUnreadRecords();
  LoadResult Refused() const { return Failure(refusal_); }

  ByteView file_;
  const LoadContext& context_;
  MenuTree& tree_;
  FormatOptions& options_;
  FormatState& state_;
  RecordLayout layout_ = RecordLayout::For(RecordSize::k36);
  std::size_t recordCount_ = 0;
  std::set<std::size_t> taken_;  // records already placed in the tree
  std::string refusal_;          // why the file is no menu
  LoadFindings found_;
};

bool Loader::ReadRecord(std::size_t number, NodeRecord& record) const {
  const std::size_t at = kHeaderSize + number * layout_.size;
  if (number >= recordCount_ || at + layout_.size > file_.size()) return false;
  const ByteView bytes = file_.subspan(at, layout_.size);
  record.itemType = bytes[0];
  record.parentIndex = bytes[1];
  record.nextIndex = bytes[2];
  record.firstChildIndex = bytes[3];
  record.titleMode = bytes[4];
  record.attributeByte = bytes[5];
  record.itemName = ZeroTextToString(bytes.subspan(kNameField, layout_.nameWidth));
  record.dataOffset = ReadU16Be(bytes, layout_.offsetField);
  record.dataLength = ReadU16Be(bytes, layout_.offsetField + 2);
  record.modified = record.dataLength != 0;
  return true;
}

bool Loader::NameNode(MenuNode& node, std::size_t softkeyIndex) {
  NodeRecord record = node.record();
  std::string displayText;
  const bool softkey = softkeyIndex < kSoftkeyCount;
  if (record.IsCustom()) {
    CountCustomName(tree_, record.itemName, softkey);
    if (!softkey) record.mayHaveSubitems = true;
    displayText = record.itemName;
  } else {
    if (record.titleMode == kTitleModeCustom) record.titleMode = kTitleModeOwnTitle;
    const ItemTable& items = context_.availableItems;
    const std::size_t found = items.Find(record.itemName);
    if (found < items.count()) {
      displayText = items.at(found).displayName;
      if (!softkey) record.mayHaveSubitems = items.at(found).mayHaveSubitems;
    } else {
      if (!context_.profileIsDefault) return false;
      found_.missingItems.push_back({record.itemName, record.itemType == kShortcut});
      if (!softkey) record.mayHaveSubitems = true;
    }
  }
  if (softkey) displayText = std::string(kSoftkeyPrefixes[softkeyIndex]) + displayText;
  tree_.EditRecord(node, [&](NodeRecord& named) { named = record; });
  tree_.SetDisplayText(node, std::move(displayText));
  return true;
}

bool Loader::Refuse(const std::string& reason) {
  refusal_ = kNotAMenuMessage + reason;
  return false;
}

bool Loader::CheckRecord(std::size_t number, const NodeRecord& record) {
  if (HasControlByte(record.itemName)) return Refuse(ControlBytesInName(number));
  for (const std::uint8_t link : {record.parentIndex, record.nextIndex, record.firstChildIndex})
    if (link != kNoIndex && link >= recordCount_)
      return Refuse(LinkOutsideTable(number, link, recordCount_));
  // In group order a child group always follows its parent's group; a link to a record already
  // placed (the fixed ones included) would read a subtree twice or forever.
  if (record.firstChildIndex != kNoIndex && taken_.count(record.firstChildIndex))
    return Refuse(LinkLoop(number, record.firstChildIndex));
  return true;
}

bool Loader::ReadGroup(std::size_t first, MenuNode& parent) {
  std::optional<std::uint8_t> groupParent;
  for (std::size_t r = first;; ++r) {
    NodeRecord record;
    if (taken_.count(r) || !ReadRecord(r, record)) return true;
    if (groupParent && record.parentIndex != *groupParent) return true;
    groupParent = record.parentIndex;
    taken_.insert(r);
    if (!CheckRecord(r, record)) return false;
    record.marker = kMenuMarker;

    MenuNode* added = tree_.Insert(&parent, parent.children().size(),
                                   std::make_unique<MenuNode>(std::move(record)));
    if (added->record().firstChildIndex != kNoIndex &&
        !ReadGroup(added->record().firstChildIndex, *added))
      return false;
  }
}

bool Loader::NameEntries(const MenuNode& parent) {
  for (const auto& child : parent.children())
    if (!NameNode(*child, kSoftkeyCount) || !NameEntries(*child)) return false;
  return true;
}

void Loader::ReadData(MenuNode& node) {
  const NodeRecord& record = node.record();
  if (record.modified) {
    const std::size_t at = state_.dataSectionOffset + record.dataOffset;
    const std::string who = "Entry \"" + record.itemName + "\": ";
    if (at + record.dataLength > file_.size()) {
      found_.warnings.push_back(who + "its data lies beyond the end of the file and was not read");
    } else {
      DecodedChunks decoded = DecodeChunks(file_.subspan(at, record.dataLength));
      for (const auto& problem : decoded.problems) found_.warnings.push_back(who + problem);
      if (!decoded.dropped.empty())
        found_.dropped.push_back({record.recordKey, std::move(decoded.dropped)});
      // 36-byte files always use 0C, whatever tag their chunks carry.
      if (decoded.lastIconTag && options_.saveMode == RecordSize::k22)
        options_.iconAttribute = *decoded.lastIconTag;
      if (!decoded.record.slots.empty())
        tree_.StoreLoadedData(record.recordKey, std::move(decoded.record));
    }
  }
  for (const auto& child : node.children()) ReadData(*child);
}

void Loader::FindUnreadRecords() {
  std::vector<std::size_t> unread;
  DroppedData dropped{kUnreadRecordsKey, {}};
  for (std::size_t r = kFixedRecordCount; r < recordCount_; ++r) {
    const std::size_t at = kHeaderSize + r * layout_.size;
    if (taken_.count(r) || at + layout_.size > file_.size()) continue;
    unread.push_back(r);
    dropped.bytes.insert(dropped.bytes.end(), file_.begin() + at,
                         file_.begin() + at + layout_.size);
  }
  if (unread.empty()) return;
  found_.warnings.push_back(UnreadRecordsMessage(unread));
  found_.dropped.push_back(std::move(dropped));
}

LoadResult Loader::Run() {
  if (file_.size() <= kRecordSizeProbeOffset) return Failure(kTooShortMessage);
  const RecordSize recordSize =
      file_[kRecordSizeProbeOffset] == kSoftkeyMarker ? RecordSize::k36 : RecordSize::k22;
  layout_ = RecordLayout::For(recordSize);
  recordCount_ = file_[2];
  if (recordCount_ < kFixedRecordCount) {
    Refuse(kTooFewRecords);
    return Refused();
  }
  if (file_.size() < kHeaderSize + kFixedRecordCount * layout_.size)
    return Failure(kTooShortMessage);

  state_.recordSize = RecordBytes(recordSize);
  options_.SelectSaveMode(recordSize);
  if (options_.c698pEnabled) options_.c698pFix = file_[1] == kHeaderC698pOn;
  state_.dataSectionOffset = static_cast<std::uint32_t>(recordCount_ * layout_.size + kHeaderSize);
  if (file_.size() < state_.dataSectionOffset)
    found_.warnings.push_back(
        CutTableMessage(recordCount_, (file_.size() - kHeaderSize) / layout_.size));

  MenuNode* softkeys = tree_.Insert(nullptr, 0, SoftkeysNode());

  // Soft keys never have children, so only their names are checked.
  for (std::size_t i = 0; i < kSoftkeyCount; ++i) {
    NodeRecord record;
    const std::size_t number = 2 + i;
    ReadRecord(number, record);
    if (HasControlByte(record.itemName)) {
      Refuse(ControlBytesInName(number));
      return Refused();
    }
    record.recordKey = static_cast<std::uint8_t>(i + 3);
    record.marker = kSoftkeyMarker;
    record.mayHaveSubitems = false;
    tree_.Insert(softkeys, i, std::make_unique<MenuNode>(std::move(record)));
  }

  // The main menu's first child is only known once its records are read.
  MenuNode* menuRoot = tree_.Insert(nullptr, 1, MenuRootNode(0));

  // The fixed records are placed already; a link back to them must not copy them into the main
  // menu, where they would also push record numbers past 255.
  for (std::size_t r = 0; r < kFixedRecordCount; ++r) taken_.insert(r);
  if (!ReadGroup(kFixedRecordCount, *menuRoot)) return Refused();

  // Named only once the whole file has passed, so that a file that is no menu at all is refused
  // as such rather than as one that does not match the profile.
  bool named = true;
  for (std::size_t i = 0; named && i < kSoftkeyCount; ++i)
    named = NameNode(*softkeys->children()[i], i);
  if (!named || !NameEntries(*menuRoot))
    return LoadResult(
        Failure(Message{kProfileMismatchOnLoadText, kProfileErrorCaption, MessageIcon::Warning}),
        LoadStatus::ProfileMismatch);
  tree_.Renumber();
  FindUnreadRecords();
  if (file_.size() > state_.dataSectionOffset) {
    ReadData(*softkeys);
    ReadData(*menuRoot);
  }
  return found_;
}

}  // namespace

LoadResult ParseMenuFile(ByteView file, const LoadContext& context, MenuTree& tree,
                         FormatOptions& options, FormatState& state) {
  LoadResult result = Loader(file, context, tree, options, state).Run();
  // A refused file is told of by one message; what was said of its parts no longer matters.
  if (!result) EmptyTree(tree);
  return result;
}

Result<Bytes> ReadMenuFileBytes(const std::filesystem::path& path) {
  const Result<std::string> read = ReadFileStart(path, kMostBytesReachable);
  if (!read) return Failure(read.error());
  return Bytes(read->begin(), read->end());
}

LoadResult LoadMenuFile(const std::filesystem::path& path, const LoadContext& context,
                        MenuTree& tree, FormatOptions& options, FormatState& state) {
  const Result<Bytes> bytes = ReadMenuFileBytes(path);
  if (!bytes) return Failure(bytes.error().text);
  return ParseMenuFile(*bytes, context, tree, options, state);
}

}  // namespace menuforge
