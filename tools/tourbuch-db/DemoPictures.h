#pragma once
// Pictures of the demo studios and bands, drawn rather than shipped.

#include <QByteArray>
#include <QString>

namespace tourbuchdb {

class Random;

enum class PictureMotif { Mixer, Guitar, Stage };

// A 320 x 240 picture of the motif with the name written on it, as PNG bytes.
QByteArray drawPicture(PictureMotif motif, const QString &name, Random &random);

} // namespace tourbuchdb
