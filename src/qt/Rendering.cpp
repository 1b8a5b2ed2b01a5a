#include "qt/Rendering.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "qt/QtPainterSurface.h"

namespace qt {

using namespace platform;  // the interfaces this layer implements

namespace {

// A4 in tenths of a millimetre, printable to the edge.
constexpr PageGeometry kA4{2100, 2970, 0, 0, 2100, 2970};

bool EndsWith(const std::string& s, const std::string& suffix) {
  if (s.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(s[s.size() - suffix.size() + i])) != suffix[i]) return false;
  }
  return true;
}

}  // namespace

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!std::getenv("QT_QPA_PLATFORM") && (!display || !*display) && (!wayland || !*wayland)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  static int argc = 1;
  static char name[] = "kapibuch-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

PageGeometry PageOf(const QPrinter& printer) {
  // The painter's origin is the printable area's top-left corner.
  const QRectF paper = printer.paperRect(QPrinter::Millimeter);
  const QRectF printable = printer.pageRect(QPrinter::Millimeter);
  PageGeometry page;
  page.pageWidth = static_cast<int>(paper.width() * 10);
  page.pageHeight = static_cast<int>(paper.height() * 10);
  page.offsetX = static_cast<int>(printable.left() * 10);
  page.offsetY = static_cast<int>(printable.top() * 10);
  page.printableWidth = static_cast<int>(printable.width() * 10);
  page.printableHeight = static_cast<int>(printable.height() * 10);
  return page;
}

int LayOut(views::PrintJob& job, const QPrinter& printer) {
  QImage scratch(1, 1, QImage::Format_RGB32);
  const int dotsPerMeter = static_cast<int>(std::lround(printer.resolution() / 0.0254));
  scratch.setDotsPerMeterX(dotsPerMeter);
  scratch.setDotsPerMeterY(dotsPerMeter);
  QPainter painter(&scratch);
  QtPainterSurface surface(painter, scratch, QPointF(0, 0), true, PageOf(printer));
  return job.Begin(surface);
}

PrintResult PrintToPrinter(views::PrintJob& job, QPrinter& printer, const PrintProgress& progress) {
  QPainter painter(&printer);
  if (!painter.isActive()) return PrintResult::Failed;
  QtPainterSurface surface(painter, printer, QPointF(0, 0), true, PageOf(printer));
  surface.SetCompact(true);
  const int pages = job.Begin(surface);
  int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
  int to = printer.toPage() > 0 ? std::min(printer.toPage(), pages) : pages;
  for (int n = from; n <= to; ++n) {
    if (progress && !progress(n - from, to - from + 1)) {
      printer.abort();
      return PrintResult::Stopped;
    }
    if (n > from) printer.newPage();
    job.DrawPage(surface, n);
  }
  return PrintResult::Printed;
}

namespace {
RenderResult RenderDirect(views::PrintJob& job, const std::string& path, const QString& file, int page,
                          int* pageCount);
}  // namespace

RenderResult RenderToFile(views::PrintJob& job, const std::string& path, int page, int* pageCount) {
  EnsureGuiApplication();
  // Written beside the target and renamed over it: a failed render leaves an older file intact.
  const QString target = QString::fromStdString(path);
  const QFileInfo info(target);
  const QString temp = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".tmp");
  const RenderResult result = RenderDirect(job, path, temp, page, pageCount);
  if (result != RenderResult::Ok) {
    QFile::remove(temp);
    return result;
  }
  if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
    QFile::remove(temp);
    return RenderResult::CannotWrite;
  }
  return RenderResult::Ok;
}

namespace {

RenderResult RenderDirect(views::PrintJob& job, const std::string& path, const QString& file, int page,
                          int* pageCount) {
  if (EndsWith(path, ".pdf")) {
    QFile probe(file);
    if (!probe.open(QIODevice::WriteOnly)) return RenderResult::CannotWrite;
    probe.close();
    QPdfWriter writer(file);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setCreator(QStringLiteral("Kapitalbuch"));
    QPainter painter(&writer);
    if (!painter.isActive()) return RenderResult::CannotWrite;
    QtPainterSurface surface(painter, writer, QPointF(0, 0), true, kA4);
    surface.SetCompact(true);
    const int pages = job.Begin(surface);
    if (pageCount) *pageCount = pages;
    for (int n = 1; n <= pages; ++n) {
      if (n > 1) writer.newPage();
      job.DrawPage(surface, n);
    }
    return painter.end() ? RenderResult::Ok : RenderResult::CannotWrite;
  }

  if (EndsWith(path, ".svg")) {
    QFile probe(file);
    if (!probe.open(QIODevice::WriteOnly)) return RenderResult::CannotWrite;
    probe.close();
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setResolution(254);  // one pixel is a tenth of a millimetre
    svg.setSize(QSize(kA4.pageWidth, kA4.pageHeight));
    svg.setViewBox(QRect(0, 0, kA4.pageWidth, kA4.pageHeight));
    svg.setTitle(QStringLiteral("Kapitalbuch"));
    // Lay out first on a throw-away painter so that a bad page number writes nothing.
    QImage scratch(1, 1, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(10000);
    scratch.setDotsPerMeterY(10000);
    QPainter measure(&scratch);
    QtPainterSurface measuring(measure, scratch, QPointF(0, 0), true, kA4);
    const int pages = job.Begin(measuring);
    measure.end();
    if (pageCount) *pageCount = pages;
    if (page < 1 || page > pages) return RenderResult::BadPage;
    QPainter painter(&svg);
    if (!painter.isActive()) return RenderResult::CannotWrite;
    QtPainterSurface surface(painter, svg, QPointF(0, 0), true, kA4);
    job.Begin(surface);
    job.DrawPage(surface, page);
    return painter.end() ? RenderResult::Ok : RenderResult::CannotWrite;
  }

  if (EndsWith(path, ".png")) {
    constexpr double dpi = 150.0;
    QImage image(static_cast<int>(kA4.pageWidth * dpi / 254.0),
                 static_cast<int>(kA4.pageHeight * dpi / 254.0), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    QtPainterSurface surface(painter, image, QPointF(0, 0), true, kA4);
    const int pages = job.Begin(surface);
    if (pageCount) *pageCount = pages;
    if (page < 1 || page > pages) return RenderResult::BadPage;
    job.DrawPage(surface, page);
    painter.end();
    return image.save(file, "PNG") ? RenderResult::Ok : RenderResult::CannotWrite;
  }
  return RenderResult::CannotWrite;
}

}  // namespace

}  // namespace qt
