// Texts shaped once and drawn as glyph runs: a PDF page drawn through them is, byte for
// byte, the page QPainter::drawText draws, in every alignment, clipped or not, rotated,
// and again from what was kept; texts and flags it cannot draw alike are left to drawText.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "qt/ShapedTexts.h"

namespace {

struct Case {
  QRectF rect;
  int flags;
  std::string text;
};

// Amounts, dates and names (with ligatures and kerning pairs, and `extra`, which may need a
// fallback font) in boxes that fit them, are too narrow or too low for them, lie partly
// left of or above the page's origin or are empty, in every alignment the views use, with
// and without clipping.
std::vector<Case> Cases(const std::string& extra) {
  const std::vector<std::string> texts = {"1.234,56",
                                          "-0,01",
                                          "31.12.2024",
                                          "Sonstige Erträge",
                                          "Öko-Fonds „Zukunft“ – 100 € (A0B1C2)",
                                          "  Rand  ",
                                          "   ",
                                          "x",
                                          "Profit, Auflösung, AV Wert, Toyota, ffi",
                                          "158,5 x Wertpapier 0 Öko (500000)",
                                          "12,3 %",
                                          extra};
  const std::vector<QRectF> rects = {
      QRectF(100.25, 200.5, 900, 120), QRectF(1100, 200, 95.5, 120),        QRectF(1300.125, 400.75, 700, 40),
      QRectF(80, 700, 2500, 300),      QRectF(-37.7, 1500.3, 300.1, 119.9), QRectF(200.6, -30.2, 400, 20),
      QRectF(500, 300, 0, 120)};
  std::vector<Case> cases;
  for (const int horizontal : {int(Qt::AlignLeft), int(Qt::AlignRight), int(Qt::AlignHCenter)}) {
    for (const int vertical : {int(Qt::AlignTop), int(Qt::AlignBottom)}) {
      for (const int clip : {0, int(Qt::TextDontClip)}) {
        for (std::size_t r = 0; r < rects.size(); ++r) {
          for (const std::string& text : texts) {
            const double down = r == 5 ? 0 : 500.0 * static_cast<double>(cases.size() % 9);
            cases.push_back(
                {rects[r].translated(0, down), horizontal | vertical | clip | Qt::TextSingleLine, text});
          }
        }
      }
    }
  }
  return cases;
}

// A letter of the Latin blocks that `font` lacks, so that a fallback font draws it; empty
// when the font has them all.
std::string MissingLetter(const QFont& font) {
  const QRawFont raw = QRawFont::fromFont(font);
  for (char32_t c = 0x100; c < 0x250; ++c) {
    if (!raw.supportsCharacter(static_cast<uint>(c)))
      return "Z" + QString::fromUcs4(&c, 1).toStdString() + "1,5";
  }
  return {};
}

// A PDF page drawn by `draw`, without the time it was made.
QByteArray Pdf(const QFont& font, const std::function<void(QPainter&)>& draw) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    painter.setFont(font);
    draw(painter);
  }
  return QString::fromLatin1(bytes)
      .remove(QRegularExpression(QStringLiteral("/CreationDate \\([^)]*\\)")))
      .toLatin1();
}

std::string Utf8(const QString& s) {
  return s.toStdString();
}

}  // namespace

TEST(ShapedTexts, APdfPageIsTheOneDrawTextWrites) {
  int fallbacks = 0;
  for (const char* face : {"Arial", "DejaVu Sans", "Liberation Serif", "C059"}) {
    for (const int pixels : {50, 85, 118}) {
      QFont font{QString::fromLatin1(face)};
      font.setPixelSize(pixels);
      const std::string missing = MissingLetter(font);
      fallbacks += missing.empty() ? 0 : 1;
      const std::vector<Case> cases = Cases(missing);
      const auto each = [&](QPainter& painter, const std::function<void(const Case&)>& one) {
        for (int round = 0; round < 2; ++round) {  // shaped, then drawn from what was kept
          painter.save();
          painter.translate(0, 600.0 * round);
          for (const Case& c : cases) one(c);
          painter.restore();
        }
        // Rotated as the development view's position strips are.
        painter.save();
        painter.translate(4000, 300);
        painter.rotate(90);
        for (std::size_t i = 0; i < 40; ++i) one(cases[i * 37 % cases.size()]);
        painter.restore();
      };
      const auto drawText = [](QPainter& painter, const Case& c) {
        painter.drawText(c.rect, c.flags, QString::fromStdString(c.text));
      };
      const QByteArray expected =
          Pdf(font, [&](QPainter& painter) { each(painter, [&](const Case& c) { drawText(painter, c); }); });
      int declined = 0, empty = 0;
      const QByteArray shaped = Pdf(font, [&](QPainter& painter) {
        qt::ShapedTexts texts(painter.font(), painter.device(), painter.layoutDirection());
        each(painter, [&](const Case& c) {
          empty += c.rect.isEmpty() ? 1 : 0;
          if (!texts.Draw(painter, c.rect, c.flags, c.text)) {
            ++declined;
            drawText(painter, c);
          }
        });
      });
      EXPECT_EQ(declined, empty) << "only empty rectangles are left to drawText";
      std::size_t at = 0;
      while (at < static_cast<std::size_t>(std::min(shaped.size(), expected.size())) &&
             shaped[static_cast<qsizetype>(at)] == expected[static_cast<qsizetype>(at)])
        ++at;
      EXPECT_TRUE(shaped == expected) << face << ' ' << pixels << ": the PDFs part at byte " << at;
    }
  }
  EXPECT_GT(fallbacks, 0) << "no font lacked a letter; the fallback font went untested";
}

TEST(ShapedTexts, LeavesToDrawTextWhatItCannotDrawAlike) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  QPainter painter(&writer);
  qt::ShapedTexts texts(painter.font(), painter.device(), painter.layoutDirection());
  const QRectF rect(10, 10, 500, 50);
  const int plain = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
  for (const QString& text : {QStringLiteral("שלום 12"), QStringLiteral("a\tb"), QStringLiteral("a\nb"),
                              QStringLiteral("Trenn\u00ADung"), QStringLiteral("e\u0301"),
                              QStringLiteral("\u202E123"), QStringLiteral("12 \u0661\u0662")}) {
    EXPECT_FALSE(qt::ShapedTexts::IsPlain(text)) << Utf8(text);
    EXPECT_FALSE(texts.Draw(painter, rect, plain, Utf8(text))) << Utf8(text);
  }
  for (const int flags : {int(Qt::AlignVCenter), int(Qt::TextWordWrap), int(Qt::TextShowMnemonic),
                          int(Qt::AlignJustify), int(Qt::TextExpandTabs)}) {
    EXPECT_FALSE(texts.Draw(painter, rect, Qt::TextSingleLine | flags, "1.234,56")) << flags;
  }
  EXPECT_TRUE(qt::ShapedTexts::IsPlain(QStringLiteral("Müller & Söhne „A“ – 1.234,56 € (ÆØÅ ß)")));
  EXPECT_TRUE(texts.Draw(painter, rect, plain, ""));  // nothing to draw, as drawText draws nothing
  EXPECT_FALSE(texts.Draw(painter, QRectF(1e12, 0, 500, 50), plain, "1.234,56"));  // beyond any page

  EXPECT_FALSE(texts.Draw(painter, QRectF(10, 10, 0, 50), plain, "1.234,56"));  // empty
  painter.setBackgroundMode(Qt::OpaqueMode);  // drawText fills behind the text
  EXPECT_FALSE(texts.Draw(painter, rect, plain, "1.234,56"));
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setPen(Qt::NoPen);
  EXPECT_TRUE(texts.Draw(painter, rect, plain, "1.234,56"));  // drawn invisibly, as by drawText
  painter.setPen(Qt::black);

  painter.setLayoutDirection(Qt::RightToLeft);
  EXPECT_FALSE(texts.Draw(painter, rect, plain, "1.234,56"));

  // Pixels are placed by rules of their own: an image gets what drawText draws.
  QImage image(100, 100, QImage::Format_RGB32);
  QPainter onImage(&image);
  qt::ShapedTexts imageTexts(onImage.font(), &image, onImage.layoutDirection());
  EXPECT_FALSE(imageTexts.Draw(onImage, rect, plain, "1.234,56"));
}
