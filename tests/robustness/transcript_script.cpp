#include "transcript_script.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

// The texts that many transcripts expect, defined once beside them.
constexpr std::string_view kCommonFile = "common.defs";

// Every terminal transcript starts from the same environment, whatever the machine's.
const std::vector<std::pair<std::string, std::optional<std::string>>> kBaseEnvironment{
    {"TERM", "xterm"},        {"NO_COLOR", std::nullopt}, {"COLUMNS", std::nullopt},
    {"LINES", std::nullopt},  {"LANG", std::nullopt},     {"LANGUAGE", std::nullopt},
    {"LC_ALL", std::nullopt}, {"LC_CTYPE", std::nullopt}};

std::optional<int> signalNamed(std::string_view name) {
    if (!name.starts_with("SIG")) {
        return std::nullopt;
    }
    for (int number = 1; number < NSIG; ++number) {
        const char* abbreviation = sigabbrev_np(number);
        if (abbreviation != nullptr && name.substr(3) == abbreviation) {
            return number;
        }
    }
    return std::nullopt;
}

int hexDigit(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    return digit >= 'A' && digit <= 'F' ? digit - 'A' + 10 : -1;
}

// The text between the double quotes that make up the whole of `quoted`.
std::optional<std::string> unquote(std::string_view quoted) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
        return std::nullopt;
    }
    quoted = quoted.substr(1, quoted.size() - 2);
    std::string text;
    for (std::size_t at = 0; at < quoted.size(); ++at) {
        if (quoted[at] != '\\') {
            text += quoted[at];
            continue;
        }
        if (++at == quoted.size()) {
            return std::nullopt;
        }
        switch (quoted[at]) {
            case 'e': text += '\x1b'; break;
            case 'r': text += '\r'; break;
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            case '\\': text += '\\'; break;
            case '"': text += '"'; break;
            case 'x': {
                const int high = at + 2 < quoted.size() ? hexDigit(quoted[at + 1]) : -1;
                const int low = high >= 0 ? hexDigit(quoted[at + 2]) : -1;
                if (low < 0) {
                    return std::nullopt;
                }
                text += static_cast<char>(high * 16 + low);
                at += 2;
                break;
            }
            default: return std::nullopt;
        }
    }
    return text;
}

// A text as unquote reads it, or "TEXT" * N.
std::optional<std::string> textOf(std::string_view written) {
    const std::size_t times = written.rfind("\" * ");
    if (times == std::string_view::npos) {
        return unquote(written);
    }
    const std::optional<std::string> once = unquote(written.substr(0, times + 1));
    const int count = std::atoi(std::string(written.substr(times + 4)).c_str());
    if (!once || count <= 0) {
        return std::nullopt;
    }
    std::string text;
    for (int copy = 0; copy < count; ++copy) {
        text += *once;
    }
    return text;
}

bool isForLauncher(std::string_view launchers, std::string_view launcher) {
    while (!launchers.empty()) {
        const std::size_t comma = launchers.find(',');
        if (launchers.substr(0, comma) == launcher) {
            return true;
        }
        launchers = comma == std::string_view::npos ? "" : launchers.substr(comma + 1);
    }
    return false;
}

// Reads one directive into `script`; false when it breaks the rules.
bool readDirective(std::string_view word, std::string_view rest, Script& script, Step& step,
                   std::map<std::string, std::string, std::less<>>& texts) {
    Setup& setup = script.setup;
    const auto number = [&rest]() { return std::atoi(std::string(rest).c_str()); };
    const auto addStep = [&](Step::Kind kind) {
        step.kind = kind;
        script.steps.push_back(step);
        return true;
    };
    if (word == "launchers") {
        return true;
    }
    if (word == "columns") {
        setup.columns = static_cast<unsigned short>(number());
        return setup.columns > 0;
    }
    if (word == "env" && rest.find('=') != std::string_view::npos) {
        const std::size_t equals = rest.find('=');
        setup.environment.emplace_back(std::string(rest.substr(0, equals)),
                                       std::string(rest.substr(equals + 1)));
        return true;
    }
    if (word == "unset") {
        setup.environment.emplace_back(std::string(rest), std::nullopt);
        return true;
    }
    if (word == "start") {
        const std::map<std::string_view, Start> starts{{"job", Start::Job},
                                                       {"own", Start::Own},
                                                       {"wrapper", Start::Wrapper},
                                                       {"background", Start::Background}};
        const auto start = starts.find(rest);
        setup.start = start != starts.end() ? start->second : Start::Job;
        return start != starts.end();
    }
    if (word == "input" || word == "output") {
        (word == "input" ? setup.inputPipe : setup.outputPipe) = true;
        return rest == "pipe";
    }
    if (word == "nonblocking") {
        setup.nonBlocking = true;
        return true;
    }
    if (word == "ignore") {
        const std::optional<int> signal = signalNamed(rest);
        if (signal) {
            setup.ignoredSignals.push_back(*signal);
        }
        return signal.has_value();
    }
    if (word == "define") {
        const std::size_t blank = rest.find(' ');
        const std::optional<std::string> text =
            blank == std::string_view::npos ? std::nullopt : textOf(rest.substr(blank + 1));
        if (text) {
            texts[std::string(rest.substr(0, blank))] += *text;
        }
        return text.has_value();
    }
    if (word == "type" || word == "press" || word == "expect") {
        std::optional<std::string> text = textOf(rest);
        if (const auto defined = texts.find(rest); !text && defined != texts.end()) {
            text = defined->second;
        }
        step.text = text.value_or("");
        return text && addStep(word == "type"    ? Step::Kind::Type
                               : word == "press" ? Step::Kind::Press
                                                 : Step::Kind::Expect);
    }
    if (word == "close" && rest == "input") {
        return addStep(Step::Kind::CloseInput);
    }
    if (word == "pause" || word == "resize") {
        step.number = number();
        return addStep(word == "pause" ? Step::Kind::Pause : Step::Kind::Resize);
    }
    const std::map<std::string_view, Step::Kind> plainSteps{{"rawmode", Step::Kind::RawMode},
                                                            {"linemode", Step::Kind::LineMode},
                                                            {"stopped", Step::Kind::Stopped},
                                                            {"continue", Step::Kind::Continue},
                                                            {"foreground", Step::Kind::Foreground}};
    if (const auto plain = plainSteps.find(word); plain != plainSteps.end() && rest.empty()) {
        return addStep(plain->second);
    }
    if (word == "signal" || (word == "end" && rest.starts_with("signal "))) {
        const std::optional<int> signal = signalNamed(word == "end" ? rest.substr(7) : rest);
        step.number = signal.value_or(0);
        return signal && addStep(word == "end" ? Step::Kind::End : Step::Kind::Signal);
    }
    if (word == "end" && rest.starts_with("exit ")) {
        step.number = -std::atoi(std::string(rest.substr(5)).c_str());
        return addStep(Step::Kind::End);
    }
    return false;
}

}  // namespace

namespace {

// Reads the directives of one file into `script`; false, with `problem` set, on the first
// that breaks the rules.
bool readFile(const std::filesystem::path& path, std::string_view launcher, Script& script,
              std::map<std::string, std::string, std::less<>>& texts, std::string& problem) {
    std::ifstream file(path);
    if (!file) {
        problem = path.string() + " cannot be read";
        return false;
    }
    std::string line;
    for (int lineNumber = 1; std::getline(file, line); ++lineNumber) {
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        const std::size_t blank = line.find(' ');
        std::string_view word = std::string_view(line).substr(0, blank);
        const std::string_view rest =
            blank == std::string::npos ? "" : std::string_view(line).substr(blank + 1);
        if (const std::size_t colon = word.find(':'); colon != std::string_view::npos) {
            if (!isForLauncher(word.substr(colon + 1), launcher)) {
                continue;
            }
            word = word.substr(0, colon);
        }
        Step step{Step::Kind::End, "", 0, lineNumber};
        if (!readDirective(word, rest, script, step, texts)) {
            problem = path.filename().string() + ", line " + std::to_string(lineNumber) +
                      ", is not understood: " + line;
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<Script> readScript(const std::string& path, std::string_view launcher,
                                 std::string& problem) {
    Script script;
    script.setup.environment = kBaseEnvironment;
    std::map<std::string, std::string, std::less<>> texts;
    const std::filesystem::path common = std::filesystem::path(path).parent_path() / kCommonFile;
    if (!readFile(common, launcher, script, texts, problem) ||
        !readFile(path, launcher, script, texts, problem)) {
        return std::nullopt;
    }
    if (script.steps.empty() || script.steps.back().kind != Step::Kind::End) {
        problem = "it does not say how the game ends";
        return std::nullopt;
    }
    return script;
}

std::string escapedByte(char byte) {
    switch (byte) {
        case '\x1b': return "\\e";
        case '\r': return "\\r";
        case '\n': return "\\n";
        case '\t': return "\\t";
        case '\\': return "\\\\";
        case '"': return "\\\"";
        default: break;
    }
    const auto code = static_cast<unsigned char>(byte);
    if (code < 0x20 || code >= 0x7f) {
        std::array<char, 5> hex{};
        std::snprintf(hex.data(), hex.size(), "\\x%02x", code);
        return hex.data();
    }
    return std::string(1, byte);
}
