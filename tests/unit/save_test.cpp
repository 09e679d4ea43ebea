#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

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
    const std::string file = formatSave(record);
    EXPECT_NE(std::string::npos,
              file.find("\nline take \\\\ sword\\x09\\x1b[A \xc3\xa9 \\xff\\x20\n"));
    const SaveRecord read = parseSave(file);
    ASSERT_EQ(4U, read.entries.size());
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
