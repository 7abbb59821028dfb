#pragma once
// A Gaussian blur for soft shadows.
class QImage;

// Blurs a premultiplied ARGB image in place with a Gaussian of the given standard deviation in
// pixels (approximated by three box blurs); pixels outside the image count as transparent.
// Other formats are converted first. A deviation below a quarter pixel leaves the image as is.
void gaussianBlur(QImage& image, double sigma);
