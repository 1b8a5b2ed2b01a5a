// Compares two page images (grey PNGs as pdftoppm draws them): they match when at most
// 0.5 % of the pixels differ by more than 32 levels, so a newer font or renderer that moves
// an edge by a pixel passes while a changed figure, line or column does not. On a mismatch a
// difference image is written: unchanged pixels faint, changed ones black.
//   pagediff EXPECTED.png ACTUAL.png DIFFERENCE.png
#include <QColor>
#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: pagediff EXPECTED.png ACTUAL.png DIFFERENCE.png\n");
    return 2;
  }
  const QImage expected = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_Grayscale8);
  const QImage actual = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_Grayscale8);
  if (expected.isNull() || actual.isNull()) {
    std::fprintf(stderr, "%s: cannot read the image\n", expected.isNull() ? argv[1] : argv[2]);
    return 2;
  }
  if (expected.size() != actual.size()) {
    std::printf("page size %dx%d instead of %dx%d\n", actual.width(), actual.height(), expected.width(),
                expected.height());
    return 1;
  }
  constexpr int kLevels = 32;
  QImage difference(expected.size(), QImage::Format_Grayscale8);
  long long changed = 0;
  for (int y = 0; y < expected.height(); ++y) {
    const uchar* e = expected.constScanLine(y);
    const uchar* a = actual.constScanLine(y);
    uchar* d = difference.scanLine(y);
    for (int x = 0; x < expected.width(); ++x) {
      const bool differs = std::abs(int(e[x]) - int(a[x])) > kLevels;
      changed += differs ? 1 : 0;
      d[x] = differs ? 0 : static_cast<uchar>(192 + e[x] / 4);
    }
  }
  const long long pixels = static_cast<long long>(expected.width()) * expected.height();
  const double share = 100.0 * static_cast<double>(changed) / static_cast<double>(pixels);
  if (changed * 1000 <= pixels * 5) return 0;
  difference.save(QString::fromLocal8Bit(argv[3]));
  std::printf("%lld of %lld pixels (%.2f %%) differ by more than %d levels; see %s\n", changed, pixels, share,
              kLevels, argv[3]);
  return 1;
}
