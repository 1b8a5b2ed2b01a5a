#include "frames/ActionSpec.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

QAction* AddAction(QMenu& menu, QObject& context, const ActionSpec& spec) {
  if (!spec.text) return menu.addSeparator();
  const QString text = QString::fromUtf8(spec.text);
  QAction* a = menu.addAction(text);
  if (!spec.shortcut.isEmpty()) a->setShortcut(spec.shortcut);
  a->setStatusTip(QString::fromUtf8(spec.status));
  a->setToolTip(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
  if (spec.icon) a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(spec.icon))));
  if (spec.handler) QObject::connect(a, &QAction::triggered, &context, spec.handler);
  return a;
}
