// Member names of the JSON menu, shared by its writer and its reader.
#pragma once

namespace menuforge::cli::json_keys {

inline constexpr char kFormat[] = "format";
inline constexpr char kRecordSize[] = "recordSize";
inline constexpr char kC698pFix[] = "c698pFix";
inline constexpr char kIconAttribute[] = "customIconAttribute";
inline constexpr char kSaveAllData[] = "saveAllData";
inline constexpr char kSoftkeys[] = "softkeys";
inline constexpr char kMenu[] = "menu";

inline constexpr char kName[] = "name";
inline constexpr char kDisplay[] = "display";
inline constexpr char kType[] = "type";
inline constexpr char kTitleMode[] = "titleMode";
inline constexpr char kAttribute[] = "attribute";
inline constexpr char kParent[] = "parent";
inline constexpr char kNext[] = "next";
inline constexpr char kFirstChild[] = "firstChild";
inline constexpr char kModified[] = "modified";
inline constexpr char kData[] = "data";
inline constexpr char kChildren[] = "children";

inline constexpr char kTag[] = "tag";
inline constexpr char kTitles[] = "titles";
inline constexpr char kLanguage[] = "language";
inline constexpr char kText[] = "text";
inline constexpr char kUcs2[] = "ucs2";
inline constexpr char kKind[] = "kind";
inline constexpr char kPath[] = "path";
inline constexpr char kDrmByte[] = "drmByte";
inline constexpr char kNumber[] = "number";
inline constexpr char kCode[] = "code";
inline constexpr char kAction[] = "action";
inline constexpr char kHex[] = "hex";
inline constexpr char kChunks[] = "chunks";

inline constexpr char kIcon06[] = "06";
inline constexpr char kIcon0C[] = "0C";

}  // namespace menuforge::cli::json_keys
