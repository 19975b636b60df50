#pragma once

#include <QStringList>

namespace veltsim::gui {

// The decks opened last, newest first, kept in the user's settings under the application's
// name from one session to the next.
class RecentDecks {
public:
    static constexpr int kKept = 8;

    QStringList List() const;
    // Puts the deck (its absolute path) first, once.
    void Add(const QString& path);
};

}  // namespace veltsim::gui
