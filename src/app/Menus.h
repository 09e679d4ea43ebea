#pragma once

#include <iosfwd>

struct Io;
struct Settings;
class World;

// The title menu: New Game, Controls, Options, Quit Game. It returns only for Quit Game;
// a game, once started, ends the session by itself (see SessionEnd).
void runMainMenu(Io& io, Settings& settings, World& world);

// The Options screen, until the player chooses "back".
void runOptionsMenu(Io& io, Settings& settings);

// "> Volume   |", the bar with its marker at the level, and a closing "|".
void printVolumeBar(std::ostream& out, int volumeLevel);
