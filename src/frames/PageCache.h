#pragma once
// The drawn pages of a print job for the preview: a page is drawn when it is asked for, and
// only the most recently asked pages are kept, up to a number of bytes.

#include <QImage>
#include <cstddef>
#include <list>
#include <memory>

#include "platform/Surface.h"
#include "views/PrintJob.h"

class PageCache {
 public:
  // The job has been laid out into `pages` pages of the geometry.
  PageCache(views::PrintJob& job, int pages, platform::PageGeometry page, std::size_t maxBytes = 64u << 20);

  int Pages() const { return m_pages; }
  // After the job was laid out again (perhaps on other paper): the new number of pages and
  // their geometry; drawn pages are dropped.
  void Reset(int pages, platform::PageGeometry page);
  // Page `page` (from 1) at `dpi` dots per inch, drawn now unless it is kept.
  QImage Page(int page, int dpi);

  int Draws() const { return m_draws; }
  std::size_t Kept() const { return m_kept.size(); }
  std::size_t KeptBytes() const { return m_bytes; }

 private:
  struct Drawn {
    int page;
    int dpi;
    QImage image;
  };
  QImage Draw(int page, int dpi);

  views::PrintJob& m_job;
  int m_pages;
  platform::PageGeometry m_page;
  std::size_t m_maxBytes;
  std::list<Drawn> m_kept;  // the most recently asked first
  std::size_t m_bytes = 0;
  int m_draws = 0;
};
