// Replays inputs through a fuzz target without libFuzzer, so that every build runs
// what the fuzzer has found: each file of the folders named (a file may be named alone), once, in
// name order. An input that breaks the target ends the run; the last name printed is the one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// A folder that does not exist holds nothing: no crash has been kept yet.
std::vector<std::filesystem::path> InputsIn(const std::filesystem::path& place) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  if (!std::filesystem::is_directory(place, error)) {
    if (std::filesystem::is_regular_file(place, error)) inputs.push_back(place);
    return inputs;
  }
  for (const auto& entry : std::filesystem::directory_iterator(place, error))
    if (entry.is_regular_file(error)) inputs.push_back(entry.path());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::vector<std::filesystem::path> found = InputsIn(argv[i]);
    inputs.insert(inputs.end(), found.begin(), found.end());
  }
  std::sort(inputs.begin(), inputs.end());
  for (const std::filesystem::path& input : inputs) {
    std::fprintf(stderr, "%s\n", input.c_str());
    std::ifstream in(input, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  // No input at all means the folders were lost, not that everything passed.
  return inputs.empty() ? 1 : 0;
}
