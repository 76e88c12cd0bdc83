// A short random user on each dialog; tavrokessasoak runs the long one. The seed
// is printed so that a failing run can be replayed: TK_MONKEY_SEED=n.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "Kit.h"

namespace {

std::uint32_t Seed() {
    const char* fixed = std::getenv("TK_MONKEY_SEED");
    return fixed != nullptr ? static_cast<std::uint32_t>(std::strtoul(fixed, nullptr, 10)) : GetTickCount();
}

class Monkey : public testing::TestWithParam<tkr::Kind> {};

}  // namespace

TEST_P(Monkey, StepsKeepEveryInvariant) {
    const std::uint32_t seed = Seed();
    std::printf("monkey %s: seed %u\n", tkr::NameOf(GetParam()), seed);
    const int steps = 250;
    const tkr::Tally tally = tkr::Monkey(GetParam(), seed, steps);
    EXPECT_GE(tally.steps, steps);
    for (const std::string& fault : tally.faults) ADD_FAILURE() << fault << " (seed " << seed << ")";
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, Monkey, testing::ValuesIn(tkr::kAllKinds),
                         [](const testing::TestParamInfo<tkr::Kind>& param) { return std::string(tkr::NameOf(param.param)); });
