// Runs a fuzz harness over saved inputs without libFuzzer: every file named on the
// command line, and every file (recursively, in name order) of every folder named there.
// The regular test run uses it to replay the committed corpora through each harness.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path &path)
{
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path)) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(path)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
    } else if (std::filesystem::is_regular_file(path)) {
        files.push_back(path);
    }
    return files;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...\n", argv[0]);
        return 2;
    }
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::filesystem::path> files = inputsOf(argv[i]);
        if (files.empty()) {
            // A missing or empty corpus would make the test pass without testing anything.
            std::fprintf(stderr, "%s: no inputs in %s\n", argv[0], argv[i]);
            return 1;
        }
        for (const auto &file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            if (in.bad()) {
                std::fprintf(stderr, "%s: cannot read %s\n", argv[0], file.c_str());
                return 1;
            }
            // A heap block of exactly the input's size, so that AddressSanitizer sees any
            // read past its end (as under libFuzzer).
            const std::unique_ptr<uint8_t[]> input(new uint8_t[bytes.size()]);
            std::copy(bytes.begin(), bytes.end(), input.get());
            std::fprintf(stderr, "replaying %s (%zu bytes)\n", file.c_str(), bytes.size());
            LLVMFuzzerTestOneInput(input.get(), bytes.size());
            ++replayed;
        }
    }
    std::fprintf(stderr, "%zu inputs replayed\n", replayed);
    return 0;
}
