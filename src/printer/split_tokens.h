// Splits a text at any character of a delimiter set into fixed-width slots,
// with the C library's strtok rules but no hidden state.
#pragma once

// Splits source at every character in delimiters and copies token k (from
// 0), with its NUL, to firstSlot + k * slotWidth. Runs of delimiters are one
// separator, delimiters at the start or end give no token, and no token is
// ever empty. Only the first 1023 characters of source are split (the
// printer's replies fit a 1024-byte buffer); source is not modified.
//
// Never writes past a slot or past the slot count: a token longer than
// slotWidth - 1 characters is cut to fit, and tokens beyond maxSlots are
// counted but not stored. Returns the number of tokens found, stored or not.
// A null source gives 0; a null delimiter set splits nothing (one token).
int SplitTokens(const char* source, const char* delimiters, char* firstSlot, int slotWidth,
                int maxSlots);
