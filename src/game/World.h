#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "entities/Centipede.h"
#include "entities/DireCentipede.h"
#include "entities/Goblin.h"
#include "entities/Golem.h"
#include "entities/Item.h"
#include "entities/Moid.h"
#include "entities/OffMap.h"
#include "entities/Player.h"
#include "entities/Tree.h"
#include "entities/Vines.h"
#include "entities/Zombie.h"
#include "game/ZombieScatter.h"
#include "map/Landmarks.h"
#include "map/Places.h"

struct Io;
enum class PositionChange : std::uint8_t;

// Which blows reach a monster: a Sword's always, bare hands' only where it says so.
enum class Reach : std::uint8_t { BareHands, SwordOnly };

// A monster as the attack command sees it: what it leaves on its square when a Sword blow
// slays it, if anything, and whether bare hands reach it.
struct Foe {
    Enemy& monster;
    Item* drop;
    Reach reach;
};

// The running game: it owns every item, every monster and the player, and holds the
// flags that the map and the commands share. The map's operations live in src/map and
// the commands' in src/commands; all of them read and write these fields directly.
//
// The arrays hold second, non-owning references to the named objects, so it can be neither
// copied nor moved.
class World {
public:
    explicit World(Io& gameIo, Clock gameClock = systemClock);
    // A world whose zombies land where `scatter` puts them.
    World(Io& gameIo, ZombieScatter& scatter);
    World(const World&) = delete;
    World& operator=(const World&) = delete;
    World(World&&) = delete;
    World& operator=(World&&) = delete;
    ~World() = default;

    // The turn loop. It leaves only by a SessionEnd (quit or end of input).
    [[noreturn]] void play(bool debugMode);

    // One whole turn at the given position: the place, what stands there, the edges,
    // one command and the death check.
    void showLocation(int x, int y, int z);

    // Reads one command word, with its follow-up answers, and carries it out.
    void processCommand();

private:
    Io& io;
    ClockScatter clockScatter;
    ZombieScatter& zombieScatter;

public:
    Item sword{0, -2, 0, 3, false, "Sword"};
    Item houseKey{-1, -1, 0, 0, false, "House Key"};
    Item templeKey{4, 4, 0, 0, false, "Temple Key"};
    Item towerKey{3, 5, 0, 0, false, "Tower Key"};
    Item statue{OFF_MAP, 0, 0, 0, false, "Statue"};
    Item light{OFF_MAP, 7, 0, 0, false, "Light"};
    Item berry{kBerryBushes.x, kBerryBushes.y, kBerryBushes.z, 0, true, "Berry"};
    Item redPotion{2, 7, -1, 0, true, "Red Potion"};
    Item gearbox{kStartSquare.x, kStartSquare.y, kStartSquare.z, 0, true, "Gearbox"};
    Item heartPiece1{OFF_MAP, 2, 0, 0, true, "Heart Piece"};
    Item heartPiece2{-3, -3, 0, 0, true, "Heart Piece"};
    Item heartPiece3{4, -5, 0, 0, true, "Heart Piece"};
    Item heartPiece4{-3, 6, 0, 0, true, "Heart Piece"};
    Item heartPiece5{5, 8, 0, 0, true, "Heart Piece"};

    const std::array<Item*, 9> items{&sword, &houseKey, &templeKey, &towerKey, &statue,
                                     &light, &berry,    &redPotion, &gearbox};
    const std::array<Item*, 5> heartPieces{&heartPiece1, &heartPiece2, &heartPiece3, &heartPiece4,
                                           &heartPiece5};

    Centipede centipede1{0, 2, 0, 3, 1, "centipede", false};
    Centipede centipede2{3, -3, 0, 4, 2, "centipede", false};
    Centipede centipede3{5, 7, 0, 4, 1, "centipede", false};
    DireCentipede direCentipede{2, 7, 0, 8, 2, "Dire Centipede", false};
    Goblin goblin{0, 4, 0, 0, 6, 4, "Goblin", false};
    Moid toxicMoid{-2, -4, 0, 8, 0, "Toxic Moid", false};
    Tree deadTree{2, 0, 0, 6, 0, "Dead Tree", true};
    Vines vines{1, 4, 0, 2, 0, "vines", true};
    Golem golem{2, 7, -2, 20, 3, "Clockwork Golem", true};
    Zombie voidZombie1{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie2{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie3{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie4{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie5{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie6{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie7{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie8{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie9{99, 99, 99, 3, 7, "Void Zombie", false};
    Zombie voidZombie10{99, 99, 99, 3, 7, "Void Zombie", false};

    const std::array<Zombie*, 10> zombies{&voidZombie1, &voidZombie2, &voidZombie3, &voidZombie4,
                                          &voidZombie5, &voidZombie6, &voidZombie7, &voidZombie8,
                                          &voidZombie9, &voidZombie10};
    // Every monster but the zombies, in the order an attack strikes them, which is not the
    // order of the fields.
    const std::array<Foe, 9> enemies{{
        {centipede1, nullptr, Reach::BareHands},
        {centipede2, nullptr, Reach::BareHands},
        {centipede3, nullptr, Reach::BareHands},
        {direCentipede, nullptr, Reach::BareHands},
        {toxicMoid, nullptr, Reach::BareHands},
        {vines, nullptr, Reach::BareHands},
        {golem, &gearbox, Reach::BareHands},
        {goblin, &statue, Reach::BareHands},
        {deadTree, &heartPiece1, Reach::SwordOnly},
    }};

    Player player{kStartSquare.x, kStartSquare.y, kStartSquare.z, 10, 10};

    int score = 0;
    bool canGoNorth = true;
    bool canGoEast = true;
    bool canGoWest = true;
    bool canGoSouth = true;
    bool canGoUp = false;
    bool canGoDown = false;
    int swordFound = 0;
    int doorBrokenDown = 0;
    bool gearboxPlaced = false;
    bool meteorFallen = false;
    // The story has been told to its end: the game is over but for quitting.
    bool finaleShown = false;

private:
    void printTrace();
    // Tells the console where the player now stands.
    void showPosition(PositionChange change);

    // The map (src/map).
    void arriveAt(const Place& place);
    void openExits(Exits open);
    // Opens, or closes, the directions that the event may open (map/EventPassages.h).
    void openEventPassages(Event event, bool open);
    void runEvent(Event event);
    void showPresence();
    void applyEdgeHazards(int x, int y);

    // The events, one per place (src/map/Events.cpp).
    void houseDoor();
    void templeDoor();
    void towerEntrance();
    void oldSword();
    void temple();
    void darkBuilding();
    void darkForest();
    void darkForestByVines();
    void vineCoveredBuilding();
    void clockTowerGroundFloor();
    void golemFloor();
    void healingPlace();
    void forge();
    void altar();
    void stoneDoor();
    void abandonedBuilding();
    void sealedDoor();
    void meteor();
    void finale();

    // The commands (src/commands).
    void ask(std::string_view question, std::string& word);
    void move(bool allowed, bool (Player::*step)());
    void attack();
    void take(std::string& word);
    void drop(std::string& word);
    void eat(std::string& word);
    void quit(std::string& word);
};
