#include "cli/menu_sides.h"

#include <iostream>

#include <nlohmann/json.hpp>

#include "base/local_file.h"
#include "catalog/menu_opening.h"
#include "cli/command.h"
#include "cli/diff_inputs.h"
#include "cli/workspace.h"
#include "menu/mma_saver.h"

namespace menuforge::cli {
namespace {

constexpr char kNoOutput[] = "option -o OUT is needed";

}  // namespace

void PrepareSideCatalog(Catalog& catalog) {
  const Result<ItemBaseWarnings> items = catalog.ReadItemBase();
  if (!items) throw CommandFailure(items.error().text);
  PrintWarnings(*items);
  catalog.UseDefaultProfile();
}

void LoadSide(const std::string& side, const ParsedArguments& arguments, Catalog& catalog,
              LoadedSide& loaded) {
  const DiffInput input = ReadDiffInput(side, arguments);
  FormatState state;
  const LoadResult load = ParseMenuFile(input.view(), {catalog.availableItems(), true}, loaded.tree,
                                        loaded.options, state);
  if (!load) throw CommandFailure(side + ": " + load.error().text);
  PrintWarnings(load->warnings);
  std::vector<std::string> warnings;
  AdmitMissingItems(load->missingItems, loaded.tree, catalog, warnings);
  PrintWarnings(warnings);
}

std::filesystem::path OutputPath(const ParsedArguments& arguments) {
  const std::optional<std::string> path = arguments.Value(kOutputOption.name);
  if (!path || path->empty()) throw UsageError(kNoOutput);
  return *path;
}

void WriteMergedMenu(const std::filesystem::path& path, MenuTree& tree,
                     const FormatOptions& options, Catalog& catalog) {
  for (const std::string& item : ItemsOutsideTable(tree, catalog.availableItems()))
    (void)catalog.AdmitItem(item, false);
  Bytes bytes;
  if (const SaveResult encoded = EncodeMenuFile(tree, options, catalog.availableItems(), bytes);
      !encoded)
    throw CommandFailure(encoded.error().text);
  if (const Status written = WriteFileAtomically(path, bytes); !written)
    throw CommandFailure(written.error().text);
}

void PrintConflicts(const std::vector<std::string>& conflicts, bool json) {
  if (json) {
    const nlohmann::ordered_json document = {{"clean", conflicts.empty()},
                                             {"conflicts", conflicts}};
    // In ASCII, with \uXXXX for the rest, the JSON stays valid through the terminal-safe output.
    std::cout << document.dump(2, ' ', true, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
  } else {
    for (const std::string& line : conflicts) std::cout << line << '\n';
  }
}

}  // namespace menuforge::cli
