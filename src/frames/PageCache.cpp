#include "frames/PageCache.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "qt/QtPainterSurface.h"

PageCache::PageCache(views::PrintJob& job, int pages, platform::PageGeometry page, std::size_t maxBytes)
    : m_job(job), m_pages(pages), m_page(page), m_maxBytes(maxBytes) {}

void PageCache::Reset(int pages, platform::PageGeometry page) {
  m_pages = pages;
  m_page = page;
  m_kept.clear();
  m_bytes = 0;
}

QImage PageCache::Page(int page, int dpi) {
  for (auto it = m_kept.begin(); it != m_kept.end(); ++it) {
    if (it->page == page && it->dpi == dpi) {
      m_kept.splice(m_kept.begin(), m_kept, it);
      return m_kept.front().image;
    }
  }
  QImage image = Draw(page, dpi);
  m_kept.push_front({page, dpi, image});
  m_bytes += static_cast<std::size_t>(image.sizeInBytes());
  // The page just drawn stays even when it alone is larger than the bound.
  while (m_kept.size() > 1 && m_bytes > m_maxBytes) {
    m_bytes -= static_cast<std::size_t>(m_kept.back().image.sizeInBytes());
    m_kept.pop_back();
  }
  return image;
}

QImage PageCache::Draw(int page, int dpi) {
  ++m_draws;
  const double perTenth = dpi / 254.0;
  QImage image(std::max(1, static_cast<int>(std::lround(m_page.pageWidth * perTenth))),
               std::max(1, static_cast<int>(std::lround(m_page.pageHeight * perTenth))),
               QImage::Format_RGB32);
  const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(Qt::white);
  QPainter painter(&image);
  // The job draws from the printable area's top-left corner, as on the printer.
  qt::QtPainterSurface surface(painter, image, QPointF(m_page.offsetX * perTenth, m_page.offsetY * perTenth),
                               true, m_page);
  m_job.DrawPage(surface, page);
  return image;
}
