// Command-line parsing of the terminal: defaults, every option, bad values.

#include <gtest/gtest.h>

#include "CommandLine.h"

namespace {

CommandLineResult Parse(std::initializer_list<const char*> arguments)
{
    std::vector<wxString> list;
    for (const char* argument : arguments)
        list.emplace_back(argument);
    return ParseCommandLine(list);
}

TEST(CommandLine, NoArgumentsGivesTheDocumentedDefaults)
{
    const CommandLineResult result = Parse({});
    ASSERT_EQ(result.outcome, CommandLineResult::Outcome::Run) << result.message;
    const TerminalOptions& options = result.options;
    EXPECT_EQ(options.catalogue, "data/catalogue.xml");
    EXPECT_EQ(options.synthetic, 0);
    EXPECT_EQ(options.theme, "dark");
    EXPECT_DOUBLE_EQ(options.rate, 60.0);
    EXPECT_LT(options.quitAfter, 0.0);
    EXPECT_TRUE(options.screenshot.empty());
    EXPECT_TRUE(options.pluginDir.empty());
    EXPECT_TRUE(options.configDir.empty());
    EXPECT_TRUE(options.layoutFile.empty());
    EXPECT_TRUE(options.storeFile.empty());
    EXPECT_FALSE(options.noTrading);
}

TEST(CommandLine, EveryOptionIsRead)
{
    const CommandLineResult result =
        Parse({"--catalogue", "cat.xml", "--synthetic", "250", "--theme", "light", "--rate", "12.5",
               "--seed", "77", "--quit-after", "3.5", "--screenshot", "/tmp/s.png", "--plugins", "/p",
               "--config-dir", "/c", "--layout", "/l.xml", "--store", "/s.xml", "--no-trading"});
    ASSERT_EQ(result.outcome, CommandLineResult::Outcome::Run) << result.message;
    const TerminalOptions& options = result.options;
    EXPECT_EQ(options.catalogue, "cat.xml");
    EXPECT_EQ(options.synthetic, 250);
    EXPECT_EQ(options.theme, "light");
    EXPECT_DOUBLE_EQ(options.rate, 12.5);
    EXPECT_EQ(options.seed, 77u);
    EXPECT_DOUBLE_EQ(options.quitAfter, 3.5);
    EXPECT_EQ(options.screenshot, "/tmp/s.png");
    EXPECT_EQ(options.pluginDir, "/p");
    EXPECT_EQ(options.configDir, "/c");
    EXPECT_EQ(options.layoutFile, "/l.xml");
    EXPECT_EQ(options.storeFile, "/s.xml");
    EXPECT_TRUE(options.noTrading);
}

TEST(CommandLine, EqualsSignFormAndZeroRateAreAccepted)
{
    const CommandLineResult result = Parse({"--rate=0", "--theme=dark", "--quit-after=0"});
    ASSERT_EQ(result.outcome, CommandLineResult::Outcome::Run) << result.message;
    EXPECT_DOUBLE_EQ(result.options.rate, 0.0);
    EXPECT_DOUBLE_EQ(result.options.quitAfter, 0.0);
}

TEST(CommandLine, BadValuesAreErrorsWithAReason)
{
    const struct
    {
        std::vector<const char*> arguments;
        const char* mentioned;
    } cases[] = {
        {{"--theme", "purple"}, "purple"},
        {{"--rate", "-1"}, "rate"},
        {{"--rate", "fast"}, "rate"},
        {{"--synthetic", "-4"}, "synthetic"},
        {{"--synthetic", "many"}, "synthetic"},
        {{"--seed", "-1"}, "seed"},
        {{"--quit-after", "-2"}, "quit-after"},
        {{"--catalogue="}, "catalogue"},
        {{"--bogus"}, "bogus"},
        {{"--theme"}, "theme"},
    };
    for (const auto& testCase : cases)
    {
        std::vector<wxString> arguments(testCase.arguments.begin(), testCase.arguments.end());
        const CommandLineResult result = ParseCommandLine(arguments);
        EXPECT_EQ(result.outcome, CommandLineResult::Outcome::Error) << testCase.arguments[0];
        EXPECT_NE(result.message.Find(testCase.mentioned), wxNOT_FOUND)
            << testCase.arguments[0] << ": " << result.message;
    }
}

TEST(CommandLine, HelpShowsEveryOptionAndTheKeyMap)
{
    for (const char* flag : {"--help", "-h"})
    {
        const CommandLineResult result = Parse({flag});
        ASSERT_EQ(result.outcome, CommandLineResult::Outcome::ShowHelp) << flag;
        for (const char* option : {"--catalogue", "--synthetic", "--theme", "--rate", "--seed", "--quit-after",
                                   "--screenshot", "--plugins", "--config-dir", "--layout", "--store",
                                   "--no-trading", "--help"})
            EXPECT_NE(result.message.Find(option), wxNOT_FOUND) << option;
        EXPECT_NE(result.message.Find("Shift+F3"), wxNOT_FOUND);
        EXPECT_NE(result.message.Find("Open Ladder"), wxNOT_FOUND);
    }
}

TEST(CommandLine, FolderDefaultsDependOnWhereTheProgramLives)
{
    TerminalOptions options;
    ResolveDefaultFolders(options, "/opt/td", "/home/u/.config");
    EXPECT_EQ(options.pluginDir, "/opt/td/plugins");
    EXPECT_EQ(options.configDir, "/home/u/.config/tickerdeck-terminal");

    TerminalOptions chosen;
    chosen.pluginDir = "/mine";
    chosen.configDir = "/cfg";
    ResolveDefaultFolders(chosen, "/opt/td", "/home/u/.config");
    EXPECT_EQ(chosen.pluginDir, "/mine");
    EXPECT_EQ(chosen.configDir, "/cfg");
}

}  // namespace
