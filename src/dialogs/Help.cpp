#include "dialogs/Help.h"

#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace dialogs {

void ShowHelp(int topic) {
  static QPointer<QTextBrowser> browser;
  if (!browser) {
    browser = new QTextBrowser;
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->setWindowTitle(QStringLiteral("Kapitalbuch - Hilfe"));
    browser->setSearchPaths(
        {QApplication::applicationDirPath() + QStringLiteral("/../share/kapitalbuch/help"),
         QStringLiteral(KAPIBUCH_HELP_DIR)});
    browser->resize(760, 640);
  }
  QUrl url(QStringLiteral("index.html"));
  if (topic > 0) url.setFragment(QStringLiteral("h%1").arg(topic));
  browser->setSource(url);
  if (topic > 0) browser->scrollToAnchor(url.fragment());
  browser->show();
  browser->raise();
}

}  // namespace dialogs
