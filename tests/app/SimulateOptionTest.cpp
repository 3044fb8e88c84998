// Selecting the simulated backend from the command line or the environment.
#include "app/SimulateOption.h"

#include <gtest/gtest.h>

namespace {

using Models = std::vector<std::string>;

TEST(SimulateOptionTest, CommandLineListsTheModels) {
    EXPECT_EQ(simulatedModels({"vantora", "--simulate", "Y800,Y4"}, {}), Models({"Y800", "Y4"}));
    EXPECT_EQ(simulatedModels({"vantora", "--simulate=Y800, ,Y800"}, {}), Models({"Y800", "Y800"}));
}

TEST(SimulateOptionTest, CommandLineWinsOverTheEnvironment) {
    EXPECT_EQ(simulatedModels({"vantora", "--simulate", "Y4"}, "Y800"), Models{"Y4"});
    EXPECT_EQ(simulatedModels({"vantora"}, "Y800,Y90"), Models({"Y800", "Y90"}));
}

TEST(SimulateOptionTest, WithoutEitherTheRealBusIsUsed) {
    EXPECT_EQ(simulatedModels({"vantora"}, {}), std::nullopt);
    EXPECT_EQ(simulatedModels({"vantora"}, "  "), std::nullopt);
    EXPECT_EQ(simulatedModels({"--simulate"}, {}), std::nullopt) << "the program name is no option";
}

TEST(SimulateOptionTest, OptionWithoutModelsSimulatesAnEmptyBus) {
    EXPECT_EQ(simulatedModels({"vantora", "--simulate"}, {}), Models{});
    EXPECT_EQ(simulatedModels({"vantora", "--simulate", "--other"}, {}), Models{});
}

} // namespace
