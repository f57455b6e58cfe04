#pragma once

// The edits of the nine parameters on the class, friend and enemy pages, and
// their spins, in the parameters' order (HP, SP, こうげき, まもり, まりょく,
// ていこう, わざ, はんのう, はやさ): the initial values and the final values;
// the two columns of values the friend and enemy pages compute; and the
// nine effect values of the land, item and skill pages.

#include "common/data/RecordRules.h"

inline constexpr int kParameterInitialIds[kParameterCount] = {1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043, 21071};
inline constexpr int kParameterInitialSpins[kParameterCount] = {1054, 1056, 1058, 1059, 1060, 1061, 1062, 1063, 21072};
inline constexpr int kParameterFinalIds[kParameterCount] = {1045, 1046, 1047, 1048, 1049, 1050, 1051, 1052, 1078};
inline constexpr int kParameterFinalSpins[kParameterCount] = {1055, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088};
// The character's values at its level, and what its class alone gives ("参考値").
inline constexpr int kCharacterValueIds[kParameterCount] = {1097, 1098, 1099, 1100, 1101, 1102, 1103, 1104, 1105};
inline constexpr int kCharacterReferenceIds[kParameterCount] = {1106, 1107, 1108, 1109, 11110, 11111, 1112, 1113, 1118};
inline constexpr int kEffectValueIds[kParameterCount] = {11037, 11038, 11039, 11040, 11041, 11042, 11043, 11044, 11045};
inline constexpr int kEffectValueSpins[kParameterCount] = {11060, 11061, 11062, 11063, 11064, 11065, 11066, 11067, 11068};
