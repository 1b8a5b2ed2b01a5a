// Measuring texts: the widths a surface gives are exactly those Qt lays out, also where
// many texts share one measurement, in fonts with and without equally wide digits.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <string>
#include <vector>

#include "qt/QtPainterSurface.h"
#include "qt/TextWidths.h"

namespace {

// Amounts, dates, percentages and names as tables show them, with digits beside every
// kind of character.
std::vector<std::string> TableTexts() {
  std::vector<std::string> texts = {"7",
                                    "11",
                                    "1",
                                    "0",
                                    "1/4",
                                    "T1",
                                    "1T",
                                    "Ä1ö",
                                    "1€",
                                    "(1)",
                                    "1-1",
                                    "x",
                                    "Sonstige Erträge",
                                    "Anleihe 2031",
                                    "",
                                    "1 1",
                                    "V11",
                                    "41,1 %",
                                    "1\xff"
                                    "1"};
  unsigned seed = 12345;
  const auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (int i = 0; i < 400; ++i) {
    const unsigned n = next() % 100000000u;
    std::string amount = std::to_string(n / 100) + "," + std::to_string(100 + n % 100).substr(1);
    if (amount.size() > 6) amount.insert(amount.size() - 6, ".");
    texts.push_back((next() % 3 == 0 ? "-" : "") + amount + (next() % 2 ? " EUR" : " DM"));
    const unsigned day = next();
    texts.push_back(std::to_string(10 + day % 18) + "." + std::to_string(10 + day % 3) + "." +
                    std::to_string(1990 + day % 40));
    texts.push_back(std::to_string(next() % 1000) + "," + std::to_string(next() % 10) + " %");
  }
  return texts;
}

}  // namespace

TEST(TextWidths, EveryWidthIsTheOneQtLaysOut) {
  QImage device(1, 1, QImage::Format_RGB32);
  const std::vector<std::string> texts = TableTexts();
  for (const char* face :
       {"Arial", "DejaVu Sans", "Liberation Serif", "Nimbus Roman", "C059", "DejaVu Sans Mono"}) {
    for (const int pixels : {9, 20, 118}) {
      QFont font{QString::fromLatin1(face)};
      font.setPixelSize(pixels);
      qt::TextWidths widths(font, &device);
      const QFontMetricsF metrics(font, &device);
      for (int pass = 0; pass < 2; ++pass) {  // laid out, then remembered
        for (const std::string& text : texts) {
          const QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
          ASSERT_EQ(widths.Advance(text), metrics.horizontalAdvance(q))
              << face << ' ' << pixels << " [" << text << ']';
        }
      }
    }
  }
}

TEST(TextWidths, ASurfaceMeasuresInTheFontLastSet) {
  QImage device(100, 100, QImage::Format_RGB32);
  device.setDotsPerMeterX(10000);
  device.setDotsPerMeterY(10000);
  QPainter painter(&device);
  qt::QtPainterSurface surface(painter, device, QPointF(0, 0), false, {});
  const platform::Font small{"Arial", 40, 400, 0}, large{"Arial", 80, 400, 0}, bold{"Arial", 40, 700, 0};
  surface.SetFont(small);
  const platform::Size a = surface.TextExtent("1.234,56 EUR");
  const int name = surface.TextExtent("Sonstige Erträge").cx;
  surface.SetFont(large);
  const platform::Size b = surface.TextExtent("1.234,56 EUR");
  surface.SetFont(bold);
  EXPECT_GT(surface.TextExtent("Sonstige Erträge").cx, name);
  EXPECT_GT(b.cx, a.cx);
  EXPECT_GT(b.cy, a.cy);
  surface.SetFont(small);
  EXPECT_EQ(surface.TextExtent("9.876,54 EUR").cx, a.cx);
  EXPECT_EQ(surface.TextExtent("9.876,54 EUR").cy, a.cy);
  surface.SetFont(large);
  EXPECT_EQ(surface.TextExtent("1.234,56 EUR").cx, b.cx);
  EXPECT_EQ(surface.TextExtent("1.234,56 EUR").cy, b.cy);
  // One pixel is a tenth of a millimetre here: the extent is the laid-out width, rounded up.
  const QFontMetricsF metrics(painter.font(), &device);
  EXPECT_EQ(surface.TextExtent("Sonstige Erträge").cx,
            static_cast<int>(std::ceil(metrics.horizontalAdvance(QStringLiteral("Sonstige Erträge")))));
}
