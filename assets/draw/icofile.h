#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

// A Windows .ico holding every given square image, each at most 256 pixels.
QByteArray icoFile(const std::vector<QImage>& images);
