#pragma once

class QImage;

namespace gray {

// Turns image grey in place: it becomes 24 bits per pixel, and every pixel gets
// red = green = blue = (red + green + blue) div 3.
void MakeGray(QImage& image);

} // namespace gray
