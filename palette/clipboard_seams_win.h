// What the tests ask of the clipboard exchange beyond what the program does.
// The program never includes this.
#pragma once

// True while a copy or paste has been asked for and its result not yet taken
// by the window (its worker still running, or its notice not yet handled).
bool clipboardWorkOutstanding();
