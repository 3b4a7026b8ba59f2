#pragma once

#include <QObject>
#include <QStringList>

struct AppState;

// What the overview needs from the main window: the card list's entries, its
// open action, the window itself and the shared state, and word of changes to
// the card files. The main window implements it; the overview never reaches
// into the main window otherwise.
class OverviewHost : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The entries of the card list (card file names such as "Name.krt"), in list order.
    virtual QStringList cardEntries() const = 0;
    // Opens the card file fileName as the card list opens its selection (the
    // open card's unsaved changes saved or asked about first).
    virtual void openCard(const QString& fileName) = 0;
    // Brings the main window to the front.
    virtual void bringToFront() = 0;
    // CardDir, the library path and the program directory.
    virtual AppState& appState() = 0;

signals:
    // The card list changed; changedFileNames are card files that came or
    // were replaced under their name (may be empty: compare the entries).
    void cardListChanged(const QStringList& changedFileNames);
    // The program saved the card file fileName.
    void cardFileChanged(const QString& fileName);
};
