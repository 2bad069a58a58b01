#pragma once
// The progress bar drawn while files are extracted: a 456 x 16 bar inside its 458 x 18 panel.

inline constexpr int kProgressBarWidth = 456;
inline constexpr int kProgressBarHeight = 16;

// Width of the bar after filesDone of filesTotal files: filesDone x 456 / filesTotal, truncated.
// Exact fractions give exact widths (1 of 3 is 152). No bar while the total is unknown.
int ProgressWidth(int filesDone, int filesTotal);
