#pragma once

// The game cannot go on without its pictures and fonts. Tells the player what is wrong and
// what to do (a message box on Windows, a line on stderr elsewhere) and remembers the
// failure, so that the program ends with exit code 1 whenever it ends.
void reportMissingResources();

// What main returns for a finished run: its own exit code, or 1 once resources went missing.
int exitCodeAfter(int runExitCode);
