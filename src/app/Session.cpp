#include "app/Session.h"

#include <algorithm>
#include <deque>
#include <streambuf>
#include <string_view>
#include <utility>
#include <vector>

#include "app/SaveFiles.h"

namespace {

// The screen's text since it was last cleared, as the game wrote it and the player entered
// it, before any wrapping: its last kScreenLines lines, each of kLongestScreenLine bytes at
// most. Kept only where there is a save to write or to check.
class ScreenText {
public:
    explicit ScreenText(bool keep) : kept(keep) {}

    void add(std::string_view text) {
        if (!kept) {
            return;
        }
        for (const char byte : text) {
            if (byte == '\n') {
                lines.emplace_back();
                if (lines.size() > kScreenLines) {
                    lines.pop_front();
                }
            } else if (lines.back().size() < kLongestScreenLine) {
                lines.back() += byte;
            }
        }
    }
    void clear() { lines.assign(1, std::string()); }
    std::vector<std::string> asLines() const { return {lines.begin(), lines.end()}; }

private:
    static constexpr std::size_t kLongestScreenLine = 4096;
    bool kept;
    std::deque<std::string> lines{std::string()};
};

}  // namespace

const std::string_view Session::kSavedLine =
    "vellumfall: the game is saved; 'vellumfall --continue' resumes it\n";

class Session::State {
public:
    State(std::istream& in, std::ostream& out, Console& effects, Clock clock,
          std::optional<Autosave> saving, std::optional<SaveRecord> resumed)
        : input(*this),
          output(*this),
          console(*this),
          scatter(*this),
          liveIn(*in.rdbuf()),
          liveOut(out),
          liveConsole(effects),
          clockScatter(clock),
          autosave(std::move(saving)),
          saved(std::move(resumed)),
          screen(autosave.has_value() || saved.has_value()) {
        if (autosave && autosave->resumedFromIt) {
            ownAutosave();
        }
    }

    // The player's input: replayed from the save, then read live and recorded.
    class Input final : public std::streambuf {
    public:
        explicit Input(State& owner) : session(owner) {}
        // Nothing left to read but blanks, which a read skips on its way to the player.
        bool exhausted() const {
            return std::all_of(gptr(), egptr(), [](char byte) {
                return byte == ' ' || (byte >= '\t' && byte <= '\r');
            });
        }

    protected:
        int_type underflow() override {
            if (gptr() < egptr()) {
                return traits_type::to_int_type(*gptr());
            }
            piece.clear();
            if (!session.nextInput(piece)) {
                return traits_type::eof();
            }
            setg(piece.data(), piece.data(), piece.data() + piece.size());
            return traits_type::to_int_type(*gptr());
        }

    private:
        State& session;
        std::string piece;
    };

    // The game's text: kept for the screen, and shown once the replay is over. Unbuffered,
    // so that the console's effects, which go to the live stream, keep their place.
    class Output final : public std::streambuf {
    public:
        explicit Output(State& owner) : session(owner) {}

    protected:
        int_type overflow(int_type character) override {
            if (!traits_type::eq_int_type(character, traits_type::eof())) {
                const char byte = traits_type::to_char_type(character);
                session.written(std::string_view(&byte, 1));
            }
            return traits_type::not_eof(character);
        }
        std::streamsize xsputn(const char* text, std::streamsize size) override {
            session.written(std::string_view(text, static_cast<std::size_t>(size)));
            return size;
        }
        // The game shows what it wrote when it is about to read. Where all that was entered
        // has been read, it is about to wait for the player: saved first, so that whatever
        // the player sees is in the save should the game end there.
        int sync() override {
            if (!session.isReplaying()) {
                if (session.input.exhausted() && session.taken == session.unread.size()) {
                    session.saveIfChanged();
                }
                session.liveOut.flush();
            }
            return 0;
        }

    private:
        State& session;
    };

    // The console's effects, which a replay does without, and the key waits, replayed or
    // recorded.
    class SessionConsole final : public Console {
    public:
        explicit SessionConsole(State& owner) : session(owner) {}
        void useGameColours() override { session.liveConsole.useGameColours(); }
        void clearScreen() override {
            session.screen.clear();
            if (!session.isReplaying()) {
                session.liveConsole.clearScreen();
            }
        }
        void waitForKey() override { session.keyWait(); }
        void restoreTerminal() override { session.liveConsole.restoreTerminal(); }
        // A page draws its map again from the replay's moves too.
        void showPosition(int level, int x, int y, PositionChange change) override {
            session.liveConsole.showPosition(level, x, y, change);
        }
        void sayOnInterrupt(std::string_view line) override {
            session.liveConsole.sayOnInterrupt(line);
        }

    private:
        State& session;
    };

    class Scatter final : public ZombieScatter {
    public:
        explicit Scatter(State& owner) : session(owner) {}
        void scatter(Zombie& zombie) override { session.scatterZombie(zombie); }

    private:
        State& session;
    };

    bool isReplaying() const { return saved.has_value(); }

    bool end(bool finished) {
        ended = true;
        if (!autosave || !owningAutosave) {
            return false;
        }
        if (finished) {
            autosave->files.remove(autosave->path);
            liveConsole.sayOnInterrupt({});
            return false;
        }
        return true;
    }

    Input input;
    Output output;
    SessionConsole console;
    Scatter scatter;

private:
    [[noreturn]] static void refuse() {
        throw SaveUnreadable("it does not replay to where it was saved");
    }

    const SaveRecord::Entry* nextSaved() const {
        return next < saved->entries.size() ? &saved->entries[next] : nullptr;
    }

    bool nextInput(std::string& piece) {
        if (isReplaying()) {
            const SaveRecord::Entry* entry = nextSaved();
            if (entry != nullptr) {
                if (entry->kind != SaveRecord::Kind::Line &&
                    entry->kind != SaveRecord::Kind::Text) {
                    refuse();
                }
                piece = entry->text;
                if (entry->kind == SaveRecord::Kind::Line) {
                    piece += '\n';
                }
                ++next;
                screen.add(piece);
                return true;
            }
            finishReplay();
        }
        saveIfChanged();
        return readLive(piece);
    }

    // One line at a time, however the front end hands them over (a paste, a pipe), so that
    // each is recorded and saved as the game comes to it, and replayed alike.
    bool readLive(std::string& piece) {
        if (unread.empty()) {
            if (std::streambuf::traits_type::eq_int_type(liveIn.sgetc(),
                                                         std::streambuf::traits_type::eof())) {
                return false;
            }
            unread.resize(
                static_cast<std::size_t>(std::max<std::streamsize>(1, liveIn.in_avail())));
            unread.resize(static_cast<std::size_t>(
                liveIn.sgetn(unread.data(), static_cast<std::streamsize>(unread.size()))));
            taken = 0;
        }
        const std::size_t end = unread.find('\n', taken);
        const std::size_t length =
            end == std::string::npos ? unread.size() - taken : end + 1 - taken;
        piece.assign(unread, taken, length);
        taken += length;
        if (taken == unread.size()) {
            unread.clear();
            taken = 0;
        }
        screen.add(piece);
        if (piece.ends_with('\n')) {
            record({SaveRecord::Kind::Line, piece.substr(0, piece.size() - 1), 0, 0});
        } else {
            record({SaveRecord::Kind::Text, piece, 0, 0});
        }
        return true;
    }

    void keyWait() {
        if (isReplaying()) {
            const SaveRecord::Entry* entry = nextSaved();
            if (entry != nullptr) {
                if (entry->kind != SaveRecord::Kind::Key) {
                    refuse();
                }
                ++next;
                return;
            }
            finishReplay();
        }
        saveIfChanged();
        liveConsole.waitForKey();
        record({SaveRecord::Kind::Key, {}, 0, 0});
    }

    void scatterZombie(Zombie& zombie) {
        if (isReplaying()) {
            const SaveRecord::Entry* entry = nextSaved();
            if (entry == nullptr || entry->kind != SaveRecord::Kind::Scatter) {
                refuse();
            }
            zombie.landAt(entry->x, entry->y);
            ++next;
            return;
        }
        clockScatter.scatter(zombie);
        record({SaveRecord::Kind::Scatter, {}, zombie.getX(), zombie.getY()});
    }

    void written(std::string_view text) {
        screen.add(text);
        if (!isReplaying()) {
            liveOut.rdbuf()->sputn(text.data(), static_cast<std::streamsize>(text.size()));
        }
    }

    // The replay stands only where the game says again exactly what the save shows.
    void finishReplay() {
        if (saved->screenKnown && screen.asLines() != saved->screen) {
            refuse();
        }
        const bool shortened = !saved->screenKnown;
        for (const SaveRecord::Entry& entry : saved->entries) {
            record(entry);
        }
        // Already saved as it is, unless shortened here.
        changed = shortened;
        saved.reset();
        liveConsole.clearScreen();
        const std::vector<std::string> shown = screen.asLines();
        screen.clear();
        for (std::size_t line = 0; line < shown.size(); ++line) {
            written(shown[line]);
            if (line + 1 < shown.size()) {
                written("\n");
            }
        }
        liveOut.flush();
    }

    void ownAutosave() {
        if (!owningAutosave) {
            owningAutosave = true;
            liveConsole.sayOnInterrupt(kSavedLine);
        }
    }

    // Only a game that is saved keeps its record, and only while it can still be read back.
    void record(const SaveRecord::Entry& entry) {
        if (!autosave || tooLong) {
            return;
        }
        entriesText += formatEntry(entry);
        changed = true;
        if (entriesText.size() > kLargestSave / 2) {
            tooLong = true;
            entriesText = std::string();
            warnOnce("the game has grown too long to be saved");
        }
    }

    void warnOnce(std::string_view problem) {
        if (!warned) {
            warned = true;
            autosave->errors << "vellumfall: cannot save the game in " << autosave->path << ": "
                             << problem << '\n';
            autosave->errors.flush();
        }
    }

    void saveIfChanged() {
        if (!autosave || !changed || tooLong || ended) {
            return;
        }
        changed = false;
        try {
            autosave->files.replace(autosave->path,
                                    saveHeader() + entriesText + formatScreen(screen.asLines()));
            ownAutosave();
        } catch (const SaveFiles::Failure& failure) {
            warnOnce(failure.what());
        }
    }

    std::streambuf& liveIn;
    std::ostream& liveOut;
    Console& liveConsole;
    ClockScatter clockScatter;
    std::optional<Autosave> autosave;
    std::optional<SaveRecord> saved;
    std::size_t next = 0;
    ScreenText screen;
    // What the front end handed over and the game has not come to yet.
    std::string unread;
    std::size_t taken = 0;
    std::string entriesText;
    bool changed = false;
    bool owningAutosave = false;
    bool warned = false;
    bool tooLong = false;
    bool ended = false;
};

Session::Session(std::istream& liveIn, std::ostream& liveOut, Console& liveConsole, Clock clock,
                 std::optional<Autosave> autosave, std::optional<SaveRecord> saved)
    : recorded(autosave.has_value() || saved.has_value()),
      frontIn(liveIn),
      frontOut(liveOut),
      state(std::make_unique<State>(liveIn, liveOut, liveConsole, clock, std::move(autosave),
                                    std::move(saved))),
      gameIn(&state->input),
      gameOut(&state->output) {}

Session::~Session() = default;

Console& Session::console() {
    return state->console;
}

ZombieScatter& Session::scatter() {
    return state->scatter;
}

bool Session::replaying() const {
    return state->isReplaying();
}

bool Session::end(bool finished) {
    return state->end(finished);
}
