// One record of the menu file's record table, as held for each node of the tree.
#pragma once

#include <cstdint>
#include <string>

namespace menuforge {

enum ItemType : std::uint8_t {
  kPlainItem = 0,
  kFolder = 1,
  kUrlLink = 3,
  kCallNumber = 4,
  kSendMessage = 5,
  kApplicationStart = 6,
  kShowText = 7,
  kEmulatedAction = 8,
  kShortcut = 9,
};

inline constexpr std::uint8_t kNoIndex = 0xFF;
inline constexpr std::uint8_t kSoftkeyMarker = 0xCC;
inline constexpr std::uint8_t kMenuMarker = 0xCD;

inline constexpr std::uint8_t kTitleModePlaced = 0;
inline constexpr std::uint8_t kTitleModeOwnTitle = 8;
inline constexpr std::uint8_t kTitleModeCustom = 24;

inline constexpr std::uint8_t kAttributeLockable = 0x01;
inline constexpr std::uint8_t kAttributeNonChangeable = 0x04;
inline constexpr std::uint8_t kAttributeProtected = 0x20;
inline constexpr std::uint8_t kAttributeNewEntry = 0x41;
inline constexpr std::uint8_t kAttributeReplacedEntry = 0x40;
inline constexpr std::uint8_t kAttributeWithFunction = 0x60;

inline constexpr char kContainerName[] = "Container";
inline constexpr char kMenuRootName[] = "MenuRoot";

struct NodeRecord {
  std::uint8_t itemType = kPlainItem;
  std::uint8_t parentIndex = kNoIndex;
  std::uint8_t nextIndex = kNoIndex;
  std::uint8_t firstChildIndex = kNoIndex;
  std::uint8_t recordKey = 0;
  std::uint8_t titleMode = kTitleModePlaced;
  std::uint8_t attributeByte = 0;
  std::string itemName;
  std::uint8_t marker = kMenuMarker;
  std::uint16_t dataOffset = 0;
  std::uint16_t dataLength = 0;
  bool modified = false;
  bool mayHaveSubitems = false;

  bool IsCustom() const { return !itemName.empty() && itemName.front() == '~'; }
  bool operator==(const NodeRecord&) const = default;
};

}  // namespace menuforge
