// Runs a fuzz target without libFuzzer, so its checks run with the test suite: on every
// seed, then on seeded random edits of them. A failed check aborts, as under the fuzzer.
//   <target>_replay RUNS SEED_FOLDER
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void run(const std::string& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RUNS SEED_FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(argv[2])) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::sort(seeds.begin(), seeds.end());
    if (seeds.empty())
        return 2;
    std::for_each(seeds.begin(), seeds.end(), run);

    std::mt19937 random(20261206);
    const long runs = std::atol(argv[1]);
    for (long i = 0; i < runs; ++i) {
        std::string input = seeds[random() % seeds.size()];
        for (int edits = 1 + random() % 8; edits > 0; --edits) {
            const std::size_t at = input.empty() ? 0 : random() % input.size();
            if (random() % 3 == 0)
                input.insert(at, 1, char(random()));
            else if (random() % 2 == 0 && !input.empty())
                input[at] = char(random());
            else
                input.erase(at, 1 + random() % 4);
        }
        run(input);
    }
    std::printf("%zu seeds and %ld edits of them passed\n", seeds.size(), runs);
    return 0;
}
