// The palette's exchange with the clipboard, which never makes the window
// wait.
//
// The clipboard can keep whoever uses it waiting for another program: text
// offered unrendered is asked of its owner, emptying the clipboard tells the
// previous owner, and under Wine even opening it waits seconds for an owner
// that has stopped looking at its messages. So the window only starts each
// exchange: a worker thread does it and posts ClipboardDoneMessage back, and
// the window's own thread takes the result when it comes, however late.
// At most one copy and one paste are out at a time; where they overlap, the
// one asked for later waits for the other, so that a paste after a copy
// reads what the copy wrote and a copy after a paste puts out the pasted
// palette.
#pragma once

#include "core/shell_win.h"
#include "palette/palette_text.h"

// Posted to the window by a clipboard worker when it is done; wParam is the
// value handed to onClipboardDone.
const UINT ClipboardDoneMessage = WM_APP + 1;

// Puts the palette on the clipboard as one line of text. Beeps, and does
// nothing, while a copy is still out.
void copyPalette();

// Reads palette text from the clipboard and sets every slot it names, once
// the text is read. Beeps, and does nothing, while a paste is still out.
void pastePalette();

// The window's thread takes a worker's result: a text read is pasted, and
// whatever waited for that worker starts.
void onClipboardDone(WPARAM done);

// The window is going: what is still out is dropped.
void dropClipboardWork();

// The reading half of pastePalette, done on its worker: reads the UTF-16
// text of a global memory block into slots, no further than the block
// reaches (readPasteText). A block that will not lock holds nothing.
PasteFind readPasteBlock(HANDLE memory, PastedSlots& slots);
