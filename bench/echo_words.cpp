// The least a console program can do with the game's input: read it word by word and
// write each word back with a flush, the way the game flushes before each read. What the
// game costs beyond this is the game's own; bench/whole-process.sh compares the two.
#include <iostream>
#include <string>

int main() {
    std::ios::sync_with_stdio(false);
    std::string word;
    while (std::cin >> word) {
        std::cout << word << '\n' << std::flush;
    }
    return 0;
}
