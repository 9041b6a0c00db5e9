#pragma once

struct PageContext;

// Loads player `player` into the session, which shows it with category 1 selected. Damage found
// in its files is reported once, and the repaired player is saved soon after.
void LoadPlayer(const PageContext &context, int player);
