#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

struct Handled {
    CommandLine request;
    std::optional<int> status;
    std::string out;
    std::string errors;
};

Handled handle(std::vector<const char*> arguments) {
    std::ostringstream out;
    std::ostringstream errors;
    const CommandLine request = handleCommandLine(arguments, out, errors, "THE FOLDER");
    return {request, request.exitStatus, out.str(), errors.str()};
}

}  // namespace

TEST(CommandLineTest, NoArgumentsPlays) {
    const Handled handled = handle({});
    EXPECT_EQ(std::nullopt, handled.status);
    EXPECT_EQ("", handled.out + handled.errors);
}

TEST(CommandLineTest, HelpAndVersionInTheirShortAndLongForms) {
    for (const char* help : {"--help", "-h"}) {
        const Handled handled = handle({help});
        EXPECT_EQ(0, handled.status);
        EXPECT_TRUE(handled.out.starts_with(
            "Usage: vellumfall [--continue [FILE] | --help | --version]\n"));
        EXPECT_NE(std::string::npos, handled.out.find("\nTHE FOLDER,\n"));
        EXPECT_EQ("", handled.errors);
    }
    for (const char* version : {"--version", "-V"}) {
        EXPECT_EQ("vellumfall 1.1.0\n", handle({version}).out);
    }
}

TEST(CommandLineTest, ContinueTakesAtMostAFile) {
    EXPECT_TRUE(handle({"--continue"}).request.resume);
    EXPECT_EQ(std::nullopt, handle({"-c"}).request.saveFile);
    EXPECT_EQ("my.save", handle({"--continue", "my.save"}).request.saveFile);
    EXPECT_EQ(std::nullopt, handle({"--continue", "my.save"}).status);
}

TEST(CommandLineTest, AnyOtherArgumentIsNamedOnOneLineWithStatusTwo) {
    for (const std::vector<const char*>& arguments :
         {std::vector<const char*>{"--play"}, {"--help", "-x"}, {"0"}, {"-c", "a", "b"}}) {
        const Handled handled = handle(arguments);
        EXPECT_EQ(2, handled.status);
        EXPECT_EQ("", handled.out);
        EXPECT_EQ(std::string("vellumfall: unknown argument '") + arguments.back() +
                      "'; try 'vellumfall --help'\n",
                  handled.errors);
    }
}
