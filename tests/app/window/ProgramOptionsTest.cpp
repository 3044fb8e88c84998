// The command line and environment of the program.
#include "app/window/ProgramOptions.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ProgramOptions parse(QStringList arguments, const QString& environment = {}) {
    arguments.prepend(QStringLiteral("vantora"));
    return parseProgramOptions(arguments, environment);
}

TEST(ProgramOptionsTest, NothingGivenMeansTheRealBusAndNoExtras) {
    const ProgramOptions options = parse({});
    EXPECT_FALSE(options.simulate.has_value());
    EXPECT_TRUE(options.logFile.isEmpty());
    EXPECT_TRUE(options.screenshotPath.isEmpty());
    EXPECT_TRUE(options.error.isEmpty());
}

TEST(ProgramOptionsTest, ReadsEveryOptionInBothSpellings) {
    const ProgramOptions options =
        parse({"--simulate", "Y800,Y4", "--log-file=/tmp/a.log", "--screenshot", "/tmp/s.png"});
    ASSERT_TRUE(options.simulate.has_value());
    EXPECT_EQ(*options.simulate, (std::vector<std::string>{"Y800", "Y4"}));
    EXPECT_EQ(options.logFile, "/tmp/a.log");
    EXPECT_EQ(options.screenshotPath, "/tmp/s.png");
}

TEST(ProgramOptionsTest, EnvironmentSelectsSimulationWhenTheCommandLineDoesNot) {
    const ProgramOptions options = parse({}, "Y800");
    ASSERT_TRUE(options.simulate.has_value());
    EXPECT_EQ(*options.simulate, std::vector<std::string>{"Y800"});
}

TEST(ProgramOptionsTest, AFileOptionWithoutAFileIsAnError) {
    EXPECT_FALSE(parse({"--log-file"}).error.isEmpty());
    EXPECT_FALSE(parse({"--screenshot", "--simulate", "Y800"}).error.isEmpty());
    EXPECT_FALSE(parse({"--log-file="}).error.isEmpty());
}

TEST(WebBaseAddressTest, EnvironmentWinsOverTheSettingWhichWinsOverTheDefault) {
    QTemporaryDir dir;
    const QString file = dir.filePath("Vantora.ini");
    const QString fallback = QStringLiteral("https://vantora.invalid/");
    EXPECT_EQ(webBaseAddress(file, {}, fallback), fallback);
    QSettings(file, QSettings::IniFormat).setValue("WebBase", "http://127.0.0.1:8080/files");
    EXPECT_EQ(webBaseAddress(file, {}, fallback), "http://127.0.0.1:8080/files/");
    EXPECT_EQ(webBaseAddress(file, "http://localhost:9000/", fallback), "http://localhost:9000/");
}

} // namespace
