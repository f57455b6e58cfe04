#pragma once

// Small text and number helpers shared by both programs.

#include <cstddef>
#include <string>
#include <string_view>

// Characters of a CP932 text: a lead byte and its trail byte count as one;
// every other byte counts one, except '\n', which is not counted.
int CountMbChars(std::string_view text);

// The longest start of a CP932 text of at most maxBytes bytes that splits no
// double-byte character.
std::string CutMbText(std::string_view text, std::size_t maxBytes);

// A percent roll on the programs' generator: Rand() % 100 + 1 <= percent.
bool RollPercent(int percent);

// Moves a point (held as doubles) toward an integer target by up to ten
// sub-steps of speed x 0.1 along a Bresenham line. True as soon as the point's
// truncated coordinates equal the target, also when it already stood there.
bool StepTowardPoint(double& x, double& y, int targetX, int targetY, double speed);
