#include <algorithm>
#include <array>
#include <iostream>
#include <sstream>

#include "cli/command.h"
#include "cli/workspace.h"
#include "menu/languages.h"
#include "menu/mma_format.h"
#include "menu_json/text_forms.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kProfileOption};

// Record 0 exists only in the file; its values are fixed by the format.
constexpr char kRootName[] = "Root";
constexpr std::uint8_t kRootFirstChild = 1;

struct RecordLine {
  NodeRecord record;
  std::string displayText;
  const ItemDataRecord* data = nullptr;
};

// The names of the kinds, in the order of their enumerations.
constexpr std::array<const char*, 3> kTitleListNames = {"menu", "softkey", "show-text"};
constexpr std::array<const char*, 3> kDrmKindNames = {"list", "static", "animated"};
constexpr std::array<const char*, 4> kTextChunkNames = {"url", "midlet-1", "midlet-name",
                                                        "midlet-vendor"};

template <std::size_t N, typename Kind>
const char* NameOf(const std::array<const char*, N>& names, Kind kind) {
  return names[static_cast<std::size_t>(kind)];
}

std::string IconKindName(std::uint8_t kind) {
  switch (kind) {
    case kListIcon: return "list";
    case kStaticIcon: return "static";
    case kAnimatedIcon: return "animated";
    default: return "0x" + ByteToHex(kind);
  }
}

std::string WideValue(std::string_view key, std::u16string_view text) {
  if (HasSurrogate(text)) return "ucs2=" + Ucs2Hex(text);
  return std::string(key) + '=' + Quoted(WideToUtf8(text));
}

void PrintChunk(const ChunkSlot& slot, std::ostream& out) {
  const std::string tag = "tag=" + std::to_string(slot.tag());
  std::visit(Overloaded{
                 [&](const TitlesChunk& chunk) {
                   out << "  titles " << tag << " list=" << NameOf(kTitleListNames, chunk.list)
                       << " count=" << chunk.titles.size() << '\n';
                   for (const TitleEntry& title : chunk.titles)
                     out << "  title " << tag << " language=" << ByteToHex(title.languageId)
                         << " name=" << Quoted(LanguageName(title.languageId)) << ' '
                         << WideValue("text", title.text) << '\n';
                 },
                 [&](const FileIconChunk& chunk) {
                   out << "  icon " << tag << " kind=" << IconKindName(chunk.kind) << ' '
                       << WideValue("path", chunk.path) << '\n';
                 },
                 [&](const TextChunk& chunk) {
                   out << "  " << NameOf(kTextChunkNames, chunk.field) << ' ' << tag
                       << " text=" << Quoted(Latin1ToUtf8(chunk.text)) << '\n';
                 },
                 [&](const DrmIconChunk& chunk) {
                   out << "  drm-icon " << tag << " kind=" << NameOf(kDrmKindNames, chunk.kind)
                       << " drm-byte=0x" << ByteToHex(chunk.drmByte) << " number=" << chunk.number
                       << '\n';
                 },
                 [&](const CodeChunk& chunk) {
                   out << "  code " << tag << " byte=0x" << ByteToHex(chunk.value) << '\n';
                 },
                 [&](const ActionChunk& chunk) {
                   out << "  action " << tag << " code=" << chunk.code << '\n';
                 },
                 [&](const ShortcutChunk& chunk) {
                   const std::string text = ZeroTextToString(chunk.data);
                   out << "  shortcut " << tag << " text=" << Quoted(Latin1ToUtf8(text))
                       << " hex=" << CompactHex(chunk.data) << '\n';
                 },
                 [&](const UnknownGroupChunk& group) {
                   for (const UnknownChunk& chunk : group.chunks)
                     out << "  unknown tag=" << static_cast<int>(chunk.tag)
                         << " length=" << chunk.data.size() << " hex=" << CompactHex(chunk.data)
                         << '\n';
                 },
             },
             slot.content);
}

void PrintRecord(std::size_t number, const RecordLine& line, std::ostream& out) {
  const NodeRecord& r = line.record;
  out << "record " << number << " (" << ByteToHex(static_cast<std::uint8_t>(number)) << ")"
      << " name=" << Quoted(Latin1ToUtf8(r.itemName))
      << " display=" << Quoted(Latin1ToUtf8(line.displayText))
      << " type=" << static_cast<int>(r.itemType) << " title-mode=" << static_cast<int>(r.titleMode)
      << " (0x" << ByteToHex(r.titleMode) << ") attribute=0x" << ByteToHex(r.attributeByte)
      << " parent=" << ByteToHex(r.parentIndex) << " next=" << ByteToHex(r.nextIndex)
      << " first-child=" << ByteToHex(r.firstChildIndex) << " data-offset=" << r.dataOffset
      << " data-length=" << r.dataLength << '\n';
  if (line.data)
    for (const ChunkSlot& slot : line.data->slots) PrintChunk(slot, out);
}

RecordLine RootLine() {
  RecordLine root;
  root.record.itemType = kFolder;
  root.record.firstChildIndex = kRootFirstChild;
  root.record.itemName = kRootName;
  return root;
}

// Records in file order: "Root", "Softkeys", the soft keys, "Menu Root", then the main menu in
// group order, which is the order of the record keys renumbering gave it.
std::vector<RecordLine> FileOrder(const MenuTree& tree) {
  auto lineOf = [&](const MenuNode& node) {
    return RecordLine{node.record(), node.displayText(),
                      tree.itemData().Find(node.record().recordKey)};
  };
  std::vector<RecordLine> lines{RootLine(), lineOf(*tree.softkeys())};
  for (const auto& key : tree.softkeys()->children()) lines.push_back(lineOf(*key));
  lines.push_back(lineOf(*tree.menuRoot()));

  std::vector<const MenuNode*> entries;
  std::size_t position = 0;
  tree.ForEach([&](MenuNode& node) {
    if (position++ >= kFirstEntryPosition) entries.push_back(&node);
  });
  std::sort(entries.begin(), entries.end(), [](const MenuNode* a, const MenuNode* b) {
    return a->record().recordKey < b->record().recordKey;
  });
  for (const MenuNode* entry : entries) lines.push_back(lineOf(*entry));
  return lines;
}

int RunDump(const ParsedArguments& arguments) {
  Workspace workspace;
  workspace.Prepare(arguments);
  workspace.Open(arguments.positional[0]);

  const std::vector<RecordLine> lines = FileOrder(workspace.document.tree());
  std::ostringstream out;
  const FormatState& state = workspace.document.formatState();
  out << "header record-size=" << state.recordSize
      << " records=" << (state.dataSectionOffset - kHeaderSize) / state.recordSize
      << " c698p-fix=" << (workspace.document.options().c698pFix ? "on" : "off")
      << " data-section-offset=" << state.dataSectionOffset << '\n';
  for (std::size_t i = 0; i < lines.size(); ++i) PrintRecord(i, lines[i], out);
  std::cout << out.str();
  return kExitSuccess;
}

}  // namespace

const Command kDumpCommand{
    "dump",
    "FILE [--profile NAME]",
    "Shows every record of a menu file in file order, and each record's data chunks, one\n"
    "line each. Links are record numbers in hex (FF for none).\n"
    "\n"
    "  --profile NAME    open the file against Profiles/NAME.prf\n",
    kOptions,
    1,
    RunDump,
};

}  // namespace menuforge::cli
