#pragma once
#include <QImage>

// The share of pixels that differ by more than `tolerance` in any channel (1 when sizes differ).
double DifferingShare(const QImage& a, const QImage& b, int tolerance = 0);
