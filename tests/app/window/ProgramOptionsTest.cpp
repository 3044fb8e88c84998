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

TEST(ProgramOptionsTest, HelpAndVersionAreAskedFor) {
    EXPECT_TRUE(parse({"--help"}).showHelp);
    EXPECT_TRUE(parse({"-h"}).showHelp);
    EXPECT_FALSE(parse({"--help"}).showVersion);
    EXPECT_TRUE(parse({"--simulate", "Y800", "--version"}).showVersion);
    EXPECT_TRUE(parse({"--version"}).error.isEmpty());
    EXPECT_FALSE(parse({}).showHelp);
    EXPECT_FALSE(parse({}).showVersion);
}

TEST(ProgramOptionsTest, AnUnknownOptionIsAnErrorThatNamesIt) {
    const ProgramOptions misspelt = parse({"--simulat", "Y800"});
    EXPECT_TRUE(misspelt.error.contains("--simulat")) << misspelt.error.toStdString();
    EXPECT_TRUE(parse({"--simulat=Y800"}).error.contains("--simulat"));
    EXPECT_TRUE(parse({"--log-file", "a.log", "-x"}).error.contains("-x"));
    EXPECT_TRUE(parse({"stray"}).error.contains("stray"));
    EXPECT_FALSE(parse({"--version=2"}).error.isEmpty());
}

TEST(ProgramOptionsTest, TheToolkitsArgumentsPassUntilTheApplicationHasTakenThem) {
    const QStringList arguments{"vantora", "-platform", "offscreen", "--simulate", "Y800"};
    const ProgramOptions early = parseProgramOptions(arguments, {}, ToolkitArguments::MayFollow);
    EXPECT_TRUE(early.error.isEmpty());
    EXPECT_EQ(early.simulate, std::vector<std::string>{"Y800"});
    EXPECT_TRUE(
        parseProgramOptions(arguments, {}, ToolkitArguments::Removed).error.contains("-platform"));
    // The program's own options are known at once, so a wrong one needs no display.
    EXPECT_TRUE(parseProgramOptions({"vantora", "-style", "fusion", "--screenshoot", "a.png"}, {},
                                    ToolkitArguments::MayFollow)
                    .error.contains("--screenshoot"));
}

TEST(ProgramHelpTest, NamesEveryOptionTheEnvironmentAndTheSimulatedModels) {
    const QString help = programHelp({"Y800", "Y4"});
    for (const char* part :
         {"--simulate MODEL[,MODEL...]", "--log-file PATH", "--screenshot PATH", "--help",
          "--version", "VANTORA_SIMULATE", "VANTORA_WEB_BASE", "Simulated models: Y800, Y4"}) {
        EXPECT_TRUE(help.contains(QLatin1String(part))) << part;
    }
    EXPECT_EQ(versionLine("0.24b"), "Vantora 0.24b");
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

namespace {

TEST(ProgramOptionsTest, TetheringOptionsAreReadAndCheckedTogether) {
    const ProgramOptions options =
        parse({"--tether", "/tmp/shoot", "--prefix=Studio_", "--camera", "Y800,2", "--hook",
               "cp -t /backup", "--hook-timeout", "2.5", "--frames", "10", "--interval=0.5"});
    ASSERT_TRUE(options.error.isEmpty()) << options.error.toStdString();
    ASSERT_TRUE(options.tether.has_value());
    const TetherOptions& tether = *options.tether;
    EXPECT_EQ(tether.directory, "/tmp/shoot");
    EXPECT_EQ(tether.prefix, "Studio_");
    EXPECT_EQ(tether.cameraModel, "Y800");
    EXPECT_EQ(tether.cameraOrdinal, 2);
    EXPECT_EQ(tether.hook, "cp -t /backup");
    EXPECT_DOUBLE_EQ(tether.hookTimeout_s, 2.5);
    EXPECT_TRUE(tether.sequence);
    EXPECT_EQ(tether.frames, 10);
    EXPECT_DOUBLE_EQ(tether.interval_s, 0.5);

    // An interval alone shoots until stopped.
    const ProgramOptions lapse = parse({"--tether", "d", "--interval", "30"});
    EXPECT_TRUE(lapse.tether->sequence);
    EXPECT_EQ(lapse.tether->frames, 0);
    EXPECT_FALSE(parse({"--tether", "d"}).tether->sequence);

    for (const QStringList& wrong : {QStringList{"--tether"},
                                     {"--tether", "d", "--frames", "0"},
                                     {"--tether", "d", "--interval", "-1"},
                                     {"--tether", "d", "--interval", "nan"},
                                     {"--tether", "d", "--camera", "Y800,0"},
                                     {"--tether", "d", "--prefix", "a/b"},
                                     {"--tether", "d", "--hook-timeout", "x"},
                                     {"--frames", "3"},
                                     {"--hook", "true"},
                                     {"--tether", "d", "stray"}}) {
        EXPECT_FALSE(parse(wrong).error.isEmpty()) << wrong.join(' ').toStdString();
    }
}

} // namespace
