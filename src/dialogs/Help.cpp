#include "dialogs/Help.h"

#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace dialogs {

namespace {

QPointer<QTextBrowser> g_browser;

}  // namespace

void ShowHelp(int topic) {
  // Above a modal dialog the help must be a window of that dialog, or the dialog's modality
  // would block it; otherwise it is a window of its own.
  QWidget* modal = QApplication::activeModalWidget();
  if (g_browser && g_browser->parentWidget() != modal) delete g_browser;
  if (!g_browser) {
    g_browser = new QTextBrowser(modal);
    g_browser->setWindowFlag(Qt::Window);
    g_browser->setAttribute(Qt::WA_DeleteOnClose);
    // The help never keeps the program running once its main window is closed.
    g_browser->setAttribute(Qt::WA_QuitOnClose, false);
    g_browser->setWindowTitle(QStringLiteral("Kapitalbuch - Hilfe"));
    g_browser->setSearchPaths(
        {QApplication::applicationDirPath() + QStringLiteral("/../share/kapitalbuch/help"),
         QStringLiteral(KAPIBUCH_HELP_DIR)});
    g_browser->resize(760, 640);
  }
  QUrl url(QStringLiteral("index.html"));
  if (topic > 0) url.setFragment(QStringLiteral("h%1").arg(topic));
  g_browser->setSource(url);
  if (topic > 0) g_browser->scrollToAnchor(url.fragment());
  g_browser->show();
  g_browser->raise();
  g_browser->activateWindow();
}

QWidget* HelpWindow() {
  return g_browser;
}

}  // namespace dialogs
