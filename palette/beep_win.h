// The one sound the program makes, in a file of its own: test builds link a
// version of it that counts.
#pragma once

// A copy or paste that was asked for will not happen.
void beepRefusal();
