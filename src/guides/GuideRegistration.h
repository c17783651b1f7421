#pragma once

// Registers the reference books with the main window at program start: the storage places
// child window by its class name, and the commands of the main menu's guide actions (each
// opens its guide with mode 0).
void registerGuides();
