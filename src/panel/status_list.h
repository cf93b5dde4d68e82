// The printer's status list: the reply of the panel-status request turned
// into the six-character status codes kept in the AppContext.
#pragma once

struct AppContext;

// Size of the reply buffer of the panel-status request.
inline constexpr int kStatusReplySize = 1024;

// Replaces statusCodes and statusCount with the codes of a status reply of
// `length` received bytes. The reply is text up to its first zero byte or
// `length`, whichever comes first (and never more than kStatusReplySize).
// Codes are read from between the first and second "=" (runs of "=" count
// as one, a leading "=" is skipped); each piece ended by CR, LF or ","
// stores its first six characters, zero-padded; an unterminated last piece
// is dropped. displayIndex is left to the caller.
void ParseStatusReply(AppContext& ctx, const char* reply, int length);
