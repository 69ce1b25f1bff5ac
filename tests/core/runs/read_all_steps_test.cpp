#include "runs/read_all_steps.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace tlx {
namespace {

using std::chrono::milliseconds;

std::string sent(Product p, int step) {
    const RunStep r = readAllStep(p, step);
    return r.kind == RunStep::Kind::Send ? r.line : "-";
}

TEST(ReadAllSteps, ModelFTableFirstAndLastOfEveryBlock) {
    const std::map<int, std::string> expected = {
        {1, "RCA001"},      {512, "RCA512"},    {514, "RCABC001"},  {1025, "RCABC512"},
        {1026, "RCBS001"},  {1537, "RCBS512"},  {1538, "RCFS001"},  {2049, "RCFS512"},
        {2050, "RFB001"},   {2561, "RFB512"},   {2562, "RIDLS001"}, {3073, "RIDLS512"},
        {3074, "RIDOH001"}, {3585, "RIDOH512"}, {3586, "RIDP001"},  {4097, "RIDP512"},
        {4098, "RIDRT001"}, {4609, "RIDRT512"}, {4610, "RSD01"},    {4625, "RSD16"},
        {4640, "RSD31"},    {4641, "RACA"},     {4642, "RAD"},      {4643, "RADT"},
        {4644, "RAM"},      {4645, "RAP"},      {4646, "RAR"},      {4647, "RCI"},
        {4648, "RPOSP"},    {4649, "RRCA"},     {4650, "RRM"},      {4651, "RTSD"},
        {4652, "RTSDR"},    {4653, "RVLBC"},    {4655, "RCL"},      {4656, "RPAST"},
        {4657, "RVN"},      {4658, "RCFT001"},  {5169, "RCFT512"},  {5170, "RTSDS"},
    };
    for (const auto& [step, cmd] : expected) {
        EXPECT_EQ(sent(Product::F, step), cmd + "\r\n") << "step " << step;
    }
    EXPECT_EQ(readAllStep(Product::F, 513).kind, RunStep::Kind::Pace);
    EXPECT_EQ(readAllStep(Product::F, 513).interval, milliseconds{60});
    EXPECT_EQ(readAllStep(Product::F, 4654).kind, RunStep::Kind::Pace);
    EXPECT_EQ(readAllStep(Product::F, 4654).interval, milliseconds{200});
    EXPECT_EQ(readAllStep(Product::F, 0).kind, RunStep::Kind::Idle);
    EXPECT_EQ(readAllStep(Product::F, 5171).kind, RunStep::Kind::Idle);
    EXPECT_EQ(versionReadStep(Product::F), 4657);
}

TEST(ReadAllSteps, ModelSTableFirstAndLastOfEveryBlock) {
    const std::map<int, std::string> expected = {
        {1, "RCA001"},   {512, "RCA512"},   {514, "RIDRT001"}, {1025, "RIDRT512"},
        {1026, "RSD01"}, {1056, "RSD31"},   {1057, "RACA"},    {1058, "RAD"},
        {1059, "RADT"},  {1060, "RAM"},     {1061, "RAP"},     {1062, "RAR"},
        {1063, "RCI"},   {1064, "RPOSP"},   {1065, "RRCA"},    {1066, "RRM"},
        {1067, "RTSD"},  {1068, "RTSDR"},   {1069, "RVLBC"},   {1071, "RCABC"},
        {1072, "RCBS"},  {1073, "RCFS"},    {1074, "RCL"},     {1075, "RFB"},
        {1076, "RIDO"},  {1077, "RIDP"},    {1078, "RISS"},    {1079, "RPAS"},
        {1080, "RVN"},   {1081, "RCFT001"}, {1592, "RCFT512"}, {1593, "RTSDS"},
    };
    for (const auto& [step, cmd] : expected) {
        EXPECT_EQ(sent(Product::S, step), cmd + "\r\n") << "step " << step;
    }
    EXPECT_EQ(readAllStep(Product::S, 513).interval, milliseconds{60});
    EXPECT_EQ(readAllStep(Product::S, 1070).kind, RunStep::Kind::Pace);
    EXPECT_EQ(readAllStep(Product::S, 1070).interval, milliseconds{500});
    EXPECT_EQ(readAllStep(Product::S, 1594).kind, RunStep::Kind::Idle);
    EXPECT_EQ(versionReadStep(Product::S), 1080);
}

TEST(ReadAllSteps, EveryStepButThePaceStepsSendsOneRead) {
    for (Product p : {Product::F, Product::S}) {
        const int total = p == Product::F ? 5170 : 1593;
        int sends = 0;
        for (int step = 1; step <= total; ++step) {
            const RunStep r = readAllStep(p, step);
            if (r.kind == RunStep::Kind::Send) {
                ++sends;
                EXPECT_EQ(r.line.front(), 'R') << "step " << step;
                EXPECT_TRUE(r.line.ends_with("\r\n"));
            }
        }
        EXPECT_EQ(sends, total - 2);
    }
}

} // namespace
} // namespace tlx
