// The example talk table that the repository ships in examples/example.tlk.
#pragma once

#include <string>

#include "tests/support/TlkBytes.h"

namespace tlk_bytes {

inline std::string ExampleTable() {
  return File({
      {"Bad StrRef", "", 1},
      {"Greetings, traveller. What brings you to our village?", "vo_elder_001", 7, 0, 0, 3.2f},
      {"I am looking for work.", "", 1},
      {"The mill has been quiet for weeks. Perhaps you could find out why?", "vo_elder_002", 7, 0,
       0, 4.1f},
      {"Tell me more about the mill.", "", 1},
      {"Farewell.", "", 1},
      {"Stay a while and rest by the fire.", "vo_inn_001", 7, 0, 0, 2.5f},
      {"A room costs ten silver coins for the night.", "vo_inn_002", 7, 0, 0, 2.8f},
      {"You have gained a level!", "gui_levelup", 3},
      {"Not enough gold.", "gui_error", 3},
      {"The door is locked.\r\nPerhaps there is a key nearby.", "", 1},
      {"Iron Sword", "", 1},
      {"A plain but sturdy blade, forged in the southern hills.", "", 1},
      {"Healing Draught", "", 1},
      {"Restores a small amount of health when drunk.", "", 1},
      {"", "", 0},
      {"Who goes there? Show yourself!", "vo_guard_001", 7, 5, 10, 1.9f},
      {"The bridge is closed until the storm passes.", "vo_guard_002", 7, 5, 10, 2.7f},
      {"Quest updated: The Silent Mill", "gui_quest", 3},
      {"Thank you, friend. The village will not forget this.", "vo_elder_003", 7, 0, 0, 3.6f},
      {"Save game", "", 1},
      {"Load game", "", 1},
  });
}

}  // namespace tlk_bytes
