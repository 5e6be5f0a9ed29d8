#include "study/Study.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

using namespace study;

namespace {

const char* kMonteCarlo = R"({
  "wall": "walls/three-stage.tk4d",
  "kind": "monte carlo",
  "parameters": [
    {"parameter": "layer 1 friction angle", "distribution": "normal", "mean": 33, "deviation": 2},
    {"parameter": "layer 2 friction angle", "distribution": "truncated normal", "mean": 35, "deviation": 3,
     "low": 28, "high": 40}
  ],
  "correlation": [[1, 0.5], [0.5, 1]],
  "sampling": "latin hypercube",
  "count": 500,
  "seed": 7,
  "compute": {"safety_factor": true},
  "failure": {"output": "stage 3 largest moment", "above": 120}
})";

std::string ErrorOf(const std::string& text)
{
    try {
        ParseStudy(text, "s.json");
    } catch (const TorvikError& e) {
        return e.what();
    }
    return "";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

}  // namespace

TEST(StudyFile, ReadsEveryPartAndWritesItBack)
{
    const StudyDefinition s = ParseStudy(kMonteCarlo, "s.json");
    EXPECT_EQ(s.wallFile, "walls/three-stage.tk4d");
    EXPECT_EQ(s.kind, StudyKind::MonteCarlo);
    ASSERT_EQ(s.parameters.size(), 2u);
    EXPECT_EQ(s.parameters[1].distribution.kind, DistributionKind::TruncatedNormal);
    EXPECT_EQ(s.parameters[1].distribution.high, 40);
    EXPECT_EQ(s.correlation[0][1], 0.5);
    EXPECT_TRUE(s.latinHypercube);
    EXPECT_EQ(RealisationCount(s), 500);
    EXPECT_EQ(s.seed, 7u);
    EXPECT_TRUE(s.computed.safetyFactor);
    EXPECT_TRUE(s.computed.maxima);
    EXPECT_EQ(*s.failure.above, 120);
    EXPECT_EQ(StudyText(ParseStudy(StudyText(s), "again")), StudyText(s));
}

TEST(StudyFile, CountsTheRealisationsOfEachKind)
{
    const std::string sweep = R"({"wall": "w", "kind": "sweep", "grid": GRID, "parameters": [
        {"parameter": "surcharge q", "values": [0, 10, 20]}, {"parameter": "layer 1 k", "values": [1, 2, 3]}]})";
    EXPECT_EQ(RealisationCount(ParseStudy(Replaced(sweep, "GRID", "true"), "s")), 9);
    EXPECT_EQ(RealisationCount(ParseStudy(Replaced(sweep, "GRID", "false"), "s")), 3);
    const StudyDefinition tornado = ParseStudy(R"({"wall": "w", "kind": "sensitivity", "parameters": [
        {"parameter": "surcharge q", "low": 0, "high": 20}, {"parameter": "layer 1 k", "percent": 10}]})", "s");
    EXPECT_EQ(RealisationCount(tornado), 5);
    EXPECT_EQ(*tornado.parameters[1].percent, 10);
}

TEST(StudyFile, NamesTheLineAndKeyOfAFault)
{
    EXPECT_EQ(ErrorOf("{\n\"wall\": \"w\",\n\"kind\": }"), "The study file s.json is damaged at line 3: it is not valid JSON.");
    EXPECT_EQ(ErrorOf(Replaced(kMonteCarlo, "\"deviation\": 3", "\"deviation\": 0")),
              "The study file s.json cannot be used at line 6: the deviation must be above 0.");
    EXPECT_EQ(ErrorOf(Replaced(kMonteCarlo, "\"count\": 500", "\"count\": 2.5")),
              "The study file s.json cannot be used at line 11: the count must be a whole number from 1 to 100000000.");
    EXPECT_EQ(ErrorOf(Replaced(kMonteCarlo, "\"mean\": 33", "\"maen\": 33")),
              "The study file s.json cannot be used at line 5: \"maen\" is no key of a study file.");
    EXPECT_NE(ErrorOf(Replaced(kMonteCarlo, "\"monte carlo\"", "\"monte-carlo\"")).find("line 3: \"monte-carlo\" is no kind"),
              std::string::npos);
    EXPECT_NE(ErrorOf(Replaced(kMonteCarlo, "[0.5, 1]]", "[0.4, 1]]")).find("line 9: the correlation must be symmetric"),
              std::string::npos);
    EXPECT_NE(ErrorOf(R"({"wall": "w", "kind": "monte carlo", "count": 10, "parameters": [
        {"parameter": "a", "distribution": "normal", "mean": 1, "deviation": 1},
        {"parameter": "b", "distribution": "normal", "mean": 1, "deviation": 1},
        {"parameter": "c", "distribution": "normal", "mean": 1, "deviation": 1}],
        "correlation": [[1, 0.9, -0.9], [0.9, 1, 0.9], [-0.9, 0.9, 1]]})")
                  .find("not positive definite"),
              std::string::npos);
}
