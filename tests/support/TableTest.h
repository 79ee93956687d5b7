// The table over high.dat in folders of the test's own, keeping what it reports.
#pragma once

#include "core/render/Frame.h"
#include "core/shell/PlayerName.h"
#include "tests/support/ScoreFileCheck.h"

#include <gtest/gtest.h>

namespace tilzo {

struct TableTest : ::testing::Test {
    TableTest() { std::filesystem::create_directories(program); }
    HighScores& start(const std::filesystem::path& user = {}, bool beside = true)
    {
        scores = HighScores({program, user, user.empty() ? "none is known" : "", beside}, report);
        scores.GetPoints();
        return scores;
    }
    void enter(const char* name, std::int32_t points) { scores.checkpoints(playerNameFrom(name), points); }
    // The table's lines as the frame shows them, each ended by '|'.
    static std::string lines(const HighScores& table)
    {
        std::string shown;
        for (int i = 0; i < TableSize; ++i)
            shown += tableLine(table[i]) + '|';
        return shown;
    }
    std::filesystem::path file() const { return program / "high.dat"; }

    support::TempFolder root;
    std::filesystem::path program = root.path / "program";
    std::vector<std::string> reports;
    HighScores::Report report = [this](const std::string& message) { reports.push_back(message); };
    HighScores scores{{}, report};
};

} // namespace tilzo
