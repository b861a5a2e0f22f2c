#include "menu_json/json_keys.h"
#include "menu_json/json_menu.h"
#include "menu_json/text_forms.h"

namespace menuforge::cli {
namespace {

using namespace json_keys;

// nlohmann refuses to write invalid UTF-8, and surrogates have no valid UTF-8 form.
void PutWide(Json& object, const char* textKey, std::u16string_view text) {
  if (HasSurrogate(text))
    object[kUcs2] = Ucs2Hex(text);
  else
    object[textKey] = WideToUtf8(text);
}

}  // namespace

Json ChunkToJson(const ChunkSlot& slot) {
  Json json;
  json[kTag] = slot.tag();
  std::visit(Overloaded{
                 [&](const TitlesChunk& chunk) {
                   Json titles = Json::array();
                   for (const TitleEntry& entry : chunk.titles) {
                     Json title;
                     title[kLanguage] = entry.languageId;
                     PutWide(title, kText, entry.text);
                     titles.push_back(std::move(title));
                   }
                   json[kTitles] = std::move(titles);
                 },
                 [&](const FileIconChunk& chunk) {
                   json[kKind] = chunk.kind;
                   PutWide(json, kPath, chunk.path);
                 },
                 [&](const TextChunk& chunk) { json[kText] = Latin1ToUtf8(chunk.text); },
                 [&](const DrmIconChunk& chunk) {
                   json[kDrmByte] = chunk.drmByte;
                   json[kNumber] = chunk.number;
                 },
                 [&](const CodeChunk& chunk) { json[kCode] = chunk.value; },
                 [&](const ActionChunk& chunk) { json[kAction] = chunk.code; },
                 [&](const ShortcutChunk& chunk) { json[kHex] = CompactHex(chunk.data); },
                 [&](const UnknownGroupChunk& group) {
                   Json unknown = Json::array();
                   for (const UnknownChunk& entry : group.chunks)
                     unknown.push_back({{kTag, entry.tag}, {kHex, CompactHex(entry.data)}});
                   json[kChunks] = std::move(unknown);
                 },
             },
             slot.content);
  return json;
}

namespace {

Json NodeToJson(const MenuNode& node, const ItemDataTable& itemData) {
  const NodeRecord& record = node.record();
  Json json;
  json[kName] = Latin1ToUtf8(record.itemName);
  json[kDisplay] = Latin1ToUtf8(node.displayText());
  json[kType] = record.itemType;
  json[kTitleMode] = record.titleMode;
  json[kAttribute] = record.attributeByte;
  json[kParent] = record.parentIndex;
  json[kNext] = record.nextIndex;
  json[kFirstChild] = record.firstChildIndex;
  json[kModified] = record.modified;
  Json data = Json::array();
  if (const ItemDataRecord* found = itemData.Find(record.recordKey))
    for (const ChunkSlot& slot : found->slots) data.push_back(ChunkToJson(slot));
  json[kData] = std::move(data);
  Json children = Json::array();
  for (const auto& child : node.children()) children.push_back(NodeToJson(*child, itemData));
  json[kChildren] = std::move(children);
  return json;
}

Json NodesToJson(const MenuNode& parent, const ItemDataTable& itemData) {
  Json nodes = Json::array();
  for (const auto& child : parent.children()) nodes.push_back(NodeToJson(*child, itemData));
  return nodes;
}

}  // namespace

Json MenuToJson(const MenuTree& tree, const FormatOptions& options) {
  Json json;
  json[kFormat] = {
      {kRecordSize, RecordBytes(options.saveMode)},
      {kC698pFix, options.c698pFix},
      {kIconAttribute, options.iconAttribute == IconAttribute::Tag06 ? kIcon06 : kIcon0C},
      {kSaveAllData, options.saveAllData},
  };
  json[kSoftkeys] = NodesToJson(*tree.softkeys(), tree.itemData());
  json[kMenu] = NodesToJson(*tree.menuRoot(), tree.itemData());
  return json;
}

}  // namespace menuforge::cli
