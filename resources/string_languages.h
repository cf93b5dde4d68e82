// The 23 languages of the string table (Windows language identifiers,
// ascending; 1033 is English). Shared by the generator and the loader so
// both accept the same set.
#pragma once

inline constexpr int kStringTableLanguages[] = {1028, 1029, 1031, 1033, 1034, 1036, 1038, 1040,
                                                1041, 1042, 1045, 1046, 1049, 1051, 2052, 2055,
                                                2058, 2060, 2064, 2070, 3079, 3082, 4108};
inline constexpr int kStringTableEnglish = 1033;
