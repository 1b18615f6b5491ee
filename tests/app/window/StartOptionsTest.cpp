#include "app/window/StartOptions.h"

#include <gtest/gtest.h>

namespace {

TStartOptions Parse(const QStringList& arguments) {
    return ParseStartOptions(arguments);
}

TEST(StartOptions, NothingKeepsTheStoredLook) {
    const TStartOptions options = Parse({});
    EXPECT_FALSE(options.Help);
    EXPECT_FALSE(options.Look.has_value());
    EXPECT_TRUE(options.SkinFile.isEmpty());
    EXPECT_TRUE(options.Error.isEmpty());
}

TEST(StartOptions, LooksAreReadByNameInEitherSpellingAndAnyCase) {
    EXPECT_EQ(Parse({"--look", "WinXP"}).Look, WinXP);
    EXPECT_EQ(Parse({"--look=blueglass"}).Look, BlueGlass);
    EXPECT_EQ(Parse({"--look", "MacOS"}).Look, MacOS);
    EXPECT_EQ(Parse({"--skin", "mine.skn"}).SkinFile, QStringLiteral("mine.skn"));
    EXPECT_EQ(Parse({"--skin=dir/mine.skn"}).SkinFile, QStringLiteral("dir/mine.skn"));
    EXPECT_TRUE(Parse({"--help"}).Help);
}

TEST(StartOptions, OtherArgumentsArePathsInTheirOrder) {
    const TStartOptions options = Parse({"a.md5", "--look", "WinXP", "-", "photos", "--", "--x"});
    EXPECT_TRUE(options.Error.isEmpty());
    EXPECT_EQ(options.Look, WinXP);
    EXPECT_EQ(options.Paths, (QStringList{"a.md5", "-", "photos", "--x"}));
}

TEST(StartOptions, RefusesWhatItCannotUse) {
    const TStartOptions unknown = Parse({"--look", "Aqua"});
    EXPECT_EQ(unknown.Error, QStringLiteral("unknown look \"Aqua\"; the looks are MacOS, WinXP, "
                                            "DeepBlue, Protein, BlueGlass"));
    // The theme-file value is no built-in look.
    EXPECT_FALSE(Parse({"--look", "FromThemeFile"}).Error.isEmpty());
    EXPECT_EQ(Parse({"--look"}).Error, QStringLiteral("--look needs a value"));
    EXPECT_EQ(Parse({"--skin="}).Error, QStringLiteral("--skin needs a file name"));
    EXPECT_EQ(Parse({"--photos"}).Error, QStringLiteral("unknown argument \"--photos\""));
    EXPECT_FALSE(Parse({"--look", "WinXP", "--skin", "a.skn"}).Error.isEmpty());
}

} // namespace
