#pragma once

// Deterministic noise and the shading of drawn shapes: the art is built from
// flat shapes in a material's mid colour, then every shape gets a light rim
// toward the top left and a dark rim toward the bottom right.

#include "Canvas.h"

#include <cstdint>

namespace sample
{

// A well mixed 32-bit hash of a cell and a seed.
uint32_t Hash(int x, int y, uint32_t seed);
// A value in [0, 1) for a cell.
double Random01(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1], one lattice cell per `scale` pixels.
double Noise(double x, double y, double scale, uint32_t seed);
// Noise of several octaves, in [0, 1].
double Fractal(double x, double y, double scale, uint32_t seed, int octaves = 3);
// The 4x4 ordered-dither threshold of a pixel, in (0, 1).
double Bayer(int x, int y);

// Dark, mid or light of a material for a brightness in [0, 1], dithered.
int ShadeAt(Shades shades, double brightness, int x, int y);
// One of a ramp of indices for a brightness in [0, 1], dithered.
int RampAt(const int* ramp, int count, double brightness, int x, int y);

// True when the index is the mid colour of a shade group (a material to shade).
bool IsMaterial(int index);

// Shades every material pixel inside the rectangle: a pixel whose neighbour
// toward the top left (within `rim` pixels) belongs to another material
// becomes light, one whose neighbour toward the bottom right does becomes
// dark. Other indices stay as they are.
void ShadeMaterials(Canvas& canvas, int x, int y, int w, int h, int rim = 1);

} // namespace sample
