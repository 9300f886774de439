// Pure geometry of the readout panel, shared by its painter and the hit test.
#pragma once

// How far left of the panel's centre a readout text starts, by format
// (0 decimal, 1 hexadecimal). The hexadecimal text is the wider one, so its
// offset also bounds the clickable text zone above the panel.
const int ReadoutTextOffsets[2] = {67, 71};

// The column that splits the panel into its hover half and its picked half.
int panelMid();
