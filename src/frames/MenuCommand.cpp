#include "frames/MenuCommand.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

QAction* AddAction(QMenu& menu, QObject& context, const MenuCommand& command) {
  if (!command.text) return menu.addSeparator();
  const QString text = QString::fromUtf8(command.text);
  QAction* a = menu.addAction(text);
  if (!command.shortcut.isEmpty()) a->setShortcut(command.shortcut);
  a->setStatusTip(QString::fromUtf8(command.status));
  a->setToolTip(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
  if (command.icon) a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(command.icon))));
  if (command.handler) QObject::connect(a, &QAction::triggered, &context, command.handler);
  return a;
}
