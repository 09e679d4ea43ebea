#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/AutosavePath.h"
#include "app/Program.h"
#include "app/SaveFiles.h"
#include "app/SaveFormat.h"
#include "console/SilentConsole.h"

namespace {

// Files kept in memory; a test can make every write fail.
class MemoryFiles final : public SaveFiles {
public:
    std::optional<std::string> autosavePath() override { return "autosave"; }
    std::string autosaveDescription() override { return "memory"; }
    std::optional<std::string> read(const std::string& path, std::size_t /*limit*/) override {
        const auto found = files.find(path);
        return found != files.end() ? std::optional(found->second) : std::nullopt;
    }
    void replace(const std::string& path, const std::string& text) override {
        if (full) {
            throw Failure("No space left on device");
        }
        files[path] = text;
    }
    void remove(const std::string& path) override { files.erase(path); }

    std::map<std::string, std::string> files;
    bool full = false;
};

struct Played {
    int status;
    std::string out;
    std::string errors;
};

std::time_t clockA() {
    return 1'000;
}

std::time_t clockB() {
    return 2'000'000;
}

// The whole program on `input`, saving in `files`, resuming `resume` when given.
Played play(const std::string& input, MemoryFiles* files, Clock clock,
            std::optional<std::string> resume = std::nullopt) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream errors;
    SilentConsole console;
    ProgramOptions options;
    options.clock = clock;
    if (files != nullptr) {
        options.autosave.emplace(Session::Autosave{*files, "autosave", errors, false});
    }
    if (resume) {
        options.resume = parseSave(*resume);
        options.resumeName = "the save";
    }
    const int status = runProgram(in, out, errors, console, std::move(options));
    return {status, out.str(), errors.str()};
}

std::string walkthroughLines(std::size_t from, std::size_t count) {
    std::ifstream file(VELLUMFALL_TRANSCRIPTS_DIR "/walkthrough.in");
    std::string line;
    std::string lines;
    for (std::size_t number = 0; std::getline(file, line) && number < from + count; ++number) {
        if (number >= from) {
            lines += line + '\n';
        }
    }
    return lines;
}

}  // namespace

TEST(SaveTest, AGameResumedFromItsSaveGoesOnAsTheUnbrokenGameWhateverTheClock) {
    // Past the meteor and its ten scatters of the zombies, then on to the end.
    const std::string first = walkthroughLines(0, 100);
    const std::string rest = walkthroughLines(100, 1000);
    const Played unbroken = play(first + rest, nullptr, clockA);

    MemoryFiles files;
    const Played broken = play(first, &files, clockA);
    ASSERT_EQ(0, broken.status);
    EXPECT_EQ(std::string(Session::kSavedLine), broken.errors);
    const std::string save = files.files.at("autosave");
    EXPECT_TRUE(save.starts_with("vellumfall save 1\nline 0\n"));
    std::size_t scatters = 0;
    for (std::size_t at = save.find("\nscatter "); at != std::string::npos;
         at = save.find("\nscatter ", at + 1)) {
        ++scatters;
    }
    EXPECT_EQ(10U, scatters);

    // The input ended where the save was written: the rest follows the saved screen.
    const Played resumed = play(rest, &files, clockB, save);
    ASSERT_EQ(0, resumed.status) << resumed.errors;
    const std::string continuation = unbroken.out.substr(broken.out.size() - 1);
    // First the screen the save had reached, the player's lines after their prompts.
    std::string screen;
    for (const std::string& line : parseSave(save).screen) {
        screen += (screen.empty() ? "" : "\n") + line;
    }
    EXPECT_EQ(screen + continuation, resumed.out);
    // The walkthrough ends by quitting, which removes the save.
    EXPECT_EQ(0U, files.files.count("autosave"));
}

TEST(SaveTest, FilesThatAreNotASaveOfThisGameAreRefusedWithTheirReason) {
    const auto refusal = [](const std::string& file) {
        try {
            parseSave(file);
        } catch (const SaveUnreadable& unreadable) {
            return std::string(unreadable.what());
        }
        return std::string("read");
    };
    EXPECT_EQ("not a Vellumfall save", refusal("PK\x03\x04"));
    EXPECT_EQ("saved by a newer Vellumfall (save format 2; this one reads format 1)",
              refusal("vellumfall save 2\nwhatever\n"));
    EXPECT_EQ("damaged at line 2: unknown entry 'jump'", refusal("vellumfall save 1\njump\n"));
    EXPECT_EQ("damaged at line 2: a backslash starts no escape it knows",
              refusal("vellumfall save 1\nline \\q\nscreen >>\n"));
    EXPECT_EQ("damaged at line 2: it is not plain UTF-8 text",
              refusal("vellumfall save 1\nline \xff\nscreen >>\n"));
    EXPECT_EQ("damaged at line 3: the screen must come last",
              refusal("vellumfall save 1\nscreen >>\nkey\n"));
    EXPECT_EQ("damaged: it ends before its screen", refusal("vellumfall save 1\nline 0\n"));
    // However large the file, its lines or its screen, the reader stops at its bounds.
    EXPECT_EQ("larger than any save", refusal(std::string(kLargestSave + 1, 'x')));
    EXPECT_EQ("damaged at line 2: it is longer than any entry",
              refusal("vellumfall save 1\nline " + std::string(4 * kLongestEntry, 'n')));
    std::string tallScreen = "vellumfall save 1\n";
    for (std::size_t line = 0; line <= kScreenLines; ++line) {
        tallScreen += "screen >>\n";
    }
    EXPECT_EQ("damaged at line " + std::to_string(kScreenLines + 2) +
                  ": the screen has more lines than a save keeps",
              refusal(tallScreen));

    // Readable, but the game does not say again what the save shows.
    MemoryFiles files;
    const Played edited = play("", &files, clockA, "vellumfall save 1\nline 0\nscreen >>\n");
    EXPECT_EQ(1, edited.status);
    EXPECT_EQ("vellumfall: the save: it does not replay to where it was saved\n", edited.errors);
    EXPECT_TRUE(files.files.empty());
}

TEST(SaveTest, EveryTextSurvivesTheFileEscapesAndAll) {
    SaveRecord record;
    record.entries = {{SaveRecord::Kind::Line, "take \\ sword\t\x1b[A \xc3\xa9 \xff ", 0, 0},
                      {SaveRecord::Kind::Key, "", 0, 0},
                      {SaveRecord::Kind::Scatter, "", -5, 7},
                      {SaveRecord::Kind::Text, "n", 0, 0}};
    record.screen = {"Welcome to Vellumfall ", "", ">>"};
    // Letters of three and four bytes as they are; an overlong letter, a surrogate, one past
    // the last letter and a letter cut short, byte by byte.
    record.entries.push_back({SaveRecord::Kind::Line,
                              "\xe2\x82\xac\xf0\x9f\x98\x80 \xe0\x80\x80 \xed\xa0\x80 "
                              "\xf4\x90\x80\x80 \xe2\x82",
                              0, 0});
    const std::string file = formatSave(record);
    EXPECT_NE(std::string::npos,
              file.find("\nline take \\\\ sword\\x09\\x1b[A \xc3\xa9 \\xff\\x20\n"));
    EXPECT_NE(std::string::npos,
              file.find("\nline \xe2\x82\xac\xf0\x9f\x98\x80 \\xe0\\x80\\x80 \\xed\\xa0\\x80 "
                        "\\xf4\\x90\\x80\\x80 \\xe2\\x82\n"));
    EXPECT_EQ(record.entries[4].text, parseSave(file).entries[4].text);
    // An editor's line ends and capital hex digits read as well.
    EXPECT_EQ("\xff",
              parseSave("vellumfall save 1\r\nline \\xFF\r\nscreen >>\r\n").entries[0].text);
    const SaveRecord read = parseSave(file);
    ASSERT_EQ(5U, read.entries.size());
    EXPECT_EQ(record.entries[0].text, read.entries[0].text);
    EXPECT_EQ(-5, read.entries[2].x);
    EXPECT_EQ(SaveRecord::Kind::Text, read.entries[3].kind);
    EXPECT_EQ(record.screen, read.screen);
}

TEST(SaveTest, AFolderThatCannotBeWrittenCostsOneLineAndPlayGoesOn) {
    MemoryFiles files;
    files.full = true;
    const Played played = play("0\nn\ns\nq\ny\n", &files, clockA);
    EXPECT_EQ(0, played.status);
    EXPECT_EQ("vellumfall: cannot save the game in autosave: No space left on device\n",
              played.errors);
    EXPECT_TRUE(played.out.ends_with("Would you like to quit?\n"));
}

TEST(SaveTest, UndoTakesBackOneLineAtATimeAndTheGameGoesOnWithoutIt) {
    MemoryFiles files;
    play("0\nn\ns\n", &files, clockA);
    SaveRecord record = parseSave(files.files.at("autosave"));
    ASSERT_TRUE(takeBackLastLine(record));
    EXPECT_FALSE(record.screenKnown);
    // Without "s" the game stands in front of the house again, where "s" is answered anew.
    ProgramOptions options;
    options.clock = clockA;
    options.resume = record;
    std::istringstream in("s\n");
    std::ostringstream out;
    std::ostringstream errors;
    SilentConsole console;
    ASSERT_EQ(0, runProgram(in, out, errors, console, std::move(options))) << errors.str();
    // The screen replayed with the lines typed, then the answer to the new line.
    EXPECT_TRUE(
        out.str().ends_with(">>n\nYou are in front of a house.\nThe door is locked.\n"
                            ">>You are in a vast field. There is a white house to the "
                            "North.\nThere is a Gearbox here\n>>\n"))
        << out.str();
    // Again and again, to the start, and no further.
    while (takeBackLastLine(record)) {
    }
    EXPECT_TRUE(record.entries.empty());
}

TEST(SaveTest, TheAutosaveGoesToEachSystemsStateFolder) {
    EXPECT_EQ("/s/vellumfall/vellumfall.save", xdgAutosavePath("/s", "/h"));
    EXPECT_EQ("/h/.local/state/vellumfall/vellumfall.save", xdgAutosavePath("relative", "/h"));
    EXPECT_EQ(std::nullopt, xdgAutosavePath(std::nullopt, "relative"));
    EXPECT_EQ("C:\\Users\\p\\AppData\\Local\\vellumfall\\vellumfall.save",
              windowsAutosavePath("C:\\Users\\p\\AppData\\Local"));
    EXPECT_EQ(std::nullopt, windowsAutosavePath(""));
}
