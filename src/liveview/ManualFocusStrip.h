#pragma once
// The manual-focus strip `iContrastAF`: its empty state, two grey-outlined
// white halves meeting at the centre pixel column.
class QImage;

void DrawManualFocusStrip(QImage& image);
