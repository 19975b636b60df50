#include "recent_decks.h"

#include <QFileInfo>
#include <QSettings>

namespace veltsim::gui {

namespace {

const QString kKey = QStringLiteral("recentDecks");

QSettings settings() { return QSettings(QStringLiteral("veltsim"), QStringLiteral("veltsim")); }

}  // namespace

QStringList RecentDecks::List() const { return settings().value(kKey).toStringList().mid(0, kKept); }

void RecentDecks::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList decks = List();
    decks.removeAll(absolute);
    decks.prepend(absolute);
    settings().setValue(kKey, decks.mid(0, kKept));
}

}  // namespace veltsim::gui
