// Runs a fuzz target once over given inputs, for builds without libFuzzer: each argument is
// a file, or a directory whose regular files are all replayed, in name order.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsOf(const fs::path& argument, std::error_code& error)
{
    if (!fs::is_directory(argument, error))
        return fs::is_regular_file(argument, error) ? std::vector<fs::path>{argument} : std::vector<fs::path>{};
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(argument, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i)
    {
        std::error_code error;
        const std::vector<fs::path> inputs = inputsOf(argv[i], error);
        // A missing path would otherwise pass silently and keep no case at all.
        if (inputs.empty())
        {
            std::fprintf(stderr, "%s: no input at %s\n", argv[0], argv[i]);
            return 1;
        }
        for (const fs::path& input : inputs)
        {
            std::ifstream file(input, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
            std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::fprintf(stderr, "%s: %d inputs replayed\n", argv[0], replayed);
    return replayed > 0 ? 0 : 1;
}
