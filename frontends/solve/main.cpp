// tilzo-solve: the solver on boards from a file or standard input, one answer per board.
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/Version.h"
#include "core/solve/BoardReader.h"
#include "core/solve/Solver.h"

namespace {

using namespace tilzo::solve;

constexpr const char* Usage
    = "usage: tilzo-solve [--rules tilzo|standard] [--seconds S] [--threads N] [--seed N] [--stats] [FILE]\n";

struct Options {
    Rules rules;
    double seconds = 10;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::uint64_t seed = std::random_device{}();
    bool stats = false;
    std::string file;
};

struct BadOption {
    std::string what;
};

template <typename Number>
Number whole(std::string_view text, Number low, Number high, const char* option)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw BadOption{std::string(option) + " needs a whole number from " + std::to_string(low) + " to "
                        + std::to_string(high) + ", not '" + std::string(text) + "'"};
    return value;
}

double seconds(const std::string& text)
{
    std::size_t used = 0;
    double value = 0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
    }
    if (used != text.size() || !std::isfinite(value) || value <= 0 || value > 1e6)
        throw BadOption{"--seconds needs a number of seconds above 0, not '" + text + "'"};
    return value;
}

Options parse(int argc, char* argv[])
{
    Options options;
    bool fileGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 == argc)
                throw BadOption{arg + " needs a value"};
            return argv[++i];
        };
        if (arg == "--rules") {
            const std::string rules = value();
            if (rules != "tilzo" && rules != "standard")
                throw BadOption{"--rules is tilzo or standard, not '" + rules + "'"};
            options.rules.kind = rules == "tilzo" ? Rules::Kind::Tilzo : Rules::Kind::Standard;
        } else if (arg == "--seconds") {
            options.seconds = seconds(value());
        } else if (arg == "--threads") {
            options.threads = whole(value(), 1u, 256u, "--threads");
        } else if (arg == "--seed") {
            options.seed = whole<std::uint64_t>(value(), 0, UINT64_MAX, "--seed");
        } else if (arg == "--stats") {
            options.stats = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw BadOption{"unknown option '" + arg + "'"};
        } else if (fileGiven) {
            throw BadOption{"one FILE at most, not also '" + arg + "'"};
        } else {
            options.file = arg;
            fileGiven = true;
        }
    }
    return options;
}

// Every thread searches on its own from its own seed; the best line wins, the first thread's on a tie.
Line solve(const Board& board, const Options& options, std::uint64_t& playouts)
{
    const auto budget = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(options.seconds));
    const auto deadline = std::chrono::steady_clock::now() + budget;
    std::vector<Line> lines(options.threads);
    std::vector<std::uint64_t> counts(options.threads);
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < options.threads; ++t)
        threads.emplace_back([&, t] {
            Solver solver(board, options.rules, options.seed + t);
            solver.endBy(deadline);
            solver.run(deadline - std::chrono::steady_clock::now());
            lines[t] = solver.best();
            counts[t] = solver.playouts();
        });
    for (std::thread& thread : threads)
        thread.join();
    playouts = 0;
    std::size_t best = 0;
    for (unsigned t = 0; t < options.threads; ++t) {
        playouts += counts[t];
        if (lines[t].score > lines[best].score)
            best = t;
    }
    return lines[best];
}

int solveAll(std::istream& in, const Options& options)
{
    BoardReader reader(in, options.rules);
    Grid grid;
    for (int n = 1; reader.next(grid); ++n) {
        const Board board(grid);
        std::uint64_t playouts = 0;
        const auto start = std::chrono::steady_clock::now();
        const Line line = solve(board, options, playouts);
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::cout << "score " << line.score << "\nmoves";
        for (int i = 0; i < line.length; ++i)
            std::cout << ' ' << int(line.move[i].column) << ',' << board.row(line.move[i]);
        std::cout << std::endl;
        if (options.stats)
            std::cerr << "board " << n << ": " << playouts << " playouts in " << took << " s, "
                      << std::lround(double(playouts) / took) << " a second\n";
    }
    if (reader.error().empty())
        return 0;
    std::cerr << "tilzo-solve: " << (options.file.empty() ? "" : options.file + ": ") << reader.error()
              << '\n';
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::cout << Usage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "tilzo-solve " << TILZO_VERSION << '\n';
            return 0;
        }
    }
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const BadOption& bad) {
        std::cerr << "tilzo-solve: " << bad.what << " (see --help)\n";
        return 2;
    }
    if (options.file.empty())
        return solveAll(std::cin, options);
    std::ifstream file(options.file);
    if (!file) {
        std::cerr << "tilzo-solve: cannot read " << options.file << '\n';
        return 2;
    }
    return solveAll(file, options);
}
