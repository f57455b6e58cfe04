#pragma once

// The edits of the nine parameters on the class, friend and enemy pages, and
// their spins, in the parameters' order (HP, SP, こうげき, まもり, まりょく,
// ていこう, わざ, はんのう, はやさ): the initial values and the final values.

#include "common/data/RecordRules.h"

inline constexpr int kParameterInitialIds[kParameterCount] = {1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043, 21071};
inline constexpr int kParameterInitialSpins[kParameterCount] = {1054, 1056, 1058, 1059, 1060, 1061, 1062, 1063, 21072};
inline constexpr int kParameterFinalIds[kParameterCount] = {1045, 1046, 1047, 1048, 1049, 1050, 1051, 1052, 1078};
inline constexpr int kParameterFinalSpins[kParameterCount] = {1055, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088};
