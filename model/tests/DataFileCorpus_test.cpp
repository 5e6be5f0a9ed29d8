// No damaged data file crashes or hangs the reader: every truncation of the
// sample files, random byte changes and huge counts in every integer item.
#include "SampleWalls.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class DataFileCorpusTest : public ::testing::Test {
protected:
    // The samples: a new wall, a wall with every table and the long-term
    // block in the current layout, and the two older layouts, with the format
    // each is read with.
    static std::vector<std::pair<std::string, TFileLayout>> Samples(BatchHost& host)
    {
        std::vector<std::pair<std::string, TFileLayout>> samples = {{kNewWallFile, TFileLayout::Current},
                                                                    {Version30File("5"), TFileLayout::Version30},
                                                                    {kVersion20File, TFileLayout::Version20}};
        for (unsigned seed : {3u, 17u}) {
            RandomWall random(host, seed);
            auto wall = random.Make();
            wall->LongTermAnalysis = true;
            wall->UseExternalPyCurves = wall->UseMeiCurves = wall->UseSurcharge = true;
            samples.emplace_back(wall->DataFileText(), TFileLayout::Current);
        }
        return samples;
    }

    // Reads `content` in `layout`; the reader must report a damaged file
    // through the prompt with one of its messages, return a wall with at most
    // as many rows as the file has words, and that wall must save again.
    void Check(const std::string& content, TFileLayout layout, const std::string& what)
    {
        WriteBytes(path, content);
        host.prompt.shown.clear();
        auto wall = TProgramData::CreateFromFile(host, path, layout);
        ++reads;
        ASSERT_LE(host.prompt.shown.size(), 1u) << what;
        if (!host.prompt.shown.empty()) {
            const std::string& message = host.prompt.shown[0];
            ++reported;
            EXPECT_TRUE(message == "This file either invalid or incomplete." ||
                        message.rfind("Error on Line ", 0) == 0 ||
                        message.rfind("Text follows the end of the wall at line ", 0) == 0)
                << what << ": " << message;
        }
        const std::size_t words = std::count_if(content.begin(), content.end(),
                                                 [](char c) { return c == ' ' || c == '\t' || c == '\n'; }) + 1;
        for (int i = 0; i < WallTables::Count; ++i) {
            const TGridTable& table = host.tables.Table(i);
            ASSERT_LE(static_cast<std::size_t>(table.RowCount()), std::max<std::size_t>(words, table.MinRows()))
                << what << ": " << WallTables::Name(i);
        }
        EXPECT_GE(wall->StageCount, 1) << what;
        EXPECT_LE(wall->StageCount, 5) << what;
        EXPECT_NO_THROW(wall->DataFileText()) << what;
    }

    TempDir dir;
    BatchHost host;
    std::string path = dir.File("damaged.tk4d");
    int reads = 0;
    int reported = 0;
};

TEST_F(DataFileCorpusTest, EveryTruncationInEveryLayout)
{
    for (const auto& [sample, ownFormat] : Samples(host)) {
        for (std::size_t length = 0; length < sample.size(); ++length)
            for (TFileLayout format : {TFileLayout::Current, TFileLayout::Version30, TFileLayout::Version20})
                if (format == ownFormat || length % 7 == 0)
                    Check(sample.substr(0, length), format, "truncated at " + std::to_string(length));
    }
    // Only a cut in the last line's end leaves a complete current-layout file.
    EXPECT_GT(reported, reads * 9 / 10);
}

TEST_F(DataFileCorpusTest, RandomByteChanges)
{
    std::mt19937 random(2024);
    const std::string interesting = std::string("0123456789-+.eE \t\r\n", 19) + std::string(1, '\0') + "\xff";
    const auto samples = Samples(host);
    for (int mutant = 0; mutant < 3000; ++mutant) {
        const auto& [sample, format] = samples[mutant % samples.size()];
        std::string damaged = sample;
        const int changes = 1 + mutant % 4;
        for (int k = 0; k < changes; ++k) {
            const std::size_t at = std::uniform_int_distribution<std::size_t>(0, damaged.size() - 1)(random);
            const int pick = std::uniform_int_distribution<int>(0, static_cast<int>(interesting.size()))(random);
            damaged[at] = pick < static_cast<int>(interesting.size()) ? interesting[pick]
                                                                      : static_cast<char>(random() & 0xff);
        }
        Check(damaged, format, "mutant " + std::to_string(mutant));
    }
}

TEST_F(DataFileCorpusTest, HugeAndNegativeValuesInEveryIntegerItem)
{
    for (const auto& [sample, format] : Samples(host)) {
        // Every word that reads as an integer, replaced in turn.
        std::vector<std::pair<std::size_t, std::size_t>> integers;
        for (std::size_t at = 0; at < sample.size();) {
            const std::size_t end = sample.find_first_of(" \t\r\n", at);
            const std::size_t stop = end == std::string::npos ? sample.size() : end;
            const std::string word = sample.substr(at, stop - at);
            if (!word.empty() && word.find_first_not_of("0123456789") == std::string::npos)
                integers.emplace_back(at, stop - at);
            at = stop + 1;
        }
        for (const auto& [at, length] : integers)
            for (const char* value : {"2147483647", "-2147483648", "99999", "-1", "2147483648"}) {
                std::string damaged = sample;
                damaged.replace(at, length, value);
                Check(damaged, format, std::string(value) + " at " + std::to_string(at));
            }
    }
}

}  // namespace
