#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <span>
#include <string>

#include "LevelDrawing.h"
#include "WorldFacts.h"
#include "WorldPage.h"

// Writes FOLDER/world.md and one picture a level in FOLDER/world/, and removes the pictures
// of levels the table no longer has.

namespace {

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void writeWorld(const std::filesystem::path& folder) {
    const WorldFacts facts = gatherWorldFacts();
    const std::filesystem::path pictures = folder / "world";
    std::filesystem::create_directories(pictures);
    std::set<std::string> written;
    for (const int level : facts.levels) {
        written.insert(levelFileName(level));
        writeFile(pictures / levelFileName(level), drawLevel(level, facts));
    }
    for (const auto& entry : std::filesystem::directory_iterator(pictures)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".svg" && !written.contains(name)) {
            std::filesystem::remove(entry.path());
        }
    }
    writeFile(folder / "world.md", worldPage(facts));
}

}  // namespace

int main(int argc, char** argv) {
    const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
    if (arguments.size() != 2) {
        std::cerr << "usage: world-map FOLDER   (writes FOLDER/world.md and FOLDER/world/*.svg)\n";
        return 2;
    }
    try {
        writeWorld(arguments[1]);
    } catch (const std::exception& error) {
        std::cerr << "world-map: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
