#pragma once

// The two settings of the Options menu. They start the same in every process and are
// never stored.
struct Settings {
    // Shown as a bar from -1 to 10; nothing plays sound.
    int volumeLevel = 5;
    // Prints the player's position and the Statue's after every turn.
    bool debugMode = false;
};
